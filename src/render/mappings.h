#pragma once
// How the label's layout dots land on a drawing target. Each set-up puts the surface into
// the anisotropic mapping, fixes the layout resolution R, sets the drawing origin to (0, 0)
// and records the natural size in dots for the background.
#include "platform/com/host_observer.h"

namespace linnet {

class CQlnBarcode;
class DrawingSurface;

// Screen and printer: R from the device (a 96-dot screen lays out at 1440), the viewport
// scaled by ZoomRatio (fitted to the host's extent while AutoSize is off), the label
// centred in `bounds`. Returns the natural size it computed (1/100 mm).
SizeL PrepareViewMapping(CQlnBarcode& control, DrawingSurface& surface, const RectL& bounds);

// Recording an enhanced metafile: as the view, without zoom or centring.
SizeL PrepareMetafileMapping(CQlnBarcode& control, DrawingSurface& surface);

// An export bitmap: one layout dot per pixel, R already set by the caller; `natural` is the
// natural size the caller computed at that R.
void PrepareRasterMapping(CQlnBarcode& control, DrawingSurface& surface, const RectL& rect, SizeL natural);

// Classic metafiles: twips, the window turned with the label.
void PrepareTwipsMapping(CQlnBarcode& control, DrawingSurface& surface);

// R as a device of `dpi` dots per inch gives it: the 96-dot screen lays out at 1440.
std::int32_t LayoutResolutionFor(std::int32_t dpi);

// Puts R back to 1440 and the drawing origin to (0, 0) when a drawing ends, however it ends.
class LayoutAtRestOnExit {
 public:
  explicit LayoutAtRestOnExit(CQlnBarcode& control) : control_(control) {}
  LayoutAtRestOnExit(const LayoutAtRestOnExit&) = delete;
  LayoutAtRestOnExit& operator=(const LayoutAtRestOnExit&) = delete;
  ~LayoutAtRestOnExit();

 private:
  CQlnBarcode& control_;
};

}  // namespace linnet
