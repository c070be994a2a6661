#pragma once
// How property names and values become text in the XML property file, the same on every machine.
//
// Element names: ASCII letters and digits stay as they are, an underscore becomes two, and every
// other UTF-16 code unit becomes an underscore followed by its code in lower-case hexadecimal
// without leading zeros ("_cx" -> "__cx", "a.b" -> "a_2eb"). A name whose encoding could not
// start an XML element (empty, or a leading digit) has no element name: nullopt.
//
// Values: texts stand as they are; integers are decimal; booleans "True"/"False"; doubles take
// the shortest form that reads back to the same double, with '.' and an upper-case exponent
// ("1", "2.5", "0.30000000000000004", "1E+20"). No process locale changes any of these.
//
// XML 1.0 cannot carry most C0 control characters, U+FFFE, U+FFFF or unpaired surrogates in any
// form, escaped or not: an outside reader refuses the file. CarriesInXml says whether a text is
// free of them, so that a writer can refuse instead of producing a file nobody else can read.
#include <optional>
#include <string>
#include <string_view>

#include "platform/com/hresult.h"
#include "platform/com/variant.h"

namespace linnet::persist {

std::optional<std::string> EncodeElementName(std::u16string_view name);

// The text of a value that is not an object (S_OK), or the conversion's failure.
HRESULT ValueText(const Variant& value, std::u16string& text);

bool CarriesInXml(std::u16string_view text);

}  // namespace linnet::persist
