#include "symbology2d/dmtx_symbol_size.h"

#include <array>

namespace brindle2::dmtxencode {

namespace {

// The symbol attribute table of ECC 200, squares by size then rectangles.
constexpr std::array<SymbolSize, kSymbolSizeCount> kSizes{{
    {10, 10, 8, 8, 1, 1, 3, 5, 1, 5},           {12, 12, 10, 10, 1, 1, 5, 7, 1, 7},
    {14, 14, 12, 12, 1, 1, 8, 10, 1, 10},       {16, 16, 14, 14, 1, 1, 12, 12, 1, 12},
    {18, 18, 16, 16, 1, 1, 18, 14, 1, 14},      {20, 20, 18, 18, 1, 1, 22, 18, 1, 18},
    {22, 22, 20, 20, 1, 1, 30, 20, 1, 20},      {24, 24, 22, 22, 1, 1, 36, 24, 1, 24},
    {26, 26, 24, 24, 1, 1, 44, 28, 1, 28},      {32, 32, 14, 14, 2, 2, 62, 36, 1, 36},
    {36, 36, 16, 16, 2, 2, 86, 42, 1, 42},      {40, 40, 18, 18, 2, 2, 114, 48, 1, 48},
    {44, 44, 20, 20, 2, 2, 144, 56, 1, 56},     {48, 48, 22, 22, 2, 2, 174, 68, 1, 68},
    {52, 52, 24, 24, 2, 2, 204, 84, 2, 42},     {64, 64, 14, 14, 4, 4, 280, 112, 2, 56},
    {72, 72, 16, 16, 4, 4, 368, 144, 4, 36},    {80, 80, 18, 18, 4, 4, 456, 192, 4, 48},
    {88, 88, 20, 20, 4, 4, 576, 224, 4, 56},    {96, 96, 22, 22, 4, 4, 696, 272, 4, 68},
    {104, 104, 24, 24, 4, 4, 816, 336, 6, 56},  {120, 120, 18, 18, 6, 6, 1050, 408, 6, 68},
    {132, 132, 20, 20, 6, 6, 1304, 496, 8, 62}, {144, 144, 22, 22, 6, 6, 1558, 620, 10, 62},
    {8, 18, 6, 16, 1, 1, 5, 7, 1, 7},           {8, 32, 6, 14, 1, 2, 10, 11, 1, 11},
    {12, 26, 10, 24, 1, 1, 16, 14, 1, 14},      {12, 36, 10, 16, 1, 2, 22, 18, 1, 18},
    {16, 36, 14, 16, 1, 2, 32, 24, 1, 24},      {16, 48, 14, 22, 1, 2, 49, 28, 1, 28},
}};

bool Holds(int index, std::size_t codewords) {
  return static_cast<std::size_t>(kSizes[static_cast<std::size_t>(index)].dataCodewords) >= codewords;
}

}  // namespace

const SymbolSize& SymbolSizeAt(int index) {
  return kSizes.at(static_cast<std::size_t>(index));
}

SizeSearch::SizeSearch(int option, bool grow) {
  if (option == kRectanglesFirst) {
    first_ = kFirstRectangularSize;
    wraps_ = true;
  } else if (option >= 0 && option < kSymbolSizeCount) {
    first_ = option;
    last_ = grow ? kSymbolSizeCount - 1 : option;
    wraps_ = grow && IsRectangularSize(option);
  }
}

int SizeSearch::SmallestHolding(std::size_t codewords) const {
  for (int i = first_; i <= last_; ++i) {
    if (Holds(i, codewords)) {
      return i;
    }
  }
  for (int i = 0; wraps_ && i < first_; ++i) {
    if (Holds(i, codewords)) {
      return i;
    }
  }
  return -1;
}

bool SizeSearch::ExactlyFilled(std::size_t codewords) const {
  return Left(codewords) == 0;
}

int SizeSearch::Left(std::size_t codewords) const {
  const int index = SmallestHolding(codewords);
  return index < 0 ? -1 : SymbolSizeAt(index).dataCodewords - static_cast<int>(codewords);
}

}  // namespace brindle2::dmtxencode
