// The look-ahead and the scheme encoders: exact codewords and sizes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "symbology2d/dmtx_encodation_builder.h"
#include "symbology2d/dmtx_lookahead.h"
#include "symbology2d/dmtx_policy.h"
#include "symbology2d/dmtx_test_helpers.h"

namespace brindle2::dmtxencode {
namespace {

using testing::Bytes;
using testing::Encode;

Scheme Lookahead(const std::string& text, Scheme current = Scheme::Ascii, std::size_t pos = 0) {
  auto input = std::make_unique<EncodationInput>();
  EXPECT_EQ(input->Prepare(text), kOk);
  return LookaheadScheme(input->message.Items(), input->ties, current, pos);
}

TEST(DataMatrixLookahead, NamesTheCheapestScheme) {
  const struct {
    std::string text;
    Scheme current;
    Scheme expected;
  } cases[] = {
      {"123456", Scheme::Ascii, Scheme::Ascii},
      {"aaa", Scheme::Ascii, Scheme::Ascii},
      {"aaaa", Scheme::Ascii, Scheme::Ascii},
      {"aaaaa", Scheme::Ascii, Scheme::Text},     // run out: Text's 4 beats ASCII's 5
      {"aaaaaaaa", Scheme::Ascii, Scheme::Text},  // decided at the seventh item
      {"\xFF\xFF\xFF\xFF", Scheme::Ascii, Scheme::Base256},
      {"\xFF\xFF\xFF\xFF", Scheme::Base256, Scheme::Base256},
      {"A=B;C:D?E", Scheme::Ascii, Scheme::Edifact},  // decided at the ninth item
      {"A=B;C:D?", Scheme::Ascii, Scheme::Edifact},   // run out: EDIFACT's 7
      {"************", Scheme::Ascii, Scheme::X12},   // run out
      {"*************", Scheme::Ascii, Scheme::X12},  // decided at the 13th item
      {"VISIQ", Scheme::Ascii, Scheme::X12},          // run out: X12 is named before C40
      {"AB", Scheme::C40, Scheme::C40},
      {"", Scheme::Edifact, Scheme::Edifact},
      {"", Scheme::Text, Scheme::Text},
      {"~1~1~1~1", Scheme::C40, Scheme::Ascii},
      // ASCII rounds a half down: after "1" the next letter makes 1, not 2.
      {"1aaaaaa", Scheme::Ascii, Scheme::Ascii},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Lookahead(c.text, c.current), c.expected) << c.text;
  }
}

TEST(DataMatrixLookahead, C40AndX12TieLooksTwoPastTheLastCountedItem) {
  // Thirteen capitals from ASCII: C40 and X12 tie at the 13th (index 12), so the scan for
  // an X12-only byte starts at index 14.
  const std::string thirteen(13, 'A');
  const struct {
    std::string text;
    Scheme expected;
  } cases[] = {
      {thirteen, Scheme::C40},
      {thirteen + "B*", Scheme::X12},
      {thirteen + "B>", Scheme::X12},
      {thirteen + "B\r", Scheme::X12},
      {thirteen + "*", Scheme::C40},  // index 13 is passed by
      {thirteen + "Ba*", Scheme::C40},
      {thirteen + "B~1*", Scheme::X12},  // codeword items are passed over
      {thirteen + "B!#0Z*", Scheme::X12},
      {thirteen + "B\xC4*", Scheme::C40},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Lookahead(c.text), c.expected) << c.text;
  }
}

TEST(DataMatrixLookahead, StartsFromTheReadPosition) {
  EXPECT_EQ(Lookahead("\xFF\xFF\xFF\xFF"
                      "123456",
                      Scheme::Ascii, 4),
            Scheme::Ascii);
  EXPECT_EQ(Lookahead("123456aaaaaaaa", Scheme::Ascii, 6), Scheme::Text);
}

struct CodewordCase {
  const char* what;
  std::string text;
  const char* policy;
  std::vector<std::uint8_t> codewords;
  int size;
  int sizeOption = kSquaresFirst;
};

void Check(const CodewordCase& c) {
  SCOPED_TRACE(std::string(c.what) + " [" + c.policy + "] " + c.text);
  const auto e = Encode(c.text, c.sizeOption, c.policy);
  ASSERT_EQ(e.code, kOk);
  EXPECT_EQ(e.codewords, c.codewords);
  EXPECT_EQ(e.size, c.size);
}

TEST(DataMatrixEncodation, Ascii) {
  const CodewordCase cases[] = {
      {"digit pairs", "123456", "0auto", Bytes({142, 164, 186}), 0},
      {"odd digit", "12345", "1ascii", Bytes({142, 164, 54}), 0},
      {"upper shift", "\xE9", "1ascii", Bytes({235, 106}), 0},
      {"FNC1",
       "~1"
       "01",
       "1ascii", Bytes({232, 131}), 0},
      {"header first", "~3A", "1ascii", Bytes({234, 66}), 0},
      {"structured append", "~2[1][0][2]ABC", "1ascii", Bytes({233, 15, 254, 254, 66, 67, 68}), 2},
      {"ECI", "~7000003A", "0auto", Bytes({241, 4, 66}), 0},
      {"empty", "", "0auto", {}, 0},
  };
  for (const auto& c : cases) {
    Check(c);
  }
}

