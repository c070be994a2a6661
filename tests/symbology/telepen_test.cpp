#include "symbology/telepen.h"

#include <gtest/gtest.h>

#include "support/symbol_image.h"
#include "symbology/linear_reference.h"
#include "symbology/validation_expectations.h"

namespace Quillon::BrindleLib {
namespace {

std::string SymbolOf(const Elements& characters) {
  std::string p(TelepenPattern(kTelepenStart));
  for (const auto c : characters) {
    p += TelepenPattern(static_cast<unsigned char>(c));
  }
  return p + std::string(TelepenPattern(kTelepenStop));
}

struct TelepenCase {
  std::string message;
  bool show;
  Elements encoded;  // the character values and the check character
  std::string text;
};

TEST(Telepen, WorkedExamples) {
  const TelepenCase cases[] = {
      // 65 + 66 + 67 = 198, 198 mod 127 = 71, 127 - 71 = 56 '8'
      {"ABC", true, {'A', 'B', 'C', '8'}, "ABC8"},
      {"ABC", false, {'A', 'B', 'C', '8'}, "ABC"},
      {"\\127\\127", true, {127, 127, 127}, "   "},   // sum 254: the check is DEL, shown as a space
      {"`", true, {'`', 31}, "` "},                   // 127 - 96 = 31, a control character
      {"\\065\\\\", true, {'A', '\\', 'a'}, "A\\a"},  // escapes: 65 + 92 = 157 -> 127 - 30 = 97
      {"", true, {127}, " "},
      {"\xc0Z", false, {'Z', 37}, "Z"},  // bytes above 127 are dropped
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    std::string pattern = "stale";
    std::string text = "stale";
    EXPECT_NE(CTelepenSymbol().Encode(c.message, c.show, pattern, text), 0);
    EXPECT_EQ(pattern, SymbolOf(c.encoded));
    EXPECT_EQ(text, c.text);
  }
}

TEST(TelepenNumeric, WorkedExamples) {
  const TelepenCase cases[] = {
      {"1234", true, {12, 34, 'Q'}, "1234Q"},                                           // 127 - 46 = 81
      {"1234", false, {12, 34, 'Q'}, "1234"},   {"123", false, {12, 30, 'U'}, "1230"},  // an odd count gets a '0'
      {"9999", true, {99, 99, '8'}, "99998"},                                           // 198 mod 127 = 71 -> 56
      {"0000", true, {0, 0, 127}, "0000 "},     {"", true, {127}, " "},
      {"12-3 4", false, {12, 34, 'Q'}, "1234"},  // bypassing Validate: the others are dropped
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    std::string pattern = "stale";
    std::string text = "stale";
    EXPECT_NE(CTelepenNumericSymbol().Encode(c.message, c.show, pattern, text), 0);
    EXPECT_EQ(pattern, SymbolOf(c.encoded));
    EXPECT_EQ(text, c.text);
  }
}

TEST(Telepen, CheckCharacter) {
  const struct {
    Elements values;
    unsigned char check;
  } cases[] = {
      {{'A', 'B', 'C'}, '8'}, {{12, 34}, 'Q'}, {{}, 127}, {{127}, 127}, {{126}, 1}, {{127, 127, 1}, 126},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TelepenCheckCharacter(c.values), c.check);
  }
}

TEST(Telepen, TableMatchesTheStandard) {
  const auto records = linnet::testing::LinearReference("TELEPEN");
  ASSERT_EQ(records.size(), 128U);
  for (const auto& r : records) {
    const int byte = std::stoi(r[0]);
    ASSERT_EQ(linnet::testing::ReferenceCharacter(r[1]), byte);
    const auto pattern = TelepenPattern(static_cast<unsigned char>(byte));
    EXPECT_EQ(pattern, r[2]) << byte;
    EXPECT_EQ(linnet::testing::ModulesFromNarrowWide(std::string(pattern)).size(), 16U) << byte;
  }
  EXPECT_EQ(TelepenPattern(kTelepenStart), "nnnnnnnnnnww");
  EXPECT_EQ(TelepenPattern(kTelepenStop), "wwnnnnnnnnnn");
  EXPECT_EQ(TelepenPattern(128), "");
}

TEST(Telepen, Validation) {
  const struct {
    std::string message;
    char telepenRejects, numericRejects;
  } cases[] = {
      {"1234", 0, 0}, {"", 0, 0}, {"ABC", 0, 'A'}, {"\x01\x7f", 0, '\x01'}, {"12\x80", '\x80', '\x80'},
  };
  for (const auto& c : cases) {
    linnet::testing::ExpectValidation(CTelepenSymbol(), c.message, c.telepenRejects);
    linnet::testing::ExpectValidation(CTelepenNumericSymbol(), c.message, c.numericRejects);
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib
