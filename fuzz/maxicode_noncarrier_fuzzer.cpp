// MaxiCode modes 4 to 6 (the ones the plain encoding takes; the control refuses others)
// from a fuzzed message.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "symbology/barlib_error.h"
#include "symbology2d/maxicode_encoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  linnet::fuzz::FuzzInput in(data, size);
  const int mode = 4 + in.Pick(3);
  const std::string message = in.Rest();
  std::vector<std::string> rows;
  try {
    Quillon::BrindleLib::CMaxiCodeEncoder2().EncodeNonCarrier(mode, message, rows);
  } catch (const Quillon::BrindleLib::barlib_error&) {
  }
  return 0;
}
