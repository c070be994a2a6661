#include "platform/image/image_codecs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

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

namespace {

// Eight grey samples for each byte of one-bit pixels.
struct ExpansionTable {
  std::array<std::array<std::uint8_t, 8>, 256> samples{};
  ExpansionTable() {
    for (size_t byte = 0; byte < 256; ++byte) {
      for (size_t bit = 0; bit < 8; ++bit) {
        samples[byte][bit] = (byte & (0x80U >> bit)) != 0 ? 255 : 0;
      }
    }
  }
};

}  // namespace

void ExpandRow(const gdi::MonoBitmap& bitmap, std::int32_t y, std::uint8_t* out) {
  static const ExpansionTable table;
  const std::uint8_t* row = bitmap.Row(y);
  const auto width = static_cast<size_t>(bitmap.Width());
  const size_t whole = width / 8;
  for (size_t i = 0; i < whole; ++i) {
    std::memcpy(out + 8 * i, table.samples[row[i]].data(), 8);
  }
  if (whole * 8 < width) {
    std::memcpy(out + 8 * whole, table.samples[row[whole]].data(), width - 8 * whole);
  }
}

}  // namespace linnet::image
