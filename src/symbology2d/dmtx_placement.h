#pragma once
// Where the codeword bits go: the ECC 200 placement into the mapping matrix, and the data
// regions with their finder and clock edges around it.
#include <cstdint>
#include <span>
#include <vector>

#include "symbology2d/dmtx_symbol_size.h"

namespace brindle2::dmtxencode {

// The whole symbol, rows from the top, one byte per module (1 dark, 0 light), from all its
// codewords (data then check, interleaved).
std::vector<std::uint8_t> PlaceModules(const SymbolSize& size, std::span<const std::uint8_t> codewords);

}  // namespace brindle2::dmtxencode
