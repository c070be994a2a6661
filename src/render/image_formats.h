#pragma once
// The image formats the label can be written in, one row each: its number in the control's
// ImageFormatEnum (SVG has none: ExportImage cannot ask for it), the enumerator name, the
// names `linnet --format` accepts (also the file-name extensions, without the dot), the MIME
// type and the writer. Export, `linnet` and every other host read this table; nothing else
// lists formats.
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/image/image_codecs.h"

namespace linnet {

enum class ImageWriter { Raster, Emf, Wmf, Svg };

struct ImageFormatInfo {
  std::optional<int> number;         // ImageFormatEnum value
  const char* enumerator;            // nullptr without a number
  std::array<const char*, 2> names;  // the first is the canonical one; the second may be nullptr
  const char* mimeType;
  ImageWriter writer;
  std::optional<image::Codec> codec;  // raster formats only
};

std::span<const ImageFormatInfo> ImageFormats();

// The row ExportImage uses for `number`: every value outside the enumeration (4, 8, ...) is
// JPEG.
const ImageFormatInfo& ImageFormatForNumber(int number);

// The row a name or a file-name extension (with or without its dot, any case) names; nullptr
// for none.
const ImageFormatInfo* ImageFormatNamed(std::string_view name);

// The extensions an existing file may have to be written over, ".bmp|.jpg|...", in table order.
const std::string& ReplaceableExtensions();

}  // namespace linnet
