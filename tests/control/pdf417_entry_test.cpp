#include "control/pdf417_entry.h"

#include <gtest/gtest.h>

#include "symbology/barlib_error.h"
#include "symbology2d/pdf417_encoder.h"

namespace linnet {
namespace {

using Quillon::BrindleLib::CPDF417Encoder2;
using Rows = std::vector<std::string>;

// The entry hands the encoder the message in the ANSI code page and every PDF417 property in
// its place.
TEST(Pdf417Entry, PassesMessageAndProperties) {
  const struct {
    std::u16string message;
    std::string ansi;
    std::int32_t moduleWidth, rowHeight, maxRows, maxCols;
    double aspect;
    std::int16_t level;
    bool truncated;
  } cases[] = {
      {u"Caf\u00e9 \u20ac \u03a9", "Caf\xe9 \x80 ?", 13, 39, 0, 0, 0.5, 9, false},
      {u"Rows and columns", "Rows and columns", 10, 30, 12, 0, 0.5, 3, true},
      {u"Columns", "Columns", 13, 39, 0, 7, 2.0, 0, false},
      {u"Ratio", "Ratio", 5, 100, 0, 0, 0.01, 8, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ansi);
    ControlProperties properties;
    properties.message = c.message;
    properties.pdf417ModuleWidth = c.moduleWidth;
    properties.pdf417RowHeight = c.rowHeight;
    properties.maxRows = c.maxRows;
    properties.maxCols = c.maxCols;
    properties.pdf417AspectRatio = c.aspect;
    properties.pdf417SecurityLevel = c.level;
    properties.pdf417Truncated = c.truncated;
    Rows expected;
    CPDF417Encoder2().EncodeToRows(c.ansi, expected, c.moduleWidth, c.rowHeight, c.aspect, c.maxRows, c.maxCols,
                                   c.level, c.truncated);
    Rows rows = {"stale"};
    EncodePdf417(properties, rows);
    EXPECT_EQ(rows, expected);
  }
}

TEST(Pdf417Entry, FailureKeepsRowsAndCarriesTheEngineError) {
  ControlProperties properties;
  properties.message = u"~2[0]";
  Rows rows = {"stale"};
  try {
    EncodePdf417(properties, rows);
    ADD_FAILURE() << "no failure";
  } catch (const Quillon::BrindleLib::barlib_error& e) {
    EXPECT_EQ(e.code, 20);
  }
  EXPECT_EQ(rows, Rows{"stale"});
}

}  // namespace
}  // namespace linnet
