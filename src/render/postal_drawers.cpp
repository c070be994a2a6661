#include "control/qln_barcode.h"
#include "platform/gdi/system_colors.h"
#include "render/linear_drawers.h"
#include "render/rotation.h"
#include "render/units.h"

namespace linnet {

namespace {

// Bars at a fixed pitch: the last bar ends the symbol.
std::int32_t PitchedWidth(std::string_view pattern, std::int32_t pitch, std::int32_t barWidth) {
  if (pattern.empty()) {
    return 0;
  }
  return ClampDots((static_cast<std::int64_t>(pattern.size()) - 1) * pitch + barWidth);
}

}  // namespace

DrawPostalHeights DrawPostalHeights::For(const CQlnBarcode& control, DrawingSurface& surface) {
  return {surface,
          gdi::TranslateColor(control.Properties().foreColor),
          DotsFromMils(control, 125),
          DotsFromMils(control, 50),
          DotsFromMils(control, 20),
          DotsFromMils(control, 45)};
}

SizeL DrawPostalHeights::Measure(std::string_view pattern) const {
  return {PitchedWidth(pattern, pitch, barWidth), tallHeight};
}

void DrawPostalHeights::Draw(PointL at, std::string_view pattern, int quarterTurns) const {
  PointL pen = at;
  for (const char c : pattern) {
    if (c == 'h' || c == 'H' || c == 'b' || c == 'B') {
      DrawRect(surface, color, pen, tallHeight, barWidth, quarterTurns);
    } else {
      // Short bars stand on the tall bars' baseline.
      DrawRect(surface, color, MoveAcross(pen, quarterTurns, tallHeight - shortHeight), shortHeight, barWidth,
               quarterTurns);
    }
    pen = MoveAlong(pen, quarterTurns, pitch);
  }
}

DrawFourState DrawFourState::For(const CQlnBarcode& control, DrawingSurface& surface) {
  return {surface,
          gdi::TranslateColor(control.Properties().foreColor),
          DotsFromMetric(control, 480),
          DotsFromMetric(control, 120),
          DotsFromMetric(control, 180),
          DotsFromMetric(control, 55),
          DotsFromMetric(control, 110)};
}

SizeL DrawFourState::Measure(std::string_view pattern) const {
  return {PitchedWidth(pattern, pitch, barWidth), fullHeight};
}

void DrawFourState::Draw(PointL at, std::string_view pattern, int quarterTurns) const {
  PointL pen = at;
  for (const char c : pattern) {
    std::int32_t start = 0;
    std::int32_t extent = 0;
    switch (c) {
      case 'A':
      case 'c':  // ascender
        extent = ascenderHeight + trackerHeight;
        break;
      case 'D':
      case 'd':  // descender
        // Down to the full bars' bottom line: the heights are rounded to dots one by one,
        // so ascender plus tracker can fall a dot short of it.
        start = ascenderHeight;
        extent = fullHeight - ascenderHeight;
        break;
      case 'F':
      case 'b':  // full
        extent = fullHeight;
        break;
      case 'T':
      case 'a':  // tracker
        start = ascenderHeight;
        extent = trackerHeight;
        break;
      default:
        break;
    }
    if (extent > 0) {
      DrawRect(surface, color, MoveAcross(pen, quarterTurns, start), extent, barWidth, quarterTurns);
    }
    pen = MoveAlong(pen, quarterTurns, pitch);
  }
}

}  // namespace linnet
