#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <new>
#include <vector>

#include "platform/image/image_codecs.h"
#include "platform/image/lzw_encoder.h"
#include "platform/image/pixel_runs.h"

namespace linnet::image {

namespace {

// giflib does not check every write (the closing trailer's, for one), so failures are
// remembered here.
struct Output {
  ByteSink& sink;
  bool failed = false;
};

int WriteToSink(GifFileType* gif, const GifByteType* data, int size) {
  auto* output = static_cast<Output*>(gif->UserData);
  if (!output->sink.Write(data, static_cast<size_t>(size))) {
    output->failed = true;
    return 0;
  }
  return size;
}

// giflib compresses a pixel at a time: right for short runs, slow for long ones, whose
// codes are made here from the rows' runs and handed over as the image's data sub-blocks.
bool WritePixels(GifFileType* gif, const gdi::MonoBitmap& bitmap) {
  std::vector<GifByteType> row(static_cast<size_t>(bitmap.Width()));
  for (std::int32_t y = 0; y < bitmap.Height(); ++y) {
    ExpandRow(bitmap, y, row.data());
    if (EGifPutLine(gif, row.data(), bitmap.Width()) != GIF_OK) {
      return false;
    }
  }
  return true;
}

bool WriteRuns(GifFileType* gif, const gdi::MonoBitmap& bitmap) {
  std::vector<std::uint8_t> codes;
  LzwEncoder encoder(LzwDialect::Gif, codes);
  RowRuns runs;
  for (std::int32_t y = 0; y < bitmap.Height(); ++y) {
    for (const auto& [white, length] : runs.Of(bitmap, y)) {
      encoder.Run(white ? 255 : 0, length);
    }
  }
  encoder.Finish();
  constexpr size_t kBlock = 255;
  std::array<GifByteType, kBlock + 1> block{};
  for (size_t at = 0; at < codes.size(); at += kBlock) {
    const size_t size = std::min(kBlock, codes.size() - at);
    block[0] = static_cast<GifByteType>(size);
    std::copy_n(codes.begin() + static_cast<std::ptrdiff_t>(at), size, block.begin() + 1);
    const int status = at == 0 ? EGifPutCode(gif, 8, block.data()) : EGifPutCodeNext(gif, block.data());
    if (status != GIF_OK) {
      return false;
    }
  }
  return EGifPutCodeNext(gif, nullptr) == GIF_OK;
}

bool WriteImage(GifFileType* gif, const gdi::MonoBitmap& bitmap, ColorMapObject* greys) {
  EGifSetGifVersion(gif, true);
  if (EGifPutScreenDesc(gif, bitmap.Width(), bitmap.Height(), 8, 0, greys) != GIF_OK ||
      EGifPutImageDesc(gif, 0, 0, bitmap.Width(), bitmap.Height(), false, nullptr) != GIF_OK) {
    return false;
  }
  return RunsAreLong(bitmap) ? WriteRuns(gif, bitmap) : WritePixels(gif, bitmap);
}

}  // namespace

// GIF89a with a 256-level grey palette; the pixels are its entries 0 and 255.
bool EncodeGif(const gdi::MonoBitmap& bitmap, ByteSink& sink) {
  if (bitmap.Width() > 0xFFFF || bitmap.Height() > 0xFFFF) {
    return false;
  }
  ColorMapObject* greys = GifMakeMapObject(256, nullptr);
  if (greys == nullptr) {
    return false;
  }
  for (int i = 0; i < 256; ++i) {
    const auto level = static_cast<GifByteType>(i);
    greys->Colors[i] = GifColorType{level, level, level};
  }
  int error = 0;
  Output output{sink};
  GifFileType* gif = EGifOpen(&output, &WriteToSink, &error);
  bool ok = gif != nullptr && WriteImage(gif, bitmap, greys);
  if (gif != nullptr && EGifCloseFile(gif, &error) != GIF_OK) {
    ok = false;
  }
  GifFreeMapObject(greys);
  return ok && !output.failed;
}

}  // namespace linnet::image
