#pragma once
// Property values as the command line writes and reads them.
#include <string>

#include "control/automation.h"
#include "platform/com/variant.h"

namespace linnet::cli {

// The variant a command-line VALUE stands for: enumerator names (qlxCode128) become their
// numbers, "0x..." colours become numbers, a font is "Name[,points][,bold][,italic]
// [,underline][,strikethrough]"; anything else travels as text and the control converts it.
// Returns false (with `error`) for a value no conversion can take.
bool ParseValue(const AutomationMember& member, const std::string& value, Variant& out, std::string& error);

// The value as `show` prints it (UTF-8, control characters escaped).
std::string FormatValue(const AutomationMember& member, const Variant& value);

}  // namespace linnet::cli
