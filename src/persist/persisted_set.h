#pragma once
// The persisted property set: the extent ("_cx", "_cy", kept raw) and then the properties the
// automation table gives a persisted name, in the order of their persisted position. Every
// persistence form reads and writes this order; Symbology comes before Message, so a loaded
// message replaces the sample message the symbology installs.
#include <span>
#include <string>

#include "control/automation.h"

namespace linnet::persist {

inline constexpr char16_t kExtentWidthName[] = u"_cx";
inline constexpr char16_t kExtentHeightName[] = u"_cy";

// The persisted properties in order (built once from the automation table).
std::span<const AutomationMember* const> PersistedProperties();

// The persisted name as the bag and the XML file spell it.
std::u16string PersistedName(const AutomationMember& member);

}  // namespace linnet::persist
