#pragma once
// The label: the comment box and the symbol block placed within the margins, in the
// control's rotation.
#include "platform/com/host_observer.h"

namespace linnet {

class CQlnBarcode;
class DrawingSurface;

// (cw, ch) for a symbol block `symbolWidth` wide: the comment laid out upright.
SizeL MeasureCommentBox(const CQlnBarcode& control, DrawingSurface& surface, std::int32_t symbolWidth);

// Draws the comment (when shown) and the symbol block from the drawing origin. The
// background is the caller's.
void DrawLabel(CQlnBarcode& control, DrawingSurface& surface);

}  // namespace linnet
