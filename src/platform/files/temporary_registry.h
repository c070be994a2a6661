#pragma once
// The temporary files a process is writing right now, so that a signal which ends the
// process can remove them. A library must not take over a host's signals, so the
// registry only records; the host decides, by calling RemoveTemporariesOnTermination once,
// that an interrupt, hang-up or termination request removes them before the process ends.
//
// The registry is a fixed table of slots claimed with atomic operations: registering and
// releasing take no lock and allocate nothing, and the signal handler only reads the table
// and calls unlink, both safe in a handler. A path that finds no free slot, or is too long
// for one, is written unregistered (it is still removed on every ordinary failure).
#include <string>

namespace linnet::files {

class InFlightTemporary {
 public:
  explicit InFlightTemporary(const std::string& path);
  InFlightTemporary(const InFlightTemporary&) = delete;
  InFlightTemporary& operator=(const InFlightTemporary&) = delete;
  // Forgets the path; call after it is renamed or removed.
  ~InFlightTemporary();

 private:
  int slot_;
};

// Installs handlers for SIGINT, SIGTERM and SIGHUP that remove every registered temporary
// and then end the process by the same signal as before. A signal the process ignores or
// already handles is left alone. Call once, early, from the host's main.
void RemoveTemporariesOnTermination();

}  // namespace linnet::files
