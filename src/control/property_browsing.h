#pragma once
// What a property browser asks of the control, read from the automation table: the design
// category of a property (by DISPID), the name of a category (by number), and the standard
// property pages, per property and for the whole control. A DISPID without a category, and a
// number without a name, fail with E_INVALIDARG; so does a property that names no page.
#include <string>
#include <vector>

#include "control/automation.h"
#include "platform/com/guid.h"

namespace linnet {

// {7EBDAAE0-8120-11CF-899F-00AA00688B10}, {7EBDAAE1-8120-11CF-899F-00AA00688B10}
inline constexpr Guid kStockFontPage{0x7EBDAAE0, 0x8120, 0x11CF, {0x89, 0x9F, 0x00, 0xAA, 0x00, 0x68, 0x8B, 0x10}};
inline constexpr Guid kStockColorPage{0x7EBDAAE1, 0x8120, 0x11CF, {0x89, 0x9F, 0x00, 0xAA, 0x00, 0x68, 0x8B, 0x10}};

HRESULT MapPropertyToCategory(DISPID dispid, std::int32_t* category);
HRESULT GetCategoryName(std::int32_t category, std::u16string* name);

HRESULT MapPropertyToPage(DISPID dispid, Guid* page);
// The distinct pages the properties name, in table order (the control's page list).
std::vector<Guid> PropertyPages();

}  // namespace linnet
