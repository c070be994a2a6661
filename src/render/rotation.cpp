#include "render/rotation.h"

#include "render/drawing_surface.h"
#include "render/units.h"

namespace linnet {

int QuarterTurns(std::int32_t rotation) {
  return rotation >= 0 && rotation <= 3 ? rotation : 0;
}

PointL Offset(PointL from, int quarterTurns, std::int64_t along, std::int64_t across) {
  std::int64_t dx = along;
  std::int64_t dy = across;
  switch (quarterTurns) {
    case 1:
      dx = across;
      dy = -along;
      break;
    case 2:
      dx = -along;
      dy = -across;
      break;
    case 3:
      dx = -across;
      dy = along;
      break;
    default:
      break;
  }
  return {ClampDots(from.x + dx), ClampDots(from.y + dy)};
}

RectL RotatedRect(PointL at, std::int32_t across, std::int32_t along, int quarterTurns) {
  const std::int64_t x = at.x;
  const std::int64_t y = at.y;
  switch (quarterTurns) {
    case 1:
      return {ClampDots(x), ClampDots(y - along), ClampDots(x + across), ClampDots(y)};
    case 2:
      return {ClampDots(x - along), ClampDots(y - across), ClampDots(x), ClampDots(y)};
    case 3:
      return {ClampDots(x - across), ClampDots(y), ClampDots(x), ClampDots(y + along)};
    default:
      return {ClampDots(x), ClampDots(y), ClampDots(x + along), ClampDots(y + across)};
  }
}

void DrawRect(DrawingSurface& surface, gdi::ColorRef color, PointL at, std::int32_t across, std::int32_t along,
              int quarterTurns) {
  surface.FillRect(RotatedRect(at, across, along, quarterTurns), color);
}

}  // namespace linnet
