#include "control/version_line.h"

#include <cstdio>

#include "platform/codepage.h"
#include "version_record.h"

namespace linnet {

std::string VersionLine() {
  using namespace version_record;
  // The third number is a lettered revision: 1 and 2 give "a", 3 and 4 give "b", ...
  std::string suffix;
  if (kPatch != 0) {
    suffix.push_back(static_cast<char>('a' + (kPatch - 1) / 2));
  }
  char line[128];
  std::snprintf(line, sizeof line, "%s %d.%d%s (build %d)", kProductName, kMajor, kMinor, suffix.c_str(), kBuild);
  return line;
}

std::u16string DefaultComment() {
  return AnsiToWide(VersionLine() + "\nTo force another line, enter \\n at the line end.");
}

}  // namespace linnet
