#include "render/export_image.h"

#include <new>
#include <string_view>

#include "control/error_info.h"
#include "platform/files/file_replace.h"
#include "platform/files/overwrite_guard.h"
#include "platform/image/byte_sink.h"
#include "platform/image/image_codecs.h"
#include "render/raster_export.h"

namespace linnet {

namespace {

constexpr int kOverwriteRefused = 6107;
constexpr int kNoBitmap = 6122;

// Existing files are replaced only when they are plain, writable and named like an image.
constexpr std::string_view kReplaceableExtensions = ".bmp|.jpg|.jpeg|.gif|.tif|.tiff|.png|.emf|.wmf";

image::Codec CodecFor(int format) {
  switch (format) {
    case qlxFormatBMP:
      return image::Codec::Bmp;
    case qlxFormatGIF:
      return image::Codec::Gif;
    case qlxFormatTIF:
      return image::Codec::Tiff;
    case qlxFormatPNG:
      return image::Codec::Png;
    default:
      return image::Codec::Jpeg;
  }
}

bool IsMetafile(int format) {
  return format == qlxFormatEMF || format == qlxFormatWMF;
}

}  // namespace

HRESULT ExportImageToFile(CQlnBarcode& control, const std::string& path, int format) {
  if (!files::MayOverwrite(path, kReplaceableExtensions)) {
    return RaiseNumberedError(kOverwriteRefused);
  }
  if (IsMetafile(format)) {
    return E_NOTIMPL;
  }
  try {
    const auto bitmap = DrawRasterLabel(control);
    if (!bitmap) {
      return RaiseNumberedError(kNoBitmap);
    }
    const bool written = files::WriteReplacing(path, [&](std::FILE* file) {
      image::FileSink sink(file);
      return image::EncodeImage(*bitmap, CodecFor(format), sink);
    });
    return written ? S_OK : RaiseNumberedError(kOverwriteRefused);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT ExportImageToStream(CQlnBarcode& control, std::vector<unsigned char>& out, int format) {
  if (IsMetafile(format)) {
    return E_NOTIMPL;
  }
  try {
    const auto bitmap = DrawRasterLabel(control);
    if (!bitmap) {
      return RaiseNumberedError(kNoBitmap);
    }
    // Appended in place; a failed encoding takes its part back out.
    const size_t before = out.size();
    image::VectorSink sink(out);
    if (!image::EncodeImage(*bitmap, CodecFor(format), sink)) {
      out.resize(before);
      return RaiseNumberedError(kOverwriteRefused);
    }
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace linnet
