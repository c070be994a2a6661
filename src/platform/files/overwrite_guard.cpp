#include "platform/files/overwrite_guard.h"

#include "platform/ascii_case.h"
#include "platform/files/file_replace.h"

namespace linnet::files {

namespace {

// The first occurrence of `extension` in the list, ignoring case, must end an entry: ".tif"
// matches ".tif|.tiff", ".ti" matches nothing.
bool Listed(std::string_view extensions, std::string_view extension) {
  for (size_t at = 0; at + extension.size() <= extensions.size(); ++at) {
    if (SameIgnoringAsciiCase(extensions.substr(at, extension.size()), extension)) {
      const size_t after = at + extension.size();
      return after == extensions.size() || extensions[after] == '|';
    }
  }
  return false;
}

}  // namespace

bool MayOverwrite(const std::string& path, std::string_view extensions) {
  const FileAttributes file = Inspect(path);
  if (!file.exists) {
    return true;
  }
  if (file.readOnly || file.hidden || file.system || file.directory) {
    return false;
  }
  const std::string extension = Extension(path);
  return extension.empty() || extension == "." || Listed(extensions, extension);
}

}  // namespace linnet::files
