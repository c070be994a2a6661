#include <gtest/gtest.h>

#include "control/qln_barcode.h"
#include "control/symbology_dispatch.h"
#include "symbology/rss14.h"
#include "symbology/rss_expanded.h"

namespace linnet {
namespace {

TEST(DataBarDispatch, EachSymbologyReachesItsEncoder) {
  std::string pattern;
  std::string text;
  Quillon::BrindleLib::CRSS14Encoder().Encode("0061414199999", pattern, text);
  for (const int symbology : {33, 34, 35, 36}) {
    CQlnBarcode c;
    ASSERT_EQ(c.put_Symbology(symbology), S_OK);
    ASSERT_EQ(c.put_Message(u"0061414199999"), S_OK);
    const auto symbol = EncodeLinearSymbol(c);
    EXPECT_EQ(symbol.pattern, pattern) << symbology;
    EXPECT_EQ(symbol.text, text) << symbology;
  }
  CQlnBarcode limited;
  ASSERT_EQ(limited.put_Symbology(37), S_OK);
  ASSERT_EQ(limited.put_Message(u"1501234567890"), S_OK);
  EXPECT_EQ(EncodeLinearSymbol(limited).text, "(01) 1 5012345 67890 7");
}

TEST(DataBarDispatch, ExpandedReceivesMaxCols) {
  for (const int maxCols : {0, 3, 4, 23}) {
    CQlnBarcode c;
    ASSERT_EQ(c.put_Symbology(38), S_OK);
    ASSERT_EQ(c.put_Message(u"(01)00012345678905"), S_OK);
    ASSERT_EQ(c.put_MaxCols(maxCols), S_OK);
    std::string pattern;
    std::string text;
    Quillon::BrindleLib::CRSSExpandedEncoder().Encode("(01)00012345678905", maxCols, pattern, text);
    EXPECT_EQ(EncodeLinearSymbol(c).pattern, pattern) << maxCols;
  }
  // The AI structure is checked when drawing, not when the message is set.
  CQlnBarcode c;
  ASSERT_EQ(c.put_Symbology(38), S_OK);
  ASSERT_EQ(c.put_Message(u"no parentheses"), S_OK);
  try {
    EncodeLinearSymbol(c);
    ADD_FAILURE() << "encoded";
  } catch (const Quillon::BrindleLib::barlib_error& e) {
    EXPECT_EQ(e.code, 10);
  }
}

}  // namespace
}  // namespace linnet
