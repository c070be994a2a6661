#pragma once
// Scan conversion of filled and outlined shapes into a two-colour bitmap, in device pixels.
// A pixel belongs to a filled shape when its centre lies inside (pixel (x, y) has its centre
// at (x + 0.5, y + 0.5)); nothing is anti-aliased.
#include <cstdint>
#include <vector>

#include "platform/gdi/gdi_types.h"
#include "platform/gdi/mono_bitmap.h"

namespace linnet::gdi {

struct PointD {
  double x = 0;
  double y = 0;
};

using Contour = std::vector<PointD>;

enum class FillRule { EvenOdd, NonZero };

void FillContours(MonoBitmap& bitmap, const std::vector<Contour>& contours, FillRule rule, bool white);

// Closed polygons that follow an ellipse or a rounded rectangle within a quarter pixel.
Contour EllipseContour(PointD centre, double rx, double ry);
Contour RoundRectContour(double left, double top, double right, double bottom, double rx, double ry);

// How a pen of `width` device pixels strokes a closed centre line.
struct StrokeStyle {
  PenStyle style = PenStyle::Solid;
  double width = 1;
  bool cosmetic = true;  // one pixel wide whatever the width, drawn as pixel lines
};

// Outlines a closed polygon (the last point joins the first).
void StrokeClosedContour(MonoBitmap& bitmap, const Contour& centreLine, const StrokeStyle& stroke, bool white);
// Solid strokes of a round shape as a ring between two offset shapes, which stays exact
// where offsetting the polygon would not.
void FillRing(MonoBitmap& bitmap, const Contour& outer, const Contour& inner, bool white);

// The pixels of a line from (x0, y0) towards (x1, y1), the end point excluded.
void DrawPixelLine(MonoBitmap& bitmap, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, bool white);

}  // namespace linnet::gdi
