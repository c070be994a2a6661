#pragma once
// Every call made on a device context, with its arguments in logical units: what a
// metafile records and what tests read back to check a layout without pixels.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/gdi_types.h"
#include "platform/gdi/log_font.h"

namespace linnet::gdi {

enum class GdiOp {
  SetMapMode,
  SetWindowExt,
  SetViewportExt,
  SetWindowOrg,
  SetViewportOrg,
  SelectFont,
  SelectPen,
  SelectBrush,
  SetTextColor,
  SetBkColor,
  SetBkMode,
  SetTextAlign,
  SetTextCharacterExtra,
  SetTextJustification,
  FillRect,
  RoundRect,
  Polygon,
  Ellipse,
  TextOut,
};

struct GdiCall {
  GdiOp op = GdiOp::TextOut;
  RectL rect;                  // FillRect, RoundRect, Ellipse
  PointL point;                // TextOut position; origins; extents; RoundRect corner size
  std::vector<PointL> points;  // Polygon
  std::u16string text;         // TextOut
  std::int64_t value = 0;      // colour, mode, alignment or extra of a Set call
  std::int32_t count = 0;      // SetTextJustification's break count
  Pen pen;                     // SelectPen; the current pen of a shape
  Brush brush;                 // SelectBrush and FillRect; the current brush of a shape
  // The context's text state when TextOut was called.
  LogFont font;  // also SelectFont's font
  ColorRef textColor = kBlack;
  std::uint32_t textAlign = 0;
  std::int32_t charExtra = 0;
  // What the context measured for TextOut: each character's advance (extra and
  // justification included), the font's metrics and the family the font system matched
  // (UTF-8, empty when no face matched). Metafile and SVG writers place text with these and
  // never measure themselves.
  std::vector<std::int32_t> advances;
  TextMetrics metrics;
  std::string family;
};

class GdiRecorder {
 public:
  GdiRecorder() = default;
  GdiRecorder(const GdiRecorder&) = delete;
  GdiRecorder& operator=(const GdiRecorder&) = delete;
  virtual ~GdiRecorder() = default;
  virtual void Record(const GdiCall& call) = 0;
};

// The recording back end: keeps every call in order.
class CallLog : public GdiRecorder {
 public:
  void Record(const GdiCall& call) override { calls_.push_back(call); }
  [[nodiscard]] const std::vector<GdiCall>& Calls() const { return calls_; }
  // Only the calls of one kind, in order.
  [[nodiscard]] std::vector<GdiCall> Of(GdiOp op) const {
    std::vector<GdiCall> out;
    for (const auto& c : calls_) {
      if (c.op == op) {
        out.push_back(c);
      }
    }
    return out;
  }
  void Clear() { calls_.clear(); }

 private:
  std::vector<GdiCall> calls_;
};

}  // namespace linnet::gdi
