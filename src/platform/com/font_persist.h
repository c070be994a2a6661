#pragma once
// How a font object keeps itself: its class identifier (the platform's standard font class, so
// files written by hosts on the original platform name the same class) and its property-bag
// form, the values "Name", "Size" (points, double), "Charset", "Weight", "Underline", "Italic"
// and "Strikethrough". The font is the only class a file may ask us to create.
#include <memory>

#include "platform/com/font_object.h"
#include "platform/com/guid.h"
#include "platform/com/property_bag.h"

namespace linnet {

// {0BE35203-8F91-11CE-9DE3-00AA004BB851}
inline constexpr Guid kFontClassId{0x0BE35203, 0x8F91, 0x11CE, {0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};

// The font's property-bag protocol; the adapter shares `font` and loads into it in place.
std::unique_ptr<PersistPropertyBag> FontBagPersistence(FontPtr font);

// A new object of the class a file names: a font (at its values at creation) for the font class,
// nothing for every other identifier, the all-zero one included.
FontPtr CreateObjectOfClass(const Guid& classId);

}  // namespace linnet
