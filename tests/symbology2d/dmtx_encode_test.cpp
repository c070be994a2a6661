// The tournament of policies, size choice, the result object, and arbitrary input.
#include "symbology2d/dmtx_encode.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "symbology2d/dmtx_symbol_size.h"
#include "symbology2d/dmtx_test_helpers.h"

namespace brindle2::dmtxencode {
namespace {

using testing::Encode;

TEST(DataMatrixSizes, SearchOrderOfTheSizeOptions) {
  const struct {
    int option;
    bool grow;
    std::size_t codewords;
    int expected;
  } cases[] = {
      {kSquaresFirst, false, 0, 0},
      {kSquaresFirst, false, 3, 0},
      {kSquaresFirst, false, 4, 1},
      {kSquaresFirst, false, 1558, 23},
      {kSquaresFirst, false, 1559, -1},
      {-7, false, 4, 1},
      {30, false, 4, 1},
      {kRectanglesFirst, false, 5, 24},
      {kRectanglesFirst, false, 49, 29},
      {kRectanglesFirst, false, 50, 9},
      {5, false, 22, 5},
      {5, false, 23, -1},
      {5, false, 1, 5},
      {5, true, 23, 6},
      {5, true, 1559, -1},
      {26, false, 17, -1},
      {26, true, 17, 27},
      {26, true, 50, 9},
      {29, true, 3, 29},
      {23, true, 1558, 23},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SizeSearch(c.option, c.grow).SmallestHolding(c.codewords), c.expected)
        << c.option << (c.grow ? " grow " : " ") << c.codewords;
  }
  const SizeSearch squares(kSquaresFirst, false);
  EXPECT_TRUE(squares.ExactlyFilled(5));
  EXPECT_FALSE(squares.ExactlyFilled(6));
  EXPECT_EQ(squares.Left(6), 2);
  EXPECT_EQ(squares.Left(2000), -1);
}

TEST(DataMatrixTournament, SmallestSymbolWins) {
  const struct {
    const char* what;
    std::string text;
    int sizeOption;
    HRESULT code;
    int size;
    const char* winner;  // the policy whose codewords the result carries
  } cases[] = {
      {"digit pairs", "123456", kSquaresFirst, kOk, 0, "0auto"},
      {"equal sizes keep the look-ahead", "HELLO WORLD", kSquaresFirst, kOk, 3, "0auto"},
      {"equal sizes keep the look-ahead", "hello", 10, kOk, 10, "0auto"},
      {"ASCII beats the look-ahead", "VISIQ", kSquaresFirst, kOk, 1, "1ascii"},
      {"C40 beats the look-ahead", "WXP XO", kSquaresFirst, kOk, 1, "2c40"},
      // Fixed at 12 x 12 the look-ahead does not fit; ASCII and C40 both do, ASCII first.
      {"table order among equals", "VISIQ", 1, kOk, 1, "1ascii"},
      {"rectangles first", "HELLO", kRectanglesFirst, kOk, 24, "1ascii"},
      {"rectangles first", "HELLO WORLD", kRectanglesFirst, kOk, 25, "0auto"},
      {"size 5 holds 22 codewords", std::string(44, '9'), 5, kOk, 5, "0auto"},
      {"size 5 and 23 codewords", std::string(46, '9'), 5, kNoSizeHoldsData, -1, nullptr},
      {"more than the largest symbol", std::string(1558, '\xFF'), kSquaresFirst, kTooMuchData, -1, nullptr},
      {"too many items", std::string(3117, '1'), kSquaresFirst, kTooMuchData, -1, nullptr},
      {"structured append stops at once", "~2[0][0][2]", kSquaresFirst, kStructuredAppendInvalidPosition, -1, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.what) + ": " + c.text.substr(0, 20));
    const auto best = Encode(c.text, c.sizeOption);
    EXPECT_EQ(best.code, c.code);
    EXPECT_EQ(best.size, c.size);
    if (c.winner != nullptr) {
      const auto alone = Encode(c.text, c.sizeOption, c.winner);
      EXPECT_EQ(best.codewords, alone.codewords);
      EXPECT_EQ(best.rows, alone.rows);
    }
  }
}

TEST(DataMatrixTournament, WhenEveryRunFailsTheLookaheadCodeIsReturned) {
  // Lower case at 10 x 10: EDIFACT makes no progress (100), the others do not fit (3).
  EXPECT_EQ(Encode("abcdefgh", 0, "3edf").code, kNoProgress);
  EXPECT_EQ(Encode("abcdefgh", 0).code, kNoSizeHoldsData);
}

