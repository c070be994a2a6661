#include "symbology2d/pdf417_rows.h"

#include <array>
#include <cstring>

#include "symbology2d/pdf417_tables.h"

namespace Quillon::BrindleLib::pdf417 {

namespace {

// In place of the right indicator and stop pattern of a truncated row.
constexpr std::uint32_t kTruncatedEnd = 0x10000;

// The eight module characters of every byte value, most significant bit first.
using ByteModules = std::array<std::array<char, 8>, 256>;
constexpr ByteModules MakeByteModules() {
  ByteModules modules{};
  for (std::size_t value = 0; value < modules.size(); ++value) {
    for (std::size_t bit = 0; bit < 8; ++bit) {
      modules[value][bit] = (value >> (7 - bit)) & 1U ? '1' : '0';
    }
  }
  return modules;
}
constexpr ByteModules kByteModules = MakeByteModules();

// Writes the low `modules` bits of `pattern` (17 or 18), most significant first.
char* PutPattern(char* out, std::uint32_t pattern, int modules) {
  for (int bit = modules - 1; bit >= 16; --bit) {
    *out++ = static_cast<char>('0' + ((pattern >> bit) & 1U));
  }
  std::memcpy(out, kByteModules[(pattern >> 8) & 0xFFU].data(), 8);
  std::memcpy(out + 8, kByteModules[pattern & 0xFFU].data(), 8);
  return out + 16;
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
  // Every module is written; the strings only keep whatever capacity the caller's rows had.
  rows.resize(static_cast<std::size_t>(geometry.rows));
  for (auto& row : rows) {
    row.resize(static_cast<std::size_t>(modules));
  }
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
