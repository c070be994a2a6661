#include <new>
#include <vector>

#include "control/qln_barcode.h"
#include "persist/control_persistence.h"
#include "persist/load_guard.h"
#include "persist/persisted_set.h"
#include "persist/value_record.h"
#include "platform/com/stream_io.h"

namespace linnet::persist {

namespace {

constexpr std::uint32_t kStreamVersion = 0x00003000;
constexpr std::uint32_t kEarlierStreamVersion = 0x00000710;
constexpr std::uint64_t kHeaderBytes = 4 + 8;
// Room for a default control's records (the comment is the longest of them).
constexpr std::size_t kTypicalStreamBytes = 1024;

HRESULT LoadEntries(CQlnBarcode& control, ByteStream& stream) {
  StreamReader in(stream);
  std::uint32_t version = 0;
  if (const HRESULT hr = in.U32(version); Failed(hr)) {
    return hr;
  }
  if (version != kStreamVersion && version != kEarlierStreamVersion) {
    return E_FAIL;
  }
  std::uint32_t cx = 0;
  std::uint32_t cy = 0;
  if (const HRESULT hr = in.U32(cx); Failed(hr)) {
    return hr;
  }
  if (const HRESULT hr = in.U32(cy); Failed(hr)) {
    return hr;
  }
  control.SetExtent({static_cast<std::int32_t>(cx), static_cast<std::int32_t>(cy)});
  for (const AutomationMember* member : PersistedProperties()) {
    Variant value;
    if (const HRESULT hr = ReadValueRecord(stream, value); Failed(hr)) {
      return hr;
    }
    if (const HRESULT hr = LoadedBySetter(PutAutomationProperty(control, *member, value)); Failed(hr)) {
      return hr;
    }
  }
  return S_OK;
}

}  // namespace

// The records are gathered in memory and reach the host's stream in one write.
HRESULT SaveToStream(CQlnBarcode& control, ByteStream& stream, bool /*clearDirty*/) {
  try {
    std::vector<std::uint8_t> room;
    room.reserve(kTypicalStreamBytes);
    MemoryStream buffer(std::move(room));
    StreamWriter out(buffer);
    const SizeL extent = control.Extent();
    HRESULT hr = out.U32(kStreamVersion);
    if (Succeeded(hr)) hr = out.U32(static_cast<std::uint32_t>(extent.cx));
    if (Succeeded(hr)) hr = out.U32(static_cast<std::uint32_t>(extent.cy));
    if (Failed(hr)) {
      return hr;
    }
    for (const AutomationMember* member : PersistedProperties()) {
      Variant value;
      if (Failed(member->get(control, value))) {
        return E_FAIL;
      }
      if (hr = WriteValueRecord(buffer, value); Failed(hr)) {
        return hr;
      }
    }
    return StreamWriter(stream).Bytes(buffer.Bytes().data(), static_cast<std::uint32_t>(buffer.Bytes().size()));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT LoadFromStream(CQlnBarcode& control, ByteStream& stream) {
  HRESULT hr = E_FAIL;
  try {
    const LoadingOnScope loading(control);
    hr = LoadEntries(control, stream);
  } catch (const std::bad_alloc&) {
    hr = E_OUTOFMEMORY;
  }
  if (Succeeded(hr)) {
    control.SetModified(false);
  }
  return hr;
}

HRESULT MaxStreamSize(CQlnBarcode& control, std::uint64_t* size) {
  if (size == nullptr) {
    return E_POINTER;
  }
  std::uint64_t total = kHeaderBytes;
  for (const AutomationMember* member : PersistedProperties()) {
    Variant value;
    if (Failed(member->get(control, value))) {
      return E_FAIL;
    }
    total += ValueRecordSize(value);
  }
  *size = total;
  return S_OK;
}

HRESULT InitNew(CQlnBarcode& control) {
  control.SetModified(true);
  return S_OK;
}

HRESULT IsDirty(const CQlnBarcode& control) {
  return control.IsModified() ? S_OK : S_FALSE;
}

}  // namespace linnet::persist
