#pragma once
// The 33-row module grid: where each bit of each codeword goes, and the fixed orientation,
// filler and centre modules.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "symbology2d/maxicode_codeword_blocks.h"

namespace Quillon::BrindleLib::maxicode {

inline constexpr int kGridRows = 33;
inline constexpr int kGridColumns = 30;

// A grid cell holds 6 * (codeword - 1) + (bit - 1) for a data module (bit 1 the most
// significant of the six), or one of these.
enum GridCell : std::int16_t {
  kFixedDark = -1,   // orientation module or the filler at the end of row 0
  kFixedLight = -2,  // orientation module
  kCentre = -3,      // under the bullseye
  kAbsent = -4,      // column 29 of the odd rows
};

using GridRow = std::array<std::int16_t, kGridColumns>;
const std::array<GridRow, kGridRows>& ModuleGrid();

// One string per row, top first, '1' dark and '0' light: 30 modules in the even rows, 29
// in the odd ones.
std::vector<std::string> LayOutMaxiCode(const SymbolCodewords& codewords);

}  // namespace Quillon::BrindleLib::maxicode
