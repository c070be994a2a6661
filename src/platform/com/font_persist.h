#pragma once
// How a font object keeps itself: its class identifier (the platform's standard font class, so
// files written by hosts on the original platform name the same class) and its property-bag
// form, the values "Name", "Size" (points, double), "Charset", "Weight", "Underline", "Italic"
// and "Strikethrough"; and its stream record, the public layout of the platform's font object
// so that property streams written on the original platform load here:
//   version (1 byte, 1), charset (16-bit), flags (1 byte: 0x02 italic, 0x04 underline,
//   0x08 strikethrough), weight (16-bit), size (32-bit, ten-thousandths of a point),
//   name length in bytes (1 byte), name in the ANSI code page (no terminator).
// The font is the only class a file may ask us to create.
#include <cstdint>
#include <memory>

#include "platform/com/font_object.h"
#include "platform/com/guid.h"
#include "platform/com/property_bag.h"

namespace linnet {

// {0BE35203-8F91-11CE-9DE3-00AA004BB851}
inline constexpr Guid kFontClassId{0x0BE35203, 0x8F91, 0x11CE, {0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}};

// The font's property-bag protocol; the adapter shares `font` and loads into it in place.
std::unique_ptr<PersistPropertyBag> FontBagPersistence(FontPtr font);

// The stream record. A name longer than 255 ANSI bytes is cut to 255 (the length is one byte).
// Loading refuses another version with E_FAIL and leaves `description` as it was on failure.
HRESULT SaveFontRecord(const FontDescription& description, ByteStream& stream);
HRESULT LoadFontRecord(ByteStream& stream, FontDescription& description);
std::uint32_t FontRecordSize(const FontDescription& description);

// A new object of the class a file names: a font (at its values at creation) for the font class,
// nothing for every other identifier, the all-zero one included.
FontPtr CreateObjectOfClass(const Guid& classId);

}  // namespace linnet
