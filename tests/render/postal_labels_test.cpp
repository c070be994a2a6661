// Postal symbols in the whole label: tall and short bars, and four-state bars, at the fixed
// physical sizes of the postal standards, in the order the standards' tables give, on the
// common lines the bars share; in every rotation and in the exported pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/qln_barcode.h"
#include "render/label_frame.h"
#include "render/raster_export.h"
#include "symbology/linear_reference.h"

namespace linnet {
namespace {

using testing::FrameRect;

// 100-mil margins at each resolution.
std::int32_t Margin(std::int32_t resolution) {
  return resolution == 1440 ? 145 : resolution == 600 ? 60 : 30;
}

// Bars of 20 mils at a 45-mil pitch, 125 mils tall or 50 mils short, in dots.
struct HeightModulatedDots {
  std::int32_t resolution;
  std::int32_t tall;
  std::int32_t shortBar;
  std::int32_t width;
  std::int32_t pitch;
};
constexpr HeightModulatedDots kHeightModulated[] = {
    {1440, 181, 72, 29, 65},
    {600, 75, 30, 12, 27},
    {300, 38, 15, 6, 14},
};

// Bars of 0.55 mm at a 1.10 mm pitch; full 4.80 mm, tracker 1.20 mm starting 1.80 mm down.
struct FourStateDots {
  std::int32_t resolution;
  std::int32_t full;
  std::int32_t tracker;
  std::int32_t ascender;
  std::int32_t width;
  std::int32_t pitch;
};
constexpr FourStateDots kFourState[] = {
    {1440, 274, 68, 103, 32, 62},
    {600, 114, 28, 43, 13, 26},
    {300, 57, 14, 21, 7, 13},
};

// The bars a standard's table gives for `key` (its first column).
std::string TableBars(const std::string& table, const std::string& key, size_t column) {
  for (const auto& record : testing::LinearReference(table)) {
    if (record[0] == key) {
      return record[column];
    }
  }
  return "?";
}

// 'h' and 'l' bars of a Postnet or Planet symbol: Planet inverts every digit's bars, not the
// frame bars.
std::string HeightModulatedBars(const std::string& digits, bool planet) {
  const std::string frame = TableBars("POSTNET", "FRAME", 1);
  std::string bars = frame;
  for (const char digit : digits) {
    for (const char bar : TableBars("POSTNET", std::string(1, digit), 1)) {
      bars.push_back(planet == (bar == 'h') ? 'l' : 'h');
    }
  }
  return bars + frame;
}

// 'T', 'A', 'D' and 'F' bars of a Royal Mail symbol.
std::string FourStateBars(const std::string& characters) {
  std::string bars = TableBars("RM4SCC", "START", 4);
  for (const char c : characters) {
    bars += TableBars("RM4SCC", std::string(1, c), 4);
  }
  return bars + TableBars("RM4SCC", "STOP", 4);
}

CQlnBarcode& Configure(CQlnBarcode& control, std::int32_t symbology, const std::u16string& message,
                       std::int32_t rotation) {
  control.put_Symbology(symbology);
  control.put_Message(message);
  control.put_Rotation(rotation);
  control.put_BearerBars(VARIANT_TRUE);  // never drawn on postal symbols
  return control;
}

// Each bar is one fill; the label's fills are the same in every rotation.
std::vector<FrameRect> UprightBars(std::int32_t symbology, const std::u16string& message, std::int32_t resolution) {
  CQlnBarcode control;
  auto upright = testing::LabelFills(Configure(control, symbology, message, 0), resolution);
  for (std::int32_t turns = 1; turns < 4; ++turns) {
    EXPECT_EQ(testing::LabelFills(Configure(control, symbology, message, turns), resolution), upright)
        << turns << " quarter turns";
  }
  return upright;
}

TEST(PostalLabels, TallAndShortBarsStandOnOneBaseline) {
  const struct {
    std::int32_t symbology;
    std::u16string message;
    std::string digits;  // with the check digit
  } cases[] = {
      {20, u"12345-6789", "1234567895"},
      {20, u"02134", "021340"},
      {21, u"12345678901", "123456789014"},
  };
  for (const auto& c : cases) {
    for (const auto& d : kHeightModulated) {
      SCOPED_TRACE(::testing::Message() << "symbology " << c.symbology << " at " << d.resolution);
      const std::int32_t margin = Margin(d.resolution);
      const auto bars = UprightBars(c.symbology, c.message, d.resolution);
      std::string heights;
      for (size_t i = 0; i < bars.size(); ++i) {
        const FrameRect& bar = bars[i];
        EXPECT_EQ(bar.alongStart, margin + static_cast<std::int64_t>(i) * d.pitch) << "bar " << i;
        EXPECT_EQ(bar.alongEnd - bar.alongStart, d.width) << "bar " << i;
        EXPECT_EQ(bar.acrossEnd, margin + d.tall) << "bar " << i;  // the common baseline
        const std::int64_t height = bar.acrossEnd - bar.acrossStart;
        heights.push_back(height == d.tall ? 'h' : height == d.shortBar ? 'l' : '?');
      }
      EXPECT_EQ(heights, HeightModulatedBars(c.digits, c.symbology == 21));
    }
  }
}

TEST(PostalLabels, FourStateBarsShareTheirTopAndBottomLines) {
  const struct {
    std::u16string message;
    std::string characters;  // with the check character
  } cases[] = {
      {u"SN34RD1A", "SN34RD1AK"},
      {u"BX11LT1A", "BX11LT1AI"},
  };
  for (const auto& c : cases) {
    for (const auto& d : kFourState) {
      SCOPED_TRACE(::testing::Message() << c.characters << " at " << d.resolution);
      const std::int32_t margin = Margin(d.resolution);
      const auto bars = UprightBars(22, c.message, d.resolution);
      std::string states;
      for (size_t i = 0; i < bars.size(); ++i) {
        const FrameRect& bar = bars[i];
        EXPECT_EQ(bar.alongStart, margin + static_cast<std::int64_t>(i) * d.pitch) << "bar " << i;
        EXPECT_EQ(bar.alongEnd - bar.alongStart, d.width) << "bar " << i;
        // Ascenders and full bars share the top line, descenders and full bars the bottom
        // line; the tracker lies between the two.
        const auto top = bar.acrossStart - margin;
        const auto bottom = bar.acrossEnd - margin;
        const std::int64_t trackerTop = d.ascender;
        const std::int64_t trackerBottom = d.ascender + d.tracker;
        const char state = top == 0 && bottom == d.full                   ? 'F'
                           : top == 0 && bottom == trackerBottom          ? 'A'
                           : top == trackerTop && bottom == d.full        ? 'D'
                           : top == trackerTop && bottom == trackerBottom ? 'T'
                                                                          : '?';
        states.push_back(state);
      }
      EXPECT_EQ(states, FourStateBars(c.characters));
    }
  }
}

// Every bar's pixels dark, the pixels around it light.
void ExpectSolidBars(const gdi::MonoBitmap& bitmap, const std::vector<FrameRect>& bars) {
  for (size_t i = 0; i < bars.size(); ++i) {
    const auto left = static_cast<std::int32_t>(bars[i].alongStart);
    const auto right = static_cast<std::int32_t>(bars[i].alongEnd);
    const auto top = static_cast<std::int32_t>(bars[i].acrossStart);
    const auto bottom = static_cast<std::int32_t>(bars[i].acrossEnd);
    int dark = 0;
    for (std::int32_t y = top; y < bottom; ++y) {
      for (std::int32_t x = left; x < right; ++x) {
        dark += bitmap.IsWhite(x, y) ? 0 : 1;
      }
    }
    EXPECT_EQ(dark, (right - left) * (bottom - top)) << "bar " << i;
    for (std::int32_t y = top; y < bottom; ++y) {
      EXPECT_TRUE(bitmap.IsWhite(left - 1, y) && bitmap.IsWhite(right, y)) << "bar " << i << " row " << y;
    }
    for (std::int32_t x = left; x < right; ++x) {
      EXPECT_TRUE(bitmap.IsWhite(x, top - 1) && bitmap.IsWhite(x, bottom)) << "bar " << i << " column " << x;
    }
  }
}

TEST(PostalLabels, ExportedPixelsAreTheBars) {
  const struct {
    std::int32_t symbology;
    std::u16string message;
  } cases[] = {{20, u"12345-6789"}, {21, u"12345678901"}, {22, u"SN34RD1A"}};
  for (const auto& c : cases) {
    for (const std::int32_t resolution : {300, 600}) {
      SCOPED_TRACE(::testing::Message() << "symbology " << c.symbology << " at " << resolution);
      CQlnBarcode control;
      Configure(control, c.symbology, c.message, 0);
      control.put_ShowHRText(VARIANT_FALSE);
      control.put_ShowComment(VARIANT_FALSE);
      control.put_RasterImageResolution(resolution);
      const auto bars = testing::LabelFills(control, resolution);
      const auto bitmap = DrawRasterLabel(control);
      ASSERT_NE(bitmap, nullptr);
      ExpectSolidBars(*bitmap, bars);
    }
  }
}

}  // namespace
}  // namespace linnet
