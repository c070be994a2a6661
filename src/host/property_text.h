#pragma once
// Property values as text, the one form every host reads and writes: `linnet show` and
// `--set`, the XML property bag, the C interface, batch rows and the HTTP service.
#include <string>

#include "control/automation.h"
#include "platform/com/variant.h"

namespace linnet::host {

// The variant a text VALUE stands for: enumerator names and aliases (qlxCode128, code128;
// see host/enumerator_names.h) become their numbers, "0x..." colours become numbers, a font
// is "Name[,points][,bold][,italic][,underline][,strikethrough]"; anything else, numbers
// included, travels as text and the control converts it. Returns false (with `error`) for a
// value no conversion can take, such as a word that names no enumerator.
bool ParseValue(const AutomationMember& member, const std::string& value, Variant& out, std::string& error);

// The value as `show` prints it (UTF-8, control characters escaped).
std::string FormatValue(const AutomationMember& member, const Variant& value);

}  // namespace linnet::host
