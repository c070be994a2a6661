#include "render/draw_control.h"

#include <gtest/gtest.h>

#include <cmath>

#include "control/qln_barcode.h"
#include "platform/codepage.h"
#include "render/natural_size.h"
#include "render/recording_surface.h"
#include "render/units.h"

namespace linnet {
namespace {

using gdi::GdiCall;
using gdi::GdiOp;

class CountingSink : public IBarcodeEvents {
 public:
  HRESULT BarcodeError(std::int32_t handle, std::int32_t nError) override {
    calls.push_back({handle, nError});
    return S_OK;
  }
  std::vector<std::pair<std::int32_t, std::int32_t>> calls;
};

gdi::GdiCall Last(const testing::RecordingSurface& rec, GdiOp op) {
  const auto calls = rec.Calls(op);
  return calls.empty() ? GdiCall{} : calls.back();
}

std::int32_t MulDivRounded(std::int32_t a, std::int32_t b, std::int32_t c) {
  return static_cast<std::int32_t>(std::lround(static_cast<double>(a) * b / c));
}

TEST(DrawControl, ScreenLaysOutAt1440AndCentresTheLabelInEveryRotation) {
  for (int turns = 0; turns < 4; ++turns) {
    SCOPED_TRACE(turns);
    CQlnBarcode control;
    control.put_Rotation(turns);
    const SizeL natural = control.NaturalSize();
    const std::int32_t w = MulDivRounded(96, natural.cx, 2540);
    const std::int32_t h = MulDivRounded(96, natural.cy, 2540);
    const RectL bounds{10, 20, 10 + w + 40, 20 + h + 60};
    testing::RecordingSurface screen(96);
    ASSERT_EQ(DrawControl(control, screen.context, bounds, nullptr), S_OK);
    EXPECT_EQ(Last(screen, GdiOp::SetWindowExt).point, (PointL{1440, 1440}));
    EXPECT_EQ(Last(screen, GdiOp::SetViewportExt).point, (PointL{96, 96}));
    const PointL origins[] = {
        {30, 50}, {30, bounds.bottom - 30}, {bounds.right - 20, bounds.bottom - 30}, {bounds.right - 20, 50}};
    EXPECT_EQ(Last(screen, GdiOp::SetViewportOrg).point, origins[turns]);
    // Bars are laid out in 1440ths of an inch: a narrow bar of 13 mils is 19 dots.
    const auto fills = screen.Calls(GdiOp::FillRect);
    ASSERT_GT(fills.size(), 1U);
    const RectL bar = fills[1].rect;
    EXPECT_EQ(turns % 2 == 0 ? bar.right - bar.left : bar.bottom - bar.top, 19);
    EXPECT_EQ(control.Layout().resolution, 1440);
    EXPECT_EQ(control.Layout().origin, (PointL{0, 0}));
  }
}

TEST(DrawControl, PrinterLaysOutAtItsOwnResolution) {
  CQlnBarcode control;
  testing::RecordingSurface printer(600);
  ASSERT_EQ(DrawControl(control, printer.context, {0, 0, 2000, 2000}, nullptr), S_OK);
  EXPECT_EQ(Last(printer, GdiOp::SetWindowExt).point, (PointL{600, 600}));
  EXPECT_EQ(Last(printer, GdiOp::SetViewportExt).point, (PointL{600, 600}));
  const RectL bar = printer.Calls(GdiOp::FillRect)[1].rect;
  EXPECT_EQ(bar.right - bar.left, DotsFromMils(13, 600));
  EXPECT_EQ(control.Layout().resolution, 1440);
}

TEST(DrawControl, ZoomScalesTheViewportNotTheLayout) {
  std::vector<GdiCall> bars[2];
  for (const int zoomed : {0, 1}) {
    CQlnBarcode control;
    control.put_AutoSize(VARIANT_TRUE);
    control.put_ZoomRatio(zoomed != 0 ? 2.5 : 1.0);
    testing::RecordingSurface screen(96);
    DrawControl(control, screen.context, {0, 0, 1000, 1000}, nullptr);
    EXPECT_EQ(Last(screen, GdiOp::SetViewportExt).point, zoomed != 0 ? (PointL{240, 240}) : (PointL{96, 96}));
    bars[zoomed] = screen.Calls(GdiOp::FillRect);
  }
  ASSERT_EQ(bars[0].size(), bars[1].size());
  for (size_t i = 0; i < bars[0].size(); ++i) {
    EXPECT_EQ(bars[0][i].rect, bars[1][i].rect);
  }
}

TEST(DrawControl, MetafileTargetsGetTheirMappings) {
  CQlnBarcode control;
  control.put_Rotation(qlxRTAntiClockwise_90);
  const SizeL natural = control.NaturalSize();
  {
    gdi::DeviceContext target(gdi::DeviceCaps{96, 96, gdi::Technology::EnhancedMetafile});
    gdi::CallLog log;
    target.SetRecorder(&log);
    ASSERT_EQ(DrawControl(control, target, {0, 0, 100, 100}, nullptr), S_OK);
    EXPECT_EQ(log.Of(GdiOp::SetWindowExt).back().point, (PointL{1440, 1440}));
    EXPECT_EQ(log.Of(GdiOp::SetViewportExt).back().point, (PointL{96, 96}));
    EXPECT_EQ(log.Of(GdiOp::SetViewportOrg).back().point,
              (PointL{0, static_cast<std::int32_t>(96.0 * natural.cy / 2540)}));
  }
  {
    // A classic metafile measures on the screen and lays out in twips.
    gdi::DeviceContext target(gdi::DeviceCaps{96, 96, gdi::Technology::Metafile});
    gdi::CallLog log;
    target.SetRecorder(&log);
    ASSERT_EQ(DrawControl(control, target, {0, 0, 100, 100}, nullptr), S_OK);
    const auto w = static_cast<std::int32_t>(natural.cy * 1.44 / 2.54);  // unrotated width
    const auto h = static_cast<std::int32_t>(natural.cx * 1.44 / 2.54);
    EXPECT_EQ(log.Of(GdiOp::SetWindowOrg).back().point, (PointL{0, -w}));
    EXPECT_EQ(log.Of(GdiOp::SetWindowExt).back().point, (PointL{h, w}));
    EXPECT_EQ(log.Of(GdiOp::SetViewportExt).back().point, (PointL{h * 96 / 1440, w * 96 / 1440}));
    EXPECT_FALSE(log.Of(GdiOp::TextOut).empty());
  }
  EXPECT_EQ(control.Layout().resolution, 1440);
}

// A host drawing into its metafile with window bounds gets the label recorded afresh and
// played stretched into the bounds: the background's corners land on the bounds' corners.
TEST(DrawControl, AHostMetafileWithWindowBoundsGetsTheRecordingInItsBounds) {
  const struct {
    int rotation;
    RectL bounds;
  } cases[] = {{0, {100, 200, 700, 500}}, {1, {-50, 0, 250, 900}}, {2, {0, 0, 181, 165}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rotation);
    CQlnBarcode control;
    control.put_Rotation(c.rotation);
    gdi::DeviceContext target(gdi::DeviceCaps{96, 96, gdi::Technology::EnhancedMetafile});
    gdi::CallLog log;
    target.SetRecorder(&log);
    const RectL window{0, 0, 1000, 1000};
    ASSERT_EQ(DrawControl(control, target, c.bounds, &window), S_OK);
    const auto fills = log.Of(GdiOp::FillRect);
    ASSERT_FALSE(fills.empty());
    // The background spans the label less its border, and the label spans the bounds.
    const RectL background = fills.front().rect;
    const PointL a = target.LogicalToDevice({background.left, background.top});
    const PointL b = target.LogicalToDevice({background.right, background.bottom});
    const double slackX = (c.bounds.right - c.bounds.left) / 30.0;
    const double slackY = (c.bounds.bottom - c.bounds.top) / 30.0;
    EXPECT_NEAR(std::min(a.x, b.x), c.bounds.left, slackX);
    EXPECT_NEAR(std::max(a.x, b.x), c.bounds.right, slackX);
    EXPECT_NEAR(std::min(a.y, b.y), c.bounds.top, slackY);
    EXPECT_NEAR(std::max(a.y, b.y), c.bounds.bottom, slackY);
    EXPECT_FALSE(log.Of(GdiOp::TextOut).empty());
  }
}

TEST(DrawControl, AnUnencodableSymbolIsDrawnAsRedTextAndReportedOnce) {
  for (const bool connected : {true, false}) {
    SCOPED_TRACE(connected);
    CQlnBarcode control;
    control.put_Symbology(38);
    control.put_Message(u"ABC");
    auto sink = std::make_shared<CountingSink>();
    if (connected) {
      control.Events().Advise(sink);
    }
    ComputeNaturalSize(control);
    EXPECT_TRUE(sink->calls.empty());  // measuring reports nothing
    testing::RecordingSurface screen(96);
    ASSERT_EQ(DrawControl(control, screen.context, {0, 0, 1000, 1000}, nullptr), S_OK);
    std::u16string text;
    const std::int32_t errorHeight = -DotsFromMils(83, 1440);  // 6 pt
    for (const auto& call : screen.Calls(GdiOp::TextOut)) {
      if (call.font.faceName == u"Courier New") {
        EXPECT_EQ(call.textColor, gdi::kRed);
        EXPECT_EQ(call.font.weight, 700);
        EXPECT_EQ(call.font.height, errorHeight);
        EXPECT_EQ(call.textAlign, gdi::TA_LEFT | gdi::TA_TOP);
        EXPECT_EQ(call.point.x, DotsFromMils(100, 1440));
        text += (text.empty() ? u"" : u" ") + call.text;
      } else {
        EXPECT_NE(call.textColor, gdi::kRed);  // the comment keeps its colour
      }
    }
    EXPECT_EQ(WideToUtf8(text), "Linear Encoding Error 10. The AI portion of an EAN-128 structure must be numeric.");
    if (connected) {
      ASSERT_EQ(sink->calls.size(), 1U);
      EXPECT_EQ(sink->calls[0], (std::pair{control.Handle(), 10}));
    }
    EXPECT_EQ(control.Layout().resolution, 1440);
  }
}

}  // namespace
}  // namespace linnet
