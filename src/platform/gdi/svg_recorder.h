#pragma once
// An SVG 1.1 writer: a recorder that turns the calls of one drawing into a document, mapping
// logical units through the mapping calls it sees into the document's user units. Export
// draws with one layout dot per unit, so the viewBox is the label in layout dots and the
// document's width and height give its physical size.
//
// Consecutive solid fills of one colour become a single path, one subpath per rectangle
// (fills that continue each other joined first, a line break per row), so a
// two-dimensional symbol is a few paths rather than thousands of elements; consecutive
// polygons with one pen and brush share a path too. Rounded rectangles and ellipses are
// elements of their own. Text is a <text> element with the family the font system matched,
// the font's em size, weight and style, the text colour, one x position per character from
// the advances the context measured (so extra and justification are kept), and a rotation
// about its first baseline point for turned fonts; an opaque background becomes a rectangle
// behind it. Text passes through AppendXmlText. Numbers are written with at most two
// decimals and no trailing zeros, so documents are byte-stable across hosts.
//
// The body is kept in memory up to a byte budget; past it Finish answers false, as it does
// when the sink refuses the bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gdi/emf_recorder.h"
#include "platform/gdi/gdi_recorder.h"
#include "platform/gdi/touching_fills.h"
#include "platform/image/byte_sink.h"

namespace linnet::gdi {

// Appends `text` as XML character data or attribute text: & < > " ' escaped, the C0 controls
// XML 1.0 cannot carry (all but tab, line feed and carriage return), U+FFFE, U+FFFF and
// unpaired surrogates dropped. UTF-8 out.
void AppendXmlText(std::string& out, std::u16string_view text);

class SvgRecorder final : public GdiRecorder {
 public:
  explicit SvgRecorder(size_t byteBudget = kMetafileByteBudget) : budget_(byteBudget) {}
  void Record(const GdiCall& call) override;
  // Writes the document: viewBox (0, 0, `units`), width and height `hundredthsOfMm` / 100 mm.
  bool Finish(SizeL units, SizeL hundredthsOfMm, image::ByteSink& sink);

 private:
  struct Point {
    double x, y;
  };
  [[nodiscard]] Point Map(PointL p) const;
  [[nodiscard]] double ScaleX() const;
  [[nodiscard]] double ScaleY() const;
  // Starts a new path unless the open one has the same paint.
  void PathWith(const std::string& paint);
  void ClosePath();
  void FlushFill();
  // Past the budget the recording has failed and its bytes are let go.
  void EnforceBudget();
  void Polygon(const GdiCall& call);
  void Shape(const GdiCall& call);
  void Text(const GdiCall& call);
  [[nodiscard]] std::string Paint(const Pen& pen, const Brush& brush) const;

  size_t budget_;
  bool overflowed_ = false;
  std::string body_;
  // The open path: its paint and its subpaths; a fill waiting to be joined with the next.
  std::string pathPaint_;
  std::string pathData_;
  PendingFill fill_;
  double lastTop_ = 0;  // of the path's last subpath, to break lines by row
  // The mapping and background state, as the calls set it.
  PointL windowOrg_, viewportOrg_;
  PointL windowExt_{1, 1}, viewportExt_{1, 1};
  bool anisotropic_ = false;
  bool opaque_ = true;
  ColorRef bkColor_ = kWhite;
};

}  // namespace linnet::gdi
