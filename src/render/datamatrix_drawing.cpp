// DataMatrix: square modules of DataMatrixModuleSize, two modules of quiet zone each way.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "control/qln_barcode.h"
#include "platform/gdi/system_colors.h"
#include "render/encoding_error.h"
#include "render/quiet_zone.h"
#include "render/rotation.h"
#include "render/symbol_encoding_cache.h"
#include "render/two_dimensional.h"
#include "render/units.h"

namespace linnet {

namespace {

// The symbol of `rows` with modules `module` dots square.
SizeL MatrixSize(const std::vector<std::string>& rows, std::int32_t module) {
  return {ClampDots(static_cast<std::int64_t>(rows.front().size()) * module),
          ClampDots(static_cast<std::int64_t>(rows.size()) * module)};
}

// Adds the quiet zone on both sides, along and across the symbol like its size.
SizeL WithQuietZone(const CQlnBarcode& control, SizeL size) {
  const SizeL q = QuietZone(control);
  return {size.cx + 2 * q.cx, size.cy + 2 * q.cy};
}

}  // namespace

SizeL MeasureDataMatrix(const CQlnBarcode& control, DrawingSurface& /*surface*/) {
  std::vector<std::string> rows;
  try {
    rows = MatrixRowsFor(control);
  } catch (const Quillon::BrindleLib::barlib_error&) {
    return FailedSymbolSize(control);
  }
  return WithQuietZone(control, MatrixSize(rows, DotsFromUser(control, control.Properties().dataMatrixModuleSize)));
}

SizeL DrawDataMatrix(CQlnBarcode& control, DrawingSurface& surface, PointL at) {
  const auto& p = control.Properties();
  const int turns = QuarterTurns(p.rotation);
  const SizeL q = QuietZone(control);
  const PointL origin = Offset(at, turns, q.cx, q.cy);
  std::vector<std::string> rows;
  try {
    rows = MatrixRowsFor(control);
  } catch (const Quillon::BrindleLib::barlib_error& error) {
    return WithQuietZone(control, DrawEncodingError(control, surface, origin, error));
  }
  const std::int32_t module = DotsFromUser(control, p.dataMatrixModuleSize);
  const gdi::ColorRef color = gdi::TranslateColor(p.foreColor);
  PointL rowStart = origin;
  for (const std::string& row : rows) {
    PointL pen = rowStart;
    for (const char m : row) {
      if (m == '1') {
        DrawRect(surface, color, pen, module, module, turns);
      }
      pen = MoveAlong(pen, turns, module);
    }
    rowStart = MoveAcross(rowStart, turns, module);
  }
  return WithQuietZone(control, MatrixSize(rows, module));
}

}  // namespace linnet
