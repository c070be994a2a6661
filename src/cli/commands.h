#pragma once
// The commands of `linnet`, each on a fresh control.
#include <ostream>

#include "cli/command_line.h"

namespace linnet::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitRefused = 2;
inline constexpr int kExitCannotEncode = 3;
inline constexpr int kExitFile = 4;

int Run(const CommandLine& line, std::ostream& out, std::ostream& err);

}  // namespace linnet::cli
