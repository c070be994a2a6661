// PDF417 symbols as rows of rectangular modules: PDF417ModuleWidth along, PDF417RowHeight
// across, one filled rectangle per dark module.
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

struct ModuleSize {
  std::int32_t width;   // along
  std::int32_t height;  // across: one row
};

ModuleSize Pdf417Module(const CQlnBarcode& control) {
  const auto& p = control.Properties();
  return {DotsFromUser(control, p.pdf417ModuleWidth), DotsFromUser(control, p.pdf417RowHeight)};
}

SizeL RowsSize(const std::vector<std::string>& rows, ModuleSize module) {
  const auto length = static_cast<std::int64_t>(rows.empty() ? 0 : rows.front().size());
  return {ClampDots(length * module.width), ClampDots(static_cast<std::int64_t>(rows.size()) * module.height)};
}

// The quiet zone on both ends. Like the symbol it is measured along and across the symbol:
// the drawing moves qx along and qy across in every rotation, so exchanging them for a
// quarter turn would leave the block too small across and push the symbol out of it.
SizeL WithQuietZone(SizeL symbol, SizeL quiet) {
  return {ClampDots(symbol.cx + 2 * static_cast<std::int64_t>(quiet.cx)),
          ClampDots(symbol.cy + 2 * static_cast<std::int64_t>(quiet.cy))};
}

}  // namespace

SizeL MeasurePdf417(const CQlnBarcode& control, DrawingSurface& /*surface*/) {
  std::vector<std::string> rows;
  try {
    rows = MatrixRowsFor(control);
  } catch (const Quillon::BrindleLib::barlib_error&) {
    return FailedSymbolSize(control);
  }
  // Measured in the unrotated frame, as the layout measures every block.
  return WithQuietZone(RowsSize(rows, Pdf417Module(control)), QuietZone(control));
}

SizeL DrawPdf417(CQlnBarcode& control, DrawingSurface& surface, PointL at) {
  const auto& p = control.Properties();
  const int turns = QuarterTurns(p.rotation);
  const SizeL quiet = QuietZone(control);
  const PointL origin = Offset(at, turns, quiet.cx, quiet.cy);
  std::vector<std::string> rows;
  try {
    rows = MatrixRowsFor(control);
  } catch (const Quillon::BrindleLib::barlib_error& error) {
    return WithQuietZone(DrawEncodingError(control, surface, origin, error), quiet);
  }
  const ModuleSize module = Pdf417Module(control);
  const gdi::ColorRef color = gdi::TranslateColor(p.foreColor);
  PointL rowStart = origin;
  for (const auto& row : rows) {
    PointL pen = rowStart;
    for (const char m : row) {
      if (m == '1') {
        DrawRect(surface, color, pen, module.height, module.width, turns);
      }
      pen = MoveAlong(pen, turns, module.width);
    }
    rowStart = MoveAcross(rowStart, turns, module.height);
  }
  return WithQuietZone(RowsSize(rows, module), quiet);
}

}  // namespace linnet
