#include "symbology2d/dmtx_placement.h"

#include <cstddef>

namespace brindle2::dmtxencode {

namespace {

// Fills the mapping matrix (regions without borders). Modules are 0 while unvisited, then
// 1 light or 2 dark.
class MappingMatrix {
 public:
  MappingMatrix(int rows, int columns, std::span<const std::uint8_t> codewords)
      : rows_(rows), columns_(columns), codewords_(codewords), modules_(static_cast<std::size_t>(rows * columns)) {}

  void PlaceAll();
  [[nodiscard]] bool Dark(int row, int column) const { return At(row, column) == 2; }

 private:
  struct Offset {
    int row, column;
  };

  [[nodiscard]] std::size_t Index(int row, int column) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(column);
  }
  std::uint8_t& At(int row, int column) { return modules_[Index(row, column)]; }
  [[nodiscard]] std::uint8_t At(int row, int column) const { return modules_[Index(row, column)]; }

  // Bit `bit` (0 = most significant) of the current codeword at a position that may lie
  // outside the matrix: such positions wrap to the opposite edge.
  void PlaceBit(int row, int column, int bit) {
    if (row < 0) {
      row += rows_;
      column += 4 - ((rows_ + 4) % 8);
    }
    if (column < 0) {
      column += columns_;
      row += 4 - ((columns_ + 4) % 8);
    }
    const std::uint8_t codeword = next_ < codewords_.size() ? codewords_[next_] : 0;
    At(row, column) = static_cast<std::uint8_t>(1 + ((codeword >> (7 - bit)) & 1));
  }
  // The usual L-shaped symbol character whose last module is at (row, column).
  void PlaceUtah(int row, int column) {
    static constexpr Offset kShape[8] = {{-2, -2}, {-2, -1}, {-1, -2}, {-1, -1}, {-1, 0}, {0, -2}, {0, -1}, {0, 0}};
    for (int bit = 0; bit < 8; ++bit) {
      PlaceBit(row + kShape[bit].row, column + kShape[bit].column, bit);
    }
    ++next_;
  }
  // A symbol character split over the corners; offsets from the bottom-left (negative
  // column counts from the right, negative row from the bottom).
  void PlaceCorner(const Offset (&shape)[8]) {
    for (int bit = 0; bit < 8; ++bit) {
      const int row = shape[bit].row < 0 ? rows_ + shape[bit].row : shape[bit].row;
      const int column = shape[bit].column < 0 ? columns_ + shape[bit].column : shape[bit].column;
      PlaceBit(row, column, bit);
    }
    ++next_;
  }

  int rows_;
  int columns_;
  std::span<const std::uint8_t> codewords_;
  std::size_t next_ = 0;
  std::vector<std::uint8_t> modules_;
};

void MappingMatrix::PlaceAll() {
  static constexpr Offset kCorner1[8] = {{-1, 0}, {-1, 1}, {-1, 2}, {0, -2}, {0, -1}, {1, -1}, {2, -1}, {3, -1}};
  static constexpr Offset kCorner2[8] = {{-3, 0}, {-2, 0}, {-1, 0}, {0, -4}, {0, -3}, {0, -2}, {0, -1}, {1, -1}};
  static constexpr Offset kCorner3[8] = {{-3, 0}, {-2, 0}, {-1, 0}, {0, -2}, {0, -1}, {1, -1}, {2, -1}, {3, -1}};
  static constexpr Offset kCorner4[8] = {{-1, 0}, {-1, -1}, {0, -3}, {0, -2}, {0, -1}, {1, -3}, {1, -2}, {1, -1}};

  int row = 4;
  int column = 0;
  do {
    if (row == rows_ && column == 0) {
      PlaceCorner(kCorner1);
    }
    if (row == rows_ - 2 && column == 0 && columns_ % 4 != 0) {
      PlaceCorner(kCorner2);
    }
    if (row == rows_ - 2 && column == 0 && columns_ % 8 == 4) {
      PlaceCorner(kCorner3);
    }
    if (row == rows_ + 4 && column == 2 && columns_ % 8 == 0) {
      PlaceCorner(kCorner4);
    }
    // Up and to the right along a diagonal ...
    do {
      if (row < rows_ && column >= 0 && At(row, column) == 0) {
        PlaceUtah(row, column);
      }
      row -= 2;
      column += 2;
    } while (row >= 0 && column < columns_);
    row += 1;
    column += 3;
    // ... then down and to the left along the next one.
    do {
      if (row >= 0 && column < columns_ && At(row, column) == 0) {
        PlaceUtah(row, column);
      }
      row += 2;
      column -= 2;
    } while (row < rows_ && column >= 0);
    row += 3;
    column += 1;
  } while (row < rows_ || column < columns_);

  // Sizes whose matrix is not filled end with a fixed 2 x 2 pattern in the bottom-right.
  if (At(rows_ - 1, columns_ - 1) == 0) {
    At(rows_ - 1, columns_ - 1) = 2;
    At(rows_ - 2, columns_ - 2) = 2;
    At(rows_ - 1, columns_ - 2) = 1;
    At(rows_ - 2, columns_ - 1) = 1;
  }
}

}  // namespace

std::vector<std::uint8_t> PlaceModules(const SymbolSize& size, std::span<const std::uint8_t> codewords) {
  MappingMatrix mapping(size.regionsVertical * size.regionRows, size.regionsHorizontal * size.regionColumns, codewords);
  mapping.PlaceAll();

  std::vector<std::uint8_t> symbol(static_cast<std::size_t>(size.rows * size.columns));
  const int regionHeight = size.regionRows + 2;
  const int regionWidth = size.regionColumns + 2;
  std::uint8_t* out = symbol.data();
  for (int regionRow = 0; regionRow < size.regionsVertical; ++regionRow) {
    for (int r = 0; r < regionHeight; ++r) {  // 0 the top edge, regionHeight - 1 the bottom edge
      const int mappingRow = regionRow * size.regionRows + r - 1;
      for (int regionColumn = 0; regionColumn < size.regionsHorizontal; ++regionColumn) {
        const int mappingColumn = regionColumn * size.regionColumns - 1;
        for (int c = 0; c < regionWidth; ++c) {  // 0 the left edge, regionWidth - 1 the right edge
          bool dark = false;
          if (r == regionHeight - 1 || c == 0) {
            dark = true;  // the solid L of the finder
          } else if (r == 0) {
            dark = c % 2 == 0;  // the clock track along the top
          } else if (c == regionWidth - 1) {
            dark = r % 2 == 1;  // the clock track down the right
          } else {
            dark = mapping.Dark(mappingRow, mappingColumn + c);
          }
          *out++ = dark ? 1 : 0;
        }
      }
    }
  }
  return symbol;
}

}  // namespace brindle2::dmtxencode
