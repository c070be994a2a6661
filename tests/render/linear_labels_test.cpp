// Two-width and module symbols in the whole label: exported images read back by real
// readers, bars laid out as the encoder's pattern says in every rotation and in the exported
// pixels, bearer bars along the bars.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "control/qln_barcode.h"
#include "control/symbology_dispatch.h"
#include "render/export_image.h"
#include "render/label_frame.h"
#include "render/raster_export.h"
#include "support/run_command.h"
#include "support/symbol_image.h"

namespace linnet {
namespace {

using testing::FrameRect;

// The default sizes (13-mil narrow bars at 2.5:1, 1-inch bars, 100-mil margins) in dots.
struct Dots {
  std::int32_t resolution;
  std::int32_t narrow;
  std::int32_t wide;
  std::int32_t barHeight;
  std::int32_t margin;
  std::int32_t bearer;  // six narrow bars
};
constexpr Dots kScreenLayout{1440, 19, 46, 1449, 145, 113};
constexpr Dots kExport{300, 4, 10, 300, 30, 23};

struct Symbol {
  std::int32_t symbology;
  std::u16string message;
  bool modules;  // 'b'/'s' per module rather than narrow/wide elements
  size_t bars;
};

const Symbol kSymbols[] = {
    {3, u"A40156B", false, 28},     // 7 characters of 4 bars
    {4, u"TEST93", true, 31},       // start, 6 characters, C, K, stop of 3 bars; termination bar
    {7, u"1234567890", false, 29},  // start and stop of 2 bars around 5 pairs of 5
    {13, u"ABC", false, 30},        // 6 characters of 16 modules, in bars of 1 or 3
    {14, u"1234", false, 26},       // start, 2 digit pairs, check, stop
    {30, u"1234567", true, 35},     // start bar, 8 digits of 4 bars, stop of 2
    {31, u"1234567", false, 41},    // start and stop of 3 bars, 7 digits of 5
    {32, u"123-45", false, 27},     // start, 6 characters, C, stop: 9 of 3 bars
};

void Configure(CQlnBarcode& control, const Symbol& symbol, std::int32_t rotation) {
  ASSERT_EQ(control.put_Symbology(symbol.symbology), S_OK);
  ASSERT_EQ(control.put_Message(symbol.message), S_OK);
  control.put_Rotation(rotation);
}

// Dark ('1') and light ('0') dots of a pattern, from its first bar to its last.
std::string PatternDots(const std::string& pattern, bool modules, const Dots& d) {
  std::string dots;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (modules) {
      dots.append(static_cast<size_t>(d.narrow), c == 'b' || c == 'B' ? '1' : '0');
    } else {
      dots.append(static_cast<size_t>(c == 'n' || c == 'N' ? d.narrow : d.wide), i % 2 == 0 ? '1' : '0');
    }
  }
  return dots.substr(0, dots.rfind('1') + 1);
}

// The same for drawn fills, each placed at its along position from the first one's start.
std::string FillDots(const std::vector<FrameRect>& fills) {
  std::string dots;
  if (fills.empty()) {
    return dots;
  }
  const std::int64_t start = fills.front().alongStart;
  for (const auto& f : fills) {
    if (static_cast<std::int64_t>(dots.size()) < f.alongEnd - start) {
      dots.resize(static_cast<size_t>(f.alongEnd - start), '0');
    }
    std::fill(dots.begin() + (f.alongStart - start), dots.begin() + (f.alongEnd - start), '1');
  }
  return dots;
}

size_t DarkRuns(const std::string& dots) {
  size_t runs = 0;
  for (size_t i = 0; i < dots.size(); ++i) {
    runs += dots[i] == '1' && (i == 0 || dots[i - 1] == '0') ? 1 : 0;
  }
  return runs;
}

TEST(LinearLabels, BarsFollowThePatternInEveryRotation) {
  for (const auto& symbol : kSymbols) {
    for (const Dots& d : {kScreenLayout, kExport}) {
      SCOPED_TRACE(::testing::Message() << "symbology " << symbol.symbology << " at " << d.resolution);
      CQlnBarcode control;
      Configure(control, symbol, 0);
      const std::string pattern = EncodeLinearSymbol(control).pattern;
      const auto upright = testing::LabelFills(control, d.resolution);
      ASSERT_FALSE(upright.empty());
      const std::string drawn = FillDots(upright);
      EXPECT_EQ(drawn, PatternDots(pattern, symbol.modules, d));
      EXPECT_EQ(DarkRuns(drawn), symbol.bars);
      // The bars start at the margins and stand the full bar height.
      EXPECT_EQ(upright.front().alongStart, d.margin);
      for (const auto& bar : upright) {
        EXPECT_EQ(bar.acrossStart, d.margin);
        EXPECT_EQ(bar.acrossEnd, d.margin + d.barHeight);
      }
      for (std::int32_t turns = 1; turns < 4; ++turns) {
        control.put_Rotation(turns);
        EXPECT_EQ(testing::LabelFills(control, d.resolution), upright) << turns << " quarter turns";
      }
    }
  }
}

TEST(LinearLabels, ExportedPixelsFollowThePattern) {
  for (const auto& symbol : kSymbols) {
    SCOPED_TRACE(::testing::Message() << "symbology " << symbol.symbology);
    CQlnBarcode control;
    Configure(control, symbol, 0);
    control.put_ShowHRText(VARIANT_FALSE);  // nothing but the bars next to them
    control.put_ShowComment(VARIANT_FALSE);
    ASSERT_EQ(control.Properties().rasterImageResolution, kExport.resolution);
    const auto bitmap = DrawRasterLabel(control);
    ASSERT_NE(bitmap, nullptr);
    const std::string expected = PatternDots(EncodeLinearSymbol(control).pattern, symbol.modules, kExport);
    for (const std::int32_t y :
         {kExport.margin, kExport.margin + kExport.barHeight / 2, kExport.margin + kExport.barHeight - 1}) {
      EXPECT_EQ(testing::DarkRun(*bitmap, y), expected) << "row " << y;
    }
    EXPECT_EQ(testing::DarkRun(*bitmap, kExport.margin - 1), "");
    EXPECT_EQ(testing::DarkRun(*bitmap, kExport.margin + kExport.barHeight), "");
  }
}

TEST(LinearLabels, BearerBarsRunAlongTheTopAndBottomOfTheBars) {
  for (const auto& symbol : kSymbols) {
    for (const bool textOnTop : {false, true}) {
      for (std::int32_t turns = 0; turns < 4; ++turns) {
        SCOPED_TRACE(::testing::Message() << "symbology " << symbol.symbology << ", text on top " << textOnTop << ", "
                                          << turns << " quarter turns");
        CQlnBarcode control;
        Configure(control, symbol, turns);
        control.put_TextOnTop(textOnTop ? VARIANT_TRUE : VARIANT_FALSE);
        auto expected = testing::LabelFills(control, kExport.resolution);
        ASSERT_FALSE(expected.empty());
        std::int64_t start = INT64_MAX;
        std::int64_t end = INT64_MIN;
        for (const auto& bar : expected) {
          start = std::min(start, bar.alongStart);
          end = std::max(end, bar.alongEnd);
        }
        const std::int64_t top = expected.front().acrossStart;
        const std::int64_t bottom = top + kExport.barHeight;
        expected.push_back({start, end, top, top + kExport.bearer});
        expected.push_back({start, end, bottom - kExport.bearer, bottom});
        control.put_BearerBars(VARIANT_TRUE);
        EXPECT_EQ(testing::LabelFills(control, kExport.resolution), expected);
      }
    }
  }
}

// Exports `control` and returns what both readers read, "zxing|zbar" ("-" for nothing).
std::string ReadBack(CQlnBarcode& control, const std::string& zxingFormat) {
  const std::string path = testing::MakeTempDir() + "/label.png";
  EXPECT_EQ(ExportImageToFile(control, path, qlxFormatPNG), S_OK);
  return testing::ZxingRead(path, zxingFormat).value_or("-") + "|" + testing::ZbarRead(path).value_or("-");
}

TEST(LinearLabels, ExportedLabelsAreReadWithAndWithoutBearerBarsInEveryRotation) {
  const struct {
    std::int32_t symbology;
    std::u16string message;
    std::string zxingFormat;
    std::string read;  // zxing-cpp | zbar; zxing-cpp leaves out Codabar's start and stop
  } cases[] = {
      {7, u"1234567890", "ITF", "1234567890|I2/5:1234567890"},
      {7, u"12 34 567", "ITF", "12345670|I2/5:12345670"},  // odd digit count: check digit added
      {4, u"TEST93", "Code93", "TEST93|CODE-93:TEST93"},
      {4, u"Linnet 93!", "Code93", "Linnet 93!|CODE-93:Linnet 93!"},  // full ASCII shifts
      {3, u"A40156B", "Codabar", "40156|Codabar:A40156B"},
      {3, u"C1234D", "Codabar", "1234|Codabar:C1234D"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "symbology " << c.symbology);
    {
      CQlnBarcode defaultLabel;  // comment below the symbol
      defaultLabel.put_Symbology(c.symbology);
      defaultLabel.put_Message(c.message);
      EXPECT_EQ(ReadBack(defaultLabel, c.zxingFormat), c.read) << "default label";
    }
    for (const bool bearerBars : {false, true}) {
      for (std::int32_t turns = 0; turns < 4; ++turns) {
        CQlnBarcode control;
        control.put_Symbology(c.symbology);
        control.put_Message(c.message);
        control.put_ShowComment(VARIANT_FALSE);
        control.put_BearerBars(bearerBars ? VARIANT_TRUE : VARIANT_FALSE);
        control.put_Rotation(turns);
        EXPECT_EQ(ReadBack(control, c.zxingFormat), c.read)
            << "bearer bars " << bearerBars << ", " << turns << " quarter turns";
      }
    }
  }
}

TEST(LinearLabels, CommandLineExportIsRead) {
  const std::string path = testing::MakeTempDir() + "/label.png";
  const auto result = testing::RunCommand({testing::LinnetBinary(), "export", "-b", "7", "-d", "0123456789", "--set",
                                           "BearerBars=true", "--set", "Rotation=3", "-o", path});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(testing::ZbarRead(path), "I2/5:0123456789");
  EXPECT_EQ(testing::ZxingRead(path, "ITF"), "0123456789");
}

}  // namespace
}  // namespace linnet
