// The stream form of a saved control: fuzzed bytes are loaded into a fresh control through a
// memory stream, then drawn. A load that succeeds must leave the loading flag cleared, and
// what the loaded control saves must load again: a control that cannot read back its own save
// has lost the user's data.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "control/qln_barcode.h"
#include "draw_loaded.h"
#include "persist/control_persistence.h"
#include "platform/com/byte_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  linnet::CQlnBarcode control;
  linnet::MemoryStream stream(std::vector<std::uint8_t>(data, data + size));
  const linnet::HRESULT loaded = linnet::persist::LoadFromStream(control, stream);
  if (control.IsLoading()) {
    std::abort();
  }
  if (linnet::Succeeded(loaded)) {
    linnet::MemoryStream saved;
    if (linnet::Failed(linnet::persist::SaveToStream(control, saved, true)) || control.IsLoading()) {
      std::abort();
    }
    linnet::CQlnBarcode reloaded;
    linnet::MemoryStream again(saved.Bytes());
    if (linnet::Failed(linnet::persist::LoadFromStream(reloaded, again))) {
      std::abort();
    }
  }
  linnet::fuzz::DrawLoaded(control);
  return 0;
}
