// The compound-file module: OLE2 compound files read and written by libgsf.
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-output.h>

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <new>
#include <string>

#include "platform/storage/compound_file.h"
#include "platform/storage/storage_module.h"
#include "version_record.h"

namespace linnet::storage {

namespace {

struct ObjectUnref {
  void operator()(void* object) const { g_object_unref(object); }
};
template <class T>
using GObjectPtr = std::unique_ptr<T, ObjectUnref>;

struct ErrorFree {
  void operator()(GError* error) const { g_error_free(error); }
};
using ErrorPtr = std::unique_ptr<GError, ErrorFree>;

// An output that is closed (if still open) before its last reference goes.
struct OutputClose {
  void operator()(GsfOutput* output) const {
    if (!gsf_output_is_closed(output)) {
      gsf_output_close(output);
    }
    g_object_unref(output);
  }
};
using OutputPtr = std::unique_ptr<GsfOutput, OutputClose>;

constexpr auto kAllLevels = static_cast<GLogLevelFlags>(G_LOG_LEVEL_MASK | G_LOG_FLAG_FATAL | G_LOG_FLAG_RECURSION);

void ToDiagnostics(const gchar* domain, GLogLevelFlags /*level*/, const gchar* message, gpointer data) {
  reinterpret_cast<StorageModule::Log>(data)(domain != nullptr ? domain : "", message != nullptr ? message : "");
}

// libgsf reports a damaged file through GLib's log as well as through its results; those lines
// go to the caller's diagnostics instead of standard error. Some of its warnings carry no
// domain at all; the null domain is the host application's own, so every route lasts only
// while a call into libgsf runs.
class LibraryMessageRoute {
 public:
  explicit LibraryMessageRoute(StorageModule::Log log) {
    for (std::size_t i = 0; i < kDomains.size(); ++i) {
      ids_[i] = g_log_set_handler(kDomains[i], kAllLevels, &ToDiagnostics, reinterpret_cast<gpointer>(log));
    }
  }
  ~LibraryMessageRoute() {
    for (std::size_t i = 0; i < kDomains.size(); ++i) {
      g_log_remove_handler(kDomains[i], ids_[i]);
    }
  }
  LibraryMessageRoute(const LibraryMessageRoute&) = delete;
  LibraryMessageRoute& operator=(const LibraryMessageRoute&) = delete;

 private:
  static constexpr std::array<const char*, 3> kDomains = {"libgsf", "libgsf:msole", nullptr};
  std::array<guint, 3> ids_{};
};

HRESULT WriteStream(GsfOutfile* root, const char* name, const std::uint8_t* contents, std::size_t size) {
  const OutputPtr child(gsf_outfile_new_child(root, name, FALSE));
  if (!child) {
    return STG_E_WRITEFAULT;
  }
  if (size > 0 && !gsf_output_write(child.get(), size, contents)) {
    return STG_E_WRITEFAULT;
  }
  return gsf_output_close(child.get()) ? S_OK : STG_E_WRITEFAULT;
}

HRESULT Write(const std::uint8_t* classId, const char* streamName, const std::uint8_t* contents, std::size_t size,
              StorageModule::Accept accept, void* context, StorageModule::Log log) {
  const LibraryMessageRoute route(log);
  try {
    const GObjectPtr<GsfOutput> sink(gsf_output_memory_new());
    if (!sink) {
      return E_OUTOFMEMORY;
    }
    {
      const OutputPtr root(GSF_OUTPUT(gsf_outfile_msole_new(sink.get())));
      if (!root) {
        return STG_E_WRITEFAULT;
      }
      if (!gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(root.get()), classId)) {
        return STG_E_WRITEFAULT;
      }
      if (const HRESULT hr = WriteStream(GSF_OUTFILE(root.get()), streamName, contents, size); Failed(hr)) {
        return hr;
      }
      if (!gsf_output_close(root.get())) {
        return STG_E_WRITEFAULT;
      }
    }
    if (!gsf_output_is_closed(sink.get()) && !gsf_output_close(sink.get())) {
      return STG_E_WRITEFAULT;
    }
    const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink.get()));
    const auto written = static_cast<std::size_t>(gsf_output_size(sink.get()));
    if (bytes == nullptr && written > 0) {
      return STG_E_WRITEFAULT;
    }
    return accept(context, bytes, written) ? S_OK : E_OUTOFMEMORY;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT Read(const std::uint8_t* file, std::size_t size, const char* streamName, std::uint8_t* classId,
             StorageModule::Accept accept, void* context, StorageModule::Log log) {
  const LibraryMessageRoute route(log);
  try {
    const GObjectPtr<GsfInput> input(gsf_input_memory_new(file, static_cast<gsf_off_t>(size), FALSE));
    if (!input) {
      return STG_E_INVALIDHEADER;
    }
    GError* rawError = nullptr;
    const GObjectPtr<GsfInfile> root(gsf_infile_msole_new(input.get(), &rawError));
    const ErrorPtr error(rawError);
    if (!root) {
      return STG_E_INVALIDHEADER;
    }
    if (classId != nullptr && !gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(root.get()), classId)) {
      return STG_E_INVALIDHEADER;
    }
    const GObjectPtr<GsfInput> stream(gsf_infile_child_by_name(root.get(), streamName));
    if (!stream) {
      return STG_E_FILENOTFOUND;
    }
    const gsf_off_t length = gsf_input_size(stream.get());
    if (length < 0 || static_cast<std::uint64_t>(length) > size) {
      return STG_E_READFAULT;
    }
    constexpr gsf_off_t kPiece = 4096;
    for (gsf_off_t left = length; left > 0;) {
      const gsf_off_t count = std::min(left, kPiece);
      const guint8* piece = gsf_input_read(stream.get(), static_cast<std::size_t>(count), nullptr);
      if (piece == nullptr) {
        return STG_E_READFAULT;
      }
      if (!accept(context, piece, static_cast<std::size_t>(count))) {
        return E_OUTOFMEMORY;
      }
      left -= count;
    }
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

constexpr StorageModule kModule{{version_record::kVersionText}, &Write, &Read};

}  // namespace

}  // namespace linnet::storage

extern "C" __attribute__((visibility("default"))) const linnet::modules::EntryHeader* linnet_storage_module() {
  return &linnet::storage::kModule.header;
}
