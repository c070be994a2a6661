// MaxiCode modes 2 and 3: the carrier's primary message from fuzzed class, country and
// postal code, and the secondary message.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "symbology/barlib_error.h"
#include "symbology2d/maxicode_encoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  linnet::fuzz::FuzzInput in(data, size);
  const int mode = 2 + in.Pick(2);
  const int serviceClass = in.Raw<std::int16_t>();
  const int country = in.Raw<std::int16_t>();
  const std::string postalCode = in.Text(in.Pick(14));
  const std::string message = in.Rest();
  std::vector<std::string> rows;
  try {
    Quillon::BrindleLib::CMaxiCodeEncoder2().EncodeCarrier(mode, serviceClass, country, postalCode, message, rows);
  } catch (const Quillon::BrindleLib::barlib_error&) {
  }
  return 0;
}
