#pragma once
// A file that lives only while its bytes are made: created in the system's temporary
// directory (TMPDIR, else /tmp) under a unique, unpredictable name that no other user can
// have prepared (the name is chosen and the file created in one step, readable by this user
// only), written, read back and removed, whatever happens on the way.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string_view>
#include <vector>

namespace linnet::files {

// Writes through `write` into a new temporary file named `prefix` plus a random suffix, then
// appends the file's bytes to `out`. The file is gone when this returns. False when the file
// cannot be created, `write` fails, or the bytes cannot be read back; `out` is then unchanged.
bool ThroughTemporaryFile(std::string_view prefix, const std::function<bool(std::FILE*)>& write,
                          std::vector<std::uint8_t>& out);

}  // namespace linnet::files
