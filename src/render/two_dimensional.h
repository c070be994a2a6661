#pragma once
// Measuring and drawing of the three two-dimensional symbologies: PDF417 (40) and
// DataMatrix (41) as rows of square or rectangular modules, MaxiCode (42) as hexagonal
// modules around a bullseye. The symbol block calls these with the block's position; each
// encodes the message afresh (nothing is cached), applies its own quiet zone and has no
// human-readable text.
//
// Contract shared by the six entry points:
// - Sizes are (width, height) in layout dots, quiet zones included (QuietZone() in
//   render/quiet_zone.h), along and across the symbol in every rotation, like every other
//   symbol block: the drawing moves qx along and qy across, so the block holds it exactly.
// - Measure: an encoder failure of any kind gives one inch square (DotsFromMils(control,
//   1000) each way) plus the quiet zones as above; nothing is drawn and no event fires.
// - Draw: (x, y) is the symbol block's corner; move past the quiet zone with Offset() and
//   draw dark modules with DrawRect() (render/rotation.h) in TranslateColor(ForeColor)
//   (platform/gdi/system_colors.h). Lengths come from DotsFromUser()/DotsFromMetric()
//   (render/units.h) at the control's current layout resolution. An engine error
//   (Quillon::BrindleLib::barlib_error) is drawn with DrawEncodingError()
//   (render/encoding_error.h) at the moved position, with the kind "PDF417", "DataMatrix"
//   or "Maxicode"; the size returned is then the one-inch square plus the quiet zones.
// - Surfaces: fills, polygons and ellipses go to the output context; text metrics come
//   from the attribute context (render/drawing_surface.h). Select pens and brushes for
//   the call and restore the previous ones before returning.
#include "platform/com/host_observer.h"

namespace linnet {

class CQlnBarcode;
class DrawingSurface;

SizeL MeasurePdf417(const CQlnBarcode& control, DrawingSurface& surface);
SizeL MeasureDataMatrix(const CQlnBarcode& control, DrawingSurface& surface);
SizeL MeasureMaxiCode(const CQlnBarcode& control, DrawingSurface& surface);

SizeL DrawPdf417(CQlnBarcode& control, DrawingSurface& surface, PointL at);
SizeL DrawDataMatrix(CQlnBarcode& control, DrawingSurface& surface, PointL at);
SizeL DrawMaxiCode(CQlnBarcode& control, DrawingSurface& surface, PointL at);

}  // namespace linnet
