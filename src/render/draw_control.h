#pragma once
// The host's request to draw the control into one of its contexts.
#include <cstdint>
#include <memory>

#include "platform/com/host_observer.h"
#include "platform/com/hresult.h"

namespace linnet {

class CQlnBarcode;
namespace gdi {
class DeviceContext;
}

// Draws background and label into `target` within `bounds` (device units), choosing the
// mapping by the target's technology: screens, printers and memory contexts get the view
// mapping, enhanced-metafile contexts the metafile mapping, classic metafiles the twips
// mapping with the screen measuring. `windowBounds` is given only when the host draws into
// a metafile: an enhanced-metafile target then receives a fresh recording of the label made
// through the metafile mapping and played stretched into `bounds`, and R is left as that
// mapping set it. Otherwise R returns to 1440 and the origin to (0, 0) afterwards.
HRESULT DrawControl(CQlnBarcode& control, gdi::DeviceContext& target, const RectL& bounds, const RectL* windowBounds);

// A reference context for drawings that need one: the default printer's when there is one,
// else the screen's. This platform has no printers.
std::unique_ptr<gdi::DeviceContext> CreatePrinterDCOrScreenDC();

// The reference context of a raster export: the screen when its resolution is a whole
// multiple of `resolution`, else a context of that resolution.
std::unique_ptr<gdi::DeviceContext> FindRasterReferenceDC(std::int32_t resolution);

}  // namespace linnet
