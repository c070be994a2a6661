#include "platform/gdi/device_context.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "platform/gdi/font_cache.h"
#include "platform/gdi/raster_shapes.h"
#include "platform/gdi/raster_text.h"

namespace linnet::gdi {

namespace {

std::int32_t Clamp32(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// (v - from) * numerator / denominator + to, rounded half away from zero.
std::int32_t MapAxis(std::int32_t v, std::int32_t from, std::int32_t to, std::int32_t numerator,
                     std::int32_t denominator) {
  if (numerator == denominator) {
    // One unit per pixel, as raster exports map: no division, the same result.
    return Clamp32(static_cast<std::int64_t>(v) - from + to);
  }
  const std::int64_t n = (static_cast<std::int64_t>(v) - from) * numerator;
  const std::int64_t d = denominator;
  std::int64_t q = n / d;
  const std::int64_t r = n % d;
  if (2 * std::abs(r) >= std::abs(d)) {
    q += ((n < 0) != (d < 0)) ? -1 : 1;
  }
  return Clamp32(q + to);
}

// Logical steps along the text and across it (downwards in the glyphs) per quarter turn.
struct Direction {
  std::int32_t ax, ay, cx, cy;
};
constexpr Direction kDirections[4] = {{1, 0, 0, 1}, {0, -1, 1, 0}, {-1, 0, 0, -1}, {0, 1, -1, 0}};

PointL Step(PointL from, const Direction& d, std::int64_t along, std::int64_t across) {
  return {Clamp32(from.x + along * d.ax + across * d.cx), Clamp32(from.y + along * d.ay + across * d.cy)};
}

bool IsDashed(PenStyle style) {
  return style == PenStyle::Dash || style == PenStyle::Dot || style == PenStyle::DashDot ||
         style == PenStyle::DashDotDot;
}

}  // namespace

MonoBitmap* DeviceContext::SelectBitmap(MonoBitmap* bitmap) {
  return std::exchange(bitmap_, bitmap);
}

// ---- Mapping ------------------------------------------------------------------------

void DeviceContext::SetMapMode(MapMode mode) {
  Log(GdiOp::SetMapMode, [&](GdiCall& call) { call.value = static_cast<std::int64_t>(mode); });
  mapMode_ = mode;
  if (mode == MapMode::Text) {
    windowExt_ = {1, 1};
    viewportExt_ = {1, 1};
  }
}

bool DeviceContext::SetWindowExt(SizeL extent) {
  if (mapMode_ != MapMode::Anisotropic || extent.cx == 0 || extent.cy == 0) {
    return false;
  }
  Log(GdiOp::SetWindowExt, [&](GdiCall& call) { call.point = {extent.cx, extent.cy}; });
  windowExt_ = extent;
  return true;
}

bool DeviceContext::SetViewportExt(SizeL extent) {
  if (mapMode_ != MapMode::Anisotropic || extent.cx == 0 || extent.cy == 0) {
    return false;
  }
  Log(GdiOp::SetViewportExt, [&](GdiCall& call) { call.point = {extent.cx, extent.cy}; });
  viewportExt_ = extent;
  return true;
}

void DeviceContext::SetWindowOrg(PointL origin) {
  Log(GdiOp::SetWindowOrg, [&](GdiCall& call) { call.point = origin; });
  windowOrg_ = origin;
}

void DeviceContext::SetViewportOrg(PointL origin) {
  Log(GdiOp::SetViewportOrg, [&](GdiCall& call) { call.point = origin; });
  viewportOrg_ = origin;
}

PointL DeviceContext::LogicalToDevice(PointL p) const {
  return {MapAxis(p.x, windowOrg_.x, viewportOrg_.x, viewportExt_.cx, windowExt_.cx),
          MapAxis(p.y, windowOrg_.y, viewportOrg_.y, viewportExt_.cy, windowExt_.cy)};
}

double DeviceContext::ScaleX() const {
  return std::abs(static_cast<double>(viewportExt_.cx) / windowExt_.cx);
}

double DeviceContext::ScaleY() const {
  return std::abs(static_cast<double>(viewportExt_.cy) / windowExt_.cy);
}

RectL DeviceContext::DeviceRect(const RectL& logical) const {
  const PointL a = LogicalToDevice({logical.left, logical.top});
  const PointL b = LogicalToDevice({logical.right, logical.bottom});
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// ---- Objects and attributes ---------------------------------------------------------

FontHandle DeviceContext::SelectFont(FontHandle font) {
  Log(GdiOp::SelectFont, [&](GdiCall& call) {
    if (font) {
      call.font = font->Description();
    }
  });
  return std::exchange(font_, std::move(font));
}

Pen DeviceContext::SelectPen(const Pen& pen) {
  Log(GdiOp::SelectPen, [&](GdiCall& call) { call.pen = pen; });
  return std::exchange(pen_, pen);
}

Brush DeviceContext::SelectBrush(const Brush& brush) {
  Log(GdiOp::SelectBrush, [&](GdiCall& call) { call.brush = brush; });
  return std::exchange(brush_, brush);
}

ColorRef DeviceContext::SetTextColor(ColorRef color) {
  Log(GdiOp::SetTextColor, [&](GdiCall& call) { call.value = color; });
  return std::exchange(textColor_, color);
}

ColorRef DeviceContext::SetBkColor(ColorRef color) {
  Log(GdiOp::SetBkColor, [&](GdiCall& call) { call.value = color; });
  return std::exchange(bkColor_, color);
}

BkMode DeviceContext::SetBkMode(BkMode mode) {
  Log(GdiOp::SetBkMode, [&](GdiCall& call) { call.value = static_cast<std::int64_t>(mode); });
  return std::exchange(bkMode_, mode);
}

std::uint32_t DeviceContext::SetTextAlign(std::uint32_t align) {
  Log(GdiOp::SetTextAlign, [&](GdiCall& call) { call.value = align; });
  return std::exchange(textAlign_, align);
}

std::int32_t DeviceContext::SetTextCharacterExtra(std::int32_t extra) {
  Log(GdiOp::SetTextCharacterExtra, [&](GdiCall& call) { call.value = extra; });
  return std::exchange(charExtra_, extra);
}

void DeviceContext::SetTextJustification(std::int32_t breakExtra, std::int32_t breakCount) {
  Log(GdiOp::SetTextJustification, [&](GdiCall& call) {
    call.value = breakExtra;
    call.count = breakCount;
  });
  breakExtra_ = breakCount > 0 ? breakExtra : 0;
  breakCount_ = std::max(breakCount, 0);
}

// ---- Text measurement ---------------------------------------------------------------

FontHandle DeviceContext::EffectiveFont() const {
  if (font_) {
    return font_;
  }
  static const FontHandle fallback = CreateFontIndirect(LogFont{});
  return fallback;
}

TextMetrics DeviceContext::GetTextMetrics() const {
  const FontHandle font = EffectiveFont();
  const SizedFace* face = font->Logical();
  if (face == nullptr) {
    return {};
  }
  const LineMetrics& m = face->Metrics();
  TextMetrics tm;
  tm.tmAscent = m.ascent;
  tm.tmDescent = m.descent;
  tm.tmHeight = m.ascent + m.descent;
  tm.tmInternalLeading = tm.tmHeight - face->Ppem();
  tm.tmExternalLeading = m.externalLeading;
  return tm;
}

void DeviceContext::Advances(std::u16string_view text, std::vector<std::int64_t>& out) const {
  out.assign(text.size(), charExtra_);
  const FontHandle font = EffectiveFont();
  SizedFace* face = font->Logical();
  const std::int32_t perBreak = breakCount_ > 0 ? breakExtra_ / breakCount_ : 0;
  const std::int32_t remainder = breakCount_ > 0 ? breakExtra_ % breakCount_ : 0;
  std::int32_t breaks = 0;
  {
    const std::lock_guard lock(FontCache::Instance().Lock());
    for (size_t i = 0; i < text.size(); ++i) {
      if (face != nullptr) {
        out[i] += face->Advance(text[i]);
      }
      if (text[i] == u' ' && breaks < breakCount_) {
        out[i] += perBreak + (breaks < std::abs(remainder) ? (remainder < 0 ? -1 : 1) : 0);
        ++breaks;
      }
    }
  }
}

SizeL DeviceContext::GetTextExtent(std::u16string_view text) const {
  std::vector<std::int64_t> advances;
  Advances(text, advances);
  std::int64_t width = 0;
  for (const std::int64_t a : advances) {
    width += a;
  }
  return {Clamp32(width), GetTextMetrics().tmHeight};
}

// ---- Drawing ------------------------------------------------------------------------

void DeviceContext::FillRect(const RectL& rect, const Brush& brush) {
  Log(GdiOp::FillRect, [&](GdiCall& call) {
    call.rect = rect;
    call.brush = brush;
  });
  if (bitmap_ == nullptr || brush.hollow) {
    return;
  }
  const RectL d = DeviceRect(rect);
  bitmap_->FillRect(d.left, d.top, d.right, d.bottom, IsWhite(brush.color));
}

void DeviceContext::StrokeAndFill(const RectL& d, double rx, double ry, bool ellipse) {
  const bool cosmetic = !pen_.geometric && pen_.width <= 1;
  const double width = cosmetic ? 1.0 : std::max(1.0, pen_.width * (pen_.geometric ? ScaleX() : 1.0));
  // The centre line runs through the outer pixels, or half a pen inside the frame.
  const double inset = pen_.style == PenStyle::InsideFrame ? width / 2 : 0.5;
  double left = d.left + inset;
  double top = d.top + inset;
  double right = std::max(left, d.right - inset);
  double bottom = std::max(top, d.bottom - inset);
  auto shape = [&](double l, double t, double r, double b, double sx, double sy) {
    return ellipse ? EllipseContour({(l + r) / 2, (t + b) / 2}, (r - l) / 2, (b - t) / 2)
                   : RoundRectContour(l, t, r, b, sx, sy);
  };
  const Contour centre = shape(left, top, right, bottom, rx, ry);
  if (!brush_.hollow) {
    FillContours(*bitmap_, {centre}, FillRule::EvenOdd, IsWhite(brush_.color));
  }
  if (pen_.style == PenStyle::Null) {
    return;
  }
  const bool white = IsWhite(pen_.color);
  if (cosmetic || IsDashed(pen_.style)) {
    StrokeClosedContour(*bitmap_, centre, {pen_.style, width, cosmetic}, white);
    return;
  }
  const double h = width / 2;
  const Contour outer = shape(left - h, top - h, right + h, bottom + h, rx + h, ry + h);
  if (right - left > width && bottom - top > width) {
    FillRing(*bitmap_, outer,
             shape(left + h, top + h, right - h, bottom - h, std::max(rx - h, 0.0), std::max(ry - h, 0.0)), white);
  } else {
    FillContours(*bitmap_, {outer}, FillRule::EvenOdd, white);
  }
}

void DeviceContext::RoundRect(const RectL& rect, std::int32_t ellipseWidth, std::int32_t ellipseHeight) {
  Log(GdiOp::RoundRect, [&](GdiCall& call) {
    call.rect = rect;
    call.point = {ellipseWidth, ellipseHeight};
    call.pen = pen_;
    call.brush = brush_;
  });
  if (bitmap_ != nullptr) {
    StrokeAndFill(DeviceRect(rect), std::abs(ellipseWidth * ScaleX()) / 2, std::abs(ellipseHeight * ScaleY()) / 2,
                  false);
  }
}

void DeviceContext::Ellipse(const RectL& rect) {
  Log(GdiOp::Ellipse, [&](GdiCall& call) {
    call.rect = rect;
    call.pen = pen_;
    call.brush = brush_;
  });
  if (bitmap_ != nullptr) {
    StrokeAndFill(DeviceRect(rect), 0, 0, true);
  }
}

void DeviceContext::Polygon(std::span<const PointL> points) {
  Log(GdiOp::Polygon, [&](GdiCall& call) {
    call.points.assign(points.begin(), points.end());
    call.pen = pen_;
    call.brush = brush_;
  });
  if (bitmap_ == nullptr || points.size() < 2) {
    return;
  }
  std::vector<Contour> shape(1);
  Contour& vertices = shape.front();
  Contour centreLine;
  vertices.reserve(points.size());
  centreLine.reserve(points.size());
  for (const PointL& p : points) {
    const PointL d = LogicalToDevice(p);
    vertices.push_back({static_cast<double>(d.x), static_cast<double>(d.y)});
    centreLine.push_back({d.x + 0.5, d.y + 0.5});
  }
  if (!brush_.hollow) {
    FillContours(*bitmap_, shape, FillRule::EvenOdd, IsWhite(brush_.color));
  }
  const bool cosmetic = !pen_.geometric && pen_.width <= 1;
  const double width = cosmetic ? 1.0 : std::max(1.0, pen_.width * (pen_.geometric ? ScaleX() : 1.0));
  StrokeClosedContour(*bitmap_, centreLine, {pen_.style, width, cosmetic}, IsWhite(pen_.color));
}

void DeviceContext::TextOut(std::int32_t x, std::int32_t y, std::u16string_view text) {
  Log(GdiOp::TextOut, [&](GdiCall& call) {
    call.point = {x, y};
    call.text = text;
    call.font = EffectiveFont()->Description();
    call.textColor = textColor_;
    call.textAlign = textAlign_;
    call.charExtra = charExtra_;
    std::vector<std::int64_t> advances;
    Advances(text, advances);
    call.advances.reserve(advances.size());
    for (const std::int64_t a : advances) {
      call.advances.push_back(Clamp32(a));
    }
    call.metrics = GetTextMetrics();
    const FaceEntry* face = EffectiveFont()->Face();
    if (face != nullptr && face->face != nullptr && face->face->family_name != nullptr) {
      call.family = face->face->family_name;
    }
  });
  if (bitmap_ != nullptr) {
    PaintText({x, y}, text);
  }
}

void DeviceContext::PaintText(PointL reference, std::u16string_view text) {
  const FontHandle font = EffectiveFont();
  SizedFace* logical = font->Logical();
  if (logical == nullptr) {
    return;
  }
  std::vector<std::int64_t> advances;
  Advances(text, advances);
  std::int64_t total = 0;
  for (const std::int64_t a : advances) {
    total += a;
  }
  const LineMetrics& m = logical->Metrics();
  const Direction& dir = kDirections[font->QuarterTurns()];
  std::int64_t start = 0;
  switch (textAlign_ & kHorizontalAlignMask) {
    case TA_RIGHT:
      start = -total;
      break;
    case TA_CENTER:
      start = -total / 2;
      break;
    default:
      break;
  }
  std::int64_t baseline = m.ascent;
  switch (textAlign_ & kVerticalAlignMask) {
    case TA_BOTTOM:
      baseline = -m.descent;
      break;
    case TA_BASELINE:
      baseline = 0;
      break;
    default:
      break;
  }
  const std::int64_t cellTop = baseline - m.ascent;
  auto fillBand = [&](std::int64_t across, std::int64_t thickness, bool white) {
    const PointL a = LogicalToDevice(Step(reference, dir, start, across));
    const PointL b = LogicalToDevice(Step(reference, dir, start + total, across + thickness));
    bitmap_->FillRect(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y), white);
  };
  if (bkMode_ == BkMode::Opaque) {
    fillBand(cellTop, m.ascent + m.descent, IsWhite(bkColor_));
  }
  const bool white = IsWhite(textColor_);
  const auto ppem = static_cast<std::int32_t>(std::clamp(std::round(logical->Ppem() * ScaleY()), 1.0, 65535.0));
  {
    const std::lock_guard lock(FontCache::Instance().Lock());
    SizedFace* device = font->AtDevicePixels(ppem);
    std::int64_t pen = start;
    for (size_t i = 0; i < text.size(); ++i) {
      const PointL origin = LogicalToDevice(Step(reference, dir, pen, baseline));
      PaintGlyph(*bitmap_, *device, text[i], origin, font->QuarterTurns(), white);
      pen += advances[i];
    }
  }
  if (font->Description().underline) {
    fillBand(baseline + m.underlinePosition, m.underlineThickness, white);
  }
  if (font->Description().strikeOut) {
    fillBand(baseline - m.strikeoutPosition, m.strikeoutThickness, white);
  }
}

}  // namespace linnet::gdi
