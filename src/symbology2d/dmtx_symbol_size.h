#pragma once
// The 30 ECC 200 symbol sizes and the order in which a size option searches them.
#include <cstddef>

namespace brindle2::dmtxencode {

struct SymbolSize {
  int rows, columns;              // the whole symbol, in modules
  int regionRows, regionColumns;  // one data region inside its finder and clock border
  int regionsVertical, regionsHorizontal;
  int dataCodewords, checkCodewords;
  int blocks;  // interleaved Reed-Solomon blocks
  int checkCodewordsPerBlock;
};

inline constexpr int kSymbolSizeCount = 30;
inline constexpr int kFirstRectangularSize = 24;  // 0..23 square, 24..29 rectangular
inline constexpr int kMaxDataCodewords = 1558;
inline constexpr int kMaxCheckCodewords = 620;

// Size options besides a fixed index.
inline constexpr int kSquaresFirst = -1;
inline constexpr int kRectanglesFirst = -2;

// The size with this index (0..29).
const SymbolSize& SymbolSizeAt(int index);

constexpr bool IsRectangularSize(int index) {
  return index >= kFirstRectangularSize;
}

// Which sizes a size option allows, and in what order: -1 (or any value that is no size)
// squares then rectangles, -2 rectangles then squares, an index that size alone or, with
// `grow`, that size and the larger ones after it.
class SizeSearch {
 public:
  SizeSearch(int option, bool grow);

  // The first allowed size whose data capacity holds `codewords`, or -1.
  [[nodiscard]] int SmallestHolding(std::size_t codewords) const;
  // True when that size exists and holds exactly `codewords`.
  [[nodiscard]] bool ExactlyFilled(std::size_t codewords) const;
  // Codewords that size would have left over, or -1 when no allowed size holds them.
  [[nodiscard]] int Left(std::size_t codewords) const;

 private:
  int first_ = 0;
  int last_ = kSymbolSizeCount - 1;
  bool wraps_ = false;  // continues from 0 up to first_ - 1 after last_
};

}  // namespace brindle2::dmtxencode
