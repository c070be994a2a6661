#include "symbology/code11.h"

#include <gtest/gtest.h>

#include "symbology/linear_reference.h"
#include "symbology/validation_expectations.h"

namespace Quillon::BrindleLib {
namespace {

std::string SymbolOf(const std::string& characters) {
  std::string p(Code11Pattern(kCode11Start));
  for (const char c : characters) {
    p += Code11Pattern(static_cast<unsigned char>(c));
  }
  return p + std::string(Code11Pattern(kCode11Stop));
}

TEST(Code11, WorkedExamples) {
  const struct {
    std::string message;
    bool show;
    std::string encoded;  // the characters and the one check character
    std::string text;
  } cases[] = {
      // 5*1 + 4*2 + 10*3 + 3*4 + 2*5 + 1*6 = 71, 71 mod 11 = 5
      {"123-45", true, "123-455", "123-455"},
      {"123-45", false, "123-455", "123-45"},
      {"18", true, "18-", "18-"},  // 8 + 2 = 10: the check is the hyphen
      {"-", true, "--", "--"},
      {"12345678901", true, "123456789013", "123456789013"},  // weights run on past 10
      {"", true, "0", "0"},
      {"1 2x3", false, "123-", "123"},  // bypassing Validate: the others are dropped
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    std::string pattern = "stale";
    std::string text = "stale";
    EXPECT_NE(CCode11Symbol().Encode(c.message, c.show, pattern, text), 0);
    EXPECT_EQ(pattern, SymbolOf(c.encoded));
    EXPECT_EQ(text, c.text);
  }
}

TEST(Code11, CheckCharacterOfLongMessages) {
  // 110 characters: the weights run up to 110 without restarting.
  std::string message;
  for (int i = 0; i < 10; ++i) {
    message += "9-9-9-9-9-9";
  }
  EXPECT_EQ(Code11CheckCharacter(ParsePlain(message)), '3');
  EXPECT_EQ(Code11CheckCharacter(ParsePlain("9-9-9-9-9-9")), '8');
}

TEST(Code11, TableMatchesTheStandard) {
  const auto records = linnet::testing::LinearReference("C11");
  ASSERT_EQ(records.size(), 12U);
  for (const auto& r : records) {
    const std::string expected = linnet::testing::UpperNarrowWide(r[2] + "n");
    if (r[0] == "START/STOP") {
      EXPECT_EQ(Code11Pattern(kCode11Start), expected);
      EXPECT_EQ(Code11Pattern(kCode11Stop), expected);
    } else {
      EXPECT_EQ(Code11Pattern(static_cast<unsigned char>(r[0][0])), expected) << r[0];
    }
  }
  EXPECT_EQ(Code11Pattern('0'), "NNNNWN");
  EXPECT_EQ(Code11Pattern('A'), "");
}

TEST(Code11, ValidateAcceptsDigitsAndTheHyphen) {
  const struct {
    std::string message;
    char rejected;
  } cases[] = {{"0123456789-", 0}, {"", 0}, {"12 3", ' '}, {"1A", 'A'}};
  for (const auto& c : cases) {
    linnet::testing::ExpectValidation(CCode11Symbol(), c.message, c.rejected);
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib
