#include "render/background.h"

#include "control/qln_barcode.h"
#include "platform/gdi/system_colors.h"
#include "render/drawing_surface.h"
#include "render/rotation.h"
#include "render/units.h"

namespace linnet {

namespace {

// Border styles from 1 to 7 name the pen styles from solid to inside-frame; any other
// non-zero style outlines solid.
gdi::PenStyle BorderPenStyle(std::int32_t borderStyle) {
  return borderStyle >= 1 && borderStyle <= 7 ? static_cast<gdi::PenStyle>(borderStyle - 1) : gdi::PenStyle::Solid;
}

}  // namespace

void DrawBackground(const CQlnBarcode& control, DrawingSurface& surface) {
  const auto& p = control.Properties();
  const LayoutState& layout = control.Layout();
  const bool bordered = p.borderStyle != 0 && p.borderWidth != 0;
  const gdi::ColorRef back = gdi::TranslateColor(p.backColor);
  const std::int32_t borderDots = DotsFromUser(control, p.borderWidth);
  const std::int64_t ox = layout.origin.x;
  const std::int64_t oy = layout.origin.y;
  const std::int64_t wn = layout.naturalDots.cx;
  const std::int64_t hn = layout.naturalDots.cy;
  std::int64_t left = ox;
  std::int64_t top = oy;
  switch (QuarterTurns(p.rotation)) {
    case 1:
      top = oy - hn;
      break;
    case 2:
      left = ox - wn;
      top = oy - hn;
      break;
    case 3:
      left = ox - wn;
      break;
    default:
      break;
  }
  const RectL rect{ClampDots(left + borderDots), ClampDots(top + borderDots), ClampDots(left + wn - borderDots),
                   ClampDots(top + hn - borderDots)};
  if (!bordered) {
    surface.FillRect(rect, back);
    return;
  }
  gdi::Pen pen;
  pen.style = BorderPenStyle(p.borderStyle);
  pen.width = borderDots;
  pen.color = gdi::TranslateColor(p.borderColor);
  pen.geometric = true;
  const gdi::Pen previousPen = surface.SelectPen(pen);
  const gdi::Brush previousBrush = surface.SelectBrush(gdi::Brush{back, false});
  const std::int32_t corner = DotsFromUser(control, ClampUser(5 * static_cast<std::int64_t>(p.borderWidth)));
  surface.RoundRect(rect, corner, corner);
  surface.SelectBrush(previousBrush);
  surface.SelectPen(previousPen);
}

}  // namespace linnet
