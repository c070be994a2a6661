#include "symbology/code39.h"

#include <gtest/gtest.h>

#include "support/run_command.h"
#include "support/symbol_image.h"

namespace Quillon::BrindleLib {
namespace {

std::string Patterns(const std::string& characters) {
  std::string p;
  for (const char c : characters) {
    p += Code39Pattern(static_cast<unsigned char>(c));
  }
  return p;
}

struct Code39Case {
  std::string message;
  bool check, showCheck, startStop;
  std::string encoded;  // the Code 39 characters between start and stop
  std::string text;
};

TEST(Code39, WorkedExamples) {
  const Code39Case cases[] = {
      {"CODE39", false, false, false, "CODE39", "CODE39"},
      {"ABC", true, true, false, "ABCX", "ABCX"},
      {"ABC", true, true, true, "ABCX", "*ABCX*"},
      {"ABC", true, false, false, "ABCX", "ABC"},
      {"ABC", false, true, false, "ABC", "ABC"},  // no check character: nothing to show
      {"code39", false, false, false, "CODE39", "CODE39"},
      {"A*B~", false, false, false, "AB", "AB"},  // not encodable: dropped
      {"", false, false, true, "", "**"},
      {"Y4", true, true, false, "Y4 ", "Y4 "},  // 34 + 4 = 38: the check character is a space
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    std::string pattern = "stale";
    std::string text = "stale";
    EXPECT_NE(CCode39Symbol().Encode(c.message, c.check, c.showCheck, c.startStop, pattern, text), 0);
    EXPECT_EQ(pattern, Patterns("*" + c.encoded + "*"));
    EXPECT_EQ(text, c.text);
  }
  std::string pattern;
  std::string text;
  CCode39Symbol().Encode("CODE39", false, false, false, pattern, text);
  EXPECT_EQ(pattern.size(), 80U);
  CCode39Symbol().Encode("", false, false, false, pattern, text);
  EXPECT_EQ(pattern.size(), 20U);
}

TEST(Code39, FullAscii) {
  const Code39Case cases[] = {
      {"a", true, true, false, "+A8", "a8"},     {"a", false, false, true, "+A", "*a*"},
      {"\\009", false, false, false, "$I", " "}, {"A\\\\", false, false, false, "A%L", "A\\"},
      {"\x80Z", false, false, false, "Z", "Z"},  {std::string(1, '\0'), false, false, false, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    std::string pattern;
    std::string text;
    CCode39ExtendedSymbol().Encode(c.message, c.check, c.showCheck, c.startStop, pattern, text);
    EXPECT_EQ(pattern, Patterns("*" + c.encoded + "*"));
    EXPECT_EQ(text, c.text);
  }
}

TEST(Code39, FullAsciiTableRoundTripsThroughPatterns) {
  for (int c = 0; c < 128; ++c) {
    const auto replacement = Code39FullAsciiReplacement(static_cast<unsigned char>(c));
    ASSERT_FALSE(replacement.empty()) << c;
    ASSERT_LE(replacement.size(), 2U);
    for (const char r : replacement) {
      EXPECT_EQ(Code39Pattern(static_cast<unsigned char>(r)).size(), 10U) << c;
    }
  }
}

TEST(Code39, Hibc) {
  const struct {
    std::string message;
    bool showCheck, startStop;
    std::string encoded, text;
  } cases[] = {
      // '+'(41) + A(10) + 1 + 2 + 3 = 57; 57 mod 43 = 14 -> 'E'
      {"A123", false, false, "+A123E", "+A123E"},
      {"A123", true, true, "+A123E", "*+A123E*"},
      {"+A123", false, false, "+A123E", "+A123E"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    std::string pattern;
    std::string text;
    CCode39HIBCSymbol().Encode(c.message, c.showCheck, c.startStop, pattern, text);
    EXPECT_EQ(pattern, Patterns("*" + c.encoded + "*"));
    EXPECT_EQ(text, c.text);
  }
}

TEST(Code39, PatternsMatchTheStandardTable) {
  // Every character pattern: nine elements, exactly three wide, then a narrow gap.
  for (const char c : std::string(kCode39Characters) + "*") {
    const auto p = Code39Pattern(static_cast<unsigned char>(c));
    ASSERT_EQ(p.size(), 10U) << c;
    EXPECT_EQ(std::count(p.begin(), p.end(), 'w'), 3) << c;
    EXPECT_EQ(p.back(), 'n');
  }
  EXPECT_EQ(Code39Pattern('0'), "nnnwwnwnnn");
  EXPECT_EQ(Code39Pattern('*'), "nwnnwnwnnn");
  EXPECT_EQ(Code39Pattern('a'), "");
}

TEST(Code39, ReadersDecodeTheSymbols) {
  const auto dir = linnet::testing::MakeTempDir();
  const struct {
    std::string message;
    bool check;
    std::string read;
  } cases[] = {{"CODE39", false, "CODE39"}, {"ABC-123 $/+%.", true, "ABC-123 $/+%.B"}};
  for (const auto& c : cases) {
    std::string pattern;
    std::string text;
    CCode39Symbol().Encode(c.message, c.check, false, false, pattern, text);
    const auto path = dir + "/c39.png";
    linnet::testing::WriteLinearPng(path, linnet::testing::ModulesFromNarrowWide(pattern));
    const auto zbar = linnet::testing::ZbarRead(path);
    ASSERT_TRUE(zbar.has_value()) << c.message;
    // zbar strips nothing: the modulo-43 check character is read as data.
    EXPECT_EQ(*zbar, "CODE-39:" + c.read);
    if (!c.check) {
      EXPECT_EQ(linnet::testing::ZxingRead(path, "Code39"), c.read);
    }
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib
