#include "control/maxicode_entry.h"

#include "platform/codepage.h"
#include "symbology2d/maxicode_encoder.h"

namespace linnet {

void EncodeMaxiCode(const ControlProperties& properties, std::vector<std::string>& rows) {
  const Quillon::BrindleLib::CMaxiCodeEncoder2 encoder;
  const std::string message = WideToAnsi(properties.message);
  const int mode = properties.maxicodeMode;
  if (mode == 2 || mode == 3) {
    encoder.EncodeCarrier(mode, properties.maxicodeClass, properties.maxicodeCountryCode,
                          WideToAnsi(properties.maxicodeZipCode), message, rows);
  } else {
    encoder.EncodeNonCarrier(mode, message, rows);
  }
}

}  // namespace linnet
