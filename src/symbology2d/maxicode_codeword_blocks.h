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

// Data codewords a mode holds, primary part included: 78 in mode 5, 94 otherwise.
std::size_t DataCapacity(int mode);

// Throws out_of_capacity_error (210) when `data` exceeds the mode's capacity.
SymbolCodewords FinishMaxiCode(const Codewords& data, int mode);

}  // namespace Quillon::BrindleLib::maxicode
