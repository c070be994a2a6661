#include <png.h>
#include <zlib.h>

#include <csetjmp>

#include "platform/image/image_codecs.h"

namespace linnet::image {

namespace {

constexpr int kDeflateMemLevel = 5;
constexpr int kDeflateWindowBits = 12;

void WriteToSink(png_structp png, png_bytep data, png_size_t size) {
  if (!static_cast<ByteSink*>(png_get_io_ptr(png))->Write(data, size)) {
    png_error(png, "write failed");
  }
}

void FlushNothing(png_structp /*png*/) {}

// libpng reports errors by a long jump back here; nothing on this frame needs destroying.
bool WriteRows(png_structp png, png_infop info, const gdi::MonoBitmap& bitmap) {
  if (setjmp(png_jmpbuf(png)) != 0) {
    return false;
  }
  png_set_IHDR(png, info, static_cast<png_uint_32>(bitmap.Width()), static_cast<png_uint_32>(bitmap.Height()), 1,
               PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  const png_uint_32 ppm = PixelsPerMetre(bitmap.resolution);
  png_set_pHYs(png, info, ppm, ppm, PNG_RESOLUTION_METER);
  // Two-colour rows repeat and compress well at the fastest level; a small deflate state
  // stays in reused heap memory instead of fresh pages for every image.
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(png, Z_BEST_SPEED);
  png_set_compression_mem_level(png, kDeflateMemLevel);
  png_set_compression_window_bits(png, kDeflateWindowBits);
  png_write_info(png, info);
  for (std::int32_t y = 0; y < bitmap.Height(); ++y) {
    png_write_row(png, bitmap.Row(y));
  }
  png_write_end(png, info);
  return true;
}

void SilentWarning(png_structp /*png*/, png_const_charp /*message*/) {}

void LongJumpOnError(png_structp png, png_const_charp /*message*/) {
  png_longjmp(png, 1);
}

}  // namespace

// One-bit grey: the bitmap's rows are already in the file's layout (1 white, 0 black).
bool EncodePng(const gdi::MonoBitmap& bitmap, ByteSink& sink) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, &LongJumpOnError, &SilentWarning);
  if (png == nullptr) {
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  png_set_write_fn(png, &sink, &WriteToSink, &FlushNothing);
  const bool ok = WriteRows(png, info, bitmap);
  png_destroy_write_struct(&png, &info);
  return ok;
}

}  // namespace linnet::image
