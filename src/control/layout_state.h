#pragma once
// Per-control state that measurement and drawing write: the layout resolution R, the
// drawing origin and the natural size in dots.
#include <cstdint>

#include "platform/com/host_observer.h"

namespace linnet {

// R outside a drawing.
inline constexpr std::int32_t kRestLayoutResolution = 1440;

struct LayoutState {
  std::int32_t resolution = kRestLayoutResolution;  // R, dots per inch; at rest at creation and after drawing
  PointL origin;                                    // (ox, oy) added to every position of the label
  SizeL naturalDots;                                // (Wn, Hn), already swapped for a quarter turn
};

}  // namespace linnet
