#pragma once
// The module rows of a PDF417 symbol.
#include <string>
#include <vector>

#include "symbology2d/pdf417_codewords.h"
#include "symbology2d/pdf417_geometry.h"

namespace Quillon::BrindleLib::pdf417 {

struct RowIndicators {
  int left = 0;
  int right = 0;
};

// The row indicator codewords of `row` (from 0) for the grid and security level.
RowIndicators RowIndicatorsOf(int row, Geometry geometry, int level);

// Full rows are start, left indicator, the row's codewords, right indicator and stop, that
// is 17 * columns + 69 modules; truncated rows end after the codewords with one dark and 16
// light modules, 17 * columns + 51 modules. `stream` holds rows * columns codewords; `rows`
// is replaced.
void BuildPdf417Rows(const Codewords& stream, Geometry geometry, int level, bool truncated,
                     std::vector<std::string>& rows);

}  // namespace Quillon::BrindleLib::pdf417
