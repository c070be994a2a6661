#include "control/matrix_dispatch.h"

#include "control/qln_barcode.h"

namespace linnet {

std::vector<std::string> EncodeMatrixRows(const CQlnBarcode& control) {
  switch (control.Properties().symbology) {
    default:
      return {};
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

}  // namespace linnet
