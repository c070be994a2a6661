#include "platform/files/temporary_registry.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>

namespace linnet::files {

namespace {

// Slot states. A handler claims a live slot for good, so a slot being unlinked by the
// handler is never reused and rewritten underneath it.
enum SlotState : int { kFree, kFilling, kLive, kTakenByHandler };

struct Slot {
  std::atomic<int> state{kFree};
  char path[PATH_MAX];
};

constexpr size_t kSlots = 32;
std::array<Slot, kSlots> slots;

static_assert(std::atomic<int>::is_always_lock_free, "the handler needs lock-free slot states");

extern "C" void RemoveTemporariesAndEnd(int signal) {
  const int savedErrno = errno;
  for (Slot& slot : slots) {
    int expected = kLive;
    if (slot.state.compare_exchange_strong(expected, kTakenByHandler)) {
      unlink(slot.path);
    }
  }
  errno = savedErrno;
  // The handler was installed with SA_RESETHAND: the signal, delivered again once this
  // handler returns, ends the process the way it would have without us.
  raise(signal);
}

}  // namespace

InFlightTemporary::InFlightTemporary(const std::string& path) : slot_(-1) {
  if (path.size() >= PATH_MAX) {
    return;
  }
  for (size_t i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (slots[i].state.compare_exchange_strong(expected, kFilling)) {
      std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
      slots[i].state.store(kLive);
      slot_ = static_cast<int>(i);
      return;
    }
  }
}

InFlightTemporary::~InFlightTemporary() {
  if (slot_ >= 0) {
    int expected = kLive;
    slots[static_cast<size_t>(slot_)].state.compare_exchange_strong(expected, kFree);
  }
}

void RemoveTemporariesOnTermination() {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction previous {};
    if (sigaction(signal, nullptr, &previous) != 0 || previous.sa_handler != SIG_DFL) {
      continue;
    }
    struct sigaction action {};
    action.sa_handler = RemoveTemporariesAndEnd;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
  }
}

}  // namespace linnet::files
