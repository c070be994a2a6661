#pragma once
// Colour references as hosts give them: an RGB value, or a system colour (top byte 0x80,
// the index in the low byte), resolved here from a fixed classic palette.
#include <cstdint>

#include "platform/gdi/gdi_types.h"

namespace linnet::gdi {

// An unknown system-colour index gives black; other top bytes are ignored.
ColorRef TranslateColor(std::uint32_t oleColor);

}  // namespace linnet::gdi
