#include "platform/storage/compound_file.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-output.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <new>

#include "platform/log.h"

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

void ToDiagnostics(const gchar* domain, GLogLevelFlags /*level*/, const gchar* message, gpointer /*data*/) {
  log::Write("[storage] ", std::string(domain != nullptr ? domain : "") + ": " + (message ? message : "") + "\n");
}

// libgsf reports a damaged file through GLib's log as well as through its results; those lines
// go to our diagnostics instead of standard error.
void RouteLibraryMessages() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (const char* domain : {"libgsf", "libgsf:msole"}) {
      g_log_set_handler(domain, kAllLevels, &ToDiagnostics, nullptr);
    }
  });
}

// Some of libgsf's warnings carry no domain at all. The null domain is the host application's
// own, so it is routed only while a call into libgsf runs.
class UnnamedDomainRoute {
 public:
  UnnamedDomainRoute() : id_(g_log_set_handler(nullptr, kAllLevels, &ToDiagnostics, nullptr)) {}
  ~UnnamedDomainRoute() { g_log_remove_handler(nullptr, id_); }
  UnnamedDomainRoute(const UnnamedDomainRoute&) = delete;
  UnnamedDomainRoute& operator=(const UnnamedDomainRoute&) = delete;

 private:
  guint id_;
};

HRESULT WriteStream(GsfOutfile* root, const std::string& name, std::span<const std::uint8_t> contents) {
  const OutputPtr child(gsf_outfile_new_child(root, name.c_str(), FALSE));
  if (!child) {
    return STG_E_WRITEFAULT;
  }
  if (!contents.empty() && !gsf_output_write(child.get(), contents.size(), contents.data())) {
    return STG_E_WRITEFAULT;
  }
  return gsf_output_close(child.get()) ? S_OK : STG_E_WRITEFAULT;
}

}  // namespace

HRESULT WriteCompoundFile(const Guid& classId, const std::string& streamName, std::span<const std::uint8_t> contents,
                          std::vector<std::uint8_t>& file) {
  RouteLibraryMessages();
  const UnnamedDomainRoute unnamed;
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
      const auto clsid = GuidToBytes(classId);
      if (!gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(root.get()), clsid.data())) {
        return STG_E_WRITEFAULT;
      }
      if (const HRESULT hr = WriteStream(GSF_OUTFILE(root.get()), streamName, contents); Failed(hr)) {
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
    const auto size = static_cast<std::size_t>(gsf_output_size(sink.get()));
    if (bytes == nullptr && size > 0) {
      return STG_E_WRITEFAULT;
    }
    file.assign(bytes, bytes + size);
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT ReadCompoundFileStream(std::span<const std::uint8_t> file, const std::string& streamName,
                               std::vector<std::uint8_t>& contents, Guid* classId) {
  RouteLibraryMessages();
  const UnnamedDomainRoute unnamed;
  try {
    const GObjectPtr<GsfInput> input(gsf_input_memory_new(file.data(), static_cast<gsf_off_t>(file.size()), FALSE));
    if (!input) {
      return STG_E_INVALIDHEADER;
    }
    GError* rawError = nullptr;
    const GObjectPtr<GsfInfile> root(gsf_infile_msole_new(input.get(), &rawError));
    const ErrorPtr error(rawError);
    if (!root) {
      return STG_E_INVALIDHEADER;
    }
    if (classId != nullptr) {
      std::array<std::uint8_t, kGuidBytes> clsid{};
      if (!gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(root.get()), clsid.data())) {
        return STG_E_INVALIDHEADER;
      }
      *classId = GuidFromBytes(clsid);
    }
    const GObjectPtr<GsfInput> stream(gsf_infile_child_by_name(root.get(), streamName.c_str()));
    if (!stream) {
      return STG_E_FILENOTFOUND;
    }
    const gsf_off_t size = gsf_input_size(stream.get());
    if (size < 0 || static_cast<std::uint64_t>(size) > file.size()) {
      return STG_E_READFAULT;
    }
    std::vector<std::uint8_t> bytes;
    constexpr gsf_off_t kPiece = 4096;
    for (gsf_off_t left = size; left > 0;) {
      const gsf_off_t count = std::min(left, kPiece);
      const guint8* piece = gsf_input_read(stream.get(), static_cast<std::size_t>(count), nullptr);
      if (piece == nullptr) {
        return STG_E_READFAULT;
      }
      bytes.insert(bytes.end(), piece, piece + count);
      left -= count;
    }
    contents = std::move(bytes);
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace linnet::storage
