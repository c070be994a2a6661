#include "symbology/rss14.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "support/databar_rows.h"
#include "support/run_command.h"
#include "support/symbol_image.h"

namespace Quillon::BrindleLib {
namespace {

using linnet::testing::ModuleCount;
using linnet::testing::WidthsFromModules;

struct Encoded {
  std::string pattern, text;
};

Encoded Encode(const std::string& message) {
  Encoded e{"stale", "stale"};
  EXPECT_NE(CRSS14Encoder().Encode(message, e.pattern, e.text), 0);
  return e;
}

TEST(RSS14, StandardWorkedExamples) {
  // Module rows of the published example symbols (light first, guards included).
  const struct {
    std::string message, modules, text;
  } cases[] = {
      {"2001234567890",
       "010100011101000001001111111000010100110110111110110000010010100101100000000111000110110110001101",
       "(01) 2 0012345 67890 9"},
      {"0441234567890",
       "010010001000010001000111000000010101000001100110101100100100000101111110000011000010100011100101",
       "(01) 0 4412345 67890 9"},
      {"0001234567890",
       "010101001000000001001111111000010111001011011110111001010110000101111111000111001100111101110101",
       "(01) 0 0012345 67890 5"},
      {"0950110153001",
       "010000010100000101000111110000010111101101011100100011011101000101100000000111001110110111001101",
       "(01) 0 9501101 53001 0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const auto e = Encode(c.message);
    EXPECT_EQ(e.pattern, WidthsFromModules(c.modules));
    EXPECT_EQ(e.text, c.text);
  }
}

TEST(RSS14, ReadsTheFirstThirteenDigitsAlignedLeft) {
  const struct {
    std::string message, sameAs, text;
  } cases[] = {
      {"12345", "1234500000000", "(01) 1 2345000 00000 7"},
      {"(01)00614141999996", "0100614141999", "(01) 0 1006141 41999 1"},  // the AI digits count as data
      {"00614141999996", "0061414199999", "(01) 0 0614141 99999 6"},      // the 14th digit is recomputed
      {"00614141999990", "0061414199999", "(01) 0 0614141 99999 6"},
      {"0061-4141 99999", "0061414199999", "(01) 0 0614141 99999 6"},
      {"", "0000000000000", "(01) 0 0000000 00000 0"},
      {"no digits", "0000000000000", "(01) 0 0000000 00000 0"},
      {"12" + std::string(1, '\0') + "345", "1200000000000", "(01) 1 2000000 00000 5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const auto e = Encode(c.message);
    EXPECT_EQ(e.pattern, Encode(c.sameAs).pattern);
    EXPECT_EQ(e.text, c.text);
  }
  EXPECT_EQ(DataBarGtinBuffer("12345"), "01234500000000");
  EXPECT_EQ(DataBarGtinBuffer("(01)00614141999996"), "00100614141999");
}

TEST(RSS14, EveryMessageGivesAWellFormedSymbol) {
  std::mt19937 random(14);
  std::vector<std::string> messages = {"9999999999999", "0000004537076", "0000004537077", "1995000595035"};
  for (int i = 0; i < 300; ++i) {
    std::string m(random() % 40, '\0');
    for (char& c : m) {
      c = static_cast<char>(random() % 256);
    }
    messages.push_back(m);
  }
  for (const auto& m : messages) {
    const auto e = Encode(m);
    ASSERT_EQ(e.pattern.size(), 46U) << m;
    EXPECT_EQ(ModuleCount(e.pattern), 96) << m;
    EXPECT_EQ(e.pattern.substr(0, 2), "11");
    EXPECT_EQ(e.pattern.substr(44), "11");
    EXPECT_EQ(e.pattern.find_first_not_of("123456789"), std::string::npos);
  }
}

TEST(RSS14, AllFourFormsShareOneEncoding) {
  std::unique_ptr<CRSS14Encoder> forms[] = {
      std::make_unique<CRSS14Encoder>(), std::make_unique<CRSS14TruncatedEncoder>(),
      std::make_unique<CRSS14StackedEncoder>(), std::make_unique<CRSS14StackedOmniEncoder>()};
  const auto expected = Encode("0061414199999");
  for (const auto& form : forms) {
    Encoded e;
    form->Encode("0061414199999", e.pattern, e.text);
    EXPECT_EQ(e.pattern, expected.pattern);
    EXPECT_EQ(e.text, expected.text);
    EXPECT_NO_THROW(form->Validate("anything at all \xff"));
  }
}

TEST(RSS14, ReadersDecodeEveryForm) {
  using namespace linnet::testing;
  const auto dir = MakeTempDir();
  const struct {
    std::string message, gtin;
  } cases[] = {{"0061414199999", "00614141999996"}, {"2001234567890", "20012345678909"}, {"", "00000000000000"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const auto e = Encode(c.message);
    const auto modules = ModulesFromWidths(e.pattern, false);
    const auto omni = dir + "/omni.png";
    WriteLinearPng(omni, modules, 3, 33);
    EXPECT_EQ(ZxingRead(omni, "DataBar"), c.gtin);
    const auto truncated = dir + "/truncated.png";
    WriteLinearPng(truncated, modules, 3, 13);
    EXPECT_EQ(ZxingRead(truncated, "DataBar"), c.gtin);
    // zxing-cpp aborts on stacked DataBar: zbar reads those.
    const auto stacked = dir + "/stacked.png";
    WriteModulePng(stacked, DataBarStackedRows(e.pattern), 3);
    EXPECT_EQ(ZbarRead(stacked), "DataBar:01" + c.gtin);
    const auto stackedOmni = dir + "/stacked-omni.png";
    WriteModulePng(stackedOmni, DataBarStackedOmniRows(e.pattern), 3);
    EXPECT_EQ(ZbarRead(stackedOmni), "DataBar:01" + c.gtin);
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib
