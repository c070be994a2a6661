#include "persist/save_load.h"

#include <new>
#include <optional>
#include <string>
#include <string_view>

#include "control/dispatch.h"
#include "control/error_info.h"
#include "control/qln_barcode.h"
#include "persist/bounded_read.h"
#include "persist/control_persistence.h"
#include "persist/property_file.h"
#include "persist/xml_property_bag.h"
#include "platform/codepage.h"
#include "platform/files/file_replace.h"
#include "platform/files/overwrite_guard.h"

namespace linnet::persist {

namespace {

// Existing files that a save may replace: the property files' own extensions.
constexpr std::string_view kReplaceableExtensions = ".lnx|.lnx3|.qlx|.xml";

// Where a save goes or a load comes from: a file name, or a host's stream.
struct Target {
  std::optional<std::string> path;  // nullopt: a name no file can have (it holds a NUL)
  ByteStreamPtr stream;
};

// The automation conventions decide what the argument is; nullopt when it is neither.
std::optional<Target> Resolve(const Variant& argument) {
  const Variant* value = ResolveTarget(argument);
  if (value == nullptr) {
    return std::nullopt;
  }
  if (value->Type() != VT_BSTR) {
    return Target{std::nullopt, value->AsStream()};
  }
  Target target;
  if (value->AsText().find(u'\0') == std::u16string::npos) {
    target.path = WideToUtf8(value->AsText());
  }
  return target;
}

bool WriteAll(ByteStream& stream, const std::vector<std::uint8_t>& bytes) {
  std::uint32_t done = 0;
  return Succeeded(stream.Write(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &done)) && done == bytes.size();
}

HRESULT SaveToFile(CQlnBarcode& control, const std::string& path, int persistFormat) {
  if (!files::MayOverwrite(path, kReplaceableExtensions)) {
    return RaiseNumberedError(kSaveFailed);
  }
  const bool modified = control.IsModified();
  std::vector<std::uint8_t> file;
  if (const HRESULT hr = SavePropertyFile(control, persistFormat, file); Failed(hr)) {
    return hr;
  }
  const bool written = files::WriteReplacing(
      path, [&file](std::FILE* out) { return std::fwrite(file.data(), 1, file.size(), out) == file.size(); });
  if (!written) {
    // Nothing was kept, so the control is still as modified as it was.
    control.SetModified(modified);
    return RaiseNumberedError(kSaveFailed);
  }
  return S_OK;
}

HRESULT SaveIntoStream(CQlnBarcode& control, ByteStream& stream, int persistFormat) {
  if (persistFormat != kPersistXml) {
    return Succeeded(SaveToStream(control, stream, false)) ? S_OK : RaiseNumberedError(kSaveFailed);
  }
  const bool modified = control.IsModified();
  std::vector<std::uint8_t> document;
  if (const HRESULT hr = SavePropertyFile(control, persistFormat, document); Failed(hr)) {
    return hr;
  }
  if (!WriteAll(stream, document)) {
    control.SetModified(modified);
    return RaiseNumberedError(kSaveFailed);
  }
  return S_OK;
}

HRESULT LoadFromFile(CQlnBarcode& control, const std::string& path, int persistFormat) {
  std::vector<std::uint8_t> file;
  if (Failed(ReadBoundedFile(path, file))) {
    return RaiseNumberedError(kLoadFailed);
  }
  return LoadPropertyFile(control, file, persistFormat);
}

HRESULT LoadOutOfStream(CQlnBarcode& control, ByteStream& stream, int persistFormat) {
  if (persistFormat != kPersistXml) {
    if (Failed(LoadFromStream(control, stream))) {
      return RaiseNumberedError(kLoadFailed);
    }
    control.Refresh();
    return S_OK;
  }
  std::vector<std::uint8_t> document;
  if (Failed(ReadBoundedStream(stream, document))) {
    return RaiseNumberedError(kLoadFailed);
  }
  return LoadPropertyFile(control, document, persistFormat);
}

}  // namespace

HRESULT Save(CQlnBarcode& control, const Variant& destination, int persistFormat) {
  const auto target = Resolve(destination);
  if (!target) {
    return E_INVALIDARG;
  }
  try {
    if (target->stream) {
      return SaveIntoStream(control, *target->stream, persistFormat);
    }
    return target->path ? SaveToFile(control, *target->path, persistFormat) : RaiseNumberedError(kSaveFailed);
  } catch (const std::bad_alloc&) {
    return RaiseNumberedError(kSaveFailed);
  }
}

HRESULT Load(CQlnBarcode& control, const Variant& source, int persistFormat) {
  const auto target = Resolve(source);
  if (!target) {
    return E_INVALIDARG;
  }
  try {
    if (target->stream) {
      return LoadOutOfStream(control, *target->stream, persistFormat);
    }
    return target->path ? LoadFromFile(control, *target->path, persistFormat) : RaiseNumberedError(kLoadFailed);
  } catch (const std::bad_alloc&) {
    return RaiseNumberedError(kLoadFailed);
  }
}

}  // namespace linnet::persist
