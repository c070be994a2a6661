// The control's methods through the C interface: Refresh, ExportImage to a file or to
// memory, and the BarcodeError event delivered to a C callback.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "capi/handle.h"
#include "render/export_image.h"

namespace linnet::capi {

// Forwards BarcodeError to the callback the host registered.
class CallbackSink final : public IBarcodeEvents {
 public:
  CallbackSink(linnet_barcode_error_callback callback, void* userData) : callback_(callback), userData_(userData) {}
  HRESULT BarcodeError(std::int32_t /*handle*/, std::int32_t nError) override {
    callback_(userData_, nError);
    return S_OK;
  }

 private:
  linnet_barcode_error_callback callback_;
  void* userData_;
};

}  // namespace linnet::capi

using namespace linnet;
using namespace linnet::capi;

extern "C" {

linnet_result linnet_barcode_refresh(linnet_barcode* barcode) {
  return Guarded(barcode, [](linnet_barcode& b) { return b.control.Refresh(); });
}

linnet_result linnet_barcode_export_file(linnet_barcode* barcode, const char* path, int format) {
  return Guarded(barcode, [&](linnet_barcode& b) {
    if (path == nullptr) {
      return Refuse(E_POINTER, "The file path is NULL.");
    }
    return ExportImageToFile(b.control, path, format);
  });
}

linnet_result linnet_barcode_export_memory(linnet_barcode* barcode, int format, unsigned char** data, size_t* size) {
  return Guarded(barcode, [&](linnet_barcode& b) {
    if (data == nullptr || size == nullptr) {
      return Refuse(E_POINTER, "The output pointer is NULL.");
    }
    *data = nullptr;
    *size = 0;
    std::vector<unsigned char> image;
    const HRESULT hr = ExportImageToStream(b.control, image, format);
    if (Failed(hr)) {
      return hr;
    }
    auto* copy = static_cast<unsigned char*>(std::malloc(image.empty() ? 1 : image.size()));
    if (copy == nullptr) {
      return E_OUTOFMEMORY;
    }
    std::memcpy(copy, image.data(), image.size());
    *data = copy;
    *size = image.size();
    return hr;
  });
}

linnet_result linnet_barcode_export_buffer(linnet_barcode* barcode, int format, unsigned char* buffer, size_t capacity,
                                           size_t* size) {
  return Guarded(barcode, [&](linnet_barcode& b) {
    if (size == nullptr) {
      return Refuse(E_POINTER, "The size pointer is NULL.");
    }
    if (buffer == nullptr && capacity != 0) {
      return Refuse(E_INVALIDARG, "A NULL buffer must come with capacity 0 (a size query).");
    }
    std::vector<unsigned char> image;
    const HRESULT hr = ExportImageToStream(b.control, image, format);
    if (Failed(hr)) {
      return hr;
    }
    *size = image.size();
    if (buffer == nullptr) {
      return hr;
    }
    if (capacity < image.size()) {
      return Refuse(kBufferTooSmall, "The buffer holds " + std::to_string(capacity) + " bytes; the image needs " +
                                         std::to_string(image.size()) + ".");
    }
    std::memcpy(buffer, image.data(), image.size());
    return hr;
  });
}

linnet_result linnet_barcode_set_error_callback(linnet_barcode* barcode, linnet_barcode_error_callback callback,
                                                void* user_data) {
  return Guarded(barcode, [&](linnet_barcode& b) {
    auto sink = callback != nullptr ? std::make_shared<CallbackSink>(callback, user_data) : nullptr;
    if (b.callback) {
      b.control.Events().Unadvise(b.callbackCookie);
      b.callback.reset();
    }
    if (sink) {
      b.callbackCookie = b.control.Events().Advise(sink);
      b.callback = std::move(sink);
    }
    return S_OK;
  });
}

}  // extern "C"
