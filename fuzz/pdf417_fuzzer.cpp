// PDF417 module rows from fuzzed geometry options and message.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "symbology/barlib_error.h"
#include "symbology2d/pdf417_encoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  linnet::fuzz::FuzzInput in(data, size);
  const int moduleWidth = in.Pick(64) - 2;
  const int rowHeight = in.Pick(200) - 2;
  const double aspectRatio = in.Pick(40) / 8.0 - 0.5;
  const int maxRows = in.Pick(100) - 3;
  const int maxCols = in.Pick(40) - 3;
  const int securityLevel = in.Pick(13) - 1;
  const bool truncated = in.Flag();
  const std::string message = in.Rest();
  std::vector<std::string> rows;
  const Quillon::BrindleLib::CPDF417Encoder2 encoder;
  try {
    encoder.CheckEncodable(message, moduleWidth, rowHeight, aspectRatio, maxRows, maxCols, securityLevel);
  } catch (const Quillon::BrindleLib::barlib_error&) {
  }
  try {
    encoder.EncodeToRows(message, rows, moduleWidth, rowHeight, aspectRatio, maxRows, maxCols, securityLevel,
                         truncated);
  } catch (const Quillon::BrindleLib::barlib_error&) {
  }
  return 0;
}
