#include "symbology/msi.h"

#include <gtest/gtest.h>

#include "symbology/linear_reference.h"
#include "symbology/validation_expectations.h"

namespace Quillon::BrindleLib {
namespace {

std::string SymbolOf(const std::string& digits) {
  std::string p(MsiPattern(kMsiStart));
  for (const char d : digits) {
    p += MsiPattern(static_cast<unsigned char>(d));
  }
  return p + std::string(MsiPattern(kMsiStop));
}

TEST(Msi, WorkedExamples) {
  const struct {
    std::string message;
    bool show;
    std::string encoded;  // the digits and the check digit
    std::string text;
  } cases[] = {
      // odd positions 7, 5, 3, 1 give 5 + 1 + 6 + 2 = 14; even positions 6 + 4 + 2 = 12; 26 -> 4
      {"1234567", true, "12345674", "12345674"},
      {"1234567", false, "12345674", "1234567"},
      {"80523", true, "805234", "805234"},
      {"9", true, "91", "91"},  // 2*9 = 18 counts 1 + 8 = 9
      {"999999999999", false, "9999999999992", "999999999999"},
      {"12 34 567", true, "12345674", "12345674"},  // spaces are dropped
      {"", true, "0", "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    std::string pattern = "stale";
    std::string text = "stale";
    EXPECT_NE(CMSISymbol().Encode(c.message, c.show, pattern, text), 0);
    EXPECT_EQ(pattern, SymbolOf(c.encoded));
    EXPECT_EQ(text, c.text);
  }
}

TEST(Msi, TableMatchesTheStandard) {
  const auto records = linnet::testing::LinearReference("MSI");
  ASSERT_EQ(records.size(), 12U);
  for (const auto& r : records) {
    const unsigned char key = r[0] == "START" ? kMsiStart : r[0] == "STOP" ? kMsiStop : r[0][0];
    EXPECT_EQ(MsiPattern(key), linnet::testing::BarSpaceModules(r[3])) << r[0];
  }
  EXPECT_EQ(MsiPattern('A'), "");
}

TEST(Msi, ValidateAcceptsDigitsAndSpaces) {
  const struct {
    std::string message;
    char rejected;
  } cases[] = {{"12 34", 0}, {"", 0}, {"12-34", '-'}, {"x", 'x'}};
  for (const auto& c : cases) {
    linnet::testing::ExpectValidation(CMSISymbol(), c.message, c.rejected);
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib
