#pragma once
// Glyphs painted into a two-colour bitmap, in one of the four axis directions.
#include <cstdint>

#include "platform/gdi/font_cache.h"
#include "platform/gdi/mono_bitmap.h"

namespace linnet::gdi {

// Paints glyph `c` of `face` with its pen origin at device pixel `origin`, the text turned
// `quarterTurns` quarter turns anticlockwise. Call with the font cache's lock held.
void PaintGlyph(MonoBitmap& bitmap, SizedFace& face, char32_t c, PointL origin, int quarterTurns, bool white);

}  // namespace linnet::gdi
