#include "symbology/code93.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_command.h"
#include "support/symbol_image.h"
#include "symbology/code39.h"
#include "symbology/linear_reference.h"
#include "symbology/validation_expectations.h"

namespace Quillon::BrindleLib {
namespace {

// The whole symbol around a string of Code 93 characters (shifts as their bytes).
std::string SymbolOf(const std::string& characters) {
  std::string p(Code93Pattern(kCode93StartStop));
  for (const char c : characters) {
    p += Code93Pattern(static_cast<unsigned char>(c));
  }
  p += Code93Pattern(kCode93StartStop);
  return p + std::string(Code93Pattern(kCode93Termination));
}

// Values of Code 93 characters (shifts as their bytes).
std::vector<std::uint8_t> ValuesOf(const std::string& characters) {
  std::vector<std::uint8_t> values;
  for (const char c : characters) {
    values.push_back(static_cast<std::uint8_t>(Code93Value(static_cast<unsigned char>(c))));
  }
  return values;
}

const std::string kDollar(1, static_cast<char>(kCode93ShiftDollar));
const std::string kPercent(1, static_cast<char>(kCode93ShiftPercent));
const std::string kSlash(1, static_cast<char>(kCode93ShiftSlash));
const std::string kPlus(1, static_cast<char>(kCode93ShiftPlus));

TEST(Code93, WorkedExamples) {
  const struct {
    std::string message;
    bool show;
    std::string encoded;  // data characters, then C and K
    std::string text;
  } cases[] = {
      {"TEST93", true, "TEST93+6", "TEST93+6"},
      {"TEST93", false, "TEST93+6", "TEST93"},
      {"", true, "00", "00"},
      {"a", false, kPlus + "A8P", "a"},            // lower case: (+) then the capital
      {"ZK", true, "ZK" + kDollar + "0", "ZK 0"},  // C is the shift ($), shown as a space
      {"0F", true, "0FF" + kSlash, "0FF "},        // K is the shift (/)
      {"\\009", true, kDollar + "IAY", " AY"},     // a tab is ($)I and shows as a space
      {"$", false, kSlash + "D9T", "$"},           // spelled as in Code 39 Full ASCII
      {"THE QUICK BROWN FOX 1234567", true, "THE QUICK BROWN FOX 1234567%G",
       "THE QUICK BROWN FOX 1234567%G"},               // longer than both weight cycles
      {std::string("AB\0C", 4), false, "ABV-", "AB"},  // the message ends at its zero byte
      {"\x80Z\xff", false, "ZZB", "Z"},                // bytes above 127 are dropped
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    std::string pattern = "stale";
    std::string text = "stale";
    EXPECT_NE(CCode93Symbol().Encode(c.message, c.show, pattern, text), 0);
    EXPECT_EQ(pattern, SymbolOf(c.encoded));
    EXPECT_EQ(text, c.text);
  }
}

TEST(Code93, CheckCharacterWeightsRestart) {
  const struct {
    std::string characters;
    int maximumWeight;
    unsigned char check;
  } cases[] = {
      {"TEST93", 20, '+'},
      {"TEST93+", 15, '6'},
      {"", 20, '0'},
      {"THE QUICK BROWN FOX 1234567", 20, '%'},
      {"THE QUICK BROWN FOX 1234567", 1000, '4'},  // no restart
      {"ZK", 20, kCode93ShiftDollar},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Code93CheckCharacter(ValuesOf(c.characters), c.maximumWeight), c.check) << c.characters;
  }
}

TEST(Code93, TableMatchesTheStandard) {
  const auto records = linnet::testing::LinearReference("C93");
  ASSERT_EQ(records.size(), 49U);
  for (const auto& r : records) {
    SCOPED_TRACE(r[1]);
    const std::string modules = linnet::testing::BarSpaceModules(r[3]);
    if (r[1] == "START/STOP") {
      EXPECT_EQ(Code93Pattern(kCode93StartStop), modules);
    } else if (r[1] == "TERMINATION") {
      EXPECT_EQ(Code93Pattern(kCode93Termination), modules);
    } else {
      const int value = std::stoi(r[0]);
      const unsigned char character = Code93Character(value);
      EXPECT_EQ(Code93Value(character), value);
      EXPECT_EQ(Code93Pattern(character), modules);
      if (value < 43) {
        EXPECT_EQ(character, linnet::testing::ReferenceCharacter(r[1]));
      }
    }
  }
  EXPECT_EQ(Code93Pattern('0'), "bsssbsbss");
  EXPECT_EQ(Code93Pattern('a'), "");
}

TEST(Code93, FullAsciiSpellingUsesTheShifts) {
  const struct {
    unsigned char byte;
    std::string characters;
  } cases[] = {
      {'a', kPlus + "A"}, {0, kPercent + "U"}, {'\t', kDollar + "I"}, {'!', kSlash + "A"},
      {'A', "A"},         {' ', " "},          {127, kPercent + "T"}, {'.', "."},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> values = {7};
    AppendCode93Values(c.byte, values);
    EXPECT_EQ(values, ValuesOf("7" + c.characters)) << int{c.byte};
  }
}

TEST(Code93, ValidateAcceptsSevenBitAscii) {
  for (const auto& [message, rejected] : std::initializer_list<std::pair<std::string, char>>{
           {"TEST93", 0}, {"\x01\x7f~", 0}, {"", 0}, {"caf\xe9", '\xe9'}}) {
    linnet::testing::ExpectValidation(CCode93Symbol(), message, rejected);
  }
}

TEST(Code93, ReadersDecodeTheSymbols) {
  const auto dir = linnet::testing::MakeTempDir();
  const auto path = dir + "/c93.png";
  for (const std::string message : {"TEST93", "Code 93 lower!", "A-Z $/+%.", "ZK", "0F"}) {
    SCOPED_TRACE(message);
    std::string pattern;
    std::string text;
    CCode93Symbol().Encode(message, true, pattern, text);
    linnet::testing::WriteLinearPng(path, linnet::testing::ModulesFromBarSpace(pattern));
    EXPECT_EQ(linnet::testing::ZxingRead(path, "Code93"), message);
    EXPECT_EQ(linnet::testing::ZbarRead(path), "CODE-93:" + message);
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace Quillon::BrindleLib
