#pragma once
// The library's diagnostic output: quiet unless switched on, either by the environment
// variable LINNET_LOG (any value but "" or "0") or by SetEnabled. Writing a diagnostic never
// changes what the caller computes.
#include <string_view>

namespace linnet::log {

// Whether diagnostics are written. The environment is read once, on the first call of
// Enabled or Write, unless SetEnabled has decided already.
bool Enabled();

// Overrides the environment for the rest of the process.
void SetEnabled(bool enabled);

// Writes `tag` immediately followed by `text` to standard error when enabled; nothing
// otherwise. Whole writes from different threads do not interleave.
void Write(std::string_view tag, std::string_view text);

}  // namespace linnet::log
