#pragma once
// The symbol's 144 codewords: the data list checked against the mode's capacity, padded,
// and given the check codewords of the primary block and of the two interleaved halves of
// the secondary message.
#include <array>
#include <cstdint>

#include "symbology2d/maxicode_codewords.h"

namespace Quillon::BrindleLib::maxicode {

inline constexpr std::size_t kSymbolCodewords = 144;
using SymbolCodewords = std::array<std::uint8_t, kSymbolCodewords>;

// `data` is the primary part (or the mode codeword) and the secondary codewords. Throws
// out_of_capacity_error (210) beyond 94 codewords, 78 in mode 5.
SymbolCodewords FinishMaxiCode(const Codewords& data, int mode);

}  // namespace Quillon::BrindleLib::maxicode
