#pragma once
// A bitmap row as runs of one colour, found a byte at a time where the row is uniform: what
// run-length-aware encoders read instead of one sample per pixel. RowRuns keeps the runs of
// the row before: the rows of a barcode repeat, and a repeated row is one comparison.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

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

// Runs pay off when they are long: a run costs about as much as a dozen single samples do
// in the libraries' own per-sample compressors, so shorter runs on average (dense, narrow
// bars) are better left to those.
inline constexpr size_t kMinAverageRunForRuns = 16;

class RowRuns {
 public:
  // The runs of row `y` as (white, length), left to right.
  const std::vector<std::pair<bool, size_t>>& Of(const gdi::MonoBitmap& bitmap, std::int32_t y) {
    const std::uint8_t* row = bitmap.Row(y);
    if (row_ != nullptr && std::memcmp(row_, row, bitmap.Stride()) == 0) {
      return runs_;
    }
    row_ = row;
    runs_.clear();
    ForEachRun(bitmap, y, [this](bool white, size_t length) { runs_.emplace_back(white, length); });
    return runs_;
  }

 private:
  const std::uint8_t* row_ = nullptr;
  std::vector<std::pair<bool, size_t>> runs_;
};

// True when the bitmap's runs average at least kMinAverageRunForRuns pixels.
inline bool RunsAreLong(const gdi::MonoBitmap& bitmap) {
  RowRuns runs;
  size_t count = 0;
  for (std::int32_t y = 0; y < bitmap.Height(); ++y) {
    count += runs.Of(bitmap, y).size();
  }
  const auto pixels = static_cast<size_t>(bitmap.Width()) * static_cast<size_t>(bitmap.Height());
  return count * kMinAverageRunForRuns <= pixels;
}

}  // namespace linnet::image
