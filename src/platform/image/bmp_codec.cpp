#include <array>
#include <new>

#include "platform/image/image_codecs.h"
#include "platform/image/little_endian.h"

namespace linnet::image {

namespace {

constexpr size_t kFileHeader = 14;
constexpr size_t kInfoHeader = 40;
constexpr size_t kPalette = size_t{256} * 4;

}  // namespace

// A bottom-up 8-bit image with a 256-level grey palette.
bool EncodeBmp(const gdi::MonoBitmap& bitmap, ByteSink& sink) {
  const auto width = static_cast<std::uint64_t>(bitmap.Width());
  const auto height = static_cast<std::uint64_t>(bitmap.Height());
  const std::uint64_t stride = (width + 3) / 4 * 4;
  const std::uint64_t offset = kFileHeader + kInfoHeader + kPalette;
  const std::uint64_t fileSize = offset + stride * height;
  if (fileSize > 0xFFFFFFFFu) {
    return false;
  }
  std::array<std::uint8_t, kFileHeader + kInfoHeader + kPalette> header{};
  header[0] = 'B';
  header[1] = 'M';
  Put32(&header[2], static_cast<std::uint32_t>(fileSize));
  Put32(&header[10], static_cast<std::uint32_t>(offset));
  std::uint8_t* info = &header[kFileHeader];
  Put32(info, kInfoHeader);
  Put32(info + 4, static_cast<std::uint32_t>(width));
  Put32(info + 8, static_cast<std::uint32_t>(height));
  Put16(info + 12, 1);  // planes
  Put16(info + 14, 8);  // bits per pixel
  Put32(info + 16, 0);  // no compression
  Put32(info + 20, static_cast<std::uint32_t>(stride * height));
  Put32(info + 24, PixelsPerMetre(bitmap.resolution));
  Put32(info + 28, PixelsPerMetre(bitmap.resolution));
  Put32(info + 32, 256);
  Put32(info + 36, 0);
  std::uint8_t* palette = info + kInfoHeader;
  for (size_t i = 0; i < 256; ++i) {
    palette[4 * i] = palette[4 * i + 1] = palette[4 * i + 2] = static_cast<std::uint8_t>(i);
  }
  if (!sink.Write(header.data(), header.size())) {
    return false;
  }
  std::vector<std::uint8_t> row;
  try {
    row.assign(stride, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (std::int32_t y = bitmap.Height() - 1; y >= 0; --y) {
    ExpandRow(bitmap, y, row.data());
    if (!sink.Write(row.data(), row.size())) {
      return false;
    }
  }
  return true;
}

}  // namespace linnet::image
