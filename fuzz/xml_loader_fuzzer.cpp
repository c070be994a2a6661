// The XML property file: fuzzed bytes parsed as the document, its "Object" loaded into a fresh
// control through the property bag, then drawn. A load must never leave the loading flag set.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "control/qln_barcode.h"
#include "draw_loaded.h"
#include "persist/property_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  linnet::CQlnBarcode control;
  linnet::persist::LoadPropertyFile(control, std::span<const std::uint8_t>(data, size), linnet::persist::kPersistXml);
  if (control.IsLoading()) {
    std::abort();
  }
  linnet::fuzz::DrawLoaded(control);
  return 0;
}
