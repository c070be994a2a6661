#include "symbology2d/pdf417_rows.h"

#include "symbology2d/pdf417_tables.h"

namespace Quillon::BrindleLib::pdf417 {

namespace {

// In place of the right indicator and stop pattern of a truncated row.
constexpr std::uint32_t kTruncatedEnd = 0x10000;

char* PutPattern(char* out, std::uint32_t pattern, int modules) {
  for (int bit = modules - 1; bit >= 0; --bit) {
    *out++ = static_cast<char>('0' + ((pattern >> bit) & 1U));
  }
  return out;
}

}  // namespace

RowIndicators RowIndicatorsOf(int row, Geometry geometry, int level) {
  const int base = 30 * (row / 3);
  const int rowsPart = (geometry.rows - 1) / 3;
  const int levelPart = 3 * level + (geometry.rows - 1) % 3;
  const int columnsPart = geometry.columns - 1;
  switch (row % 3) {
    case 0:
      return {base + rowsPart, base + columnsPart};
    case 1:
      return {base + levelPart, base + rowsPart};
    default:
      return {base + columnsPart, base + levelPart};
  }
}

void BuildPdf417Rows(const Codewords& stream, Geometry geometry, int level, bool truncated,
                     std::vector<std::string>& rows) {
  const int modules = kPatternModules * geometry.columns + (truncated ? 51 : 69);
  rows.assign(static_cast<std::size_t>(geometry.rows), std::string(static_cast<std::size_t>(modules), '0'));
  auto codeword = stream.begin();
  for (int r = 0; r < geometry.rows; ++r) {
    const std::uint32_t* patterns = kCodewordPatterns[r % kClusterCount];
    const RowIndicators indicators = RowIndicatorsOf(r, geometry, level);
    char* out = rows[static_cast<std::size_t>(r)].data();
    out = PutPattern(out, kStartPattern, kPatternModules);
    out = PutPattern(out, patterns[indicators.left], kPatternModules);
    for (int c = 0; c < geometry.columns; ++c) {
      out = PutPattern(out, patterns[*codeword++], kPatternModules);
    }
    if (truncated) {
      PutPattern(out, kTruncatedEnd, kPatternModules);
    } else {
      out = PutPattern(out, patterns[indicators.right], kPatternModules);
      PutPattern(out, kStopPattern, kStopModules);
    }
  }
}

}  // namespace Quillon::BrindleLib::pdf417
