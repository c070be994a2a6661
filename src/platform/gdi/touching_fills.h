#pragma once
// Joins solid fills that continue each other: the bars of a module pattern and the dark runs
// of a two-dimensional row arrive as one FillRect per module, and a writer that keeps them
// apart writes more records and leaves seams where a smoothing reader meets two edges. Two
// rectangles join when they share a whole edge: same top and bottom and touching side by
// side, or same left and right and touching one above the other.
#include "platform/gdi/gdi_recorder.h"

namespace linnet::gdi {

// Grows `run` to cover `next` and answers true when they share a whole edge.
inline bool JoinTouching(RectL& run, const RectL& next) {
  if (run.top == next.top && run.bottom == next.bottom) {
    if (run.right == next.left) {
      run.right = next.right;
      return true;
    }
    if (next.right == run.left) {
      run.left = next.left;
      return true;
    }
  }
  if (run.left == next.left && run.right == next.right) {
    if (run.bottom == next.top) {
      run.bottom = next.bottom;
      return true;
    }
    if (next.bottom == run.top) {
      run.top = next.top;
      return true;
    }
  }
  return false;
}

// A fill waiting to be joined with the ones after it.
struct PendingFill {
  bool active = false;
  RectL rect;
  Brush brush;
  // Takes `call` (a FillRect) into the pending fill when it continues it; otherwise answers
  // false and leaves the pending fill as it was, for the caller to write before starting anew.
  bool Join(const GdiCall& call) { return active && call.brush == brush && JoinTouching(rect, call.rect); }
  void Start(const GdiCall& call) {
    active = true;
    rect = call.rect;
    brush = call.brush;
  }
};

}  // namespace linnet::gdi
