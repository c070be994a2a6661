#include "control/pdf417_entry.h"

#include "platform/codepage.h"
#include "symbology2d/pdf417_encoder.h"

namespace linnet {

void EncodePdf417(const ControlProperties& properties, std::vector<std::string>& rows) {
  Quillon::BrindleLib::CPDF417Encoder2().EncodeToRows(
      WideToAnsi(properties.message), rows, properties.pdf417ModuleWidth, properties.pdf417RowHeight,
      properties.pdf417AspectRatio, properties.maxRows, properties.maxCols, properties.pdf417SecurityLevel,
      properties.pdf417Truncated);
}

}  // namespace linnet
