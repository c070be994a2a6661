#include "control/qln_barcode.h"
#include "render/quiet_zone.h"
#include "render/two_dimensional.h"

namespace linnet {

// Stands in until the symbol is drawn: measured as a symbol that cannot be encoded.
SizeL MeasureDataMatrix(const CQlnBarcode& control, DrawingSurface& /*surface*/) {
  return FailedSymbolSize(control);
}

SizeL DrawDataMatrix(CQlnBarcode& control, DrawingSurface& surface, PointL /*at*/) {
  return MeasureDataMatrix(control, surface);
}

}  // namespace linnet
