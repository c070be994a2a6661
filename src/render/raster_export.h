#pragma once
// The label drawn into a two-colour bitmap for the image formats.
#include <cstdint>
#include <memory>

#include "platform/com/host_observer.h"
#include "platform/gdi/gdi_types.h"
#include "platform/gdi/mono_bitmap.h"

namespace linnet {

class CQlnBarcode;

// Lays the label out at RasterImageResolution, one dot per pixel, and draws it into a
// bitmap of the natural size at that resolution, which records the resolution. nullptr when
// the bitmap cannot be created (above the pixel budget, or no memory for it). The layout
// resolution is back at 1440 afterwards, and the label size measured there.
std::unique_ptr<gdi::MonoBitmap> DrawRasterLabel(CQlnBarcode& control);

// The label's ForeColor on its BackColor as the two-colour bitmap shows them (by contrast:
// the darker black, the lighter white).
gdi::TwoTone LabelTwoTone(const CQlnBarcode& control);

// The pixel size of a label of `natural` hundredths of a millimetre at `resolution`;
// (0, 0) when it does not fit the bitmap budget.
SizeL RasterSize(SizeL natural, std::int32_t resolution);

}  // namespace linnet
