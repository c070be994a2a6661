#include "platform/storage/compound_file.h"

#include <array>
#include <cerrno>
#include <new>

#include "platform/log.h"
#include "platform/storage/storage_module.h"

namespace linnet::storage {

namespace {

// Without the module, errno says so too: callers that report a failed file by errno then
// name the missing library instead of an unrelated earlier error.
const StorageModule* Module() {
  const auto* module =
      reinterpret_cast<const StorageModule*>(modules::LoadModule(kStorageModuleName, kStorageModuleEntry));
  if (module == nullptr) {
    errno = ELIBACC;
  }
  return module;
}

bool AppendTo(void* context, const std::uint8_t* bytes, std::size_t size) {
  try {
    auto& out = *static_cast<std::vector<std::uint8_t>*>(context);
    out.insert(out.end(), bytes, bytes + size);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

void ToDiagnostics(const char* domain, const char* message) {
  log::Write("[storage] ", std::string(domain) + ": " + message + "\n");
}

}  // namespace

HRESULT WriteCompoundFile(const Guid& classId, const std::string& streamName, std::span<const std::uint8_t> contents,
                          std::vector<std::uint8_t>& file) {
  const StorageModule* module = Module();
  if (module == nullptr) {
    return modules::CO_E_DLLNOTFOUND;
  }
  try {
    const auto clsid = GuidToBytes(classId);
    std::vector<std::uint8_t> written;
    const HRESULT hr = module->write(clsid.data(), streamName.c_str(), contents.data(), contents.size(), &AppendTo,
                                     &written, &ToDiagnostics);
    if (Succeeded(hr)) {
      file = std::move(written);
    }
    return hr;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT ReadCompoundFileStream(std::span<const std::uint8_t> file, const std::string& streamName,
                               std::vector<std::uint8_t>& contents, Guid* classId) {
  const StorageModule* module = Module();
  if (module == nullptr) {
    return modules::CO_E_DLLNOTFOUND;
  }
  try {
    std::array<std::uint8_t, kGuidBytes> clsid{};
    std::vector<std::uint8_t> bytes;
    const HRESULT hr = module->read(file.data(), file.size(), streamName.c_str(),
                                    classId != nullptr ? clsid.data() : nullptr, &AppendTo, &bytes, &ToDiagnostics);
    if (Succeeded(hr)) {
      contents = std::move(bytes);
      if (classId != nullptr) {
        *classId = GuidFromBytes(clsid);
      }
    }
    return hr;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace linnet::storage
