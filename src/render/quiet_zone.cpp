#include "render/quiet_zone.h"

#include "control/qln_barcode.h"
#include "render/units.h"

namespace linnet {

SizeL QuietZone(const CQlnBarcode& control) {
  const auto& p = control.Properties();
  if (p.quietZones == 0) {
    return {0, 0};
  }
  switch (p.symbology) {
    case 40:  // PDF417
      return {DotsFromUser(control, p.pdf417ModuleWidth), DotsFromUser(control, p.pdf417RowHeight)};
    case 41: {  // DataMatrix
      const std::int32_t q = ClampDots(2 * static_cast<std::int64_t>(DotsFromUser(control, p.dataMatrixModuleSize)));
      return {q, q};
    }
    case 42:  // MaxiCode
      return {DotsFromMetric(control, 87), DotsFromMetric(control, 76)};
    default:
      return {ClampDots(10 * static_cast<std::int64_t>(DotsFromUser(control, p.narrowBarWidth))), 0};
  }
}

SizeL FailedSymbolSize(const CQlnBarcode& control) {
  const SizeL q = QuietZone(control);
  const std::int32_t inch = DotsFromMils(control, 1000);
  return {inch + 2 * q.cx, inch + 2 * q.cy};
}

}  // namespace linnet
