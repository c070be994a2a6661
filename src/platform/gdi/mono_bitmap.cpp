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

void MonoBitmap::FillSpan(std::int32_t y, std::int32_t left, std::int32_t right, bool white) {
  if (y < 0 || y >= height_) {
    return;
  }
  left = std::max(left, 0);
  right = std::min(right, width_);
  if (left >= right) {
    return;
  }
  std::uint8_t* row = Row(y);
  const std::int32_t firstByte = left >> 3;
  const std::int32_t lastByte = (right - 1) >> 3;
  const auto headMask = static_cast<std::uint8_t>(0xFF >> (left & 7));
  const auto tailMask = static_cast<std::uint8_t>(0xFF << (7 - ((right - 1) & 7)));
  auto apply = [white](std::uint8_t& byte, std::uint8_t mask) {
    byte = white ? static_cast<std::uint8_t>(byte | mask) : static_cast<std::uint8_t>(byte & ~mask);
  };
  if (firstByte == lastByte) {
    apply(row[firstByte], static_cast<std::uint8_t>(headMask & tailMask));
    return;
  }
  apply(row[firstByte], headMask);
  if (lastByte > firstByte + 1) {
    std::memset(row + firstByte + 1, white ? 0xFF : 0x00, static_cast<size_t>(lastByte - firstByte - 1));
  }
  apply(row[lastByte], tailMask);
}

void MonoBitmap::FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, bool white) {
  top = std::max(top, 0);
  bottom = std::min(bottom, height_);
  for (std::int32_t y = top; y < bottom; ++y) {
    FillSpan(y, left, right, white);
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
