#include "control/qln_barcode.h"
#include "platform/gdi/system_colors.h"
#include "render/linear_drawers.h"
#include "render/rotation.h"
#include "render/units.h"

namespace linnet {

DrawModules DrawModules::For(const CQlnBarcode& control, DrawingSurface& surface) {
  const auto& p = control.Properties();
  return {surface, gdi::TranslateColor(p.foreColor), DotsFromUser(control, p.narrowBarWidth),
          DotsFromUser(control, p.barHeight)};
}

// A light module at the end of the pattern takes no room.
SizeL DrawModules::Measure(std::string_view pattern) const {
  std::int64_t count = static_cast<std::int64_t>(pattern.size());
  if (!pattern.empty() && (pattern.back() == 's' || pattern.back() == 'S')) {
    --count;
  }
  return {ClampDots(count * module), barHeight};
}

void DrawModules::Draw(PointL at, std::string_view pattern, int quarterTurns) const {
  PointL pen = at;
  for (const char c : pattern) {
    if (c == 'b' || c == 'B') {
      DrawRect(surface, color, pen, barHeight, module, quarterTurns);
    }
    pen = MoveAlong(pen, quarterTurns, module);
  }
}

}  // namespace linnet
