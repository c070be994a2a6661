#include "platform/gdi/raster_shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>

namespace linnet::gdi {

namespace {

struct Edge {
  double x0, y0, x1, y1;
  int direction;  // +1 downwards, -1 upwards
};

struct Crossing {
  double x;
  int direction;
};

std::int32_t PixelFromEdge(double x, std::int32_t limit) {
  // First pixel whose centre is at or right of x, kept within [-1, limit + 1].
  const double clamped = std::clamp(x, -1.0, static_cast<double>(limit) + 1.0);
  return static_cast<std::int32_t>(std::ceil(clamped - 0.5));
}

// Segments per full turn so that a chord strays at most a quarter pixel from the curve.
int SegmentsForRadius(double radius) {
  if (radius <= 0.5) {
    return 8;
  }
  const double step = std::acos(std::max(-1.0, 1.0 - 0.25 / radius));
  const int n = static_cast<int>(std::ceil(2 * std::numbers::pi / step));
  return std::clamp((n + 3) / 4 * 4, 8, 8192);
}

void AppendArc(Contour& out, PointD centre, double rx, double ry, double from, double to, int segments) {
  for (int i = 0; i <= segments; ++i) {
    const double a = from + (to - from) * i / segments;
    out.push_back({centre.x + rx * std::cos(a), centre.y + ry * std::sin(a)});
  }
}

// The vertex offset that keeps both neighbouring edges `half` away (a miter, limited).
PointD MiterOffset(PointD incoming, PointD outgoing, double half) {
  auto normal = [](PointD d) {
    const double length = std::hypot(d.x, d.y);
    return length > 0 ? PointD{d.y / length, -d.x / length} : PointD{0, 0};
  };
  const PointD n1 = normal(incoming);
  const PointD n2 = normal(outgoing);
  const double denominator = std::max(1.0 + n1.x * n2.x + n1.y * n2.y, 0.25);
  return {(n1.x + n2.x) / denominator * half, (n1.y + n2.y) / denominator * half};
}

PointD Minus(PointD a, PointD b) {
  return {a.x - b.x, a.y - b.y};
}

// A stroked piece of an open centre line with flat ends: left side forward, right side back.
Contour StrokeStrip(std::span<const PointD> line, double half) {
  Contour left;
  Contour right;
  const size_t n = line.size();
  for (size_t i = 0; i < n; ++i) {
    const PointD incoming = i == 0 ? Minus(line[1], line[0]) : Minus(line[i], line[i - 1]);
    const PointD outgoing = i + 1 == n ? incoming : Minus(line[i + 1], line[i]);
    const PointD offset = MiterOffset(incoming, outgoing, half);
    left.push_back({line[i].x + offset.x, line[i].y + offset.y});
    right.push_back({line[i].x - offset.x, line[i].y - offset.y});
  }
  left.insert(left.end(), right.rbegin(), right.rend());
  return left;
}

// On and off lengths of a dashed pen, in pen widths (geometric) or pixels (cosmetic).
std::vector<double> DashPattern(PenStyle style, bool cosmetic) {
  switch (style) {
    case PenStyle::Dash:
      return cosmetic ? std::vector<double>{18, 6} : std::vector<double>{3, 1};
    case PenStyle::Dot:
      return cosmetic ? std::vector<double>{3, 3} : std::vector<double>{1, 1};
    case PenStyle::DashDot:
      return cosmetic ? std::vector<double>{9, 6, 3, 6} : std::vector<double>{3, 1, 1, 1};
    case PenStyle::DashDotDot:
      return cosmetic ? std::vector<double>{9, 3, 3, 3, 3, 3} : std::vector<double>{3, 1, 1, 1, 1, 1};
    default:
      return {};
  }
}

// Cuts the closed centre line into the dashes of `pattern` (lengths already in pixels).
std::vector<Contour> Dashes(const Contour& closed, const std::vector<double>& pattern) {
  std::vector<Contour> dashes;
  size_t phase = 0;
  double left = pattern[0];
  bool on = true;
  Contour current{closed[0]};
  for (size_t i = 0; i < closed.size(); ++i) {
    PointD a = closed[i];
    const PointD b = closed[(i + 1) % closed.size()];
    double length = std::hypot(b.x - a.x, b.y - a.y);
    while (length > 0) {
      const double step = std::min(left, length);
      const double t = step / length;
      a = {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
      length -= step;
      left -= step;
      if (on) {
        current.push_back(a);
      }
      if (left <= 0) {
        if (on && current.size() >= 2) {
          dashes.push_back(std::move(current));
        }
        current.clear();
        on = !on;
        phase = (phase + 1) % pattern.size();
        left = pattern[phase];
        if (on) {
          current.push_back(a);
        }
      }
    }
  }
  if (on && current.size() >= 2) {
    dashes.push_back(std::move(current));
  }
  return dashes;
}

}  // namespace

void FillContours(MonoBitmap& bitmap, const std::vector<Contour>& contours, FillRule rule, bool white) {
  std::vector<Edge> edges;
  size_t vertexCount = 0;
  for (const Contour& contour : contours) {
    vertexCount += contour.size();
  }
  edges.reserve(vertexCount);
  for (const Contour& contour : contours) {
    for (size_t i = 0; i < contour.size(); ++i) {
      const PointD a = contour[i];
      const PointD b = contour[(i + 1) % contour.size()];
      if (a.y < b.y) {
        edges.push_back({a.x, a.y, b.x, b.y, 1});
      } else if (a.y > b.y) {
        edges.push_back({b.x, b.y, a.x, a.y, -1});
      }
    }
  }
  if (edges.empty()) {
    return;
  }
  std::sort(edges.begin(), edges.end(), [](const Edge& l, const Edge& r) { return l.y0 < r.y0; });
  double top = edges.front().y0;
  double bottom = top;
  for (const Edge& e : edges) {
    bottom = std::max(bottom, e.y1);
  }
  const auto firstRow = static_cast<std::int32_t>(std::max(0.0, std::ceil(std::max(top, -1.0) - 0.5)));
  const auto endRow = static_cast<std::int32_t>(
      std::min(static_cast<double>(bitmap.Height()), std::ceil(std::min(bottom, 1.0 + bitmap.Height()) - 0.5)));
  std::vector<const Edge*> active;
  std::vector<Crossing> crossings;
  active.reserve(edges.size());
  crossings.reserve(edges.size());
  size_t next = 0;
  for (std::int32_t y = firstRow; y < endRow; ++y) {
    const double centre = y + 0.5;
    while (next < edges.size() && edges[next].y0 <= centre) {
      active.push_back(&edges[next++]);
    }
    std::erase_if(active, [centre](const Edge* e) { return e->y1 <= centre; });
    crossings.clear();
    for (const Edge* e : active) {
      const double x = e->x0 + (centre - e->y0) * (e->x1 - e->x0) / (e->y1 - e->y0);
      crossings.push_back({x, e->direction});
    }
    std::sort(crossings.begin(), crossings.end(), [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
    int winding = 0;
    for (size_t i = 0; i + 1 < crossings.size(); ++i) {
      winding += rule == FillRule::EvenOdd ? 1 : crossings[i].direction;
      const bool inside = rule == FillRule::EvenOdd ? (winding & 1) != 0 : winding != 0;
      if (inside) {
        bitmap.FillSpan(y, PixelFromEdge(crossings[i].x, bitmap.Width()),
                        PixelFromEdge(crossings[i + 1].x, bitmap.Width()), white);
      }
    }
  }
}

Contour EllipseContour(PointD centre, double rx, double ry) {
  Contour out;
  const int segments = SegmentsForRadius(std::max(rx, ry));
  AppendArc(out, centre, rx, ry, 0, 2 * std::numbers::pi, segments);
  out.pop_back();
  return out;
}

Contour RoundRectContour(double left, double top, double right, double bottom, double rx, double ry) {
  rx = std::clamp(rx, 0.0, (right - left) / 2);
  ry = std::clamp(ry, 0.0, (bottom - top) / 2);
  Contour out;
  const int quarter = SegmentsForRadius(std::max(rx, ry)) / 4;
  constexpr double kPi = std::numbers::pi;
  AppendArc(out, {right - rx, top + ry}, rx, ry, -kPi / 2, 0, quarter);
  AppendArc(out, {right - rx, bottom - ry}, rx, ry, 0, kPi / 2, quarter);
  AppendArc(out, {left + rx, bottom - ry}, rx, ry, kPi / 2, kPi, quarter);
  AppendArc(out, {left + rx, top + ry}, rx, ry, kPi, 3 * kPi / 2, quarter);
  return out;
}

void FillRing(MonoBitmap& bitmap, const Contour& outer, const Contour& inner, bool white) {
  FillContours(bitmap, {outer, inner}, FillRule::EvenOdd, white);
}

void DrawPixelLine(MonoBitmap& bitmap, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, bool white) {
  const std::int64_t dx = std::abs(static_cast<std::int64_t>(x1) - x0);
  const std::int64_t dy = -std::abs(static_cast<std::int64_t>(y1) - y0);
  const int sx = x0 < x1 ? 1 : -1;
  const int sy = y0 < y1 ? 1 : -1;
  // Lines far outside the bitmap are not walked pixel by pixel.
  const std::int64_t limit = 4 * (static_cast<std::int64_t>(bitmap.Width()) + bitmap.Height()) + 16;
  if (dx > limit || -dy > limit) {
    return;
  }
  std::int64_t error = dx + dy;
  std::int64_t x = x0;
  std::int64_t y = y0;
  while (x != x1 || y != y1) {
    bitmap.SetPixel(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), white);
    const std::int64_t twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += sx;
    }
    if (twice <= dx) {
      error += dx;
      y += sy;
    }
  }
}

void StrokeClosedContour(MonoBitmap& bitmap, const Contour& centreLine, const StrokeStyle& stroke, bool white) {
  if (centreLine.size() < 2 || stroke.style == PenStyle::Null) {
    return;
  }
  const std::vector<double> units = DashPattern(stroke.style, stroke.cosmetic);
  if (stroke.cosmetic && units.empty()) {
    for (size_t i = 0; i < centreLine.size(); ++i) {
      const PointD a = centreLine[i];
      const PointD b = centreLine[(i + 1) % centreLine.size()];
      DrawPixelLine(bitmap, static_cast<std::int32_t>(std::floor(a.x)), static_cast<std::int32_t>(std::floor(a.y)),
                    static_cast<std::int32_t>(std::floor(b.x)), static_cast<std::int32_t>(std::floor(b.y)), white);
    }
    return;
  }
  const double width = stroke.cosmetic ? 1.0 : std::max(stroke.width, 1.0);
  if (units.empty()) {
    Contour closed = centreLine;
    closed.push_back(centreLine[0]);
    closed.push_back(centreLine[1]);
    Contour outer;
    Contour inner;
    for (size_t i = 1; i + 1 < closed.size(); ++i) {
      const PointD offset = MiterOffset(Minus(closed[i], closed[i - 1]), Minus(closed[i + 1], closed[i]), width / 2);
      outer.push_back({closed[i].x + offset.x, closed[i].y + offset.y});
      inner.push_back({closed[i].x - offset.x, closed[i].y - offset.y});
    }
    FillRing(bitmap, outer, inner, white);
    return;
  }
  std::vector<double> pattern = units;
  for (double& length : pattern) {
    length *= width;
  }
  for (const Contour& dash : Dashes(centreLine, pattern)) {
    FillContours(bitmap, {StrokeStrip(dash, width / 2)}, FillRule::NonZero, white);
  }
}

}  // namespace linnet::gdi
