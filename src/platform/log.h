#pragma once
// The library's diagnostic output: quiet unless switched on, either by the environment
// variable LINNET_LOG (any value but "" or "0") or by SetEnabled. Writing a diagnostic never
// changes what the caller computes, and diagnostics never reach standard output: they go to
// standard error, or to the sink a host installs.
//
// Threads: Enabled, SetEnabled and Write may be called from any thread. Whole writes never
// interleave: the sink is called under the log's lock, one write at a time.
#include <functional>
#include <string_view>

namespace linnet::log {

// Whether diagnostics are written. The environment is read once, on the first call of
// Enabled or Write, unless SetEnabled has decided already.
bool Enabled();

// Overrides the environment for the rest of the process.
void SetEnabled(bool enabled);

// Receives each diagnostic whole: the tag immediately followed by the text. It must not call
// Write itself.
using Sink = std::function<void(std::string_view diagnostic)>;

// Installs the host's sink; an empty one restores standard error.
void SetSink(Sink sink);

// Writes `tag` immediately followed by `text` to the sink (standard error unless a host
// installed another) when enabled; nothing otherwise.
void Write(std::string_view tag, std::string_view text);

}  // namespace linnet::log
