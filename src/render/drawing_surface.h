#pragma once
// The pair of contexts every drawing goes through: the output context receives the drawing
// operations, the attribute context answers text metrics, extents and device capabilities.
// State changes go to the output context when it is a different one, then to the attribute
// context, so both agree on mapping, font, colours and text spacing.
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/gdi/device_context.h"

namespace linnet {

class DrawingSurface {
 public:
  // One context that both draws and measures.
  explicit DrawingSurface(gdi::DeviceContext& context) : output_(context), attribute_(&context) {}
  // `attribute` may be nullptr: the output context then measures too.
  DrawingSurface(gdi::DeviceContext& output, gdi::DeviceContext* attribute) : output_(output), attribute_(attribute) {}

  gdi::DeviceContext& Output() { return output_; }
  [[nodiscard]] const gdi::DeviceContext& Attribute() const { return attribute_ != nullptr ? *attribute_ : output_; }
  [[nodiscard]] const gdi::DeviceCaps& Caps() const { return Attribute().Caps(); }

  // ---- State, applied to both contexts ------------------------------------------------
  void SetMapMode(gdi::MapMode mode);
  void SetWindowExt(SizeL extent);
  void SetViewportExt(SizeL extent);
  void SetWindowOrg(PointL origin);
  void SetViewportOrg(PointL origin);
  gdi::FontHandle SelectFont(gdi::FontHandle font);
  gdi::ColorRef SetTextColor(gdi::ColorRef color);
  gdi::ColorRef SetBkColor(gdi::ColorRef color);
  gdi::BkMode SetBkMode(gdi::BkMode mode);
  std::uint32_t SetTextAlign(std::uint32_t align);
  std::int32_t SetTextCharacterExtra(std::int32_t extra);
  void SetTextJustification(std::int32_t breakExtra, std::int32_t breakCount);

  // ---- Drawing, on the output context ---------------------------------------------------
  gdi::Pen SelectPen(const gdi::Pen& pen) { return output_.SelectPen(pen); }
  gdi::Brush SelectBrush(const gdi::Brush& brush) { return output_.SelectBrush(brush); }
  // A solid fill: left and top inclusive, right and bottom exclusive.
  void FillRect(const RectL& rect, gdi::ColorRef color) { output_.FillRect(rect, gdi::Brush{color, false}); }
  void RoundRect(const RectL& rect, std::int32_t ellipseWidth, std::int32_t ellipseHeight) {
    output_.RoundRect(rect, ellipseWidth, ellipseHeight);
  }
  void Polygon(std::span<const PointL> points) { output_.Polygon(points); }
  void Ellipse(const RectL& rect) { output_.Ellipse(rect); }
  void TextOut(std::int32_t x, std::int32_t y, std::u16string_view text) { output_.TextOut(x, y, text); }

  // ---- Measurement, from the attribute context ------------------------------------------
  [[nodiscard]] gdi::TextMetrics GetTextMetrics() const { return Attribute().GetTextMetrics(); }
  [[nodiscard]] SizeL GetTextExtent(std::u16string_view text) const { return Attribute().GetTextExtent(text); }

 private:
  template <class Change>
  auto ApplyToBoth(Change&& change) {
    if (attribute_ != nullptr && attribute_ != &output_) {
      change(output_);
    }
    return change(attribute_ != nullptr ? *attribute_ : output_);
  }

  gdi::DeviceContext& output_;
  gdi::DeviceContext* attribute_;
};

}  // namespace linnet
