#include "control/symbology_family.h"

namespace linnet {

Family SymbologyFamily(int symbology) {
  switch (symbology) {
    case 4:
    case 5:
    case 6:
    case 30:
      return Family::Module;
    case 20:
    case 21:
      return Family::HeightModulated;
    case 22:
      return Family::FourState;
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
      return Family::UpcEan;
    case 40:
    case 41:
      return Family::Matrix;
    case 42:
      return Family::MaxiCode;
    case 33:
    case 34:
    case 35:
    case 36:
    case 37:
      return Family::DataBar;
    case 38:
      return Family::DataBarExpanded;
    default:
      return Family::TwoWidth;
  }
}

}  // namespace linnet
