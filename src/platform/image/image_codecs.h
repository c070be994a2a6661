#pragma once
// Two-colour bitmaps encoded as image files. The image is grey: black 0, white 255 and no
// other level; BMP, JPEG, GIF and TIFF carry it as 8-bit samples, PNG as 1-bit grey, which
// holds the same two levels at a fraction of the cost. The bitmap's resolution is recorded
// where the format has a place for it.
#include <cstdint>
#include <vector>

#include "platform/gdi/mono_bitmap.h"
#include "platform/image/byte_sink.h"

namespace linnet::image {

enum class Codec { Bmp, Jpeg, Gif, Tiff, Png };

// False when the encoder or the sink failed; the sink may then hold part of an image.
bool EncodeBmp(const gdi::MonoBitmap& bitmap, ByteSink& sink);
bool EncodeJpeg(const gdi::MonoBitmap& bitmap, ByteSink& sink);  // quality 90
bool EncodeGif(const gdi::MonoBitmap& bitmap, ByteSink& sink);   // GIF89a, LZW
bool EncodeTiff(const gdi::MonoBitmap& bitmap, ByteSink& sink);  // LZW with horizontal differencing
bool EncodePng(const gdi::MonoBitmap& bitmap, ByteSink& sink);

bool EncodeImage(const gdi::MonoBitmap& bitmap, Codec codec, ByteSink& sink);

// Resolution as image headers store it: floor(dpi * 10000 / 254 + 0.5) pixels per metre.
std::uint32_t PixelsPerMetre(std::int32_t dpi);

// One bitmap row as 8-bit grey samples (0 or 255).
void ExpandRow(const gdi::MonoBitmap& bitmap, std::int32_t y, std::uint8_t* out);

}  // namespace linnet::image
