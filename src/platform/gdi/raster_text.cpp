#include "platform/gdi/raster_text.h"

#include <algorithm>

namespace linnet::gdi {

namespace {

// Device steps of one glyph pixel along the text and across it (downwards in the glyph).
struct Turn {
  std::int32_t ax, ay, cx, cy;
};
constexpr Turn kTurns[4] = {{1, 0, 0, 1}, {0, -1, 1, 0}, {-1, 0, 0, -1}, {0, 1, -1, 0}};

// The device pixel that glyph pixel (gx, gy) covers: the square from the turned corner,
// taken at its top-left.
PointL DevicePixel(const Turn& t, PointL origin, std::int64_t gx, std::int64_t gy) {
  const std::int64_t x = origin.x + gx * t.ax + gy * t.cx + std::min(0, t.ax) + std::min(0, t.cx);
  const std::int64_t y = origin.y + gx * t.ay + gy * t.cy + std::min(0, t.ay) + std::min(0, t.cy);
  return {static_cast<std::int32_t>(std::clamp<std::int64_t>(x, INT32_MIN, INT32_MAX)),
          static_cast<std::int32_t>(std::clamp<std::int64_t>(y, INT32_MIN, INT32_MAX))};
}

// Upright glyphs entirely inside the bitmap: whole bytes at a time.
void PaintUprightRows(MonoBitmap& bitmap, const GlyphImage& g, std::int32_t x0, std::int32_t y0, bool white) {
  const std::int32_t shift = x0 & 7;
  for (std::int32_t row = 0; row < g.rows; ++row) {
    std::uint8_t* dst = bitmap.Row(y0 + row) + (x0 >> 3);
    const std::uint8_t* src = g.bits.data() + static_cast<size_t>(row) * static_cast<size_t>(g.pitch);
    const std::int32_t lastByte = ((x0 + g.width - 1) >> 3) - (x0 >> 3);
    for (std::int32_t i = 0; i < g.pitch; ++i) {
      if (src[i] == 0) {
        continue;
      }
      const auto high = static_cast<std::uint8_t>(src[i] >> shift);
      const auto low = static_cast<std::uint8_t>(src[i] << (8 - shift));
      auto apply = [white](std::uint8_t& byte, std::uint8_t mask) {
        byte = white ? static_cast<std::uint8_t>(byte | mask) : static_cast<std::uint8_t>(byte & ~mask);
      };
      apply(dst[i], high);
      if (shift != 0 && i + 1 <= lastByte) {
        apply(dst[i + 1], low);
      }
    }
  }
}

void PaintImage(MonoBitmap& bitmap, const GlyphImage& g, PointL origin, int quarterTurns, bool white) {
  const Turn& t = kTurns[quarterTurns & 3];
  if (quarterTurns == 0) {
    const std::int64_t x0 = static_cast<std::int64_t>(origin.x) + g.left;
    const std::int64_t y0 = static_cast<std::int64_t>(origin.y) + g.top;
    if (x0 >= 0 && y0 >= 0 && x0 + g.width <= bitmap.Width() && y0 + g.rows <= bitmap.Height()) {
      PaintUprightRows(bitmap, g, static_cast<std::int32_t>(x0), static_cast<std::int32_t>(y0), white);
      return;
    }
  }
  for (std::int32_t row = 0; row < g.rows; ++row) {
    for (std::int32_t col = 0; col < g.width; ++col) {
      if (g.Pixel(col, row)) {
        const PointL p = DevicePixel(t, origin, g.left + col, g.top + row);
        bitmap.SetPixel(p.x, p.y, white);
      }
    }
  }
}

// The glyph pixels (relative to the pen origin) that land inside the bitmap.
RectL VisibleGlyphWindow(const MonoBitmap& bitmap, PointL origin, int quarterTurns) {
  const Turn& t = kTurns[quarterTurns & 3];
  auto glyphOf = [&](std::int64_t dx, std::int64_t dy) {
    const std::int64_t rx = dx - origin.x - std::min(0, t.ax) - std::min(0, t.cx);
    const std::int64_t ry = dy - origin.y - std::min(0, t.ay) - std::min(0, t.cy);
    return std::pair{rx * t.ax + ry * t.ay, rx * t.cx + ry * t.cy};
  };
  const auto [ax, ay] = glyphOf(0, 0);
  const auto [bx, by] = glyphOf(bitmap.Width() - 1, bitmap.Height() - 1);
  auto clamp32 = [](std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, -(1 << 30), 1 << 30));
  };
  return {clamp32(std::min(ax, bx)), clamp32(std::min(ay, by)), clamp32(std::max(ax, bx) + 1),
          clamp32(std::max(ay, by) + 1)};
}

}  // namespace

void PaintGlyph(MonoBitmap& bitmap, SizedFace& face, char32_t c, PointL origin, int quarterTurns, bool white) {
  bool tooLarge = false;
  if (const GlyphImage* image = face.Glyph(c, tooLarge); image != nullptr) {
    PaintImage(bitmap, *image, origin, quarterTurns, white);
    return;
  }
  if (!tooLarge) {
    return;
  }
  GlyphImage part;
  if (face.RenderWindow(c, VisibleGlyphWindow(bitmap, origin, quarterTurns), part)) {
    PaintImage(bitmap, part, origin, quarterTurns, white);
  }
}

}  // namespace linnet::gdi
