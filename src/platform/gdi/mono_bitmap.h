#pragma once
// A two-colour bitmap: one bit per pixel, 1 white and 0 black, rows from the top, the most
// significant bit leftmost (the layout one-bit image files use).
#include <cstdint>
#include <memory>
#include <vector>

namespace linnet::gdi {

// Bitmaps larger than this are refused, as a platform refuses a bitmap it cannot create.
inline constexpr std::int64_t kMaxBitmapPixels = std::int64_t{1} << 28;

class MonoBitmap {
 public:
  // nullptr when the size is not positive, above the pixel budget, or memory is short.
  static std::unique_ptr<MonoBitmap> Create(std::int32_t width, std::int32_t height);

  [[nodiscard]] std::int32_t Width() const { return width_; }
  [[nodiscard]] std::int32_t Height() const { return height_; }
  [[nodiscard]] size_t Stride() const { return stride_; }
  [[nodiscard]] const std::uint8_t* Row(std::int32_t y) const {
    return bits_.data() + static_cast<size_t>(y) * stride_;
  }
  std::uint8_t* Row(std::int32_t y) { return bits_.data() + static_cast<size_t>(y) * stride_; }
  [[nodiscard]] bool IsWhite(std::int32_t x, std::int32_t y) const { return (Row(y)[x >> 3] & (0x80 >> (x & 7))) != 0; }

  // Clipped to the bitmap; left and top inclusive, right and bottom exclusive.
  void FillSpan(std::int32_t y, std::int32_t left, std::int32_t right, bool white);
  void FillRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, bool white);
  void SetPixel(std::int32_t x, std::int32_t y, bool white);

  // The bitmap's resolution in dots per inch, as image files record it.
  std::int32_t resolution = 96;

 private:
  MonoBitmap(std::int32_t width, std::int32_t height);

  std::int32_t width_;
  std::int32_t height_;
  size_t stride_;
  std::vector<std::uint8_t> bits_;
};

}  // namespace linnet::gdi
