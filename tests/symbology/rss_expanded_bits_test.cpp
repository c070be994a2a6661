#include <gtest/gtest.h>

#include <string>

#include "symbology/rss_expanded_detail.h"

namespace Quillon::BrindleLib::detail {
namespace {

std::string Bits(const ExpandedState& state) {
  std::string bits;
  for (int i = 0; i < state.bitCount; ++i) {
    bits.push_back(state.bits[static_cast<size_t>(i)] != 0 ? '1' : '0');
  }
  return bits;
}

std::string Spaceless(std::string bits) {
  std::erase(bits, ' ');
  return bits;
}

struct Packed {
  int result;
  std::string bits;
};

Packed Pack(const std::string& message, int segmentsPerRow = 22) {
  std::string data;
  std::string text;
  EXPECT_GE(ParseElements(message, data, text), 0) << message;
  ExpandedState state;
  state.segmentsPerRow = segmentsPerRow;
  const int result = pack(data, state);
  return {result, Bits(state)};
}

TEST(ExpandedEncodation, MethodFollowsTheLeadingData) {
  const struct {
    std::string message, method;
  } cases[] = {
      {"(01)98898765432106(3202)012345(15)991231", "0111101"},  // 320x with a date of AI 15
      {"(01)98898765432106(3103)001750", "0100"},
      {"(01)98898765432106(3103)040000", "0111000"},  // weight above 32767: no-date form
      {"(01)98898765432106(3202)009999", "0101"},
      {"(01)98898765432106(3203)022767", "0101"},
      {"(01)98898765432106(3203)022768", "0111001"},
      {"(01)98898765432106(3103)001750(11)991231", "0111000"},
      {"(01)98898765432106(3103)001750(17)991231", "0111110"},
      {"(01)98898765432106(3922)123", "01100"},
      {"(01)98898765432106(3932)978123", "01101"},
      {"(01)98898765432106(3103)001750(10)A", "1"},  // more than the weight: general field
      {"(01)08898765432106(3103)001750", "1"},       // indicator digit not 9
      {"(01)00012345678905", "1"},
      {"(01)00012345678905(10)ABC", "1"},
      {"(10)ABC", "00"},
      {"(0)1988987654321073103001750", "00"},  // a wrong check digit cannot be left out
      {"", "00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const auto packed = Pack(c.message);
    ASSERT_GT(packed.result, 0);
    EXPECT_EQ(packed.bits.substr(0, 1), "0");  // no composite component
    EXPECT_EQ(packed.bits.substr(1, c.method.size()), c.method);
  }
}

TEST(ExpandedEncodation, CompressedFields) {
  const struct {
    std::string message;
    size_t from;
    std::string bits;
  } cases[] = {
      // GTIN-12 "889876543210" in four 10-bit groups after the 4-bit method.
      {"(01)98898765432106(3103)001750", 5, "1101111001 1101101100 1000011111 0011010010"},
      {"(01)98898765432106(3103)001750", 45, "000011011010110"},             // 1750
      {"(01)98898765432106(3203)001750", 45, "010110111100110"},             // 1750 + 10000
      {"(01)98898765432106(3103)040000", 48, "01010011000000100000"},        // 3 * 100000 + 40000
      {"(01)98898765432106(3103)040000", 68, "1001011000000000"},            // 38400: no date
      {"(01)98898765432106(3202)012345(15)991231", 68, "1001010111111111"},  // 99*384+11*32+31
      {"(01)98898765432106(3922)123", 8, "1101111001"},                      // after 01100 and the length bits
      {"(01)98898765432106(3922)123", 48, "10"},                             // the decimals digit 2
      {"(01)98898765432106(3932)978123", 50, "1111010010"},                  // currency 978
      {"(01)00012345678905", 4, "0000"},                                     // the indicator digit in 4 bits
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const auto bits = Spaceless(c.bits);
    EXPECT_EQ(Pack(c.message).bits.substr(c.from, bits.size()), bits);
  }
}

TEST(ExpandedEncodation, GeneralPurposeField) {
  const struct {
    std::string message, bits;
  } cases[] = {
      // linkage, method 00, length bits (4 symbol characters: even, not above 14), the pair
      // "10", latch to alphanumeric, A B C, 2 bits of padding.
      {"(10)ABC", "0 00 00 0010011 0000 100000 100001 100010 00"},
      // lower case needs ISO/IEC 646: latches 0000 and 00100, 'a', then padding.
      {"(10)a", "0 00 00 0010011 0000 00100 1011010 00100 001"},
      // a last single digit with more than 6 bits left pairs with FNC1, then latches.
      {"(90)123", "0 00 00 1101011 0010101 0110011 0000 00100 0"},
      // four digits up to the end in alphanumeric mode: back to numeric (000); 5 characters.
      {"(10)A1234", "0 00 10 0010011 0000 100000 000 0010101 0101101 0000 00100"},
      // ISO/IEC 646 looks ahead: two letters left stay in the mode, five go to alphanumeric,
      // four digits to numeric.
      {"(10)aAB", "0 00 10 0010011 0000 00100 1011010 1000000 1000001 00100 0"},
      {"(10)aABCDE", "0 00 10 0010011 0000 00100 1011010 00100 100000 100001 100010 100011 100100 00100 0010"},
      {"(10)a1234", "0 00 10 0010011 0000 00100 1011010 000 0010101 0101101 000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(Pack(c.message).bits, Spaceless(c.bits));
  }
  // 48 bits of method 1, six digit pairs, then the last digit '1' with 6 bits left: digit + 1
  // in 4 bits and two zeros.
  const auto single = Pack("(01)00012345678905(10)12345678901");
  EXPECT_EQ(single.bits.size(), 96U);
  EXPECT_EQ(single.bits.substr(90), "001000");
}

TEST(ExpandedEncodation, OneMoreCharacterRatherThanALoneOneInTheLastRow) {
  // Method 1 alone needs 4 data characters: 5 symbol characters, one left alone in a row of
  // 4, so a fifth data character is added.
  const struct {
    int segments;
    size_t bits;
    std::string lengthBits;
  } cases[] = {{22, 48, "10"}, {4, 60, "00"}, {2, 60, "00"}, {6, 48, "10"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.segments);
    const auto packed = Pack("(01)00012345678905", c.segments);
    EXPECT_EQ(packed.bits.size(), c.bits);
    EXPECT_EQ(packed.bits.substr(2, 2), c.lengthBits);
  }
  EXPECT_EQ(ExpandedDataCharacters(0, 22), 3);
  EXPECT_EQ(ExpandedDataCharacters(37, 22), 4);
  EXPECT_EQ(ExpandedDataCharacters(252, 22), 21);
  EXPECT_EQ(ExpandedDataCharacters(84, 4), 7);
  EXPECT_EQ(ExpandedDataCharacters(96, 4), 9);
}

TEST(ExpandedEncodation, DataStringCarriesSeparatorsAndStopsAt80) {
  const struct {
    std::string message, data, text;
  } cases[] = {
      {"(10)ABC123(21)XYZ", "10ABC123#21XYZ", "(10)ABC123(21)XYZ"},
      {"(01)00614141000036(10)ABC", "010061414100003610ABC", "(01)00614141000036(10)ABC"},
      {"(10)AB-C", "10ABC", "(10)AB-C"},  // repaired, not refused
      {"(4300)a$b#c", "4300ab#c", "(4300)a$b#c"},
      {"abc(10)X", "10X", "(10)X"},
      {"(90)" + std::string(30, '1') + "(91)" + std::string(30, '2') + "(92)" + std::string(30, '3'),
       "90" + std::string(30, '1') + "#91" + std::string(30, '2') + "#92" + std::string(12, '3'), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    std::string data;
    std::string text;
    EXPECT_EQ(ParseElements(c.message, data, text), static_cast<int>(c.data.size()));
    EXPECT_EQ(data, c.data);
    if (!c.text.empty()) {
      EXPECT_EQ(text, c.text);
    }
  }
  std::string data;
  std::string text;
  for (const std::string message : {"abc", "(0A)123", "01)123", "(10)A(21"}) {
    EXPECT_EQ(ParseElements(message, data, text), -1) << message;
  }
}

TEST(ExpandedEncodation, TooMuchDataFails) {
  ExpandedState state;
  EXPECT_EQ(pack(std::string(71, '1'), state), -1);
  EXPECT_TRUE(state.error);
  std::string pattern = "stale";
  EXPECT_EQ(RSS14Eenc(state, pattern), -1);
  EXPECT_EQ(pattern, "");
  EXPECT_EQ(pack(std::string(70, '1'), state), 252);
  EXPECT_EQ(RSS14Eenc(state, pattern), 22);
}

}  // namespace
}  // namespace Quillon::BrindleLib::detail
