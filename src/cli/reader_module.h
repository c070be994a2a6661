#pragma once
// The interface of the barcode-reader module (linnet-reader.so, on zxing-cpp) behind
// --verify: a grey image in, the decoded text out.
#include <cstddef>
#include <cstdint>

#include "platform/modules/module_loader.h"

namespace linnet::cli {

inline constexpr char kReaderModuleName[] = "reader";
inline constexpr char kReaderModuleEntry[] = "linnet_reader_module";

struct ReaderModule {
  modules::EntryHeader header;
  // Decodes the one symbol of `format` (the reader library's name of it, "Code128") in an
  // image of one byte per pixel, rows from the top, and writes its text (UTF-8) to `text`,
  // at most `capacity` bytes, the full length to `length`. False when nothing was found.
  bool (*decode)(const std::uint8_t* grey, int width, int height, const char* format, char* text, std::size_t capacity,
                 std::size_t* length);
};

}  // namespace linnet::cli
