#include "symbology/two_of_five.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_command.h"
#include "support/symbol_image.h"
#include "symbology/linear_reference.h"
#include "symbology/validation_expectations.h"

namespace Quillon::BrindleLib {
namespace {

using linnet::testing::LinearReference;

// Start, the pattern of each digit pair, stop.
std::string ItfPatternOf(const std::string& digits) {
  std::string p(Itf25Pattern(kItf25Start));
  for (size_t i = 0; i + 1 < digits.size(); i += 2) {
    p += Itf25Pattern(static_cast<unsigned char>((digits[i] - '0') * 10 + digits[i + 1] - '0'));
  }
  return p + std::string(Itf25Pattern(kItf25Stop));
}

std::string Code25PatternOf(const std::string& digits) {
  std::string p(Code25Pattern(kCode25Start));
  for (const char d : digits) {
    p += Code25Pattern(static_cast<unsigned char>(d));
  }
  return p + std::string(Code25Pattern(kCode25Stop));
}

TEST(Itf25, WorkedExamples) {
  const struct {
    std::string message;
    std::string encoded;  // the digits carried by the pairs
    std::string text;
  } cases[] = {
      {"1234", "1234", "1234"},
      {"123", "1236", "1236"},  // 3*3 + 2*1 + 1*3 = 14 -> 6
      {"12 3", "1236", "12 3 6"},
      {"12 3 ", "1236", "12 3 6"},  // ends with its space: none is added
      {"1 234", "1234", "1 234"},
      {"7", "79", "79"},  // 7*3 = 21 -> 9
      {"", "", ""},
      {std::string("12\0"
                   "3",
                   4),
       "12", "12"},               // the message ends at its zero byte
      {"1a23", "1236", "1a236"},  // bypassing Validate: the letter stays in the text only
  };
  for (const auto& c : cases) {
    // The two options reach the encoder and change nothing.
    for (const bool option : {false, true}) {
      SCOPED_TRACE(c.message + (option ? " / options on" : " / options off"));
      std::string pattern = "stale";
      std::string text = "stale";
      EXPECT_NE(CItf25Symbol().Encode(c.message, option, option, pattern, text), 0);
      EXPECT_EQ(pattern, ItfPatternOf(c.encoded));
      EXPECT_EQ(text, c.text);
    }
  }
  std::string pattern;
  std::string text;
  CItf25Symbol().Encode("", false, false, pattern, text);
  EXPECT_EQ(pattern, "nnnnwnn");
}

TEST(Code25, WorkedExamples) {
  const struct {
    std::string message;
    bool check, show;
    std::string encoded, text;
  } cases[] = {
      {"123", true, true, "1236", "1236"},
      {"123", true, false, "1236", "123"},
      {"123", false, true, "123", "123"},
      {"12 34", false, false, "1234", "1234"},
      {"1234", true, true, "12348", "12348"},  // 4*3 + 3*1 + 2*3 + 1*1 = 22 -> 8
      {"", true, true, "0", "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    std::string pattern;
    std::string text;
    EXPECT_NE(CCode25Symbol().Encode(c.message, c.check, c.show, pattern, text), 0);
    EXPECT_EQ(pattern, Code25PatternOf(c.encoded));
    EXPECT_EQ(text, c.text);
  }
}

TEST(TwoOfFive, TablesMatchTheStandard) {
  // The interleaved pairs: the first digit's elements in the bars, the second's in the spaces.
  std::string digitCode[10];
  for (const auto& r : LinearReference("I25")) {
    if (r[0] == "START") {
      EXPECT_EQ(Itf25Pattern(kItf25Start), r[1]);
    } else if (r[0] == "STOP") {
      EXPECT_EQ(Itf25Pattern(kItf25Stop), r[1]);
    } else {
      digitCode[std::stoi(r[0])] = r[1];
    }
  }
  for (int pair = 0; pair < 100; ++pair) {
    std::string expected;
    for (size_t i = 0; i < 5; ++i) {
      expected += digitCode[pair / 10].at(i);
      expected += digitCode[pair % 10].at(i);
    }
    EXPECT_EQ(Itf25Pattern(static_cast<unsigned char>(pair)), expected) << pair;
  }
  EXPECT_EQ(Itf25Pattern(0), "nnnnwwwwnn");
  EXPECT_EQ(Itf25Pattern(102), "");

  // Code 25: the digits and start carry their trailing narrow space; the stop gets one too.
  const auto records = LinearReference("IND25");
  ASSERT_EQ(records.size(), 12U);
  for (const auto& r : records) {
    const unsigned char key = r[0] == "START" ? kCode25Start : r[0] == "STOP" ? kCode25Stop : r[0][0];
    const std::string elements = r[0] == "STOP" ? r[2] + "n" : r[2];
    EXPECT_EQ(Code25Pattern(key), linnet::testing::UpperNarrowWide(elements)) << r[0];
  }
  EXPECT_EQ(Code25Pattern('0'), "NNNNWNWNNN");
  EXPECT_EQ(Code25Pattern('A'), "");
}

TEST(TwoOfFive, ValidateAcceptsDigitsAndSpaces) {
  const struct {
    std::string message;
    char rejected;  // 0: accepted
  } cases[] = {{"12 34 ", 0}, {"", 0}, {"12-34", '-'}, {"1a", 'a'}, {"\\065", '\\'}, {"9\xb2", '\xb2'}};
  for (const auto& c : cases) {
    linnet::testing::ExpectValidation(CItf25Symbol(), c.message, c.rejected);
    linnet::testing::ExpectValidation(CCode25Symbol(), c.message, c.rejected);
  }
}

// Bearer bars: solid bars along the top and bottom edge of the symbol, touching the bars.
linnet::testing::ModuleRows WithBearerBars(const std::string& modules, bool bearers) {
  const std::string quiet(12, '0');
  const std::string row = quiet + modules + quiet;
  linnet::testing::ModuleRows rows;
  const int bearerRows = bearers ? 6 : 0;
  for (int y = 0; y < 60 + 2 * bearerRows; ++y) {
    const bool bearer = y < bearerRows || y >= 60 + bearerRows;
    rows.push_back(bearer ? std::string(row.size(), '1') : row);
  }
  return rows;
}

TEST(Itf25, ReadersDecodeTheSymbols) {
  const auto dir = linnet::testing::MakeTempDir();
  // Both readers want at least six digits by default.
  for (const std::string message : {"123456", "1234 5678 90", "1234567", "98765 43210 5"}) {
    std::string pattern;
    std::string text;
    CItf25Symbol().Encode(message, false, false, pattern, text);
    std::string read = text;
    std::erase(read, ' ');
    for (const bool bearers : {false, true}) {
      SCOPED_TRACE(message + (bearers ? " with bearer bars" : ""));
      const auto path = dir + "/itf.png";
      linnet::testing::WriteModulePng(path, WithBearerBars(linnet::testing::ModulesFromNarrowWide(pattern), bearers), 3,
                                      1, 8);
      EXPECT_EQ(linnet::testing::ZxingRead(path, "ITF"), read);
      EXPECT_EQ(linnet::testing::ZbarRead(path), "I2/5:" + read);
    }
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace Quillon::BrindleLib
