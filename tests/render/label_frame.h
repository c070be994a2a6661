#pragma once
// A whole label drawn the way an image export lays it out, on a recording surface, with its
// fills brought back into the symbol's own frame (along the reading direction and across
// it), so that one expectation holds in every rotation; and the exported bitmap's pixels.
#include <cstdint>
#include <string>
#include <vector>

#include "control/qln_barcode.h"
#include "platform/gdi/mono_bitmap.h"
#include "render/background.h"
#include "render/label.h"
#include "render/mappings.h"
#include "render/natural_size.h"
#include "render/raster_export.h"
#include "render/recording_surface.h"
#include "render/rotation.h"

namespace linnet::testing {

// [alongStart, alongEnd) x [acrossStart, acrossEnd) in layout dots from the label's corner.
struct FrameRect {
  std::int64_t alongStart = 0;
  std::int64_t alongEnd = 0;
  std::int64_t acrossStart = 0;
  std::int64_t acrossEnd = 0;
  bool operator==(const FrameRect&) const = default;
};

inline FrameRect InSymbolFrame(const RectL& r, int quarterTurns) {
  switch (quarterTurns) {
    case 1:
      return {-std::int64_t{r.bottom}, -std::int64_t{r.top}, r.left, r.right};
    case 2:
      return {-std::int64_t{r.right}, -std::int64_t{r.left}, -std::int64_t{r.bottom}, -std::int64_t{r.top}};
    case 3:
      return {r.top, r.bottom, -std::int64_t{r.right}, -std::int64_t{r.left}};
    default:
      return {r.left, r.right, r.top, r.bottom};
  }
}

// Every fill of the label at `resolution` after the background's, in drawing order.
inline std::vector<FrameRect> LabelFills(CQlnBarcode& control, std::int32_t resolution) {
  RecordingSurface rec(resolution);
  {
    const LayoutAtRestOnExit atRest(control);
    control.Layout().resolution = resolution;
    const SizeL natural = ComputeNaturalSize(control);
    const SizeL pixels = RasterSize(natural, resolution);
    PrepareRasterMapping(control, rec.surface, {0, 0, pixels.cx, pixels.cy}, natural);
    DrawBackground(control, rec.surface);
    DrawLabel(control, rec.surface);
  }
  const auto fills = rec.Calls(gdi::GdiOp::FillRect);
  const int turns = QuarterTurns(control.Properties().rotation);
  std::vector<FrameRect> rects;
  for (size_t i = 1; i < fills.size(); ++i) {
    rects.push_back(InSymbolFrame(fills[i].rect, turns));
  }
  return rects;
}

// '1' for a dark pixel, '0' for a light one, along row `y` from the first dark pixel to the
// last.
inline std::string DarkRun(const gdi::MonoBitmap& bitmap, std::int32_t y) {
  std::string row;
  for (std::int32_t x = 0; x < bitmap.Width(); ++x) {
    row.push_back(bitmap.IsWhite(x, y) ? '0' : '1');
  }
  const auto first = row.find('1');
  return first == std::string::npos ? std::string() : row.substr(first, row.rfind('1') - first + 1);
}

}  // namespace linnet::testing
