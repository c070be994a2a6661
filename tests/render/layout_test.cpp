#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "control/qln_barcode.h"
#include "render/background.h"
#include "render/label.h"
#include "render/linear_drawers.h"
#include "render/mappings.h"
#include "render/natural_size.h"
#include "render/quiet_zone.h"
#include "render/recording_surface.h"
#include "render/rotation.h"
#include "render/symbol_block.h"
#include "render/units.h"

namespace linnet {
namespace {

using gdi::GdiCall;
using gdi::GdiOp;

constexpr std::int32_t kR = 300;

// A control laid out at 300 dots per inch on a recording surface.
class LayoutTest : public ::testing::Test {
 protected:
  LayoutTest() { control.Layout().resolution = kR; }

  std::int32_t D(std::int32_t mils) const { return DotsFromMils(mils, kR); }
  SizeL Block() { return MeasureSymbolBlock(control, rec.surface); }

  // Draws the whole label the way a raster export does.
  void DrawRasterLabel() {
    control.Layout().resolution = kR;
    const SizeL natural = ComputeNaturalSize(control);
    PrepareRasterMapping(control, rec.surface, {0, 0, 1000, 1000}, natural);
    DrawBackground(control, rec.surface);
    DrawLabel(control, rec.surface);
  }

  // Fills after the background's.
  std::vector<GdiCall> Bars() const {
    auto fills = rec.Calls(GdiOp::FillRect);
    fills.erase(fills.begin());
    return fills;
  }

  // Text drawn in a font of `points` points at R.
  std::vector<GdiCall> TextIn(double points) const {
    std::vector<GdiCall> out;
    const std::int32_t height = -D(static_cast<std::int32_t>(points * 1000 / 72));
    for (const auto& call : rec.Calls(GdiOp::TextOut)) {
      if (call.font.height == height) {
        out.push_back(call);
      }
    }
    return out;
  }

