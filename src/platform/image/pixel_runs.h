#pragma once
// A bitmap row as runs of one colour, found a byte at a time where the row is uniform: what
// run-length-aware encoders read instead of one sample per pixel.
#include <cstddef>
#include <cstdint>

#include "platform/gdi/mono_bitmap.h"

namespace linnet::image {

// Calls `run(white, length)` for each run of row `y`, left to right.
template <class OnRun>
void ForEachRun(const gdi::MonoBitmap& bitmap, std::int32_t y, OnRun&& run) {
  const std::uint8_t* row = bitmap.Row(y);
  const auto width = static_cast<size_t>(bitmap.Width());
  auto white = [row](size_t x) { return (row[x >> 3] & (0x80U >> (x & 7))) != 0; };
  size_t x = 0;
  while (x < width) {
    const bool colour = white(x);
    const std::uint8_t uniform = colour ? 0xFF : 0x00;
    size_t end = x + 1;
    while (end < width && (end & 7) != 0 && white(end) == colour) {
      ++end;
    }
    if ((end & 7) == 0) {
      while (end + 8 <= width && row[end >> 3] == uniform) {
        end += 8;
      }
      while (end < width && white(end) == colour) {
        ++end;
      }
    }
    run(colour, end - x);
    x = end;
  }
}

}  // namespace linnet::image
