#pragma once
// Whether a file may be written over: a new file may have any name; an existing plain file may
// be replaced only when its extension (compared ignoring case) is one of `extensions`, a list
// such as ".bmp|.jpg|.png", or when it has none. Read-only, hidden and system files and
// directories are never replaced.
#include <string>
#include <string_view>

namespace linnet::files {

bool MayOverwrite(const std::string& path, std::string_view extensions);

}  // namespace linnet::files
