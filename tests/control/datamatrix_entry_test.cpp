#include "control/datamatrix_entry.h"

#include <gtest/gtest.h>

#include "symbology2d/dmtx_component.h"

namespace linnet {
namespace {

namespace dm = brindle2::dmtxencode;

TEST(DataMatrixEntry, StructuredAppendIsRotatedToTheFront) {
  const struct {
    const char* text;
    const char* rotated;
  } cases[] = {
      {"AB~2[1][0][2]CD", "~2[1][0][2]CDAB"},
      {"AB~2[1][0][2]", "~2[1][0][2]AB"},
      {"A~~2", "~2A~"},
      {"~2[1][0][2]AB", "~2[1][0][2]AB"},
      {"AB~3", "AB~3"},
      {"", ""},
      {"~", "~"},
      {"x~2", "~2x"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RotateStructuredAppend(c.text), c.rotated) << c.text;
  }
}

TEST(DataMatrixEntry, SizeProperty) {
  const struct {
    int property;
    int option;
  } cases[] = {{0, -1}, {1, 1}, {5, 5}, {29, 29}, {30, 1}, {-2, -2}, {31, 31}};
  for (const auto& c : cases) {
    EXPECT_EQ(DataMatrixSizeOption(c.property), c.option) << c.property;
  }
  EXPECT_EQ(EncodeDataMatrix(u"HELLO", 30), EncodeDataMatrix(u"HELLO", 1));
  EXPECT_EQ(EncodeDataMatrix(u"HELLO", 30).size(), 12U);
  EXPECT_EQ(EncodeDataMatrix(u"HELLO", 0).size(), 12U);  // automatic: 12 x 12 is the smallest
  EXPECT_EQ(EncodeDataMatrix(u"HELLO", -2).size(), 8U);  // rectangles first
}

TEST(DataMatrixEntry, ResultCodesBecomeEngineErrors) {
  const struct {
    int n;
    int code;
    const char* message;
  } cases[] = {
      {1, 29, "Too much data in data encoded."},
      {3, 30, "The size required is too small to hold the data."},
      {9, 51, "missing field in SA block."},
      {10, 51, "invalid SA block."},
      {11, 52, "invalid sequence indicator value (SA)."},
      {12, 53, "invalid total count value (SA)."},
      {13, 54, "invalid File ID value (SA)."},
      {100, 100, "unspecified error"},
      {2, 100, "unspecified error"},
  };
  for (const auto& c : cases) {
    const auto error = DataMatrixError(dm::EncoderFailure(c.n));
    EXPECT_EQ(error.code, c.code) << c.n;
    EXPECT_EQ(error.message, c.message) << c.n;
  }
  EXPECT_EQ(DataMatrixError(dm::kNoInterface).code, 100);
}

TEST(DataMatrixEntry, FailuresThrow) {
  const struct {
    std::u16string message;
    int size;
    int code;
  } cases[] = {
      {u"~2[0][0][2]", 0, 52},
      {u"AB~2[1][70000][2]", 0, 54},
      {u"~2[1][0]", 0, 51},
      {u"~2[1][0][17]", 0, 53},
      {u"~2[x]", 0, 51},
      {std::u16string(46, u'9'), 5, 30},
      {std::u16string(1558, u'\xFF'), 0, 29},
  };
  for (const auto& c : cases) {
    try {
      EncodeDataMatrix(c.message, c.size);
      ADD_FAILURE() << "no error";
    } catch (const Quillon::BrindleLib::barlib_error& e) {
      EXPECT_EQ(e.code, c.code);
    }
  }
}

TEST(DataMatrixEntry, MessageCrossesTheCodePage) {
  // U+00E9 is one byte of the code page; U+4E2D has none and becomes '?'; the message ends
  // at its first zero character.
  EXPECT_EQ(EncodeDataMatrix(u"caf\u00E9", 0), EncodeDataMatrix(u"caf\u00E9\u0000tail", 0));
  EXPECT_EQ(EncodeDataMatrix(u"a\u4E2Db", 0), EncodeDataMatrix(u"a?b", 0));
  const auto rows = EncodeDataMatrix(u"123456", 0);
  ASSERT_EQ(rows.size(), 10U);
  for (const auto& row : rows) {
    EXPECT_EQ(row.find_first_not_of("01"), std::string::npos);
  }
  EXPECT_EQ(rows.back(), "1111111111");
}

}  // namespace
}  // namespace linnet
