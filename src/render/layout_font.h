#pragma once
// Device fonts built from the control's font objects at the layout resolution.
#include "platform/com/font_object.h"
#include "platform/gdi/log_font.h"

namespace linnet {

class CQlnBarcode;

// Character height -DotsFromMils(trunc(points * 1000 * scale / 72)); face, bold (weight 700,
// else 400), italic, underline, strikethrough and character set from the object; proof
// quality; escapement of a quarter turn per `quarterTurns`. Without an object the control's
// default font description is used. The caller deletes the font (drops the handle).
gdi::FontHandle CreateLayoutFont(const CQlnBarcode& control, const FontObject* font, int quarterTurns, double scale);

}  // namespace linnet
