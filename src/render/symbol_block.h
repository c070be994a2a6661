#pragma once
// The symbol block: the encoded symbol, its human-readable text (when shown outside the
// bars) and its quiet zones.
#include <cstdint>

#include "platform/com/host_observer.h"

namespace linnet {

class CQlnBarcode;
class DrawingSurface;

// (sw, sh) in dots, unrotated. A symbol that cannot be encoded measures one inch square
// plus quiet zones; nothing is reported.
SizeL MeasureSymbolBlock(const CQlnBarcode& control, DrawingSurface& surface);

// Draws the block with its corner at `at`; `blockWidth` is sw. A symbol that cannot be
// encoded is drawn as its error text and reported to the control's event sinks.
void DrawSymbolBlock(CQlnBarcode& control, DrawingSurface& surface, PointL at, std::int32_t blockWidth);

// The two strips along the top and bottom edges of the bars, `size` being the bars' (w, h).
void DrawBearerBars(const CQlnBarcode& control, DrawingSurface& surface, PointL at, SizeL size);

}  // namespace linnet
