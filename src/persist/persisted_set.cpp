#include "persist/persisted_set.h"

#include <algorithm>
#include <vector>

namespace linnet::persist {

std::span<const AutomationMember* const> PersistedProperties() {
  static const std::vector<const AutomationMember*> kInOrder = [] {
    std::vector<const AutomationMember*> members;
    for (const AutomationMember& m : AutomationMembers()) {
      if (m.persistedName != nullptr) {
        members.push_back(&m);
      }
    }
    std::sort(members.begin(), members.end(),
              [](const auto* a, const auto* b) { return a->persistedOrder < b->persistedOrder; });
    return members;
  }();
  return kInOrder;
}

std::u16string PersistedName(const AutomationMember& member) {
  const std::string_view name = member.persistedName;
  return {name.begin(), name.end()};
}

}  // namespace linnet::persist
