// Every linear, postal and DataBar encoder, as the control calls it, with fuzzed options and
// message: an engine error is an answer, anything else escaping or crashing is a finding.
#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "control/linear_registry.h"
#include "fuzz_input.h"
#include "symbology/barlib_error.h"

namespace {

const std::vector<const linnet::LinearEncoderEntry*>& Entries() {
  static const std::vector<const linnet::LinearEncoderEntry*> entries = [] {
    std::vector<const linnet::LinearEncoderEntry*> found;
    for (int symbology = 0; symbology < 100; ++symbology) {
      if (const auto* entry = linnet::FindLinearEncoder(symbology)) {
        found.push_back(entry);
      }
    }
    return found;
  }();
  return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  linnet::fuzz::FuzzInput in(data, size);
  const auto& entries = Entries();
  const linnet::LinearEncoderEntry& entry = *entries[static_cast<size_t>(in.Pick(static_cast<int>(entries.size())))];
  const std::uint8_t flags = in.Byte();
  linnet::LinearOptions options;
  options.code39CheckDigit = (flags & 1) != 0;
  options.i2of5CheckDigit = (flags & 2) != 0;
  options.code25CheckDigit = (flags & 4) != 0;
  options.uccEanCheckDigit = (flags & 8) != 0;
  options.showCheckDigit = (flags & 16) != 0;
  options.startStopChars = (flags & 32) != 0;
  options.showHRText = (flags & 64) != 0;
  options.maxCols = in.Pick(24) - 2;
  const std::string message = in.Rest();
  try {
    entry.create()->Validate(message);
  } catch (const Quillon::BrindleLib::barlib_error&) {
  }
  std::string pattern;
  std::string text;
  try {
    entry.encode(message, options, pattern, text);
  } catch (const Quillon::BrindleLib::barlib_error&) {
  }
  return 0;
}
