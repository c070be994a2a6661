#include "control/qln_barcode.h"
#include "render/quiet_zone.h"
#include "render/two_dimensional.h"

namespace linnet {

// Stands in until the symbol is drawn: measured as a symbol that cannot be encoded.
SizeL MeasureMaxiCode(const CQlnBarcode& control, DrawingSurface& /*surface*/) {
  return FailedSymbolSize(control);
}

SizeL DrawMaxiCode(CQlnBarcode& control, DrawingSurface& surface, PointL /*at*/) {
  return MeasureMaxiCode(control, surface);
}

}  // namespace linnet
