#include <gtest/gtest.h>

#include <algorithm>

#include "control/qln_barcode.h"
#include "render/layout_font.h"
#include "render/linear_drawers.h"
#include "render/recording_surface.h"
#include "render/rotation.h"
#include "render/symbol_block.h"
#include "render/units.h"

namespace linnet {
namespace {

using gdi::GdiCall;
using gdi::GdiOp;

constexpr std::int32_t kR = 1440;
const PointL kAt{5000, 6000};

class DrawersTest : public ::testing::Test {
 protected:
  DrawersTest() { control.Layout().resolution = kR; }

  std::vector<RectL> Fills() const {
    std::vector<RectL> rects;
    for (const auto& call : rec.Calls(GdiOp::FillRect)) {
      rects.push_back(call.rect);
    }
    return rects;
  }

  std::int32_t DigitLineHeight() {
    testing::RecordingSurface measuring;
    measuring.surface.SelectFont(CreateLayoutFont(control, control.FontRef().get(), 0, 1.0));
    const auto tm = measuring.surface.GetTextMetrics();
    return tm.tmHeight + tm.tmExternalLeading;
  }

  CQlnBarcode control;
  testing::RecordingSurface rec;
};

// Bars at (along offset, across offset, across extent, along extent) from the origin.
struct Bar {
  std::int64_t along, across;
  std::int32_t height, width;
};

std::vector<RectL> Expected(const std::vector<Bar>& bars, int turns) {
  std::vector<RectL> rects;
  for (const auto& b : bars) {
    rects.push_back(RotatedRect(Offset(kAt, turns, b.along, b.across), b.height, b.width, turns));
  }
  return rects;
}

TEST_F(DrawersTest, TwoWidthBarsAtEvenPositionsInEveryRotation) {
  const auto d = DrawTwoWidth::For(control, rec.surface);
  ASSERT_EQ(d.narrow, 19);
  ASSERT_EQ(d.wide, 46);  // trunc(13 x 2.5) = 32 mils
  const std::int32_t n = d.narrow;
  const std::int32_t w = d.wide;
  const std::int32_t h = d.barHeight;
  for (int turns = 0; turns < 4; ++turns) {
    SCOPED_TRACE(turns);
    rec.log.Clear();
    d.Draw(kAt, "nwWnNn", turns);
    EXPECT_EQ(Fills(), Expected({{0, 0, h, n}, {n + w, 0, h, w}, {n + 2 * w + n, 0, h, n}}, turns));
  }
  EXPECT_EQ(d.Measure("nwWnNn"), (SizeL{3 * n + w + w, h}));  // the closing space takes no room
  EXPECT_EQ(d.Measure("nwW"), (SizeL{n + 2 * w, h}));
  EXPECT_EQ(d.Measure(""), (SizeL{0, h}));
}

TEST_F(DrawersTest, ModulesAreDrawnWhereTheLetterIsB) {
  const auto d = DrawModules::For(control, rec.surface);
  const std::int32_t m = d.module;
  const std::int32_t h = d.barHeight;
  d.Draw(kAt, "bBsbss", 0);
  EXPECT_EQ(Fills(), Expected({{0, 0, h, m}, {m, 0, h, m}, {3 * m, 0, h, m}}, 0));
  EXPECT_EQ(d.Measure("bBsbss"), (SizeL{5 * m, h}));
  EXPECT_EQ(d.Measure("bsb"), (SizeL{3 * m, h}));
}

TEST_F(DrawersTest, PostalBarsShareTheirBaseline) {
  const auto d = DrawPostalHeights::For(control, rec.surface);
  EXPECT_EQ(d.tallHeight, 181);
  EXPECT_EQ(d.shortHeight, 72);
  EXPECT_EQ(d.barWidth, 29);
  EXPECT_EQ(d.pitch, 65);
  for (int turns = 0; turns < 4; ++turns) {
    rec.log.Clear();
    d.Draw(kAt, "hlHb", turns);
    EXPECT_EQ(Fills(), Expected({{0, 0, 181, 29}, {65, 109, 72, 29}, {130, 0, 181, 29}, {195, 0, 181, 29}}, turns));
  }
  EXPECT_EQ(d.Measure("hlHb"), (SizeL{3 * 65 + 29, 181}));
  EXPECT_EQ(d.Measure(""), (SizeL{0, 181}));
}

TEST_F(DrawersTest, FourStateBars) {
  const auto d = DrawFourState::For(control, rec.surface);
  const std::int32_t f = d.fullHeight;
  const std::int32_t t = d.trackerHeight;
  const std::int32_t a = d.ascenderHeight;
  const std::int32_t w = d.barWidth;
  const std::int32_t p = d.pitch;
  EXPECT_EQ(f, DotsFromMils(189, kR));  // 4.80 mm
  d.Draw(kAt, "AcDdFbTaX", 0);
  EXPECT_EQ(Fills(), Expected({{0, 0, a + t, w},
                               {p, 0, a + t, w},
                               {2 * p, a, a + t, w},
                               {3 * p, a, a + t, w},
                               {4 * p, 0, f, w},
                               {5 * p, 0, f, w},
                               {6 * p, a, t, w},
                               {7 * p, a, t, w}},
                              0));
  EXPECT_EQ(d.Measure("AcDdFbTaX"), (SizeL{8 * p + w, f}));
}

TEST_F(DrawersTest, UpcEanDigitsBesideUnderAndAboveTheBars) {
  const auto d = DrawUpcEan::For(control, rec.surface);
  const std::int32_t m = d.module;
  const std::int32_t bh = d.barHeight;
  const std::int32_t h = DigitLineHeight();
  d.Draw(kAt, "a|bsb|0sssbbsb|c| |bsbb|5sbbsssbsb", 0);
  const std::int32_t data = bh + (-h / 2);
  const std::int64_t supplement = 10 + 3 + 7 + 9 + 7;
  EXPECT_EQ(Fills(), Expected({{10 * m, 0, bh, m},
                               {12 * m, 0, bh, m},
                               {16 * m, 0, data, m},
                               {17 * m, 0, data, m},
                               {19 * m, 0, data, m},
                               {supplement * m, h, bh - h, m},
                               {(supplement + 2) * m, h, bh - h, m},
                               {(supplement + 3) * m, h, bh - h, m},
                               {(supplement + 5) * m, h, bh - h, m},
                               {(supplement + 6) * m, h, bh - h, m},
                               {(supplement + 10) * m, h, bh - h, m},
                               {(supplement + 12) * m, h, bh - h, m}},
                              0));
  const auto outs = rec.Calls(GdiOp::TextOut);
  ASSERT_EQ(outs.size(), 4U);
  const std::int32_t small = -DotsFromMils(static_cast<std::int32_t>(9 * 1000 * 0.67 / 72), kR);
  struct Digit {
    std::u16string text;
    PointL at;
    std::uint32_t align;
    std::int32_t fontHeight;
  };
  const Digit digits[] = {
      // The first outside digit, left-aligned at the pen, 'a' standing for 0 in the small font.
      {u"0", Offset(kAt, 0, 0, bh + h / 2), gdi::TA_LEFT | gdi::TA_BOTTOM, small},
      {u"0", Offset(kAt, 0, 13 * m + 7 * m / 2, data + h), gdi::TA_CENTER | gdi::TA_BOTTOM, -181},
      // Later outside digits right-aligned nine modules on.
      {u"2", Offset(kAt, 0, 20 * m + 9 * m, bh + h / 2), gdi::TA_RIGHT | gdi::TA_BOTTOM, small},
      // Supplement digits above their bars.
      {u"5", Offset(kAt, 0, (supplement + 4) * m + 9 * m / 2, h), gdi::TA_CENTER | gdi::TA_BOTTOM, -181},
  };
  for (size_t i = 0; i < outs.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(outs[i].text, digits[i].text);
    EXPECT_EQ(outs[i].point, digits[i].at);
    EXPECT_EQ(outs[i].textAlign, digits[i].align);
    EXPECT_EQ(outs[i].font.height, digits[i].fontHeight);
  }
  EXPECT_EQ(d.Measure("a|bsb|0sssbbsb|c| |bsbb|5sbbsssbsb"),
            (SizeL{static_cast<std::int32_t>(supplement + 4 + 9) * m, bh + h / 2}));
  EXPECT_EQ(d.Measure("bsb|sbsbs"), (SizeL{8 * m, bh}));
  rec.log.Clear();
  d.Draw(kAt, "", 0);
  EXPECT_TRUE(rec.log.Calls().empty());
}

TEST_F(DrawersTest, DataBarVariantsMeasure) {
  const std::string omni(46, '2');
  struct Case {
    std::int32_t symbology;
    std::int32_t maxCols;
    std::string pattern;
    std::int64_t widthModules;
    std::int64_t heightModules;  // in modules, plus `bars` bar heights
    std::int64_t bars;
  };
  const std::string expanded(21 * 4 + 13, '1');  // nine segments
  const Case cases[] = {
      {33, 0, "1234", 10, 0, 1},
      {34, 0, "1234", 10, 13, 0},
      {37, 0, "11", 2, 0, 1},
      {35, 0, omni, 50, 13, 0},
      {36, 0, omni, 50, 3, 2},
      {38, 0, expanded, 49 * 4 + 32 + 4, 0, 1},
      {38, 23, expanded, 232, 0, 1},
      {38, -1, expanded, 232, 0, 1},
      {38, 4, expanded, 49 * 2 + 4, 6, 3},
      {38, 3, expanded, 49 * 2 + 4, 6, 3},
      {38, 2, expanded, 53, 12, 5},
      {38, 0, "", 4, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.symbology << " MaxCols " << c.maxCols);
    control.put_Symbology(c.symbology);
    control.put_MaxCols(c.maxCols);
    control.Layout().resolution = kR;
    const auto d = DrawDataBar::For(control, rec.surface);
    EXPECT_EQ(d.Measure(c.pattern),
              (SizeL{static_cast<std::int32_t>(c.widthModules * d.module),
                     static_cast<std::int32_t>(c.heightModules * d.module + c.bars * d.barHeight)}));
  }
}

TEST_F(DrawersTest, DataBarStackedIsThirteenModulesHigh) {
  control.put_Symbology(35);
  control.Layout().resolution = kR;
  const auto d = DrawDataBar::For(control, rec.surface);
  d.Draw({0, 0}, std::string(46, '2'), 0);
  std::int32_t top = INT32_MAX;
  std::int32_t bottom = INT32_MIN;
  std::int32_t right = 0;
  for (const auto& r : Fills()) {
    top = std::min(top, r.top);
    bottom = std::max(bottom, r.bottom);
    right = std::max(right, r.right);
  }
  EXPECT_EQ(top, 0);
  EXPECT_EQ(bottom, 13 * d.module);
  EXPECT_LE(right, 50 * d.module);
  // Every fill lies in one of the three rows: 5 modules, the separator, 7 modules.
  for (const auto& r : Fills()) {
    const bool upper = r.top == 0 && r.bottom == 5 * d.module;
    const bool separator = r.top == 5 * d.module && r.bottom == 6 * d.module && r.right - r.left == d.module;
    const bool lower = r.top == 6 * d.module && r.bottom == 13 * d.module;
    EXPECT_TRUE(upper || separator || lower) << r.top << ".." << r.bottom;
  }
}

TEST_F(DrawersTest, BearerBarsAlongTheTopAndBottomOfTheBars) {
  const std::int32_t t = DotsFromMils(78, kR);
  const SizeL size{900, 700};
  struct Case {
    int turns;
    RectL first, second;
  };
  const std::int32_t x = kAt.x;
  const std::int32_t y = kAt.y;
  const Case cases[] = {
      {0, {x, y, x + 900, y + t}, {x, y + 700 - t, x + 900, y + 700}},
      {1, {x, y - 900, x + t, y}, {x + 700 - t, y - 900, x + 700, y}},
      {2, {x - 900, y - t, x, y}, {x - 900, y - 700, x, y - 700 + t}},
      {3, {x - t, y, x, y + 900}, {x - 700, y, x - 700 + t, y + 900}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.turns);
    control.put_Rotation(c.turns);
    control.Layout().resolution = kR;
    rec.log.Clear();
    DrawBearerBars(control, rec.surface, kAt, size);
    EXPECT_EQ(Fills(), (std::vector<RectL>{c.first, c.second}));
  }
}

TEST_F(DrawersTest, BearerBarsOnlyForNarrowWideAndModuleFamilies) {
  struct Case {
    std::int32_t symbology;
    size_t extraFills;
  };
  const Case cases[] = {{0, 2}, {5, 2}, {7, 2}, {8, 0}, {20, 0}, {33, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.symbology);
    control.put_Symbology(c.symbology);
    control.put_BearerBars(VARIANT_FALSE);
    control.Layout().resolution = kR;
    rec.log.Clear();
    DrawSymbolBlock(control, rec.surface, {0, 0}, MeasureSymbolBlock(control, rec.surface).cx);
    const size_t plain = rec.Calls(GdiOp::FillRect).size();
    control.put_BearerBars(VARIANT_TRUE);
    control.Layout().resolution = kR;
    rec.log.Clear();
    DrawSymbolBlock(control, rec.surface, {0, 0}, MeasureSymbolBlock(control, rec.surface).cx);
    EXPECT_EQ(rec.Calls(GdiOp::FillRect).size(), plain + c.extraFills);
  }
}

}  // namespace
}  // namespace linnet
