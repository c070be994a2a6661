#include "symbology/postal.h"

#include <gtest/gtest.h>

#include "symbology/linear_reference.h"
#include "symbology/validation_expectations.h"

namespace Quillon::BrindleLib {
namespace {

std::string PostnetSymbolOf(const std::string& digits) {
  std::string p(PostnetPattern(kPostalStart));
  for (const char d : digits) {
    p += PostnetPattern(static_cast<unsigned char>(d));
  }
  return p + std::string(PostnetPattern(kPostalStop));
}

std::string RoyalMailSymbolOf(const std::string& characters) {
  std::string p(RoyalMailPattern(kPostalStart));
  for (const char c : characters) {
    p += RoyalMailPattern(static_cast<unsigned char>(c));
  }
  return p + std::string(RoyalMailPattern(kPostalStop));
}

struct PostalCase {
  std::string message;
  bool show;
  std::string encoded;  // the characters and the check character
  std::string text;
};

const PostalCase kPostnetCases[] = {
    {"12345-6789", false, "1234567895", "123456789"},  // digit sum 45 -> 5
    {"12345-6789", true, "1234567895", "1234567895"},
    {"12345", true, "123455", "123455"},
    {"123", true, "123004", "123004"},                         // padded to five digits
    {"123456", false, "1234560009", "123456000"},              // to nine
    {"1234567", false, "1234567002", "123456700"},             // to nine
    {"1234567890", false, "123456789005", "12345678900"},      // to eleven
    {"12345678901234", true, "123456789014", "123456789014"},  // the first eleven are kept
    {"", true, "000000", "000000"},
    {"no digits", false, "000000", "00000"},
    {std::string("12\0"
                 "345",
                 6),
     false, "120007", "12000"},
};

TEST(Postnet, WorkedExamples) {
  for (const auto& c : kPostnetCases) {
    SCOPED_TRACE(c.message);
    std::string pattern = "stale";
    std::string text = "stale";
    EXPECT_NE(CPostnetSymbol().Encode(c.message, c.show, pattern, text), 0);
    EXPECT_EQ(pattern, PostnetSymbolOf(c.encoded));
    EXPECT_EQ(text, c.text);
  }
}

TEST(Planet, InvertsEveryBarBetweenTheFrameBars) {
  for (const auto& c : kPostnetCases) {
    SCOPED_TRACE(c.message);
    std::string pattern;
    std::string text;
    EXPECT_NE(CPlanetSymbol().Encode(c.message, c.show, pattern, text), 0);
    std::string expected = PostnetSymbolOf(c.encoded);
    for (size_t i = 1; i + 1 < expected.size(); ++i) {
      expected[i] = expected[i] == 'h' ? 'l' : 'h';
    }
    EXPECT_EQ(pattern, expected);
    EXPECT_EQ(text, c.text);
  }
  std::string pattern;
  std::string text;
  CPlanetSymbol().Encode("12345", false, pattern, text);
  EXPECT_EQ(pattern.size(), 32U);  // 1 + 25 + 5 + 1 bars
  EXPECT_EQ(pattern.front(), 'h');
  EXPECT_EQ(pattern.back(), 'h');
  EXPECT_EQ(pattern.substr(1, 5), "hhhll");  // '1' inverted
}

TEST(RoyalMail, WorkedExamples) {
  const PostalCase cases[] = {
      {"SN34RD1A", true, "SN34RD1AK", "SN34RD1AK"},
      {"SN34RD1A", false, "SN34RD1AK", "SN34RD1A"},
      {"SN34 RD1A", true, "SN34RD1AK", "SN34RD1AK"},  // the space is dropped from symbol and text
      {"", true, "Z", "Z"},                           // both sums 0 count as 6
      {"sn34RD1A", false, "34RD1A3", "34RD1A"},       // bypassing Validate: lower case is dropped, not upper-cased
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    std::string pattern = "stale";
    std::string text = "stale";
    EXPECT_NE(CRoyalMailSymbol().Encode(c.message, c.show, pattern, text), 0);
    EXPECT_EQ(pattern, RoyalMailSymbolOf(c.encoded));
    EXPECT_EQ(text, c.text);
  }
}

TEST(RoyalMail, CheckCharacterTakesRowAndColumnSums) {
  const struct {
    std::string characters;
    char check;
  } cases[] = {
      {"SN34RD1A", 'K'}, {"HELLO123", 'K'}, {"0", '0'},  // sums 1, 1: row 0, column 0
      {"01", '8'},                                       // sums 2, 3: row 1, column 2
      {"ZZ", 'Z'},                                       // sums 12, 12 reduce to 0 and count as 6: row 5, column 5
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RoyalMailCheckCharacter(ParsePlain(c.characters)), c.check) << c.characters;
  }
}

TEST(Postal, TablesMatchTheStandard) {
  const auto postnet = linnet::testing::LinearReference("POSTNET");
  ASSERT_EQ(postnet.size(), 11U);
  for (const auto& r : postnet) {
    if (r[0] == "FRAME") {
      EXPECT_EQ(PostnetPattern(kPostalStart), r[1]);
      EXPECT_EQ(PostnetPattern(kPostalStop), r[1]);
    } else {
      EXPECT_EQ(PostnetPattern(static_cast<unsigned char>(r[0][0])), r[1]) << r[0];
    }
  }

  // Tracker, ascender, descender and full bars as the letters a, c, d and b.
  const auto letters = [](std::string bars) {
    for (char& b : bars) {
      b = b == 'T' ? 'a' : b == 'F' ? 'b' : b == 'A' ? 'c' : 'd';
    }
    return bars;
  };
  const auto royalMail = linnet::testing::LinearReference("RM4SCC");
  ASSERT_EQ(royalMail.size(), 38U);
  for (const auto& r : royalMail) {
    const unsigned char key = r[0] == "START" ? kPostalStart : r[0] == "STOP" ? kPostalStop : r[0][0];
    EXPECT_EQ(RoyalMailPattern(key), letters(r[4])) << r[0];
  }
  EXPECT_EQ(RoyalMailPattern('0'), "aabb");
  EXPECT_EQ(RoyalMailPattern('A'), "dcdc");
  EXPECT_EQ(RoyalMailPattern('a'), "");
}

TEST(Postal, Validation) {
  const struct {
    std::string message;
    char postnetRejects, royalMailRejects;
  } cases[] = {
      {"12345-6789", 0, '-'},
      {"SN34 RD1A", 0, 0},
      {"sn34", 0, 's'},
      {"\xe9\x01", 0, '\xe9'},  // Postnet and Planet accept every message
      {"", 0, 0},
  };
  for (const auto& c : cases) {
    linnet::testing::ExpectValidation(CPostnetSymbol(), c.message, c.postnetRejects);
    linnet::testing::ExpectValidation(CPlanetSymbol(), c.message, c.postnetRejects);
    linnet::testing::ExpectValidation(CRoyalMailSymbol(), c.message, c.royalMailRejects);
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib
