#pragma once
// The interface of the compound-file module (linnet-storage.so, on libgsf): plain bytes in,
// results handed back piece by piece through `Accept`, HRESULTs out. The library's own
// diagnostics receive the messages libgsf would print.
#include <cstddef>
#include <cstdint>

#include "platform/com/hresult.h"
#include "platform/modules/module_loader.h"

namespace linnet::storage {

inline constexpr char kStorageModuleName[] = "storage";
inline constexpr char kStorageModuleEntry[] = "linnet_storage_module";

struct StorageModule {
  modules::EntryHeader header;
  // Takes the next piece of the result; false when it could not be kept (out of memory).
  using Accept = bool (*)(void* context, const std::uint8_t* bytes, std::size_t size);
  using Log = void (*)(const char* domain, const char* message);
  // A compound file whose root has the 16 bytes of `classId` and holds one stream.
  HRESULT(*write)
  (const std::uint8_t* classId, const char* streamName, const std::uint8_t* contents, std::size_t size, Accept accept,
   void* context, Log log);
  // The stream `streamName` of `file`; `classId`, when not null, receives the root's 16 bytes.
  HRESULT(*read)
  (const std::uint8_t* file, std::size_t size, const char* streamName, std::uint8_t* classId, Accept accept,
   void* context, Log log);
};

}  // namespace linnet::storage
