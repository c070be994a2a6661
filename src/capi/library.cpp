// The entry points that concern the library and the handle itself: version, buffers,
// creation and destruction, the last error and image format names.
#include <array>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>

#include "capi/handle.h"
#include "platform/ascii_case.h"
#include "version_record.h"

namespace linnet::capi {

namespace {

// Format names and file extensions the export functions understand.
struct FormatName {
  const char* name;
  int format;
};
constexpr std::array kFormatNames = {
    FormatName{"bmp", LINNET_FORMAT_BMP}, FormatName{"jpg", LINNET_FORMAT_JPG}, FormatName{"jpeg", LINNET_FORMAT_JPG},
    FormatName{"gif", LINNET_FORMAT_GIF}, FormatName{"tif", LINNET_FORMAT_TIF}, FormatName{"tiff", LINNET_FORMAT_TIF},
    FormatName{"png", LINNET_FORMAT_PNG}, FormatName{"emf", LINNET_FORMAT_EMF}, FormatName{"wmf", LINNET_FORMAT_WMF},
};

}  // namespace

}  // namespace linnet::capi

using namespace linnet;
using namespace linnet::capi;

extern "C" {

unsigned linnet_version_number(void) {
  namespace v = linnet::version_record;
  return static_cast<unsigned>(v::kMajor * 10000 + v::kMinor * 100 + v::kPatch);
}

const char* linnet_version_string(void) {
  namespace v = linnet::version_record;
  static const std::string text =
      std::to_string(v::kMajor) + "." + std::to_string(v::kMinor) + "." + std::to_string(v::kPatch);
  return text.c_str();
}

void linnet_free(void* buffer) {
  std::free(buffer);
}

linnet_result linnet_format_named(const char* name, int* format) {
  return Guarded([&] {
    if (name == nullptr || format == nullptr) {
      return E_POINTER;
    }
    std::string_view text(name);
    if (!text.empty() && text.front() == '.') {
      text.remove_prefix(1);
    }
    for (const auto& entry : kFormatNames) {
      if (SameIgnoringAsciiCase(entry.name, text)) {
        *format = entry.format;
        return S_OK;
      }
    }
    return E_INVALIDARG;
  });
}

linnet_result linnet_barcode_new(linnet_barcode** out) {
  if (out == nullptr) {
    return E_POINTER;
  }
  *out = nullptr;
  return Guarded([&] {
    *out = new linnet_barcode;
    return S_OK;
  });
}

void linnet_barcode_free(linnet_barcode* barcode) {
  delete barcode;
}

linnet_result linnet_barcode_last_error(const linnet_barcode* barcode, int32_t* number, const char** message) {
  if (barcode == nullptr) {
    return E_POINTER;
  }
  if (number != nullptr) {
    *number = barcode->errorNumber;
  }
  if (message != nullptr) {
    *message = barcode->errorMessage.c_str();
  }
  return S_OK;
}

}  // extern "C"
