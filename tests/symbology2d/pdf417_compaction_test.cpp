// Message syntax and compaction: the codeword stream of a message, before the grid is known.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/log.h"
#include "symbology2d/pdf417_encoder.h"

namespace Quillon::BrindleLib {
namespace {

using Builder = CPDF417Encoder2::CDataEncodationBuilder;
using Stream = std::vector<std::uint16_t>;

Stream Encode(const std::string& message) {
  Stream stream;
  Builder().EncodeMessage(message.data(), message.size(), stream);
  return stream;
}

// The message with every byte written as a "~d" escape.
std::string Spelled(const std::string& bytes) {
  std::string message;
  for (const char c : bytes) {
    char escape[8];
    std::snprintf(escape, sizeof escape, "~d%03d", static_cast<unsigned char>(c));
    message += escape;
  }
  return message;
}

TEST(Pdf417Compaction, EscapesResolveToBytes) {
  const struct {
    std::string message;
    std::string bytes;
  } cases[] = {
      {"ABC~", "ABC~"},   {"~d256", "~d256"},
      {"~dA12", "~dA12"}, {"~d12", "~d12"},
      {"~d065", "A"},     {"~d255~d000", std::string("\xff\0", 2)},
      {"~M~J", "\r\n"},   {"~@~A~Z", std::string("\0\x01\x1a", 3)},
      {"~a", "~a"},       {"~?~[", "~?~["},
      {"~~", "~"},        {"~~M", "~M"},
      {"~~~", "~~"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(Encode(c.message), Encode(Spelled(c.bytes)));
  }
  // The spelled form itself: "~d" gives the byte, as the plain byte would.
  EXPECT_EQ(Encode(Spelled("Hello, World")), Encode("Hello, World"));
}

TEST(Pdf417Compaction, CodewordsOfRuns) {
  const struct {
    const char* name;
    std::string message;
    Stream stream;
  } cases[] = {
      {"empty", "", {1}},
      {"short text is bytes", "ab", {4, 901, 97, 98}},
      {"lower latch", "abcde", {4, 27 * 30 + 0, 1 * 30 + 2, 3 * 30 + 4}},
      {"odd values end with 29", "ABCDE", {4, 0 * 30 + 1, 2 * 30 + 3, 4 * 30 + 29}},
      {"twelve digits stay text",
       "123456789012",
       {8, 28 * 30 + 1, 2 * 30 + 3, 4 * 30 + 5, 6 * 30 + 7, 8 * 30 + 9, 0 * 30 + 1, 2 * 30 + 29}},
      {"thirteen digits are numeric", "1234567890123", {7, 902, 17, 110, 836, 811, 223}},
      {"the standard's numeric example", "000213298174000", {8, 902, 1, 624, 434, 632, 282, 200}},
      {"44 digits make one group",
       "12345678901234567890123456789012345678901234",
       {17, 902, 491, 81, 137, 450, 302, 67, 15, 174, 492, 862, 667, 475, 869, 12, 434}},
      {"six bytes latch 924", "\x80\x81\x82\x83\x84\x85", {7, 924, 215, 318, 502, 193, 33}},
      {"twelve bytes latch 924",
       "\x80\x81\x82\x83\x84\x85\xff\xff\xff\xff\xff\xff",
       {12, 924, 215, 318, 502, 193, 33, 429, 11, 71, 222, 855}},
      {"seven bytes latch 901", "\x80\x81\x82\x83\x84\x85\x86", {8, 901, 215, 318, 502, 193, 33, 0x86}},
      {"lone byte shifts",
       "ABCDE\x80"
       "FGHIJ",
       {9, 1, 63, 4 * 30 + 29, 913, 128, 5 * 30 + 6, 7 * 30 + 8, 9 * 30 + 29}},
      {"sub-mode survives a shifted byte",
       "abcde\x80"
       "fghij",
       {9, 27 * 30 + 0, 1 * 30 + 2, 3 * 30 + 4, 913, 128, 5 * 30 + 6, 7 * 30 + 8, 9 * 30 + 29}},
      {"bytes then text latch 900", "\x80\x81VWXYZ", {8, 901, 128, 129, 900, 21 * 30 + 22, 23 * 30 + 24, 25 * 30 + 29}},
      {"numeric then text latch 900", "1234567890123ABCDE", {11, 902, 17, 110, 836, 811, 223, 900, 1, 63, 4 * 30 + 29}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Encode(c.message), c.stream);
  }
}

TEST(Pdf417Compaction, TextSubmodeSwitches) {
  // Values before pairing; the stream is built from them here so that each row reads as the
  // sub-mode decisions it tests.
  const struct {
    const char* name;
    std::string message;
    std::vector<int> values;
  } cases[] = {
      {"alpha to mixed", "AB12C", {0, 1, 28, 1, 2, 28, 2}},
      {"alpha shifts punctuation", "AB;CD", {0, 1, 29, 0, 2, 3}},
      {"alpha latches punctuation before three", "AB;;;", {0, 1, 28, 25, 0, 0, 0}},
      {"lower shifts alpha", "abCde", {27, 0, 1, 27, 2, 3, 4}},
      {"lower latches alpha before three", "abCDE", {27, 0, 1, 28, 28, 2, 3, 4}},
      {"lower to mixed", "ab1de", {27, 0, 1, 28, 1, 27, 3, 4}},
      {"lower latches punctuation", "ab;;;", {27, 0, 1, 28, 25, 0, 0, 0}},
      {"lower shifts punctuation", "ab;de", {27, 0, 1, 29, 0, 3, 4}},
      {"mixed shifts punctuation", "12;34", {28, 1, 2, 29, 0, 3, 4}},
      {"mixed latches punctuation", "12;;;", {28, 1, 2, 25, 0, 0, 0}},
      {"mixed to lower", "12abc", {28, 1, 2, 27, 0, 1, 2}},
      {"punctuation leaves for alpha", "A;;;B", {0, 28, 25, 0, 0, 0, 29, 1}},
      {"punctuation leaves for lower via alpha", "A;;;b", {0, 28, 25, 0, 0, 0, 29, 27, 1}},
      {"space held by lower", "ab cd", {27, 0, 1, 26, 2, 3}},
      {"shared byte stays in mixed", "1,2-3", {28, 1, 13, 2, 16, 3}},
      {"look-ahead ends at the data", "ABCD;;", {0, 1, 2, 3, 29, 0, 29, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<int> values = c.values;
    if (values.size() % 2 != 0) {
      values.push_back(29);
    }
    Stream expected{static_cast<std::uint16_t>(1 + values.size() / 2)};
    for (std::size_t i = 0; i < values.size(); i += 2) {
      expected.push_back(static_cast<std::uint16_t>(30 * values[i] + values[i + 1]));
    }
    EXPECT_EQ(Encode(c.message), expected);
  }
}

TEST(Pdf417Compaction, FillerInPunctuationReturnsToAlpha) {
  // The run ends latched to punctuation with an odd count: its filler 29 is a latch to alpha,
  // so the text after the shifted byte starts from alpha.
  EXPECT_EQ(
      Encode("A;;;;\x80"
             "BCDEF"),
      (Stream{10, 0 * 30 + 28, 25 * 30 + 0, 0 * 30 + 0, 0 * 30 + 29, 913, 128, 1 * 30 + 2, 3 * 30 + 4, 5 * 30 + 29}));
}

TEST(Pdf417Compaction, RunLengths) {
  const struct {
    std::string data;
    std::size_t position, text, bytes;
  } cases[] = {
      {"ABCDEFG", 0, 7, 0},
      {"AB\x80\x81", 0, 2, 4},
      {"\x80\x81"
       "ABCDE",
       0, 0, 2},
      {"\x80\x81"
       "ABC",
       0, 0, 5},
      {"AB1234567890123", 0, 2, 2},
      {"AB123456789012", 0, 14, 0},
      {"\x80"
       "1234567890123",
       0, 0, 1},
      {"ABC\x80", 2, 1, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.data);
    Builder builder;
    builder.SetData(c.data);
    EXPECT_EQ(builder.TextRunLength(c.position), c.text);
    EXPECT_EQ(builder.ByteRunLength(c.position), c.bytes);
  }
}

TEST(Pdf417Compaction, GlobalLabelIdentifiers) {
  const struct {
    std::string message;
    Stream stream;
  } cases[] = {
      {"~7000899", {3, 927, 899}},
      {"~7000900", {4, 926, 0, 0}},
      {"~7810899", {4, 926, 899, 899}},
      {"~7810900", {3, 925, 0}},
      {"~7811799", {3, 925, 899}},
      // After a GLI the next run latches its mode, and text starts again from alpha.
      {"AB~7000003CDEFG", {10, 901, 65, 66, 927, 3, 900, 2 * 30 + 3, 4 * 30 + 5, 6 * 30 + 29}},
      {"abcdefg~7000003hijkl",
       {11, 27 * 30 + 0, 1 * 30 + 2, 3 * 30 + 4, 5 * 30 + 6, 927, 3, 900, 27 * 30 + 7, 8 * 30 + 9, 10 * 30 + 11}},
      {"\x80\x81\x82~7000003\x83\x84\x85\x86\x87\x88", {13, 901, 128, 129, 130, 927, 3, 924, 220, 361, 37, 153, 276}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(Encode(c.message), c.stream);
  }
}

TEST(Pdf417Compaction, FailuresThrowTheirCodes) {
  const struct {
    std::string message;
    int code;
  } cases[] = {
      {"~7811800", 40},
      {"~7123", 40},
      {"AB~712345", 40},
      {"~712345X", 40},
      {"~7-12345", 40},
      {std::string(1853, 'A'), 210},  // 927 codewords in one segment
      {std::string(1113, '\x80'), 210},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message.substr(0, 12));
    try {
      Encode(c.message);
      ADD_FAILURE() << "no failure";
    } catch (const barlib_error& e) {
      EXPECT_EQ(e.code, c.code);
    }
  }
  try {
    Encode("~7811800");
  } catch (const pdf417_error& e) {
    EXPECT_EQ(e.message, "GLI must be 6 digits in the range between 0 and 811,799.");
  }
  EXPECT_EQ(Encode(std::string(1852, 'A')).size(), 927U);
}

TEST(Pdf417Compaction, TraceLinesOnlyWhenDiagnosticsAreOn) {
  for (const bool enabled : {false, true}) {
    linnet::log::SetEnabled(enabled);
    // Diagnostics go to standard error, never into an image written to standard output.
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    Encode("ab1234567890123HELLO\x80");
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    const std::string expected = enabled ? std::string(
                                               "Entering binary mode (0) (ab123)\n"
                                               "Entering numeric mode (2) (12345)\n"
                                               "Entering text mode (15) (HELLO)\n"
                                               "Entering binary mode (20) (\x80\0\0\0\0)\n",
                                               133)
                                         : std::string();
    EXPECT_EQ(err, expected);
  }
  linnet::log::SetEnabled(false);
}

}  // namespace
}  // namespace Quillon::BrindleLib
