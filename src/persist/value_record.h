#pragma once
// One value of the stream form: a 16-bit variant type, then the value.
//   2, 11, 18: 2 bytes; 3, 4, 10, 19, 22, 23: 4 bytes; 5, 6, 7, 20, 21: 8 bytes; 16, 17: 1 byte;
//   8 (text): a 32-bit byte count N, 0 for no text, otherwise the UTF-16LE text and a 16-bit
//     zero terminator (N = 2 x length + 2);
//   9, 13 (object): the object's class identifier, then the object's own stream form; an absent
//     object (or one that cannot write a stream) is 16 zero bytes;
//   any other type: the value as text, under the type given.
// Reading accepts every type and hands back a Variant the setters' conversion understands
// (small integers as 32-bit, 64-bit kinds and floats as double, unknown types as text). A text
// count of 1 is E_FAIL, above 1 MiB E_ACCESSDENIED, a missing terminator E_FAIL. Of the object
// classes only the font is created (and loaded from the stream); any other class, the all-zero
// one included, yields no object and reading goes on after the identifier.
#include <cstdint>

#include "platform/com/byte_stream.h"
#include "platform/com/variant.h"

namespace linnet::persist {

inline constexpr std::uint32_t kMaxTextBytes = 0x100000;

HRESULT WriteValueRecord(ByteStream& stream, const Variant& value);
HRESULT ReadValueRecord(ByteStream& stream, Variant& value);
// The bytes WriteValueRecord writes for `value`.
std::uint64_t ValueRecordSize(const Variant& value);

}  // namespace linnet::persist
