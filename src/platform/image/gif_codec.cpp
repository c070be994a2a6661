#include <gif_lib.h>

#include <new>
#include <vector>

#include "platform/image/image_codecs.h"

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

bool WriteImage(GifFileType* gif, const gdi::MonoBitmap& bitmap, ColorMapObject* greys, std::vector<GifByteType>& row) {
  EGifSetGifVersion(gif, true);
  if (EGifPutScreenDesc(gif, bitmap.Width(), bitmap.Height(), 8, 0, greys) != GIF_OK ||
      EGifPutImageDesc(gif, 0, 0, bitmap.Width(), bitmap.Height(), false, nullptr) != GIF_OK) {
    return false;
  }
  for (std::int32_t y = 0; y < bitmap.Height(); ++y) {
    ExpandRow(bitmap, y, row.data());
    if (EGifPutLine(gif, row.data(), bitmap.Width()) != GIF_OK) {
      return false;
    }
  }
  return true;
}

}  // namespace

// GIF89a with a 256-level grey palette; the pixels are its entries 0 and 255.
bool EncodeGif(const gdi::MonoBitmap& bitmap, ByteSink& sink) {
  if (bitmap.Width() > 0xFFFF || bitmap.Height() > 0xFFFF) {
    return false;
  }
  std::vector<GifByteType> row;
  try {
    row.assign(static_cast<size_t>(bitmap.Width()), 0);
  } catch (const std::bad_alloc&) {
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
  bool ok = gif != nullptr && WriteImage(gif, bitmap, greys, row);
  if (gif != nullptr && EGifCloseFile(gif, &error) != GIF_OK) {
    ok = false;
  }
  GifFreeMapObject(greys);
  return ok && !output.failed;
}

}  // namespace linnet::image
