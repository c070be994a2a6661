// The binary property file: fuzzed bytes read as a compound file, its "Contents" loaded into a
// fresh control, then drawn. Damaged files are answers; crashes, sanitizer reports, leaks and
// slow inputs are findings.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "control/qln_barcode.h"
#include "draw_loaded.h"
#include "persist/control_persistence.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  linnet::CQlnBarcode control;
  linnet::persist::LoadFromCompoundFile(control, std::span<const std::uint8_t>(data, size));
  if (control.IsLoading()) {
    std::abort();
  }
  linnet::fuzz::DrawLoaded(control);
  return 0;
}
