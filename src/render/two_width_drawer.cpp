#include <algorithm>
#include <cmath>

#include "control/qln_barcode.h"
#include "platform/gdi/system_colors.h"
#include "render/linear_drawers.h"
#include "render/rotation.h"
#include "render/units.h"

namespace linnet {

namespace {

bool IsNarrow(char c) {
  return c == 'n' || c == 'N';
}

}  // namespace

DrawTwoWidth DrawTwoWidth::For(const CQlnBarcode& control, DrawingSurface& surface) {
  const auto& p = control.Properties();
  const double wide = std::trunc(p.narrowBarWidth * p.narrowToWideRatio);
  return {surface, gdi::TranslateColor(p.foreColor), DotsFromUser(control, p.narrowBarWidth),
          DotsFromUser(control, static_cast<std::int32_t>(std::clamp(wide, -2147483647.0, 2147483647.0))),
          DotsFromUser(control, p.barHeight)};
}

// A space element at the end of the pattern takes no room.
SizeL DrawTwoWidth::Measure(std::string_view pattern) const {
  std::int64_t width = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (i + 1 == pattern.size() && i % 2 == 1) {
      break;
    }
    width += IsNarrow(pattern[i]) ? narrow : wide;
  }
  return {ClampDots(width), barHeight};
}

void DrawTwoWidth::Draw(PointL at, std::string_view pattern, int quarterTurns) const {
  PointL pen = at;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const std::int32_t width = IsNarrow(pattern[i]) ? narrow : wide;
    if (i % 2 == 0) {
      DrawRect(surface, color, pen, barHeight, width, quarterTurns);
    }
    pen = MoveAlong(pen, quarterTurns, width);
  }
}

}  // namespace linnet
