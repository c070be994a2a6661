#pragma once
// The registration data of the component as data: the keys and values a registration writes
// under the classes root for a given module path, in the order it writes them (application
// identifier, programmatic identifiers, the class key, the implemented component categories,
// the type library and the interfaces it describes). Unregistration removes the entries whose
// `removedOnUnregister` is true (with everything under them); the shared roots "AppID" and
// "CLSID" stay.
#include <string>
#include <string_view>
#include <vector>

namespace linnet {

struct RegistryEntry {
  std::string key;        // below the classes root, '\'-separated
  std::string valueName;  // "" for the key's default value
  std::string value;      // "" with an empty valueName: a key without a value
  bool removedOnUnregister;
};

// The control's miscellaneous status: recompose on resize, can't link inside, inside-out,
// activate when visible, alignable, set client site first.
inline constexpr unsigned kMiscStatus = 0x22191;

std::vector<RegistryEntry> RegistrationEntries(std::string_view modulePath);

}  // namespace linnet
