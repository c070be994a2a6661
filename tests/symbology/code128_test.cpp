#include "symbology/code128.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "support/run_command.h"
#include "support/symbol_image.h"
#include "symbology/linear_reference.h"

namespace Quillon::BrindleLib {
namespace {

std::vector<int> Values(const std::string& message) {
  return SelectCodeSets(ParseTilde(message));
}

// The values between the start character and the check character.
std::vector<int> Body(const std::vector<int>& values) {
  return {values.begin() + 1, values.end() - 2};
}

TEST(Code128, CodeSetSelection) {
  const struct {
    std::string message;
    int start;
    std::vector<int> body;
  } cases[] = {
      {"1234", kCode128StartC, {12, 34}},
      {"12", kCode128StartC, {12}},
      {"123", kCode128StartB, {17, 18, 19}},
      {"12345", kCode128StartC, {12, 34, 100, 21}},
      {"A12345", kCode128StartB, {33, 17, 99, 23, 45}},
      {"ABC123456", kCode128StartB, {33, 34, 35, 99, 12, 34, 56}},
      {"AB12", kCode128StartB, {33, 34, 17, 18}},
      {"~Ia", kCode128StartA, {73, 98, 65}},            // control first: set A, one lower-case letter shifted
      {"a~I", kCode128StartB, {65, 98, 73}},            // lower case first: set B, one control shifted
      {"~Iab", kCode128StartA, {73, 100, 65, 66}},      // two lower-case letters: CODE B
      {"a~I~J", kCode128StartB, {65, 101, 73, 74}},     // two control characters: CODE A
      {"A~M", kCode128StartA, {33, 77}},                // the first control character decides
      {"~@", kCode128StartA, {64}},                     // NUL
      {"~11234", kCode128StartC, {102, 12, 34}},        // FNC1 counts as two digits
      {"~2A~3~4", kCode128StartB, {97, 33, 96, 100}},   // FNC2, FNC3, FNC4 in set B
      {"~I~4", kCode128StartA, {73, 101}},              // FNC4 in set A
      {"~", kCode128StartB, {94}},                      // a final tilde is itself
      {"~d256", kCode128StartB, {94, 68, 18, 21, 22}},  // above 255: no escape
      {"~d065~x", kCode128StartB, {33, 94, 88}},
      {"~d233", kCode128StartB, {100, 73}},                              // one extended character: one FNC4
      {"~d137", kCode128StartA, {101, 73}},                              // an extended tab in set A
      {"a~d137", kCode128StartB, {65, 100, 98, 73}},                     // ... shifted from set B
      {"A~d200~d201~d202", kCode128StartB, {33, 100, 100, 40, 41, 42}},  // last three: latched
      {"~d200~d201~d202~d203~d204", kCode128StartB, {100, 100, 40, 41, 42, 43, 44}},
      {"~d200~d201~d202~d203~d204A", kCode128StartB, {100, 100, 40, 41, 42, 43, 44, 100, 100, 33}},
      {"~d200~d201~d202~d203", kCode128StartB, {100, 40, 100, 100, 41, 42, 43}},
      // Latched, then an odd run of digits: unlatch before the digit that stays in set B.
      {"~d200~d201~d202~d203~d20412345", kCode128StartB, {100, 100, 40, 41, 42, 43, 44, 100, 100, 17, 99, 23, 45}},
      {"", kCode128StartB, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const auto values = Values(c.message);
    ASSERT_GE(values.size(), 3U);
    EXPECT_EQ(values.front(), c.start);
    EXPECT_EQ(Body(values), c.body);
    EXPECT_EQ(values.back(), kCode128Stop);
  }
}

TEST(Code128, CheckCharacter) {
  const struct {
    std::string message;
    int check;
  } cases[] = {
      {"AB", 102},   // (104 + 33 + 34 x 2) mod 103
      {"1234", 82},  // (105 + 12 + 34 x 2) mod 103
      {"12", 14},    // (105 + 12) mod 103
      {"", 1},       // 104 mod 103
  };
  for (const auto& c : cases) {
    const auto values = Values(c.message);
    EXPECT_EQ(values[values.size() - 2], c.check) << c.message;
  }
}

TEST(Code128, LookAheadHelpers) {
  const struct {
    std::string message;
    std::size_t start;
    int run;
  } runs[] = {
      {"1234", 0, 0},    {"12345", 0, 1},  {"123", 0, 2},
      {"A1234", 1, 0},   {"~11234", 0, 0}, {"1~1234", 0, 2},  // an FNC1 at an odd offset ends the run
      {"12~1345", 0, 1}, {"", 0, 2},
  };
  for (const auto& r : runs) {
    EXPECT_EQ(DigitRun(ParseTilde(r.message), r.start), r.run) << r.message;
  }
  const Elements five = {200, 201, 202, 203, 204};
  const Elements four = {200, 201, 202, 203};
  EXPECT_TRUE(LatchAhead(five, 0));
  EXPECT_TRUE(LatchAhead(five, 2));   // the last three
  EXPECT_FALSE(LatchAhead(five, 1));  // four left
  EXPECT_FALSE(LatchAhead(four, 0));
  EXPECT_FALSE(LatchAhead(Elements{200, 201, 'A', 203, 204}, 0));
}

TEST(Code128, ParseTilde) {
  const struct {
    std::string message;
    Elements elements;
  } cases[] = {
      {"~@~A~M~Z", {0, 1, 13, 26}},
      {"~1~2~3~4", {kFnc1, kFnc2, kFnc3, kFnc4}},
      {"~d027~d255~d000", {27, 255, 0}},
      {"~d256", {'~', 'd', '2', '5', '6'}},
      {"~d12", {'~', 'd', '1', '2'}},
      {"~a~5~~", {'~', 'a', '~', '5', '~', '~'}},
      {"\xE9", {0xE9}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseTilde(c.message), c.elements) << c.message;
  }
}

TEST(Code128, EncodeGivesModulesAndText) {
  std::string pattern;
  std::string text;
  EXPECT_NE(CCode128Symbol().Encode("~11234~M~d200x", pattern, text), 0);
  EXPECT_EQ(text, "1234 \xC8x");  // no function characters, control characters as spaces
  CCode128Symbol().Encode("AB", pattern, text);
  EXPECT_EQ(pattern, std::string(Code128ValuePattern(104)) + std::string(Code128ValuePattern(33)) +
                         std::string(Code128ValuePattern(34)) + std::string(Code128ValuePattern(102)) +
                         std::string(Code128ValuePattern(106)));
  EXPECT_EQ(Code128ValuePattern(0), "bbsbbssbbss");
  EXPECT_EQ(Code128ValuePattern(107), "");
  EXPECT_EQ(Code128ValuePattern(-1), "");
  // The message ends at its first zero byte.
  CCode128Symbol().Encode(std::string("AB\0CD", 5), pattern, text);
  EXPECT_EQ(text, "AB");
}

TEST(Code128, PatternsAndValuesMatchTheStandardTable) {
  // Records: value, widths, set A meaning, set B meaning, set C meaning.
  const auto records = linnet::testing::LinearReference("C128");
  ASSERT_EQ(records.size(), 107U);
  for (const auto& record : records) {
    const int value = std::stoi(record[0]);
    SCOPED_TRACE(value);
    EXPECT_EQ(linnet::testing::ModulesFromBarSpace(std::string(Code128ValuePattern(value))),
              linnet::testing::ModulesFromWidths(record[1], true));
    // A lone byte is written in set A (control characters) or set B (all else): the
    // value chosen must be the one the table gives that byte.
    for (const std::size_t column : {2U, 3U}) {
      const std::string& meaning = record[column];
      if (meaning[0] < '0' || meaning[0] > '9') {
        continue;  // a function character
      }
      const int byte = std::stoi(meaning);
      const bool setA = column == 2;
      if (setA != (byte < 32)) {
        continue;
      }
      char message[8];
      std::snprintf(message, sizeof message, "~d%03d", byte);
      const auto values = Values(message);
      ASSERT_EQ(values.size(), 4U) << byte;
      EXPECT_EQ(values[0], setA ? kCode128StartA : kCode128StartB);
      EXPECT_EQ(values[1], value) << byte;
    }
  }
}

std::string Modules(const std::string& message) {
  std::string pattern;
  std::string text;
  CCode128Symbol().Encode(message, pattern, text);
  return linnet::testing::ModulesFromBarSpace(pattern);
}

TEST(Code128, ReadersDecodeTheSymbols) {
  const auto dir = linnet::testing::MakeTempDir();
  const struct {
    std::string message;
    std::string zxing;  // zxing-cpp's escaped text
    std::string zbar;   // empty: not checked with zbar
  } cases[] = {
      {"Linnet 128", "Linnet 128", "CODE-128:Linnet 128"},
      {"0123456789012", "0123456789012", "CODE-128:0123456789012"},
      {"A12345x678901", "A12345x678901", "CODE-128:A12345x678901"},
      {"TAB~Iand CR~MLF~J", "TAB<HT>and CR<CR>LF<LF>", ""},
      {"ab~I~Jcd~d027", "ab<HT><LF>cd<ESC>", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const auto path = dir + "/c128.png";
    linnet::testing::WriteLinearPng(path, Modules(c.message));
    EXPECT_EQ(linnet::testing::ZxingRead(path, "Code128"), c.zxing);
    if (!c.zbar.empty()) {
      EXPECT_EQ(linnet::testing::ZbarRead(path), c.zbar);
    }
  }
  std::filesystem::remove_all(dir);
}

TEST(Code128, ReadersDecodeExtendedCharacters) {
  const auto dir = linnet::testing::MakeTempDir();
  const struct {
    std::string message;
    std::string bytes;
  } cases[] = {
      {"caf~d233", "caf\xE9"},
      {"~d200~d201~d202~d203~d204A",
       "\xC8\xC9\xCA\xCB\xCC"
       "A"},
      {"~d200~d201~d202~d203~d20412345",
       "\xC8\xC9\xCA\xCB\xCC"
       "12345"},
      {"x~d137y~d228~d246~d252", "x\x89y\xE4\xF6\xFC"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const auto path = dir + "/c128x.png";
    linnet::testing::WriteLinearPng(path, Modules(c.message));
    EXPECT_EQ(linnet::testing::ZxingReadBytes(path, "Code128"), c.bytes);
  }
  std::filesystem::remove_all(dir);
}

TEST(Code128, AnyByteStringEncodes) {
  std::mt19937 random(128);
  const std::string alphabet = "~~~@AMZd0123456789aXz\x01\x7F\x80\xC8\xE9\xFF ";
  for (int trial = 0; trial < 400; ++trial) {
    std::string message;
    const int length = static_cast<int>(random() % 24);
    for (int k = 0; k < length; ++k) {
      message.push_back(trial % 2 == 0 ? alphabet[random() % alphabet.size()] : static_cast<char>(random() % 256));
    }
    SCOPED_TRACE(trial);
    std::string pattern;
    std::string text;
    ASSERT_NO_THROW(CCode128Symbol().Encode(message, pattern, text));
    ASSERT_GE(pattern.size(), 35U);
    EXPECT_EQ((pattern.size() - 13) % 11, 0U);
  }
}

TEST(Code128, RandomMessagesReadBackExactly) {
  // Mixed digit runs, control, lower-case and extended characters exercise every change of
  // code set, SHIFT and the FNC4 latch; the reader must return the very bytes.
  const auto dir = linnet::testing::MakeTempDir();
  std::mt19937 random(15417);
  const std::string pools[] = {"0123456789", "\x01\x09\x1F", "abcxyz{}", "ABC XYZ", "\x80\x89\xC8\xE9\xFF"};
  for (int trial = 0; trial < 30; ++trial) {
    std::string message;
    const int length = 1 + static_cast<int>(random() % 30);
    while (static_cast<int>(message.size()) < length) {
      const auto& pool = pools[random() % 5];
      const int run = 1 + static_cast<int>(random() % 7);
      for (int k = 0; k < run; ++k) {
        message.push_back(pool[random() % pool.size()]);
      }
    }
    SCOPED_TRACE(trial);
    const auto path = dir + "/random.png";
    linnet::testing::WriteLinearPng(path, Modules(message), 2);
    EXPECT_EQ(linnet::testing::ZxingReadBytes(path, "Code128"), message);
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace Quillon::BrindleLib
