// The barcode-reader module: zxing-cpp reading one symbol of a known format.
#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "cli/reader_module.h"
#include "version_record.h"

namespace linnet::cli {

namespace {

bool Decode(const std::uint8_t* grey, int width, int height, const char* format, char* text, std::size_t capacity,
            std::size_t* length) {
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormatFromString(format)).setTryHarder(true).setTryRotate(true);
  const auto result = ZXing::ReadBarcode({grey, width, height, ZXing::ImageFormat::Lum}, hints);
  if (!result.isValid()) {
    return false;
  }
  const std::string found = result.text();
  *length = found.size();
  std::memcpy(text, found.data(), std::min(capacity, found.size()));
  return true;
}

constexpr ReaderModule kModule{{version_record::kVersionText}, &Decode};

}  // namespace

}  // namespace linnet::cli

extern "C" __attribute__((visibility("default"))) const linnet::modules::EntryHeader* linnet_reader_module() {
  return &linnet::cli::kModule.header;
}
