#pragma once
// Per-control state that measurement and drawing write: the layout resolution R, the
// drawing origin and the natural size in dots.
#include <cstdint>

#include "platform/com/host_observer.h"

namespace linnet {

struct LayoutState {
  std::int32_t resolution = 1440;  // R, dots per inch; 1440 at creation and after drawing
  PointL origin;                   // (ox, oy) added to every position of the label
  SizeL naturalDots;               // (Wn, Hn), already swapped for a quarter turn
};

}  // namespace linnet
