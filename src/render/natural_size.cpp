#include "render/natural_size.h"

#include <algorithm>
#include <cmath>

#include "control/qln_barcode.h"
#include "platform/gdi/screen.h"
#include "render/drawing_surface.h"
#include "render/rotation.h"
#include "render/symbol_block.h"
#include "render/text_block.h"
#include "render/units.h"

namespace linnet {

namespace {

// Measures on the screen in its default mapping, one unit per pixel: fonts created R dots
// high measure R dots high, so every extent is in layout dots whatever the screen is.
void MeasureLabelSize(CQlnBarcode& control) {
  const auto& p = control.Properties();
  const auto screen = gdi::CreateScreenContext();
  DrawingSurface surface(*screen);
  auto d = [&](std::int32_t length) { return static_cast<std::int64_t>(DotsFromUser(control, length)); };
  const SizeL symbol = MeasureSymbolBlock(control, surface);
  std::int64_t width = symbol.cx;
  std::int64_t height = symbol.cy;
  if (p.showComment != 0) {
    TextBox box;
    box.width = ClampDots(d(p.commentMarginLeft) + d(p.commentMarginRight) + symbol.cx);
    box.alignment = p.commentAlignment;
    box.quarterTurns = QuarterTurns(p.rotation);
    box.measureOnly = true;
    const std::int64_t commentHeight =
        DrawTextBlock(control, surface, box, p.comment, control.CommentFontRef().get()).cy;
    // A negative comment margin widens the comment box but not the label.
    width += (p.commentMarginLeft > 0 ? d(p.commentMarginLeft) : 0) +
             (p.commentMarginRight > 0 ? d(p.commentMarginRight) : 0);
    height += d(p.commentMarginTop) + d(p.commentMarginBottom) + commentHeight;
  }
  width += d(ClampUser(static_cast<std::int64_t>(p.symbolMarginLeft) + p.symbolMarginRight));
  height += d(ClampUser(static_cast<std::int64_t>(p.symbolMarginTop) + p.symbolMarginBottom));
  const std::int32_t r = control.Layout().resolution;
  const bool metric = p.measurement == qlxMeasureMetrics;
  auto user = [&](std::int64_t dots) {
    return metric ? MetricFromDots(ClampDots(dots), r) : MilsFromDots(ClampDots(dots), r);
  };
  control.StoreComputedLabelSize(user(width), user(height));
}

std::int32_t HundredthsOfMmFromMils(std::int32_t mils) {
  return static_cast<std::int32_t>(std::clamp(std::trunc(mils * 2.54), -2147483648.0, 2147483647.0));
}

}  // namespace

SizeL ComputeNaturalSize(CQlnBarcode& control) {
  if (control.Properties().autoLabelSize != 0) {
    MeasureLabelSize(control);
  }
  const auto& p = control.Properties();
  SizeL size{p.labelWidth, p.labelHeight};
  if (p.measurement != qlxMeasureMetrics) {
    size = {HundredthsOfMmFromMils(size.cx), HundredthsOfMmFromMils(size.cy)};
  }
  const int turns = QuarterTurns(p.rotation);
  return turns == 1 || turns == 3 ? SizeL{size.cy, size.cx} : size;
}

}  // namespace linnet
