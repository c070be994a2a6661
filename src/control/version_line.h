#pragma once
// The product and version line shown by the default comment and the About box.
#include <string>

namespace linnet {

// "%s %d.%d%s (build %d)" from the component's version record.
std::string VersionLine();

// The comment a new control starts with: the version line and a hint on line breaks.
std::u16string DefaultComment();

}  // namespace linnet
