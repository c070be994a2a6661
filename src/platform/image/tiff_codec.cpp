#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "platform/image/image_codecs.h"

namespace linnet::image {

namespace {

// A growable, seekable file in memory: TIFF writers seek back to patch offsets.
struct MemoryFile {
  std::vector<std::uint8_t> bytes;
  toff_t position = 0;
  bool failed = false;
};

tmsize_t ReadProc(thandle_t handle, void* data, tmsize_t size) {
  auto* f = static_cast<MemoryFile*>(handle);
  if (f->position >= f->bytes.size() || size <= 0) {
    return 0;
  }
  const auto n = std::min<toff_t>(static_cast<toff_t>(size), f->bytes.size() - f->position);
  std::memcpy(data, f->bytes.data() + f->position, n);
  f->position += n;
  return static_cast<tmsize_t>(n);
}

tmsize_t WriteProc(thandle_t handle, void* data, tmsize_t size) {
  auto* f = static_cast<MemoryFile*>(handle);
  if (size <= 0) {
    return 0;
  }
  try {
    const toff_t end = f->position + static_cast<toff_t>(size);
    if (end > f->bytes.size()) {
      f->bytes.resize(end);
    }
  } catch (const std::bad_alloc&) {
    f->failed = true;
    return 0;
  }
  std::memcpy(f->bytes.data() + f->position, data, static_cast<size_t>(size));
  f->position += static_cast<toff_t>(size);
  return size;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
  auto* f = static_cast<MemoryFile*>(handle);
  switch (whence) {
    case SEEK_CUR:
      f->position += offset;
      break;
    case SEEK_END:
      f->position = f->bytes.size() + offset;
      break;
    default:
      f->position = offset;
      break;
  }
  return f->position;
}

int CloseProc(thandle_t /*handle*/) {
  return 0;
}

toff_t SizeProc(thandle_t handle) {
  return static_cast<MemoryFile*>(handle)->bytes.size();
}

int NoMap(thandle_t /*handle*/, void** /*base*/, toff_t* /*size*/) {
  return 0;
}

void NoUnmap(thandle_t /*handle*/, void* /*base*/, toff_t /*size*/) {}

int Quiet(TIFF* /*tiff*/, void* /*user*/, const char* /*module*/, const char* /*format*/, va_list /*args*/) {
  return 1;
}

bool WriteImage(TIFF* tiff, const gdi::MonoBitmap& bitmap, std::vector<std::uint8_t>& row) {
  const auto resolution = static_cast<float>(bitmap.resolution);
  bool ok = TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(bitmap.Width())) == 1 &&
            TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(bitmap.Height())) == 1 &&
            TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1) == 1 && TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8) == 1 &&
            TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK) == 1 &&
            TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) == 1 &&
            TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW) == 1 &&
            TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL) == 1 &&
            TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH) == 1 &&
            TIFFSetField(tiff, TIFFTAG_XRESOLUTION, resolution) == 1 &&
            TIFFSetField(tiff, TIFFTAG_YRESOLUTION, resolution) == 1 &&
            TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0)) == 1;
  for (std::int32_t y = 0; ok && y < bitmap.Height(); ++y) {
    ExpandRow(bitmap, y, row.data());
    ok = TIFFWriteScanline(tiff, row.data(), static_cast<std::uint32_t>(y), 0) == 1;
  }
  return ok;
}

}  // namespace

// One 8-bit sample per pixel, minimum is black, resolution in dots per inch.
bool EncodeTiff(const gdi::MonoBitmap& bitmap, ByteSink& sink) {
  MemoryFile file;
  std::vector<std::uint8_t> row;
  try {
    row.assign(static_cast<size_t>(bitmap.Width()), 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  if (options == nullptr) {
    return false;
  }
  TIFFOpenOptionsSetErrorHandlerExtR(options, &Quiet, nullptr);
  TIFFOpenOptionsSetWarningHandlerExtR(options, &Quiet, nullptr);
  TIFF* tiff = TIFFClientOpenExt("image", "w", &file, &ReadProc, &WriteProc, &SeekProc, &CloseProc, &SizeProc, &NoMap,
                                 &NoUnmap, options);
  TIFFOpenOptionsFree(options);
  if (tiff == nullptr) {
    return false;
  }
  bool ok = WriteImage(tiff, bitmap, row);
  ok = TIFFWriteDirectory(tiff) == 1 && ok;
  TIFFClose(tiff);
  return ok && !file.failed && sink.Write(file.bytes.data(), file.bytes.size());
}

}  // namespace linnet::image