  CQlnBarcode control;
  testing::RecordingSurface rec;
};

TEST_F(LayoutTest, NaturalSizeWithoutMarginsIsTheSymbolBlock) {
  for (const std::int32_t unit : {qlxMeasureEnglish, qlxMeasureMetrics}) {
    SCOPED_TRACE(unit);
    CQlnBarcode c;
    c.put_Measurement(unit);
    c.put_ShowComment(VARIANT_FALSE);
    c.put_SymbolMarginLeft(0);
    c.put_SymbolMarginRight(0);
    c.put_SymbolMarginTop(0);
    c.put_SymbolMarginBottom(0);
    testing::RecordingSurface screen(96);
    const SizeL block = MeasureSymbolBlock(c, screen.surface);
    const SizeL natural = ComputeNaturalSize(c);
    if (unit == qlxMeasureMetrics) {
      EXPECT_EQ(natural, (SizeL{MetricFromDots(block.cx, 1440), MetricFromDots(block.cy, 1440)}));
    } else {
      EXPECT_EQ(natural, (SizeL{static_cast<std::int32_t>(MilsFromDots(block.cx, 1440) * 2.54),
                                static_cast<std::int32_t>(MilsFromDots(block.cy, 1440) * 2.54)}));
    }
  }
}

TEST_F(LayoutTest, NaturalSizeAddsMarginsAndCommentAndTurnsWithTheLabel) {
  const SizeL block = Block();
  const SizeL comment = MeasureCommentBox(control, rec.surface, block.cx);
  control.Layout().resolution = kR;
  const SizeL natural = ComputeNaturalSize(control);
  const std::int32_t width = block.cx + D(200);
  const std::int32_t height = block.cy + comment.cy + D(200);
  const SizeL expected{static_cast<std::int32_t>(MilsFromDots(width, kR) * 2.54),
                       static_cast<std::int32_t>(MilsFromDots(height, kR) * 2.54)};
  EXPECT_EQ(natural, expected);
  std::int32_t labelWidth = 0;
  control.put_Rotation(qlxRTAntiClockwise_90);
  control.Layout().resolution = kR;
  EXPECT_EQ(ComputeNaturalSize(control), (SizeL{expected.cy, expected.cx}));
  EXPECT_EQ(control.Properties().labelWidth, MilsFromDots(width, kR));
  control.put_AutoLabelSize(VARIANT_FALSE);
  control.get_LabelWidth(&labelWidth);
  EXPECT_EQ(labelWidth, 2000);
}

TEST_F(LayoutTest, QuietZonesBySymbology) {
  struct Case {
    std::int32_t symbology;
    SizeL zone;
  };
  const Case cases[] = {
      {0, {10 * D(13), 0}},         {5, {10 * D(13), 0}}, {40, {D(13), D(39)}},
      {41, {2 * D(20), 2 * D(20)}}, {42, {D(34), D(30)}},  // 0.87 and 0.76 mm
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.symbology);
    control.put_Symbology(c.symbology);
    control.put_QuietZones(VARIANT_FALSE);
    EXPECT_EQ(QuietZone(control), (SizeL{0, 0}));
    control.put_QuietZones(VARIANT_TRUE);
    control.Layout().resolution = kR;
    EXPECT_EQ(QuietZone(control), c.zone);
  }
}

TEST_F(LayoutTest, QuietZonesWidenTheBlockOnly) {
  const SizeL without = Block();
  control.put_QuietZones(VARIANT_TRUE);
  control.Layout().resolution = kR;
  const SizeL with = Block();
  EXPECT_EQ(with.cx, without.cx + 20 * D(13));
  EXPECT_EQ(with.cy, without.cy);
}

TEST_F(LayoutTest, FailedEncodingMeasuresOneInchPlusQuietZones) {
  control.put_Symbology(38);
  control.put_Message(u"ABC");  // accepted when set, refused when encoded
  control.Layout().resolution = kR;
  EXPECT_EQ(Block(), (SizeL{D(1000), D(1000)}));
  control.put_QuietZones(VARIANT_TRUE);
  control.Layout().resolution = kR;
  EXPECT_EQ(Block(), (SizeL{D(1000) + 20 * D(13), D(1000)}));
}

TEST_F(LayoutTest, NegativeCommentMarginWidensTheCommentNotTheLabel) {
  const SizeL block = Block();
  control.Layout().resolution = kR;
  const SizeL plain = ComputeNaturalSize(control);
  control.put_CommentMarginLeft(-100);
  control.Layout().resolution = kR;
  EXPECT_EQ(MeasureCommentBox(control, rec.surface, block.cx).cx, block.cx + D(100));
  EXPECT_EQ(ComputeNaturalSize(control).cx, plain.cx);
  control.put_CommentMarginLeft(100);
  control.Layout().resolution = kR;
  EXPECT_GT(ComputeNaturalSize(control).cx, plain.cx);
}

// The label is the same in every orientation: the comment box starts SymbolMarginLeft and
// the symbol SymbolMarginLeft + CommentMarginLeft from the leading edge.
TEST_F(LayoutTest, PlacementTurnsWithTheLabel) {
  control.put_CommentMarginLeft(50);
  control.put_CommentMarginTop(20);
  for (const VARIANT_BOOL autoSize : {VARIANT_FALSE, VARIANT_TRUE}) {
    for (int turns = 0; turns < 4; ++turns) {
      SCOPED_TRACE(::testing::Message() << "turns " << turns << " AutoSize " << autoSize);
      control.put_AutoSize(autoSize);
      control.put_Rotation(turns);
      rec.log.Clear();
      DrawRasterLabel();
      const SizeL block = Block();
      const auto bars = Bars();
      ASSERT_FALSE(bars.empty());
      const PointL symbolCorner = Offset({0, 0}, turns, D(100) + D(50), D(100));
      // The first element of "*" is a narrow bar.
      EXPECT_EQ(bars.front().rect, RotatedRect(symbolCorner, D(1000), D(13), turns));
      const auto comment = TextIn(8);
      ASSERT_FALSE(comment.empty());
      EXPECT_EQ(comment.front().point, Offset({0, 0}, turns, D(100), D(100) + block.cy + D(20)));
      EXPECT_EQ(comment.front().font.escapement, turns * 900);
      const auto hr = TextIn(9);
      ASSERT_EQ(hr.size(), 1U);
      EXPECT_EQ(hr.front().text, u"*QUILLON*");
      EXPECT_EQ(hr.front().point, Offset(symbolCorner, turns, (block.cx) / 2, D(1000)));
    }
  }
}

TEST_F(LayoutTest, CommentOnTopPutsTheSymbolBelowIt) {
  control.put_CommentOnTop(VARIANT_TRUE);
  control.put_CommentMarginTop(20);
  control.put_CommentMarginBottom(30);
  const SizeL comment = MeasureCommentBox(control, rec.surface, Block().cx);
  DrawRasterLabel();
  EXPECT_EQ(TextIn(8).front().point, (PointL{D(100), D(100) + D(20)}));
  EXPECT_EQ(Bars().front().rect.top, D(100) + D(20) + comment.cy + D(30));
}

TEST_F(LayoutTest, LabelModeCentresTheSymbolAndSpansTheComment) {
  control.put_AutoLabelSize(VARIANT_FALSE);
  control.put_LabelWidth(4000);
  control.put_CommentMarginLeft(50);
  control.put_CommentMarginRight(70);
  control.put_CommentAlignment(qlxAlignRight);
  DrawRasterLabel();
  const SizeL block = Block();
  EXPECT_EQ(Bars().front().rect.left, (D(4000) - block.cx) / 2);
  const std::int32_t commentWidth = D(4000) - D(100) - D(70) - D(50) - D(100);
  EXPECT_EQ(MeasureCommentBox(control, rec.surface, block.cx).cx, commentWidth);
  EXPECT_EQ(TextIn(8).front().point.x, D(100) + D(50) + commentWidth);
}

TEST_F(LayoutTest, NarrowLabelLetsTheSymbolOverhangBothSides) {
  control.put_AutoLabelSize(VARIANT_FALSE);
  control.put_LabelWidth(500);
  DrawRasterLabel();
  EXPECT_EQ(Bars().front().rect.left, (D(500) - Block().cx) / 2);
  EXPECT_LT(Bars().front().rect.left, 0);
}

TEST_F(LayoutTest, RightAlignedTextEndsAtTheLastBar) {
  control.put_QuietZones(VARIANT_TRUE);
  control.put_TexAlignment(qlxAlignRight);
  DrawRasterLabel();
  const auto bars = Bars();
  std::int32_t lastBarEnd = 0;
  for (const auto& bar : bars) {
    lastBarEnd = std::max(lastBarEnd, bar.rect.right);
  }
  const auto hr = TextIn(9);
  ASSERT_EQ(hr.size(), 1U);
  EXPECT_EQ(hr.front().point.x, lastBarEnd);
  EXPECT_EQ(hr.front().textAlign, gdi::TA_RIGHT | gdi::TA_TOP);
  EXPECT_EQ(bars.front().rect.left, D(100) + 10 * D(13));
}

TEST_F(LayoutTest, TextOnTopPutsTheBarsUnderTheText) {
  control.put_TextOnTop(VARIANT_TRUE);
  DrawRasterLabel();
  const auto hr = TextIn(9);
  ASSERT_EQ(hr.size(), 1U);
  EXPECT_EQ(hr.front().point.y, D(100));
  const std::int32_t lineHeight = Block().cy - D(1000);
  EXPECT_EQ(Bars().front().rect.top, D(100) + lineHeight);
}

TEST_F(LayoutTest, BackgroundFillsTheNaturalSizeLessTheBorder) {
  for (int turns = 0; turns < 4; ++turns) {
    SCOPED_TRACE(turns);
    control.put_Rotation(turns);
    rec.log.Clear();
    DrawRasterLabel();
    const SizeL n = control.Layout().naturalDots;
    const PointL far = Offset({0, 0}, turns, turns % 2 == 0 ? n.cx : n.cy, turns % 2 == 0 ? n.cy : n.cx);
    const RectL full{std::min(0, far.x), std::min(0, far.y), std::max(0, far.x), std::max(0, far.y)};
    const std::int32_t b = D(15);
    EXPECT_EQ(rec.Calls(GdiOp::FillRect).front().rect,
              (RectL{full.left + b, full.top + b, full.right - b, full.bottom - b}));
  }
}

TEST_F(LayoutTest, BorderedBackgroundIsARoundedRectangle) {
  control.put_BorderStyle(2);
  control.put_BorderColor(0x00FF0000);
  DrawRasterLabel();
  const auto rounds = rec.Calls(GdiOp::RoundRect);
  ASSERT_EQ(rounds.size(), 1U);
  EXPECT_EQ(rounds[0].point, (PointL{D(75), D(75)}));
  EXPECT_EQ(rounds[0].pen.style, gdi::PenStyle::Dash);
  EXPECT_EQ(rounds[0].pen.width, D(15));
  EXPECT_EQ(rounds[0].pen.color, 0x00FF0000U);
  EXPECT_EQ(rounds[0].brush.color, gdi::kWhite);
  control.put_BorderWidth(0);
  rec.log.Clear();
  DrawRasterLabel();
  EXPECT_TRUE(rec.Calls(GdiOp::RoundRect).empty());
}

}  // namespace
}  // namespace linnet
