#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/qln_barcode.h"
#include "render/databar_rows.h"
#include "render/export_image.h"
#include "support/run_command.h"
#include "support/symbol_image.h"
#include "symbology/rss14.h"
#include "symbology/rss_expanded.h"

namespace linnet {
namespace {

using Quillon::BrindleLib::CRSS14Encoder;
using Quillon::BrindleLib::CRSSExpandedEncoder;

std::string Modules(const RowRecord& record) {
  std::string modules;
  for (const ModuleRun& run : RowRuns(record)) {
    modules.append(static_cast<size_t>(run.modules), run.dark ? '1' : '0');
  }
  return modules;
}

// One string per record, the module rows of a symbol as the drawer lays them out.
std::vector<std::string> RecordRows(const std::vector<RowRecord>& records) {
  std::vector<std::string> rows;
  for (const auto& record : records) {
    rows.push_back(Modules(record));
  }
  return rows;
}

std::string Pattern(const std::string& message) {
  std::string pattern;
  std::string text;
  CRSS14Encoder().Encode(message, pattern, text);
  return pattern;
}

std::string ExpandedPattern(const std::string& message, int segmentsPerRow) {
  std::string pattern;
  std::string text;
  CRSSExpandedEncoder().Encode(message, segmentsPerRow, pattern, text);
  return pattern;
}

// The published example symbols, row by row with every separator module.
TEST(DataBarRowsWithEncoders, StackedLayoutsMatchTheStandardExamples) {
  const auto stacked = ElementWidths(Pattern("0001234567890"));
  std::vector<int> upper(stacked.begin(), stacked.begin() + 23);
  upper.insert(upper.end(), {1, 1});
  std::vector<int> lower = {1, 1};
  lower.insert(lower.end(), stacked.begin() + 23, stacked.end());
  std::string separator;
  for (const bool dark : StackedSeparator(upper, lower)) {
    separator.push_back(dark ? '1' : '0');
  }
  EXPECT_EQ(separator, "00001010101011111010000000111010100011010010000000");

  EXPECT_EQ(RecordRows(StackedOmniRecords(ElementWidths(Pattern("0003456789012")), 33, 1)),
            (std::vector<std::string>{
                "01010100100000000100111110000001010011100110011010",
                "00001011011111111010000001010100101100011001100000",
                "00000101010101010101010101010101010101010101010000",
                "00001000100010111010010101010000111101001101110000",
                "10110111011101000101100000000111000010110010001101",
            }));

  EXPECT_EQ(
      RecordRows(ExpandedRecords(ElementWidths(ExpandedPattern("(01)90614141000015(3202)000150", 4)), 4, 34, 1)),
      (std::vector<std::string>{
          "010110001100110000101111111100001010010001000011110111001110001010001011110000001110011101011111101101",
          "000001110011001111010000000010100101101110111100001000110001110101110100001010100001100010100000010000",
          "000001010101010101010101010101010101010101010101010101010101010101010101010101010101010101010101010000",
          "000001011111011111001010000001010010111111011100100000000000000000000000000000000000000000000000000000",
          "001010100000100000110001111110000101000000100011010010000000000000000000000000000000000000000000000000",
      }));
}

TEST(DataBarRowsWithEncoders, ExpandedRowsOfEverySizeAreRead) {
  // Every even number of segments per row for symbols of 4 to 22 characters; zbar joins rows
  // only within a short height, so the rows are 4 modules high.
  const std::string messages[] = {"(90)ABC", "(01)00012345678905", "(01)90614141000015(3202)000150",
                                  "(01)00012345678905(10)ABC123(21)XYZ789", "(10)abcdefghij1234567890(21)ABCDEFGH"};
  const auto dir = testing::MakeTempDir();
  for (const auto& message : messages) {
    for (int segments = 2; segments <= 22; segments += 2) {
      const auto pattern = ExpandedPattern(message, segments);
      testing::ModuleRows rows;
      for (const auto& record : ExpandedRecords(ElementWidths(pattern), segments, 4, 1)) {
        rows.insert(rows.end(), static_cast<size_t>(record.height), Modules(record));
      }
      const auto path = dir + "/expanded.png";
      testing::WriteModulePng(path, rows, 3);
      const auto read = testing::ZbarRead(path);
      EXPECT_TRUE(read.has_value() && read->rfind("DataBar-Exp:", 0) == 0) << message << " in rows of " << segments;
    }
  }
}

// The control's exported image, read back.
std::optional<std::string> ExportAndRead(int symbology, const std::u16string& message, int maxCols, bool zbar) {
  CQlnBarcode control;
  EXPECT_EQ(control.put_Symbology(symbology), S_OK);
  EXPECT_EQ(control.put_Message(message), S_OK);
  EXPECT_EQ(control.put_MaxCols(maxCols), S_OK);
  EXPECT_EQ(control.put_BarHeight(100), S_OK);  // short rows: zbar joins stacked rows only when close
  const auto path = testing::MakeTempDir() + "/databar.png";
  EXPECT_EQ(ExportImageToFile(control, path, qlxFormatPNG), S_OK);
  return zbar ? testing::ZbarRead(path) : testing::ZxingRead(path, symbology == 38 ? "DataBarExpanded" : "DataBar");
}

TEST(DataBarRowsWithEncoders, ExportedSymbolsDecode) {
  const struct {
    int symbology;
    std::u16string message;
    int maxCols;
    bool zbar;  // zxing-cpp aborts on stacked DataBar
    std::string read;
  } cases[] = {
      {33, u"0061414199999", 0, false, "00614141999996"},
      {34, u"0061414199999", 0, false, "00614141999996"},
      {35, u"0061414199999", 0, true, "DataBar:0100614141999996"},
      {36, u"0061414199999", 0, true, "DataBar:0100614141999996"},
      {38, u"(01)98898765432106(3202)012345(15)991231", 0, false, "(01)98898765432106(3202)012345(15)991231"},
      {38, u"(01)98898765432106(3202)012345(15)991231", 2, true, "DataBar-Exp:0198898765432106320201234515991231"},
      {38, u"(01)98898765432106(3202)012345(15)991231", 4, true, "DataBar-Exp:0198898765432106320201234515991231"},
      {38, u"(10)abcdefghij1234567890", 6, true, "DataBar-Exp:10abcdefghij1234567890"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExportAndRead(c.symbology, c.message, c.maxCols, c.zbar), c.read)
        << c.symbology << " with MaxCols " << c.maxCols;
  }
}

}  // namespace
}  // namespace linnet
