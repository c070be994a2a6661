// Code set switching and the secondary message syntax, as codeword sequences.
#include "symbology2d/maxicode_secondary.h"

#include <gtest/gtest.h>

#include <string>

#include "symbology/barlib_error.h"
#include "symbology2d/maxicode_code_sets.h"

namespace Quillon::BrindleLib::maxicode {
namespace {

struct CodeSetCase {
  std::string segment;
  int startSet;
  Codewords expected;
  int finalSet;
};

TEST(MaxiCodeCodeSets, SwitchingRules) {
  const CodeSetCase cases[] = {
      {"ABC", kSetA, {1, 2, 3}, kSetA},
      // Nine digits are one numeric shift of five codewords; eight are written one by one.
      {"123456789", kSetA, {31, 7, 22, 60, 52, 21}, kSetA},
      {"12345678", kSetA, {49, 50, 51, 52, 53, 54, 55, 56}, kSetA},
      {"1234567890", kSetA, {31, 7, 22, 60, 52, 21, 48}, kSetA},
      {"123456789", kSetB, {31, 7, 22, 60, 52, 21}, kSetB},
      // From A: two letters of B latch, a single one shifts.
      {"ab", kSetA, {63, 1, 2}, kSetB},
      {"aB", kSetA, {59, 1, 2}, kSetA},
      {"a,b", kSetA, {63, 1, 48, 2}, kSetB},
      // From B: runs of A bytes of one to three are shifted, four or more latch.
      {"ABCd", kSetB, {57, 1, 2, 3, 4}, kSetB},
      {"ABc", kSetB, {56, 1, 2, 3}, kSetB},
      {"Ab", kSetB, {59, 1, 2}, kSetB},
      {"ABCDe", kSetB, {63, 1, 2, 3, 4, 59, 5}, kSetA},
      {",b", kSetB, {59, 44, 2}, kSetB},
      {"abcDEFg", kSetA, {63, 1, 2, 3, 57, 4, 5, 6, 7}, kSetB},
      // Four bytes of C, D or E lock in; the segment leaves the set with Latch A.
      {"\xC0\xC1\xC2\xC3", kSetA, {60, 60, 0, 1, 2, 3, 58}, kSetA},
      {"\xE0\xE1\xE2\xE3\xE4", kSetB, {61, 61, 0, 1, 2, 3, 4, 58}, kSetA},
      {std::string("\x00\x01\x02\x03", 4), kSetA, {62, 62, 0, 1, 2, 3, 58}, kSetA},
      {"    ", kSetA, {60, 60, 59, 59, 59, 59, 58}, kSetA},
      {"\xC0\xC1\xC2\xC3"
       "ab",
       kSetA,
       {60, 60, 0, 1, 2, 3, 63, 1, 2},
       kSetB},
      {"\xC0\xC1\xC2\xC3"
       "A",
       kSetA,
       {60, 60, 0, 1, 2, 3, 58, 1},
       kSetA},
      {"\xC0\xC1\xC2\xC3\xE0\xE1\xE2\xE3", kSetA, {60, 60, 0, 1, 2, 3, 61, 61, 0, 1, 2, 3, 58}, kSetA},
      {"\xC0\xC1\xC2\xC3\xE0", kSetA, {60, 60, 0, 1, 2, 3, 61, 0, 58}, kSetA},
      // A single byte of C, D or E outside the set in force is shifted.
      {"\xC0x", kSetA, {60, 0, 59, 24}, kSetA},
      {"A\xFF"
       "B",
       kSetA,
       {1, 61, 36, 2},
       kSetA},
      {"\r", kSetA, {0}, kSetA},
      {"\r", kSetB, {62, 13}, kSetB},
      // Bytes that both A and B hold count as A bytes in B.
      {"\x1d", kSetB, {59, 29}, kSetB},
      {" a", kSetB, {59, 32, 1}, kSetB},
      {"", kSetB, {}, kSetB},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.segment));
    Codewords out;
    EXPECT_EQ(EncodeCodeSets(c.segment, c.startSet, out), c.finalSet);
    EXPECT_EQ(out, c.expected);
  }
}

// Every byte, alone and in runs, written from either starting set.
TEST(MaxiCodeCodeSets, EveryByteIsWritten) {
  for (int byte = 0; byte < 256; ++byte) {
    for (const int set : {kSetA, kSetB}) {
      for (const size_t run : {1U, 5U}) {
        Codewords out;
        const int final = EncodeCodeSets(std::string(run, static_cast<char>(byte)), set, out);
        EXPECT_TRUE(final == kSetA || final == kSetB) << byte;
        EXPECT_GE(out.size(), run) << byte;
        for (const auto cw : out) {
          EXPECT_LT(cw, 64) << byte;
        }
      }
    }
  }
}

struct SecondaryCase {
  std::string text;
  Codewords expected;
};

TEST(MaxiCodeSecondary, TildeSyntax) {
  const SecondaryCase cases[] = {
      {"~A", {62, 1}},
      {"~@", {62, 0}},
      {"~Z", {62, 26}},
      {"~~", {59, 35}},
      {"~d065", {1}},
      {"~d255", {61, 36}},
      {"~d256", {63, 35, 4, 57, 50, 53, 54}},  // not a byte value: "~" then "d256"
      {"~d12", {63, 35, 4, 56, 49, 50}},
      {"~x", {63, 35, 24}},
      {"A~", {1, 59, 35}},
      {"~[", {63, 35, 42}},
      // ECIs: one to four codewords after 27; the set in force carries on.
      {"A~7000003B", {1, 27, 3, 2}},
      {"~7000100", {27, 33, 36}},
      {"~7001024", {27, 48, 16, 0}},
      {"~7999999", {27, 59, 52, 8, 63}},
      {"ab~7000003cd", {63, 1, 2, 27, 3, 3, 4}},
      {"\xC0\xC1\xC2\xC3~7000003A", {60, 60, 0, 1, 2, 3, 58, 27, 3, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    EXPECT_EQ(EncodeSecondary(c.text), c.expected);
  }
}

TEST(MaxiCodeSecondary, MalformedEciFails) {
  for (const std::string text : {"~7", "~700000", "~700000X", "A~7 00003", "~7-00003"}) {
    SCOPED_TRACE(text);
    try {
      EncodeSecondary(text);
      ADD_FAILURE() << "no error";
    } catch (const eci_format_error& e) {
      EXPECT_EQ(e.code, 60);
      EXPECT_EQ(e.message,
                "Error in the specified ECI. Either it contains invalid characters, or the value is out of range.");
    }
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib::maxicode
