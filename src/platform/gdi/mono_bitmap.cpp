#include "platform/gdi/mono_bitmap.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace linnet::gdi {

MonoBitmap::MonoBitmap(std::int32_t width, std::int32_t height)
    : width_(width),
      height_(height),
      stride_((static_cast<size_t>(width) + 7) / 8),
      bits_(stride_ * static_cast<size_t>(height), 0xFF) {}

std::unique_ptr<MonoBitmap> MonoBitmap::Create(std::int32_t width, std::int32_t height) {
  if (width <= 0 || height <= 0 || static_cast<std::int64_t>(width) * height > kMaxBitmapPixels) {
    return nullptr;
  }
  try {
    return std::unique_ptr<MonoBitmap>(new MonoBitmap(width, height));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

namespace {

// The bytes and edge masks of the pixels [left, right) of a row.
struct SpanBytes {
  std::int32_t first;
  std::int32_t last;
  std::uint8_t headMask;
  std::uint8_t tailMask;
};

SpanBytes SpanOf(std::int32_t left, std::int32_t right) {
  return {left >> 3, (right - 1) >> 3, static_cast<std::uint8_t>(0xFF >> (left & 7)),
          static_cast<std::uint8_t>(0xFF << (7 - ((right - 1) & 7)))};
}

void ApplyMask(std::uint8_t& byte, std::uint8_t mask, bool white) {
  byte = white ? static_cast<std::uint8_t>(byte | mask) : static_cast<std::uint8_t>(byte & ~mask);
}

void FillRowSpan(std::uint8_t* row, const SpanBytes& s, bool white) {
  if (s.first == s.last) {
    ApplyMask(row[s.first], static_cast<std::uint8_t>(s.headMask & s.tailMask), white);
    return;
  }
  ApplyMask(row[s.first], s.headMask, white);
  if (s.last > s.first + 1) {
    std::memset(row + s.first + 1, white ? 0xFF : 0x00, static_cast<size_t>(s.last - s.first - 1));
  }
  ApplyMask(row[s.last], s.tailMask, white);
}

}  // namespace

void MonoBitmap::FillSpan(std::int32_t y, std::int32_t left, std::int32_t right, bool white) {
  FillRect(left, y, right, y + 1, white);
}

void MonoBitmap::FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, bool white) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  if (left >= right || top >= bottom) {
    return;
  }
  const SpanBytes span = SpanOf(left, right);
  std::uint8_t* row = Row(top);
  if (span.first == span.last) {
    // A narrow rectangle, such as a module, lies in one byte of each row.
    const auto mask = static_cast<std::uint8_t>(span.headMask & span.tailMask);
    std::uint8_t* byte = row + span.first;
    for (std::int32_t y = top; y < bottom; ++y, byte += stride_) {
      ApplyMask(*byte, mask, white);
    }
    return;
  }
  for (std::int32_t y = top; y < bottom; ++y, row += stride_) {
    FillRowSpan(row, span, white);
  }
}

void MonoBitmap::SetPixel(std::int32_t x, std::int32_t y, bool white) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    return;
  }
  std::uint8_t& byte = Row(y)[x >> 3];
  const auto mask = static_cast<std::uint8_t>(0x80 >> (x & 7));
  byte = white ? static_cast<std::uint8_t>(byte | mask) : static_cast<std::uint8_t>(byte & ~mask);
}

}  // namespace linnet::gdi
