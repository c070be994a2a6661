#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "platform/image/image_codecs.h"
#include "platform/image/lzw_encoder.h"
#include "platform/image/pixel_runs.h"

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

// libtiff compresses a sample at a time: right for short runs, slow for long ones. Then each
// strip's codes are made here from the rows' runs after horizontal differencing (a row's
// first sample, then each sample minus the one before it: zero inside a run), and written
// as the strip's raw data.
bool WriteRuns(TIFF* tiff, const gdi::MonoBitmap& bitmap, std::uint32_t rowsPerStrip) {
  std::vector<std::uint8_t> codes;
  LzwEncoder encoder(LzwDialect::Tiff, codes);
  RowRuns runs;
  const auto height = static_cast<std::uint32_t>(bitmap.Height());
  for (std::uint32_t strip = 0; strip * rowsPerStrip < height; ++strip) {
    const std::uint32_t end = std::min(height, (strip + 1) * rowsPerStrip);
    for (std::uint32_t y = strip * rowsPerStrip; y < end; ++y) {
      bool first = true;
      for (const auto& [white, length] : runs.Of(bitmap, static_cast<std::int32_t>(y))) {
        // White after black rises by 255; black after white falls by 255, which is 1 modulo 256.
        encoder.Run(first ? (white ? 255 : 0) : (white ? 255 : 1), 1);
        encoder.Run(0, length - 1);
        first = false;
      }
    }
    encoder.Finish();
    if (TIFFWriteRawStrip(tiff, strip, codes.data(), static_cast<tmsize_t>(codes.size())) !=
        static_cast<tmsize_t>(codes.size())) {
      return false;
    }
    codes.clear();
  }
  return true;
}

bool WritePixels(TIFF* tiff, const gdi::MonoBitmap& bitmap) {
  std::vector<std::uint8_t> row(static_cast<size_t>(bitmap.Width()));
  for (std::int32_t y = 0; y < bitmap.Height(); ++y) {
    ExpandRow(bitmap, y, row.data());
    if (TIFFWriteScanline(tiff, row.data(), static_cast<std::uint32_t>(y), 0) != 1) {
      return false;
    }
  }
  return true;
}

bool WriteImage(TIFF* tiff, const gdi::MonoBitmap& bitmap) {
  const auto resolution = static_cast<float>(bitmap.resolution);
  const std::uint32_t rowsPerStrip = TIFFDefaultStripSize(tiff, 0);
  const bool ok = TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(bitmap.Width())) == 1 &&
                  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(bitmap.Height())) == 1 &&
                  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1) == 1 &&
                  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8) == 1 &&
                  TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK) == 1 &&
                  TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) == 1 &&
                  TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW) == 1 &&
                  TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL) == 1 &&
                  TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH) == 1 &&
                  TIFFSetField(tiff, TIFFTAG_XRESOLUTION, resolution) == 1 &&
                  TIFFSetField(tiff, TIFFTAG_YRESOLUTION, resolution) == 1 &&
                  TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, rowsPerStrip) == 1;
  return ok && (RunsAreLong(bitmap) ? WriteRuns(tiff, bitmap, rowsPerStrip) : WritePixels(tiff, bitmap));
}

}  // namespace

// One 8-bit sample per pixel, minimum is black, resolution in dots per inch.
bool EncodeTiff(const gdi::MonoBitmap& bitmap, ByteSink& sink) {
  MemoryFile file;
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
  bool ok = WriteImage(tiff, bitmap);
  ok = TIFFWriteDirectory(tiff) == 1 && ok;
  TIFFClose(tiff);
  return ok && !file.failed && sink.Write(file.bytes.data(), file.bytes.size());
}

}  // namespace linnet::image
