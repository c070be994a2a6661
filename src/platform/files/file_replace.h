#pragma once
// What the platform says about an existing file, and writing a file so that a failure
// leaves no partial file behind.
#include <cstdio>
#include <functional>
#include <string>

namespace linnet::files {

struct FileAttributes {
  bool exists = false;
  bool directory = false;
  bool readOnly = false;  // nobody may write it, or this process may not
  bool hidden = false;    // its name starts with a dot
  bool system = false;    // a device, pipe or socket rather than a plain file
};

// Symbolic links are followed.
FileAttributes Inspect(const std::string& path);

// The file name's extension: from its last dot on (empty without a dot), directories left out.
std::string Extension(const std::string& path);

// Writes a new file beside `path` through `write`, then renames it over `path` (an existing
// file keeps its permissions). On any failure the new file is removed, `path` is left as it
// was, and the result is false.
bool WriteReplacing(const std::string& path, const std::function<bool(std::FILE*)>& write);

}  // namespace linnet::files
