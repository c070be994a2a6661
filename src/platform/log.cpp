#include "platform/log.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <utility>

namespace linnet::log {

namespace {

enum State : int { kUndecided, kOff, kOn };

std::atomic<int>& CurrentState() {
  static std::atomic<int> state{kUndecided};
  return state;
}

int StateFromEnvironment() {
  const char* value = std::getenv("LINNET_LOG");
  return value != nullptr && *value != '\0' && std::string_view(value) != "0" ? kOn : kOff;
}

std::mutex& OutputMutex() {
  static std::mutex mutex;
  return mutex;
}

// Guarded by OutputMutex.
Sink& InstalledSink() {
  static Sink sink;
  return sink;
}

}  // namespace

bool Enabled() {
  auto& state = CurrentState();
  int current = state.load(std::memory_order_acquire);
  if (current == kUndecided) {
    int expected = kUndecided;
    state.compare_exchange_strong(expected, StateFromEnvironment(), std::memory_order_acq_rel);
    current = state.load(std::memory_order_acquire);
  }
  return current == kOn;
}

void SetEnabled(bool enabled) {
  CurrentState().store(enabled ? kOn : kOff, std::memory_order_release);
}

void SetSink(Sink sink) {
  const std::lock_guard<std::mutex> lock(OutputMutex());
  InstalledSink() = std::move(sink);
}

void Write(std::string_view tag, std::string_view text) {
  if (!Enabled()) {
    return;
  }
  std::string line;
  line.reserve(tag.size() + text.size());
  line.append(tag).append(text);
  const std::lock_guard<std::mutex> lock(OutputMutex());
  if (const Sink& sink = InstalledSink()) {
    sink(line);
    return;
  }
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

}  // namespace linnet::log
