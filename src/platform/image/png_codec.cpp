// PNG by hand around libdeflate: a label's rows are compressed in one call, which costs a
// fraction of zlib's streaming deflate behind libpng (the larger part of a small label's
// time there); the file around them is four chunks. The whole filtered image is held once
// more while it is compressed (at most 32 MiB at the bitmap's pixel limit).
#include <libdeflate.h>

#include <array>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

#include "platform/image/image_codecs.h"

namespace linnet::image {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Two-colour rows repeat and compress well at the fastest level.
constexpr int kCompressionLevel = 1;
constexpr std::uint8_t kFilterNone = 0;

struct CompressorFree {
  void operator()(libdeflate_compressor* compressor) const { libdeflate_free_compressor(compressor); }
};

// One compressor per thread, kept: making one costs more than compressing a label.
libdeflate_compressor* Compressor() {
  thread_local const std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
      libdeflate_alloc_compressor(kCompressionLevel));
  return compressor.get();
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.insert(out.end(), {static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
                         static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)});
}

// A chunk: length, type, data, and the CRC of type and data.
bool WriteChunk(ByteSink& sink, std::string_view type, const std::uint8_t* data, std::size_t size) {
  if (size > 0x7FFFFFFFU) {
    return false;
  }
  std::vector<std::uint8_t> head;
  PutU32(head, static_cast<std::uint32_t>(size));
  head.insert(head.end(), type.begin(), type.end());
  std::uint32_t crc = libdeflate_crc32(0, head.data() + 4, 4);
  if (size > 0) {
    // (a null buffer would restart the CRC, as in zlib)
    crc = libdeflate_crc32(crc, data, size);
  }
  std::vector<std::uint8_t> tail;
  PutU32(tail, crc);
  return sink.Write(head.data(), head.size()) && (size == 0 || sink.Write(data, size)) &&
         sink.Write(tail.data(), tail.size());
}

}  // namespace

// One-bit grey: the bitmap's rows are already in the file's layout (1 white, 0 black).
bool EncodePng(const gdi::MonoBitmap& bitmap, ByteSink& sink) {
  libdeflate_compressor* compressor = Compressor();
  if (compressor == nullptr) {
    return false;
  }
  try {
    const auto width = static_cast<std::uint32_t>(bitmap.Width());
    const auto height = static_cast<std::uint32_t>(bitmap.Height());
    const std::size_t rowBytes = (static_cast<std::size_t>(width) + 7) / 8;
    std::vector<std::uint8_t> rows;
    rows.reserve((rowBytes + 1) * height);
    for (std::int32_t y = 0; y < bitmap.Height(); ++y) {
      rows.push_back(kFilterNone);
      rows.insert(rows.end(), bitmap.Row(y), bitmap.Row(y) + rowBytes);
    }
    // Left uninitialised: only the pages the compressed rows reach are ever touched.
    const std::size_t bound = libdeflate_zlib_compress_bound(compressor, rows.size());
    const auto compressed = std::make_unique_for_overwrite<std::uint8_t[]>(bound);
    const std::size_t compressedSize =
        libdeflate_zlib_compress(compressor, rows.data(), rows.size(), compressed.get(), bound);
    if (compressedSize == 0) {
      return false;
    }
    std::vector<std::uint8_t> header;
    PutU32(header, width);
    PutU32(header, height);
    // bit depth 1, grey, deflate, adaptive filtering, not interlaced
    header.insert(header.end(), {1, 0, 0, 0, 0});
    std::vector<std::uint8_t> physical;
    const std::uint32_t ppm = PixelsPerMetre(bitmap.resolution);
    PutU32(physical, ppm);
    PutU32(physical, ppm);
    physical.push_back(1);  // the unit is the metre
    return sink.Write(kSignature.data(), kSignature.size()) && WriteChunk(sink, "IHDR", header.data(), header.size()) &&
           WriteChunk(sink, "pHYs", physical.data(), physical.size()) &&
           WriteChunk(sink, "IDAT", compressed.get(), compressedSize) && WriteChunk(sink, "IEND", nullptr, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace linnet::image
