#include "render/image_formats.h"

#include "platform/ascii_case.h"

namespace linnet {

namespace {

using image::Codec;

const std::array<ImageFormatInfo, 8> kImageFormats = {{
    {0, "qlxFormatBMP", {"bmp", nullptr}, "image/bmp", ImageWriter::Raster, Codec::Bmp},
    {1, "qlxFormatJPG", {"jpg", "jpeg"}, "image/jpeg", ImageWriter::Raster, Codec::Jpeg},
    {2, "qlxFormatGIF", {"gif", nullptr}, "image/gif", ImageWriter::Raster, Codec::Gif},
    {3, "qlxFormatTIF", {"tif", "tiff"}, "image/tiff", ImageWriter::Raster, Codec::Tiff},
    {5, "qlxFormatPNG", {"png", nullptr}, "image/png", ImageWriter::Raster, Codec::Png},
    {6, "qlxFormatEMF", {"emf", nullptr}, "image/emf", ImageWriter::Emf, std::nullopt},
    {7, "qlxFormatWMF", {"wmf", nullptr}, "image/wmf", ImageWriter::Wmf, std::nullopt},
    {std::nullopt, nullptr, {"svg", nullptr}, "image/svg+xml", ImageWriter::Svg, std::nullopt},
}};

constexpr int kFallbackNumber = 1;  // JPEG

}  // namespace

std::span<const ImageFormatInfo> ImageFormats() {
  return kImageFormats;
}

const ImageFormatInfo& ImageFormatForNumber(int number) {
  const ImageFormatInfo* fallback = nullptr;
  for (const auto& f : kImageFormats) {
    if (f.number == number) {
      return f;
    }
    if (f.number == kFallbackNumber) {
      fallback = &f;
    }
  }
  return *fallback;
}

const ImageFormatInfo* ImageFormatNamed(std::string_view name) {
  if (name.starts_with('.')) {
    name.remove_prefix(1);
  }
  for (const auto& f : kImageFormats) {
    for (const char* n : f.names) {
      if (n != nullptr && SameIgnoringAsciiCase(name, n)) {
        return &f;
      }
    }
  }
  return nullptr;
}

const std::string& ReplaceableExtensions() {
  static const std::string list = [] {
    std::string out;
    for (const auto& f : kImageFormats) {
      for (const char* n : f.names) {
        if (n != nullptr) {
          out += (out.empty() ? "." : "|.") + std::string(n);
        }
      }
    }
    return out;
  }();
  return list;
}

}  // namespace linnet
