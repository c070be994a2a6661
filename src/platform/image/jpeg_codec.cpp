#include <cstdio>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <memory>
#include <new>
#include <vector>

#include "platform/image/image_codecs.h"

namespace linnet::image {

namespace {

constexpr int kQuality = 90;
constexpr size_t kBufferSize = 16384;

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

struct Destination {
  jpeg_destination_mgr base;
  ByteSink* sink;
  bool failed;
  std::array<JOCTET, kBufferSize> buffer;
};

void LongJumpOnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void NoMessage(j_common_ptr /*info*/) {}

void InitDestination(j_compress_ptr info) {
  auto* d = reinterpret_cast<Destination*>(info->dest);
  d->base.next_output_byte = d->buffer.data();
  d->base.free_in_buffer = d->buffer.size();
}

boolean EmptyBuffer(j_compress_ptr info) {
  auto* d = reinterpret_cast<Destination*>(info->dest);
  if (!d->sink->Write(d->buffer.data(), d->buffer.size())) {
    d->failed = true;
  }
  d->base.next_output_byte = d->buffer.data();
  d->base.free_in_buffer = d->buffer.size();
  return TRUE;
}

void TermDestination(j_compress_ptr info) {
  auto* d = reinterpret_cast<Destination*>(info->dest);
  const size_t used = d->buffer.size() - d->base.free_in_buffer;
  if (used > 0 && !d->sink->Write(d->buffer.data(), used)) {
    d->failed = true;
  }
}

// libjpeg reports errors by a long jump back into these two; nothing on their frames needs
// destroying.
bool CreateCompressor(jpeg_compress_struct& info, ErrorManager& errors) {
  if (setjmp(errors.jump) != 0) {
    return false;
  }
  jpeg_create_compress(&info);
  return true;
}

bool WriteScanlines(jpeg_compress_struct& info, ErrorManager& errors, Destination& destination,
                    const gdi::MonoBitmap& bitmap, JSAMPLE* row) {
  if (setjmp(errors.jump) != 0) {
    return false;
  }
  info.dest = &destination.base;
  info.image_width = static_cast<JDIMENSION>(bitmap.Width());
  info.image_height = static_cast<JDIMENSION>(bitmap.Height());
  info.input_components = 1;
  info.in_color_space = JCS_GRAYSCALE;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, kQuality, TRUE);
  info.write_JFIF_header = TRUE;
  info.density_unit = 1;  // dots per inch
  info.X_density = static_cast<UINT16>(std::clamp(bitmap.resolution, 1, 65535));
  info.Y_density = info.X_density;
  jpeg_start_compress(&info, TRUE);
  for (std::int32_t y = 0; y < bitmap.Height(); ++y) {
    ExpandRow(bitmap, y, row);
    JSAMPROW rows[1] = {row};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  return !destination.failed;
}

}  // namespace

bool EncodeJpeg(const gdi::MonoBitmap& bitmap, ByteSink& sink) {
  if (bitmap.Width() > JPEG_MAX_DIMENSION || bitmap.Height() > JPEG_MAX_DIMENSION) {
    return false;
  }
  std::vector<JSAMPLE> row;
  std::unique_ptr<Destination> destination;
  try {
    row.assign(static_cast<size_t>(bitmap.Width()), 0);
    destination = std::make_unique<Destination>();
  } catch (const std::bad_alloc&) {
    return false;
  }
  destination->base.init_destination = &InitDestination;
  destination->base.empty_output_buffer = &EmptyBuffer;
  destination->base.term_destination = &TermDestination;
  destination->sink = &sink;
  destination->failed = false;
  jpeg_compress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = &LongJumpOnError;
  errors.base.output_message = &NoMessage;
  if (!CreateCompressor(info, errors)) {
    return false;
  }
  const bool ok = WriteScanlines(info, errors, *destination, bitmap, row.data());
  jpeg_destroy_compress(&info);
  return ok;
}

}  // namespace linnet::image