TEST(DataMatrixTournament, NoLargerThanTheLookaheadForTypicalMessages) {
  const char* messages[] = {
      "Hello, World!",
      "https://www.example.com/path?id=12345",
      "info@example.com",
      "Order 4711: 12 x WIDGET-A",
      "(01)09501101530003(17)260101(10)AB12",
      "~10109501101530003172601011~10AB12",
      "INVOICE 2024-0042 TOTAL EUR 1299.00",
      "Lorem ipsum dolor sit amet, consectetur adipiscing elit",
      "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG",
      "PART*NO>12345*REV>A",
      "Stra\337e 12, 80331 M\374nchen",
      "SN: 000123456789",
      "MFR:ACME;PN:X-100;SN:42",
      "WIFI:S:MyNet;T:WPA;P:secret;;",
      "BEGIN:VCARD\nVERSION:3.0\nN:Doe;John\nEND:VCARD",
  };
  for (const char* m : messages) {
    const auto best = Encode(m);
    const auto lookahead = Encode(m, kSquaresFirst, "0auto");
    ASSERT_EQ(best.code, kOk) << m;
    // For these the look-ahead is already the smallest: no fixed scheme beats it.
    EXPECT_EQ(best.size, lookahead.size) << m;
    EXPECT_EQ(best.codewords, lookahead.codewords) << m;
  }
}

TEST(DataMatrixResult, InterfacesAndReferences) {
  ComPtr<IDmtxEncodeResult> result;
  ASSERT_EQ(EncodeBest("ABC", 3, kSquaresFirst, false, result.Put()), kOk);
  EXPECT_EQ(result->GetSizeIndex(), 0);
  EXPECT_EQ(result->GetDataCodewordCount(), 3);

  auto bits = result.As<I2DBitPattern>();
  ASSERT_TRUE(bits);
  EXPECT_EQ(bits->GetRowCount(), 10);
  EXPECT_EQ(bits->GetColumnCount(), 10);
  EXPECT_TRUE(bits->GetModule(9, 0));    // the solid L of the finder
  EXPECT_FALSE(bits->GetModule(0, 9));   // the clock tracks meet light
  EXPECT_FALSE(bits->GetModule(-1, 0));  // outside the symbol
  EXPECT_FALSE(bits->GetModule(0, 10));

  auto user = result.As<IUserData>();
  ASSERT_TRUE(user);
  int tag = 0;
  user->SetUserData(&tag);
  EXPECT_EQ(bits.As<IUserData>()->GetUserData(), &tag);

  void* none = &tag;
  EXPECT_EQ(result->QueryInterface(InterfaceId{1, 2, 3, {4}}, &none), kNoInterface);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(result->QueryInterface(IDmtxEncodeResult::kIid, nullptr), kInvalidPointer);

  // Three holders now; each release drops one.
  EXPECT_EQ(result->AddRef(), 4U);
  EXPECT_EQ(result->Release(), 3U);
  bits.Reset();
  user.Reset();
  EXPECT_EQ(result->AddRef(), 2U);
  EXPECT_EQ(result->Release(), 1U);
}

TEST(DataMatrixResult, ArgumentsAndFailures) {
  ComPtr<IDmtxEncodeResult> result;
  EXPECT_EQ(EncodeBest("A", 1, kSquaresFirst, false, nullptr), kInvalidPointer);
  EXPECT_EQ(EncodeBest(nullptr, 3, kSquaresFirst, false, result.Put()), kInvalidPointer);
  EXPECT_EQ(EncodeBest(nullptr, 0, kSquaresFirst, false, result.Put()), kOk);
  EXPECT_EQ(EncodeBest(std::string(46, '9').c_str(), 46, 5, false, result.Put()), kNoSizeHoldsData);
  EXPECT_FALSE(result);
  EXPECT_EQ(EncoderFailureNumber(kNoSizeHoldsData), 3);
  EXPECT_EQ(EncoderFailureNumber(kNoInterface), -1);
  EXPECT_EQ(static_cast<std::uint32_t>(kNoProgress), 0x80510064U);
}

TEST(DataMatrixRobustness, AnyBytesAnyOption) {
  std::mt19937 rng(20240611);
  const std::string specials = "~~~~123[]d7@Z*>\r\xE9\xFF AaZz09";
  for (int i = 0; i < 1500; ++i) {
    std::string text;
    const std::size_t length = rng() % (i % 50 == 0 ? 3200 : 80);
    for (std::size_t j = 0; j < length; ++j) {
      text.push_back(rng() % 3 == 0 ? specials[rng() % specials.size()] : static_cast<char>(rng() % 256));
    }
    const int option = static_cast<int>(rng() % 34) - 3;
    const bool grow = rng() % 2 == 0;
    ComPtr<IDmtxEncodeResult> result;
    const HRESULT code = EncodeBest(text.data(), text.size(), option, grow, result.Put());
    if (code != kOk) {
      EXPECT_NE(EncoderFailureNumber(code), -1);
      continue;
    }
    const SymbolSize& size = SymbolSizeAt(result->GetSizeIndex());
    EXPECT_LE(result->GetDataCodewordCount(), size.dataCodewords);
    if (option >= 0 && option < kSymbolSizeCount && !grow) {
      EXPECT_EQ(result->GetSizeIndex(), option);
    }
  }
}

}  // namespace
}  // namespace brindle2::dmtxencode
