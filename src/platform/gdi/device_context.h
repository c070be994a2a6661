#pragma once
// A device context: drawing state (mapping, font, pen, brush, colours, text alignment and
// spacing), text metrics and extents in logical units, and drawing operations. A context
// paints into the bitmap selected into it (the raster back end), tells its recorder of every
// call (the recording back end, metafiles), or both; a context with neither only measures.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/gdi/gdi_recorder.h"
#include "platform/gdi/gdi_types.h"
#include "platform/gdi/log_font.h"
#include "platform/gdi/mono_bitmap.h"

namespace linnet::gdi {

class DeviceContext {
 public:
  explicit DeviceContext(DeviceCaps caps) : caps_(caps) {}
  DeviceContext(const DeviceContext&) = delete;
  DeviceContext& operator=(const DeviceContext&) = delete;

  [[nodiscard]] const DeviceCaps& Caps() const { return caps_; }
  void SetRecorder(GdiRecorder* recorder) { recorder_ = recorder; }
  // The bitmap drawn into; nullptr draws nothing. The caller keeps it alive.
  MonoBitmap* SelectBitmap(MonoBitmap* bitmap);
  // How colours become black or white in the bitmap: by the label's two colours when set,
  // else each colour by its own brightness (IsLight).
  void SetTwoTone(std::optional<TwoTone> tones) { twoTone_ = tones; }

  // ---- Mapping ----------------------------------------------------------------------
  void SetMapMode(MapMode mode);
  [[nodiscard]] MapMode GetMapMode() const { return mapMode_; }
  // Extents take effect in the anisotropic mode only; a zero extent is refused (false).
  bool SetWindowExt(SizeL extent);
  bool SetViewportExt(SizeL extent);
  void SetWindowOrg(PointL origin);
  void SetViewportOrg(PointL origin);
  [[nodiscard]] SizeL WindowExt() const { return windowExt_; }
  [[nodiscard]] SizeL ViewportExt() const { return viewportExt_; }
  [[nodiscard]] PointL WindowOrg() const { return windowOrg_; }
  [[nodiscard]] PointL ViewportOrg() const { return viewportOrg_; }
  // Logical to device coordinates, rounded to the nearest pixel.
  [[nodiscard]] PointL LogicalToDevice(PointL p) const;

  // ---- Objects and attributes (each returns the previous value) ----------------------
  FontHandle SelectFont(FontHandle font);
  Pen SelectPen(const Pen& pen);
  Brush SelectBrush(const Brush& brush);
  ColorRef SetTextColor(ColorRef color);
  ColorRef SetBkColor(ColorRef color);
  BkMode SetBkMode(BkMode mode);
  std::uint32_t SetTextAlign(std::uint32_t align);
  std::int32_t SetTextCharacterExtra(std::int32_t extra);
  // Spreads `breakExtra` logical units over `breakCount` spaces of each later text.
  void SetTextJustification(std::int32_t breakExtra, std::int32_t breakCount);
  [[nodiscard]] const FontHandle& CurrentFont() const { return font_; }
  [[nodiscard]] const Pen& CurrentPen() const { return pen_; }
  [[nodiscard]] const Brush& CurrentBrush() const { return brush_; }
  [[nodiscard]] ColorRef TextColor() const { return textColor_; }
  [[nodiscard]] std::uint32_t TextAlign() const { return textAlign_; }
  [[nodiscard]] std::int32_t CharacterExtra() const { return charExtra_; }

  // ---- Text measurement (logical units of the selected font) --------------------------
  [[nodiscard]] TextMetrics GetTextMetrics() const;
  // Width including the character extra and justification; height tmHeight.
  [[nodiscard]] SizeL GetTextExtent(std::u16string_view text) const;

  // ---- Drawing ------------------------------------------------------------------------
  // Left and top inclusive, right and bottom exclusive, after mapping.
  void FillRect(const RectL& rect, const Brush& brush);
  // Outlined with the current pen and filled with the current brush.
  void RoundRect(const RectL& rect, std::int32_t ellipseWidth, std::int32_t ellipseHeight);
  void Polygon(std::span<const PointL> points);
  void Ellipse(const RectL& rect);
  void TextOut(std::int32_t x, std::int32_t y, std::u16string_view text);

 private:
  [[nodiscard]] bool IsWhite(ColorRef c) const { return twoTone_ ? twoTone_->IsWhite(c) : IsLight(c); }
  // Tells the recorder, if any, of a call; `fill` adds the call's arguments.
  template <class Fill>
  void Log(GdiOp op, Fill&& fill) const {
    if (recorder_ != nullptr) {
      GdiCall call;
      call.op = op;
      fill(call);
      recorder_->Record(call);
    }
  }
  [[nodiscard]] FontHandle EffectiveFont() const;
  // Device pixels per logical unit, along x and y.
  [[nodiscard]] double ScaleX() const;
  [[nodiscard]] double ScaleY() const;
  [[nodiscard]] RectL DeviceRect(const RectL& logical) const;
  // Per-character logical advances of `text` in the selected font, with the extras.
  void Advances(std::u16string_view text, std::vector<std::int64_t>& out) const;
  void PaintText(PointL reference, std::u16string_view text);
  void StrokeAndFill(const RectL& deviceRect, double rx, double ry, bool ellipse);

  DeviceCaps caps_;
  GdiRecorder* recorder_ = nullptr;
  MonoBitmap* bitmap_ = nullptr;
  MapMode mapMode_ = MapMode::Text;
  SizeL windowExt_{1, 1};
  SizeL viewportExt_{1, 1};
  PointL windowOrg_;
  PointL viewportOrg_;
  FontHandle font_;
  Pen pen_;
  Brush brush_;
  ColorRef textColor_ = kBlack;
  ColorRef bkColor_ = kWhite;
  std::optional<TwoTone> twoTone_;
  BkMode bkMode_ = BkMode::Opaque;
  std::uint32_t textAlign_ = TA_LEFT | TA_TOP;
  std::int32_t charExtra_ = 0;
  std::int32_t breakExtra_ = 0;
  std::int32_t breakCount_ = 0;
};

}  // namespace linnet::gdi
