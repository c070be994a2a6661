// Save and Load through the C interface: the control's property file written to or read from
// a file (the control's own Save and Load) or memory (the same bytes).
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "capi/handle.h"
#include "persist/property_file.h"
#include "persist/save_load.h"
#include "platform/codepage.h"

using namespace linnet;
using namespace linnet::capi;

extern "C" {

linnet_result linnet_barcode_save(linnet_barcode* barcode, const char* path, int persist_format) {
  return Guarded(barcode, [&](linnet_barcode& b) {
    if (path == nullptr) {
      return Refuse(E_POINTER, "The file path is NULL.");
    }
    return persist::Save(b.control, Variant::Text(Utf8ToWide(path)), persist_format);
  });
}

linnet_result linnet_barcode_load(linnet_barcode* barcode, const char* path, int persist_format) {
  return Guarded(barcode, [&](linnet_barcode& b) {
    if (path == nullptr) {
      return Refuse(E_POINTER, "The file path is NULL.");
    }
    return persist::Load(b.control, Variant::Text(Utf8ToWide(path)), persist_format);
  });
}

linnet_result linnet_barcode_save_memory(linnet_barcode* barcode, int persist_format, unsigned char** data,
                                         size_t* size) {
  return Guarded(barcode, [&](linnet_barcode& b) {
    if (data == nullptr || size == nullptr) {
      return Refuse(E_POINTER, "The output pointer is NULL.");
    }
    *data = nullptr;
    *size = 0;
    std::vector<std::uint8_t> file;
    const HRESULT hr = persist::SavePropertyFile(b.control, persist_format, file);
    if (Failed(hr)) {
      return hr;
    }
    auto* copy = static_cast<unsigned char*>(std::malloc(file.empty() ? 1 : file.size()));
    if (copy == nullptr) {
      return E_OUTOFMEMORY;
    }
    std::memcpy(copy, file.data(), file.size());
    *data = copy;
    *size = file.size();
    return hr;
  });
}

linnet_result linnet_barcode_load_memory(linnet_barcode* barcode, int persist_format, const unsigned char* data,
                                         size_t size) {
  return Guarded(barcode, [&](linnet_barcode& b) {
    if (data == nullptr && size != 0) {
      return Refuse(E_POINTER, "The data pointer is NULL.");
    }
    return persist::LoadPropertyFile(b.control, std::span<const std::uint8_t>(data, size), persist_format);
  });
}

}  // extern "C"
