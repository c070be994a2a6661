#pragma once
// A list of connected sinks, called in connection order. Firing holds a reference to each
// sink for the duration of its call, so a sink may disconnect itself (or others) meanwhile.
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace linnet {

template <class Sink>
class ConnectionPoint {
 public:
  using Cookie = std::uint32_t;

  Cookie Advise(std::shared_ptr<Sink> sink) {
    const Cookie cookie = nextCookie_++;
    connections_.emplace_back(cookie, std::move(sink));
    return cookie;
  }

  bool Unadvise(Cookie cookie) {
    for (auto it = connections_.begin(); it != connections_.end(); ++it) {
      if (it->first == cookie) {
        connections_.erase(it);
        return true;
      }
    }
    return false;
  }

  [[nodiscard]] bool Empty() const { return connections_.empty(); }

  // Calls `call(sink)` for each sink connected when firing starts, in connection order.
  template <class Call>
  void Fire(Call&& call) const {
    const auto snapshot = connections_;
    for (const auto& connection : snapshot) {
      call(*connection.second);
    }
  }

 private:
  std::vector<std::pair<Cookie, std::shared_ptr<Sink>>> connections_;
  Cookie nextCookie_ = 1;
};

}  // namespace linnet
