// The encoder's entry points: options, failures and robustness on any input.
#include "symbology2d/pdf417_encoder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace Quillon::BrindleLib {
namespace {

using Rows = std::vector<std::string>;

Rows Encode(const std::string& message, int maxRows = 0, int maxCols = 0, int level = 9, bool truncated = false) {
  Rows rows;
  CPDF417Encoder2().EncodeToRows(message, rows, 13, 39, 0.5, maxRows, maxCols, level, truncated);
  return rows;
}

TEST(Pdf417Encoder, RowShapes) {
  const struct {
    std::string message;
    int maxRows, maxCols;
    bool truncated;
    std::size_t rows, length;
  } cases[] = {
      {"", 0, 0, false, 14, 17 + 69},           {"", 0, 0, true, 14, 17 + 51}, {"PDF417", 3, 0, false, 3, 17 * 5 + 69},
      {"PDF417", 0, 4, false, 20, 17 * 4 + 69},  // 20 to 23 rows cost the same
      {"PDF417", 12, 3, true, 12, 17 * 3 + 51},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const Rows rows = Encode(c.message, c.maxRows, c.maxCols, 9, c.truncated);
    ASSERT_EQ(rows.size(), c.rows);
    for (const auto& row : rows) {
      EXPECT_EQ(row.size(), c.length);
      EXPECT_EQ(row.find_first_not_of("01"), std::string::npos);
      if (c.truncated) {
        EXPECT_EQ(row.substr(row.size() - 17), "10000000000000000");
      }
    }
  }
}

TEST(Pdf417Encoder, OptionsOutsideTheirRangesAreBroughtIn) {
  const struct {
    int maxRows, maxCols, level;
    int sameRows, sameCols, sameLevel;
  } cases[] = {
      {200, 2, 9, 90, 2, 9}, {1, 20, 9, 3, 20, 9}, {-5, 20, 9, 3, 20, 9}, {0, -4, 9, 0, 0, 9},
      {0, 31, 9, 0, 30, 9},  {0, 0, -1, 0, 0, 0},  {0, 0, 12, 0, 0, 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.maxRows << " " << c.maxCols << " " << c.level);
    EXPECT_EQ(Encode("Options", c.maxRows, c.maxCols, c.level), Encode("Options", c.sameRows, c.sameCols, c.sameLevel));
  }
}

TEST(Pdf417Encoder, MessageEndsAtItsFirstZeroByte) {
  EXPECT_EQ(Encode(std::string("AB\0CD", 5)), Encode("AB"));
}

TEST(Pdf417Encoder, FailureLeavesRowsAlone) {
  const struct {
    std::string message;
    int maxRows, maxCols, level, code;
  } cases[] = {
      {"~7999999", 0, 0, 9, 40},
      {"~2[0]", 0, 0, 9, 20},
      {std::string(500, 'A'), 3, 2, 9, 30},
      {std::string(900, 'A'), 0, 0, 8, 41},
      {std::string(1000, 'A') + "~7000003" + std::string(1000, 'A'), 0, 0, 9, 210},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    Rows rows{"stale"};
    try {
      CPDF417Encoder2().EncodeToRows(c.message, rows, 13, 39, 0.5, c.maxRows, c.maxCols, c.level, false);
      ADD_FAILURE() << "no failure";
    } catch (const barlib_error& e) {
      EXPECT_EQ(e.code, c.code);
    }
    EXPECT_EQ(rows, Rows{"stale"});
    EXPECT_THROW(CPDF417Encoder2().CheckEncodable(c.message, 13, 39, 0.5, c.maxRows, c.maxCols, c.level), barlib_error);
  }
  EXPECT_NE(CPDF417Encoder2().CheckEncodable("fine", 13, 39, 0.5, 0, 0, 9), 0);
}

TEST(Pdf417Encoder, AcceptsEveryMessageAsValid) {
  std::string all;
  for (int b = 1; b < 256; ++b) {
    all += static_cast<char>(b);
  }
  EXPECT_NO_THROW(CPDF417Encoder2().Validate(all));
}

TEST(Pdf417Encoder, AnyByteStringEncodesOrFailsCleanly) {
  // Bytes that steer the escape and Macro syntax come often, so that every path is taken.
  const std::string alphabet = std::string("~~~~7d2@AZ[]|:0123456789aA;. \x80\xff\t\r\n", 33) + "fn:ts:sc:";
  std::mt19937 random(2024);
  for (int i = 0; i < 3000; ++i) {
    std::string message;
    const std::size_t length = random() % (i % 10 == 0 ? 2500 : 60);
    for (std::size_t j = 0; j < length; ++j) {
      message += (random() % 4 == 0) ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];
    }
    const int maxRows = static_cast<int>(random() % 95) - 2;
    const int maxCols = static_cast<int>(random() % 35) - 2;
    const int level = static_cast<int>(random() % 12) - 1;
    const double aspect = (random() % 2 == 0) ? 0.0 : static_cast<double>(random() % 100000) / 100.0;
    Rows rows;
    try {
      CPDF417Encoder2().EncodeToRows(message, rows, 1 + static_cast<int>(random() % 100),
                                     1 + static_cast<int>(random() % 100), aspect, maxRows, maxCols, level,
                                     random() % 2 == 0);
      ASSERT_FALSE(rows.empty());
      ASSERT_GE(rows.size(), 3U);
      ASSERT_LE(rows.size(), 90U);
    } catch (const barlib_error& e) {
      EXPECT_TRUE(e.code == 20 || e.code == 21 || e.code == 22 || e.code == 23 || e.code == 24 || e.code == 30 ||
                  e.code == 40 || e.code == 41 || e.code == 210)
          << e.code;
      EXPECT_FALSE(e.message.empty());
    }
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib
