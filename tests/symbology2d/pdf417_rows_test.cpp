// Check codewords, row indicators and module rows, read back through the reference table.
#include "symbology2d/pdf417_rows.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_command.h"
#include "symbology2d/pdf417_ecc.h"

namespace Quillon::BrindleLib::pdf417 {
namespace {

// Module strings of the reference table: per cluster (0, 1, 2), pattern -> codeword.
struct ReferencePatterns {
  std::map<std::string, int> codewords[3];
  std::string start, stop;
};

const ReferencePatterns& Reference() {
  static const ReferencePatterns patterns = [] {
    ReferencePatterns p;
    std::ifstream file(linnet::testing::SharedDir() + "/reference/pdf417-codewords.txt");
    std::string line;
    while (std::getline(file, line)) {
      std::istringstream fields(line);
      std::string kind, a, b, c, d;
      fields >> kind;
      if (kind == "C") {
        fields >> a >> b >> c >> d;
        p.codewords[std::stoi(a) / 3][d] = std::stoi(b);
      } else if (kind == "START") {
        fields >> a >> p.start;
      } else if (kind == "STOP") {
        fields >> a >> p.stop;
      }
    }
    return p;
  }();
  return patterns;
}

// The stream read as a polynomial, first codeword highest, at x, over GF(929).
int Evaluate(const Codewords& stream, int x) {
  long value = 0;
  for (const auto c : stream) {
    value = (value * x + c) % 929;
  }
  return static_cast<int>(value);
}

TEST(Pdf417Rows, CheckCodewordsMakeEveryRootVanish) {
  std::mt19937 random(417);
  for (int level = 0; level <= 8; ++level) {
    const std::size_t k = CheckCodewordCount(level);
    for (const std::size_t length : {std::size_t{1}, std::size_t{37}, 928 - k}) {
      Codewords stream(length);
      for (auto& c : stream) {
        c = static_cast<std::uint16_t>(random() % 929);
      }
      AppendPdf417Ecc(stream, level);
      ASSERT_EQ(stream.size(), length + k);
      int root = 1;
      for (std::size_t j = 1; j <= k; ++j) {
        root = root * 3 % 929;
        EXPECT_EQ(Evaluate(stream, root), 0) << "level " << level << " root 3^" << j;
      }
    }
  }
}

TEST(Pdf417Rows, HighestLevelThatFits) {
  const struct {
    std::size_t free;
    int level;
  } cases[] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 1}, {511, 7}, {512, 8}, {927, 8}};
  for (const auto& c : cases) {
    EXPECT_EQ(MaxSecurityLevel(c.free), c.level) << c.free;
  }
}

TEST(Pdf417Rows, RowIndicators) {
  const struct {
    int row;
    Geometry geometry;
    int level;
    RowIndicators expected;
  } cases[] = {
      {0, {10, 4}, 3, {3, 3}},   {1, {10, 4}, 3, {9, 3}},   {2, {10, 4}, 3, {3, 9}},       {3, {10, 4}, 3, {33, 33}},
      {4, {10, 4}, 3, {39, 33}}, {5, {10, 4}, 3, {33, 39}}, {0, {7, 2}, 5, {2, 1}},        {1, {7, 2}, 5, {15, 2}},
      {2, {7, 2}, 5, {1, 15}},   {6, {7, 2}, 5, {62, 61}},  {89, {90, 30}, 8, {899, 896}},
  };
  for (const auto& c : cases) {
    const RowIndicators r = RowIndicatorsOf(c.row, c.geometry, c.level);
    EXPECT_EQ(r.left, c.expected.left) << c.row;
    EXPECT_EQ(r.right, c.expected.right) << c.row;
  }
}

TEST(Pdf417Rows, RowsReadBackAsTheirCodewords) {
  const auto& reference = Reference();
  for (const bool truncated : {false, true}) {
    for (const Geometry geometry : {Geometry{3, 1}, Geometry{7, 2}, Geometry{10, 4}, Geometry{31, 30}}) {
      SCOPED_TRACE(testing::Message() << geometry.rows << "x" << geometry.columns << (truncated ? " truncated" : ""));
      Codewords stream(static_cast<std::size_t>(geometry.rows * geometry.columns));
      for (std::size_t i = 0; i < stream.size(); ++i) {
        stream[i] = static_cast<std::uint16_t>((i * 37 + 11) % 929);
      }
      const int level = 2;
      std::vector<std::string> rows{"stale"};
      BuildPdf417Rows(stream, geometry, level, truncated, rows);
      ASSERT_EQ(rows.size(), static_cast<std::size_t>(geometry.rows));
      std::size_t next = 0;
      for (int r = 0; r < geometry.rows; ++r) {
        const std::string& row = rows[static_cast<std::size_t>(r)];
        ASSERT_EQ(row.size(), static_cast<std::size_t>(17 * geometry.columns + (truncated ? 51 : 69)));
        const auto& cluster = reference.codewords[r % 3];
        const auto codewordAt = [&](std::size_t offset) {
          const auto found = cluster.find(row.substr(offset, 17));
          return found == cluster.end() ? -1 : found->second;
        };
        EXPECT_EQ(row.substr(0, 17), reference.start);
        const RowIndicators indicators = RowIndicatorsOf(r, geometry, level);
        EXPECT_EQ(codewordAt(17), indicators.left);
        for (int c = 0; c < geometry.columns; ++c) {
          EXPECT_EQ(codewordAt(34 + 17 * static_cast<std::size_t>(c)), stream[next++]);
        }
        const std::size_t end = 34 + 17 * static_cast<std::size_t>(geometry.columns);
        if (truncated) {
          EXPECT_EQ(row.substr(end), "10000000000000000");
        } else {
          EXPECT_EQ(codewordAt(end), indicators.right);
          EXPECT_EQ(row.substr(end + 17), reference.stop);
        }
      }
    }
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib::pdf417
