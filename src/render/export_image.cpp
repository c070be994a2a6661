#include "render/export_image.h"

#include <new>

#include "control/error_info.h"
#include "platform/files/file_replace.h"
#include "platform/files/overwrite_guard.h"
#include "platform/files/temporary_file.h"
#include "platform/image/byte_sink.h"
#include "platform/image/image_codecs.h"
#include "render/metafile_export.h"
#include "render/raster_export.h"

namespace linnet {

namespace {

constexpr int kOverwriteRefused = 6107;
constexpr int kNoBitmap = 6122;

// The classic metafile of a stream export is recorded into a temporary file first.
constexpr std::string_view kTemporaryWmfPrefix = "$$$";

// Writes the vector formats; raster formats are drawn before the destination is opened.
bool WriteVector(CQlnBarcode& control, const ImageFormatInfo& format, std::u16string_view emfTitle,
                 image::ByteSink& sink) {
  switch (format.writer) {
    case ImageWriter::Emf:
      return WriteEmf(control, emfTitle, sink);
    case ImageWriter::Wmf:
      return WriteWmf(control, sink);
    case ImageWriter::Svg:
      return WriteSvg(control, sink);
    case ImageWriter::Raster:
      break;
  }
  return false;
}

}  // namespace

HRESULT ExportFormatToFile(CQlnBarcode& control, const std::string& path, const ImageFormatInfo& format) {
  if (!files::MayOverwrite(path, ReplaceableExtensions())) {
    return RaiseNumberedError(kOverwriteRefused);
  }
  try {
    bool written = false;
    if (format.writer == ImageWriter::Raster) {
      const auto bitmap = DrawRasterLabel(control);
      if (!bitmap) {
        return RaiseNumberedError(kNoBitmap);
      }
      written = files::WriteReplacing(path, [&](std::FILE* file) {
        image::FileSink sink(file);
        return image::EncodeImage(*bitmap, *format.codec, sink);
      });
    } else {
      written = files::WriteReplacing(path, [&](std::FILE* file) {
        image::FileSink sink(file);
        return WriteVector(control, format, kFileEmfTitle, sink);
      });
    }
    return written ? S_OK : RaiseNumberedError(kOverwriteRefused);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT ExportFormatToStream(CQlnBarcode& control, std::vector<unsigned char>& out, const ImageFormatInfo& format) {
  // Appended in place; a failure takes its part back out.
  const size_t before = out.size();
  try {
    bool written = false;
    image::VectorSink sink(out);
    if (format.writer == ImageWriter::Raster) {
      const auto bitmap = DrawRasterLabel(control);
      if (!bitmap) {
        return RaiseNumberedError(kNoBitmap);
      }
      written = image::EncodeImage(*bitmap, *format.codec, sink);
    } else if (format.writer == ImageWriter::Wmf) {
      written = files::ThroughTemporaryFile(
          kTemporaryWmfPrefix,
          [&](std::FILE* file) {
            image::FileSink temporary(file);
            return WriteWmf(control, temporary);
          },
          out);
    } else {
      written = WriteVector(control, format, kMemoryEmfTitle, sink);
    }
    if (!written) {
      out.resize(before);
      return RaiseNumberedError(kOverwriteRefused);
    }
    return S_OK;
  } catch (const std::bad_alloc&) {
    out.resize(before);
    return E_OUTOFMEMORY;
  }
}

HRESULT ExportImageToFile(CQlnBarcode& control, const std::string& path, int format) {
  return ExportFormatToFile(control, path, ImageFormatForNumber(format));
}

HRESULT ExportImageToStream(CQlnBarcode& control, std::vector<unsigned char>& out, int format) {
  return ExportFormatToStream(control, out, ImageFormatForNumber(format));
}

}  // namespace linnet
