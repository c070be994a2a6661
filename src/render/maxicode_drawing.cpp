#include <array>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "control/qln_barcode.h"
#include "platform/gdi/system_colors.h"
#include "render/drawing_surface.h"
#include "render/encoding_error.h"
#include "render/quiet_zone.h"
#include "render/rotation.h"
#include "render/symbol_encoding_cache.h"
#include "render/two_dimensional.h"
#include "render/units.h"

namespace linnet {

namespace {

// A MaxiCode has a fixed physical size whatever the control's length properties say. All
// sizes in hundredths of a millimetre; the pitches follow the nominal cell of a 25.5 mm
// symbol of 29 cells on a hexagonal grid, truncated to whole hundredths.
constexpr double kCellPitch = 2550.0 / 29.0;
constexpr std::int32_t kColumnPitch = 87;
constexpr auto kRowPitch = static_cast<std::int32_t>(1.5 / std::numbers::sqrt3 * kCellPitch);
constexpr auto kModuleHeight = static_cast<std::int32_t>(2.0 / std::numbers::sqrt3 * kCellPitch);
constexpr std::int32_t kRingPen = 67;
constexpr std::array<std::int32_t, 3> kRingRadii = {354, 220, 85};  // drawn outermost first

constexpr int kSymbolColumns = 30;
constexpr int kBullseyeColumn = 14;
constexpr int kBullseyeRow = 16;

// The sizes in layout dots at the control's current resolution.
struct MaxiCodeGeometry {
  std::int32_t w;   // column pitch and module width
  std::int32_t v;   // row pitch
  std::int32_t hh;  // module height
};

MaxiCodeGeometry GeometryOf(const CQlnBarcode& control) {
  return {DotsFromMetric(control, kColumnPitch), DotsFromMetric(control, kRowPitch),
          DotsFromMetric(control, kModuleHeight)};
}

// A vertex of the module outline inside its cell: along = a1·w/10 + a2·w/10 and
// across = c·hh/12, each fraction an integer division on its own.
struct ModuleVertex {
  std::int64_t a1, a2, c;
};
constexpr std::array<ModuleVertex, 8> kModuleOutline = {{
    {5, 0, 1},
    {5, 3, 1},
    {10, 0, 5},
    {10, 0, 8},
    {7, 0, 12},
    {5, 0, 12},
    {2, 0, 8},
    {2, 0, 5},
}};

void DrawModule(DrawingSurface& surface, PointL origin, int turns, std::int64_t along, std::int64_t across,
                const MaxiCodeGeometry& g) {
  std::array<PointL, kModuleOutline.size()> points;
  for (size_t i = 0; i < kModuleOutline.size(); ++i) {
    const ModuleVertex& m = kModuleOutline[i];
    points[i] = Offset(origin, turns, along + m.a1 * g.w / 10 + m.a2 * g.w / 10, across + m.c * g.hh / 12);
  }
  surface.Polygon(points);
}

void DrawModules(DrawingSurface& surface, PointL origin, int turns, const std::vector<std::string>& rows,
                 const MaxiCodeGeometry& g) {
  for (size_t i = 0; i < rows.size(); ++i) {
    const std::int64_t shift = i % 2 == 1 ? g.w / 2 : 0;
    const std::int64_t across = static_cast<std::int64_t>(i) * g.v;
    for (size_t k = 0; k < rows[i].size(); ++k) {
      if (rows[i][k] == '1') {
        DrawModule(surface, origin, turns, static_cast<std::int64_t>(k) * g.w + shift, across, g);
      }
    }
  }
}

// Three dark rings on a light ground: each circle fills its inside with the back colour and
// strokes its edge with the ring pen, so each smaller one clears the middle of the last.
void DrawBullseye(const CQlnBarcode& control, DrawingSurface& surface, PointL origin, int turns,
                  const MaxiCodeGeometry& g, gdi::ColorRef fore, gdi::ColorRef back) {
  gdi::Pen pen;
  pen.style = gdi::PenStyle::Solid;
  pen.width = DotsFromMetric(control, kRingPen);
  pen.color = fore;
  pen.geometric = true;
  const gdi::Brush previousBrush = surface.SelectBrush(gdi::Brush{back, false});
  const gdi::Pen previousPen = surface.SelectPen(pen);
  // Half a column past column 14 and half a module down row 16: the middle of the symbol.
  const PointL centre =
      Offset(origin, turns, std::int64_t{kBullseyeColumn} * g.w + g.w / 2, std::int64_t{kBullseyeRow} * g.v + g.hh / 2);
  for (const std::int32_t radius : kRingRadii) {
    const std::int64_t r = DotsFromMetric(control, radius);
    surface.Ellipse(
        {ClampDots(centre.x - r), ClampDots(centre.y - r), ClampDots(centre.x + r), ClampDots(centre.y + r)});
  }
  surface.SelectPen(previousPen);
  surface.SelectBrush(previousBrush);
}

// The quiet zone goes on both ends, in the same unrotated frame as the symbol's size: the
// block's width always runs along the symbol.
SizeL WithQuietZone(const CQlnBarcode& control, std::int64_t width, std::int64_t height) {
  const SizeL q = QuietZone(control);
  return {ClampDots(width + 2 * static_cast<std::int64_t>(q.cx)),
          ClampDots(height + 2 * static_cast<std::int64_t>(q.cy))};
}

// 30 pitches wide; 29 pitches and a module high, which is a little more than the rows take
// (32 row pitches and a module), so the space below the symbol is slightly the larger.
SizeL SymbolSize(const CQlnBarcode& control) {
  const MaxiCodeGeometry g = GeometryOf(control);
  return WithQuietZone(control, std::int64_t{kSymbolColumns} * g.w, std::int64_t{kSymbolColumns - 1} * g.w + g.hh);
}

}  // namespace

SizeL MeasureMaxiCode(const CQlnBarcode& control, DrawingSurface& /*surface*/) {
  std::vector<std::string> rows;
  try {
    rows = MatrixRowsFor(control);
  } catch (const Quillon::BrindleLib::barlib_error&) {
    return FailedSymbolSize(control);
  }
  return SymbolSize(control);
}

SizeL DrawMaxiCode(CQlnBarcode& control, DrawingSurface& surface, PointL at) {
  const auto& p = control.Properties();
  const int turns = QuarterTurns(p.rotation);
  const SizeL q = QuietZone(control);
  const PointL origin = Offset(at, turns, q.cx, q.cy);
  std::vector<std::string> rows;
  try {
    rows = MatrixRowsFor(control);
  } catch (const Quillon::BrindleLib::barlib_error& error) {
    DrawEncodingError(control, surface, origin, error);
    return FailedSymbolSize(control);
  }
  const MaxiCodeGeometry g = GeometryOf(control);
  const gdi::ColorRef fore = gdi::TranslateColor(p.foreColor);
  const gdi::ColorRef back = gdi::TranslateColor(p.backColor);
  const gdi::Brush previousBrush = surface.SelectBrush(gdi::Brush{fore, false});
  DrawModules(surface, origin, turns, rows, g);
  surface.SelectBrush(previousBrush);
  DrawBullseye(control, surface, origin, turns, g, fore, back);
  return SymbolSize(control);
}

}  // namespace linnet
