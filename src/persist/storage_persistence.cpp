#include <new>

#include "persist/control_persistence.h"
#include "platform/storage/compound_file.h"

namespace linnet::persist {

namespace {

const std::string kContentsStream = "Contents";

}  // namespace

HRESULT SaveToCompoundFile(CQlnBarcode& control, std::vector<std::uint8_t>& file) {
  try {
    MemoryStream contents;
    if (const HRESULT hr = SaveToStream(control, contents, true); Failed(hr)) {
      return hr;
    }
    return storage::WriteCompoundFile(kControlClassId, kContentsStream, contents.Bytes(), file);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

// The root's class identifier is not checked: a host's storage may name another class.
HRESULT LoadFromCompoundFile(CQlnBarcode& control, std::span<const std::uint8_t> file) {
  try {
    std::vector<std::uint8_t> bytes;
    if (const HRESULT hr = storage::ReadCompoundFileStream(file, kContentsStream, bytes); Failed(hr)) {
      return hr;
    }
    MemoryStream contents(std::move(bytes));
    return LoadFromStream(control, contents);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace linnet::persist
