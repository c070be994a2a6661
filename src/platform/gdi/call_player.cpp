#include "platform/gdi/call_player.h"

#include <algorithm>
#include <cmath>

namespace linnet::gdi {

namespace {

std::int32_t Clamp32(double v) {
  return static_cast<std::int32_t>(std::clamp(std::round(v), -2147483648.0, 2147483647.0));
}

}  // namespace

void PlayCalls(std::span<const GdiCall> calls, DeviceContext& target, SizeL from, const RectL& into) {
  const double fromX = std::max(from.cx, 1);
  const double fromY = std::max(from.cy, 1);
  const double intoX = static_cast<double>(into.right) - into.left;
  const double intoY = static_cast<double>(into.bottom) - into.top;
  for (const GdiCall& call : calls) {
    switch (call.op) {
      case GdiOp::SetMapMode:
        target.SetMapMode(static_cast<MapMode>(call.value));
        // A recording in the text mode is stretched too.
        if (call.value == static_cast<std::int64_t>(MapMode::Text)) {
          target.SetMapMode(MapMode::Anisotropic);
          target.SetWindowExt({Clamp32(fromX), Clamp32(fromY)});
          target.SetViewportExt({Clamp32(intoX), Clamp32(intoY)});
        }
        break;
      case GdiOp::SetWindowExt:
        target.SetWindowExt({Clamp32(call.point.x * fromX), Clamp32(call.point.y * fromY)});
        break;
      case GdiOp::SetViewportExt:
        target.SetViewportExt({Clamp32(call.point.x * intoX), Clamp32(call.point.y * intoY)});
        break;
      case GdiOp::SetWindowOrg:
        target.SetWindowOrg(call.point);
        break;
      case GdiOp::SetViewportOrg:
        target.SetViewportOrg(
            {Clamp32(into.left + call.point.x * intoX / fromX), Clamp32(into.top + call.point.y * intoY / fromY)});
        break;
      case GdiOp::SelectFont:
        target.SelectFont(CreateFontIndirect(call.font));
        break;
      case GdiOp::SelectPen:
        target.SelectPen(call.pen);
        break;
      case GdiOp::SelectBrush:
        target.SelectBrush(call.brush);
        break;
      case GdiOp::SetTextColor:
        target.SetTextColor(static_cast<ColorRef>(call.value));
        break;
      case GdiOp::SetBkColor:
        target.SetBkColor(static_cast<ColorRef>(call.value));
        break;
      case GdiOp::SetBkMode:
        target.SetBkMode(static_cast<BkMode>(call.value));
        break;
      case GdiOp::SetTextAlign:
        target.SetTextAlign(static_cast<std::uint32_t>(call.value));
        break;
      case GdiOp::SetTextCharacterExtra:
        target.SetTextCharacterExtra(static_cast<std::int32_t>(call.value));
        break;
      case GdiOp::SetTextJustification:
        target.SetTextJustification(static_cast<std::int32_t>(call.value), call.count);
        break;
      case GdiOp::FillRect:
        target.FillRect(call.rect, call.brush);
        break;
      case GdiOp::RoundRect:
        target.RoundRect(call.rect, call.point.x, call.point.y);
        break;
      case GdiOp::Polygon:
        target.Polygon(call.points);
        break;
      case GdiOp::Ellipse:
        target.Ellipse(call.rect);
        break;
      case GdiOp::TextOut:
        target.TextOut(call.point.x, call.point.y, call.text);
        break;
    }
  }
}

}  // namespace linnet::gdi
