#pragma once
// The object table of a metafile: pens, brushes and fonts live in numbered slots; a new
// object takes the lowest free slot and a deleted one frees its slot. Count() is the size the
// table ever reached, which the metafile's header declares.
#include <algorithm>
#include <cstdint>
#include <vector>

namespace linnet::gdi {

class ObjectSlots {
 public:
  // `reserved` leading slots are never handed out (the enhanced format reserves slot 0).
  explicit ObjectSlots(std::uint32_t reserved) : used_(reserved, true) {}

  std::uint32_t Create() {
    const auto free = std::find(used_.begin(), used_.end(), false);
    const auto index = static_cast<std::uint32_t>(free - used_.begin());
    if (free == used_.end()) {
      used_.push_back(true);
    } else {
      *free = true;
    }
    return index;
  }
  void Free(std::uint32_t index) {
    if (index < used_.size()) {
      used_[index] = false;
    }
  }
  [[nodiscard]] std::uint32_t Count() const { return static_cast<std::uint32_t>(used_.size()); }

 private:
  std::vector<bool> used_;
};

}  // namespace linnet::gdi
