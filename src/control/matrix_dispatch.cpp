#include "control/matrix_dispatch.h"

#include "control/datamatrix_entry.h"
#include "control/maxicode_entry.h"
#include "control/qln_barcode.h"
#include "control/symbology_dispatch.h"
#include "symbology2d/pdf417_encoder.h"

namespace linnet {

std::vector<std::string> EncodeMatrixRows(const CQlnBarcode& control) {
  const auto& p = control.Properties();
  std::vector<std::string> rows;
  switch (p.symbology) {
    case 40:
      Quillon::BrindleLib::CPDF417Encoder2().EncodeToRows(AnsiMessage(control), rows, p.pdf417ModuleWidth,
                                                          p.pdf417RowHeight, p.pdf417AspectRatio, p.maxRows, p.maxCols,
                                                          p.pdf417SecurityLevel, p.pdf417Truncated);
      return rows;
    case 41:
      return EncodeDataMatrix(p.message, p.dataMatrixTargetSize);
    case 42:
      EncodeMaxiCode(p, rows);
      return rows;
    default:
      return rows;
  }
}

const char* EncodingErrorKind(int symbology) {
  switch (symbology) {
    case 40:
      return "PDF417";
    case 41:
      return "DataMatrix";
    case 42:
      return "Maxicode";
    default:
      return "Linear";
  }
}

std::string EncodingErrorText(int symbology, int code, std::string_view message) {
  return std::string(EncodingErrorKind(symbology)) + " Encoding Error " + std::to_string(code) + ". " +
         std::string(message);
}

}  // namespace linnet