TEST(DataMatrixEncodation, C40TextAndX12EndOfData) {
  const CodewordCase cases[] = {
      {"exact fit after a pair", "ABC", "2c40", Bytes({230, 89, 233}), 0},
      {"two values: Shift 1 completes the last pair", "AB", "2c40", Bytes({230, 89, 217}), 0},
      {"one value, two codewords left: unlatch and ASCII", "ABCD", "2c40", Bytes({230, 89, 233, 254, 69}), 1},
      {"one value, one codeword left: ASCII alone", "~3ABCD", "2c40", Bytes({234, 230, 89, 233, 69}), 1},
      {"one codeword left: no unlatch", "ABCDEFGHI", "2c40", Bytes({230, 89, 233, 109, 36, 128, 95}), 2},
      {"room left: unlatch", "ABCDEFGHIJKL", "2c40", Bytes({230, 89, 233, 109, 36, 128, 95, 147, 154, 254}), 3},
      {"Text", "abc", "4text", Bytes({239, 89, 233}), 0},
      {"X12", "A*>", "6x12", Bytes({238, 87, 171}), 0},
      // X12 has no Shift 1 (its value 0 is CR): two values left go to ASCII.
      {"X12 two values", "AB", "6x12", Bytes({238, 254, 66, 67}), 1},
      // An ECI cannot be written in C40: unlatch, and ASCII from there.
      {"unencodable item", "~7000003AB", "2c40", Bytes({230, 254, 241, 4, 66, 67}), 2},
      {"X12 unencodable", "ABa", "6x12", Bytes({238, 254, 66, 67, 98}), 1},
  };
  for (const auto& c : cases) {
    Check(c);
  }
}

TEST(DataMatrixEncodation, EdifactEndOfData) {
  const CodewordCase cases[] = {
      {"last item in ASCII fills the symbol", "A=B;C:D?E", "3edf", Bytes({240, 7, 208, 187, 15, 161, 63, 70}), 2},
      {"one codeword left after a group: pad", "A=B;", "3edf", Bytes({240, 7, 208, 187}), 1},
      {"one item after a group", "ABCDE", "3edf", Bytes({240, 4, 32, 196, 70}), 1},
      {"two items, too much room: unlatch with them", "ABCDEF", "3edf", Bytes({240, 4, 32, 196, 20, 103, 192}), 2},
      {"three items: unlatch with them", "ABCDEFG", "3edf", Bytes({240, 4, 32, 196, 20, 97, 223}), 2},
      {"full groups, one codeword left", "ABCDEFGH", "3edf", Bytes({240, 4, 32, 196, 20, 97, 200}), 2},
      {"full groups, room left: unlatch", std::string(24, 'A'), "3edf",
       Bytes({240, 4, 16, 65, 4, 16, 65, 4, 16, 65, 4, 16, 65, 4, 16, 65, 4, 16, 65, 124}), 5},
      {"a lone item", "a", "3edf", Bytes({240, 98}), 0},
  };
  for (const auto& c : cases) {
    Check(c);
  }
}

TEST(DataMatrixEncodation, Base256) {
  std::string bytes250(250, '\x80');
  const auto e = Encode(bytes250, kSquaresFirst, "5b256");
  ASSERT_EQ(e.code, kOk);
  ASSERT_EQ(e.codewords.size(), 253U);
  // The two-byte length 250 = (250 / 250 + 249, 250 mod 250), randomised at positions 2, 3.
  const auto randomised = [](int value, int position) {
    const int sum = value + (149 * position) % 255 + 1;
    return sum <= 255 ? sum : sum - 256;
  };
  EXPECT_EQ(e.codewords[0], 231);
  EXPECT_EQ(e.codewords[1], randomised(250, 2));
  EXPECT_EQ(e.codewords[2], randomised(0, 3));
  EXPECT_EQ(e.codewords[3], randomised(0x80, 4));
  EXPECT_EQ(e.codewords[252], randomised(0x80, 253));

  Check({"short field", "\xE9", "5b256", Bytes({231, 45, 170}), 0});
  // A field never ends empty (that length means "to the end of the symbol").
  EXPECT_EQ(Encode("~1", kSquaresFirst, "5b256").code, kNoProgress);
  EXPECT_EQ(Encode("AB~1", kSquaresFirst, "5b256").code, kNoProgress);
}

TEST(DataMatrixEncodation, FixedPoliciesThatMakeNoProgress) {
  const struct {
    std::string text;
    const char* policy;
  } cases[] = {
      {"abc", "3edf"},
      {"AB~1CD", "5b256"},
      {"~7000003AAAAAAAA", "3edf"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Encode(c.text, kSquaresFirst, c.policy).code, kNoProgress) << c.policy << " " << c.text;
  }
}

TEST(DataMatrixEncodation, EciValueCodewordsStayTogether) {
  // ECI 358 has the value codewords 128, 232; the capitals after it favour C40.
  const auto e = Encode("~7000358ABCDEFGHIJKLMNOP", kSquaresFirst, "0auto");
  ASSERT_EQ(e.code, kOk);
  ASSERT_GE(e.codewords.size(), 3U);
  EXPECT_EQ(std::vector<std::uint8_t>(e.codewords.begin(), e.codewords.begin() + 3), Bytes({241, 128, 232}));
}

TEST(DataMatrixEncodation, BuilderErrors) {
  auto input = std::make_unique<EncodationInput>();
  ASSERT_EQ(input->Prepare(std::string(1559, 'a')), kOk);
  EncodationBuilder ascii(*input, SizeSearch(kSquaresFirst, false), *FindPolicy("1ascii"));
  EXPECT_THROW(ascii.Encode(), EncodationBuilder::out_of_capacity_error);
  ASSERT_EQ(input->Prepare("abc"), kOk);
  EncodationBuilder edifact(*input, SizeSearch(kSquaresFirst, false), *FindPolicy("3edf"));
  EXPECT_THROW(edifact.Encode(), EncodationBuilder::policy_toomany_retries);
}

}  // namespace
}  // namespace brindle2::dmtxencode
