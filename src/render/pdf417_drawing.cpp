#include "control/qln_barcode.h"
#include "render/quiet_zone.h"
#include "render/two_dimensional.h"

namespace linnet {

// Stands in until the symbol is drawn: measured as a symbol that cannot be encoded.
SizeL MeasurePdf417(const CQlnBarcode& control, DrawingSurface& /*surface*/) {
  return FailedSymbolSize(control);
}

SizeL DrawPdf417(CQlnBarcode& control, DrawingSurface& surface, PointL /*at*/) {
  return MeasurePdf417(control, surface);
}

}  // namespace linnet
