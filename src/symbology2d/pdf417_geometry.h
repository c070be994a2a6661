#pragma once
// The rows and columns of a PDF417 symbol.
#include <cstddef>

namespace Quillon::BrindleLib::pdf417 {

inline constexpr int kMinRows = 3;
inline constexpr int kMaxRows = 90;
inline constexpr int kMinColumns = 1;
inline constexpr int kMaxColumns = 30;

struct Geometry {
  int rows = 0;
  int columns = 0;
};

// Rows and columns for `codewords` codewords (check codewords included). A fixed count
// (maxRows or maxCols non-zero) is kept; an open count is searched for the lowest cost of
// unused codewords and distance from the wanted height/width ratio, the first candidate
// (fewest rows, then fewest columns) winning a tie. Grids of more than `maxGridCodewords`
// are no candidates. Throws prescribed_size_too_small when the fixed counts cannot hold
// the codewords.
Geometry ChooseGeometry(std::size_t codewords, std::size_t maxGridCodewords, int maxRows, int maxCols,
                        double aspectRatio, int rowHeight, int moduleWidth);

}  // namespace Quillon::BrindleLib::pdf417
