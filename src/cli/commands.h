#pragma once
// Runs a parsed `linnet` command line: a fresh control for the commands that use one, the
// property files and settings applied, then the command's row of the command table. Every
// failure is one line on `err`; the result is the exit status (cli/exit_status.h).
#include <ostream>

#include "cli/command_line.h"
#include "cli/exit_status.h"

namespace linnet::cli {

int Run(const CommandLine& line, std::ostream& out, std::ostream& err);

}  // namespace linnet::cli
