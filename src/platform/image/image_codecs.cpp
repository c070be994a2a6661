#include "platform/image/image_codecs.h"

#include <algorithm>
#include <cmath>

namespace linnet::image {

bool EncodeImage(const gdi::MonoBitmap& bitmap, Codec codec, ByteSink& sink) {
  switch (codec) {
    case Codec::Bmp:
      return EncodeBmp(bitmap, sink);
    case Codec::Gif:
      return EncodeGif(bitmap, sink);
    case Codec::Tiff:
      return EncodeTiff(bitmap, sink);
    case Codec::Png:
      return EncodePng(bitmap, sink);
    case Codec::Jpeg:
      break;
  }
  return EncodeJpeg(bitmap, sink);
}

std::uint32_t PixelsPerMetre(std::int32_t dpi) {
  return static_cast<std::uint32_t>(std::min(std::floor(std::max(dpi, 0) * 10000.0 / 254.0 + 0.5), 4294967295.0));
}

void ExpandRow(const gdi::MonoBitmap& bitmap, std::int32_t y, std::uint8_t* out) {
  const std::uint8_t* row = bitmap.Row(y);
  const std::int32_t width = bitmap.Width();
  for (std::int32_t x = 0; x < width; ++x) {
    out[x] = (row[x >> 3] & (0x80 >> (x & 7))) != 0 ? 255 : 0;
  }
}

}  // namespace linnet::image
