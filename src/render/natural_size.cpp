#include "render/natural_size.h"

#include "control/qln_barcode.h"

namespace linnet {

// Provisional until the layout measures the label: the stored label size, in 1/100 mm.
SizeL ComputeNaturalSize(CQlnBarcode& control) {
  const auto& p = control.Properties();
  SizeL size{p.labelWidth, p.labelHeight};
  if (p.measurement != qlxMeasureMetrics) {
    size = {static_cast<std::int32_t>(size.cx * 2.54), static_cast<std::int32_t>(size.cy * 2.54)};
  }
  if (p.rotation == qlxRTAntiClockwise_90 || p.rotation == qlxRTAntiClockwise_270) {
    return {size.cy, size.cx};
  }
  return size;
}

}  // namespace linnet
