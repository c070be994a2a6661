#pragma once
// Rotation is not a transform of the surface: every drawer turns its along/across offsets
// into coordinates through these tables (angles anticlockwise, y growing downwards).
#include <cstdint>

#include "platform/com/host_observer.h"
#include "platform/gdi/gdi_types.h"

namespace linnet {

class DrawingSurface;

// The control's `Rotation` as 0 to 3 quarter turns; any other value counts as 0.
int QuarterTurns(std::int32_t rotation);

// The point `along` dots in the reading direction and `across` dots perpendicular to it.
PointL Offset(PointL from, int quarterTurns, std::int64_t along, std::int64_t across);
inline PointL MoveAlong(PointL from, int quarterTurns, std::int64_t d) {
  return Offset(from, quarterTurns, d, 0);
}
inline PointL MoveAcross(PointL from, int quarterTurns, std::int64_t d) {
  return Offset(from, quarterTurns, 0, d);
}

// The rectangle that starts at `at` and extends `along` dots in the reading direction and
// `across` dots perpendicular to it.
RectL RotatedRect(PointL at, std::int32_t across, std::int32_t along, int quarterTurns);
// Fills that rectangle in `color`.
void DrawRect(DrawingSurface& surface, gdi::ColorRef color, PointL at, std::int32_t across, std::int32_t along,
              int quarterTurns);

}  // namespace linnet
