// linnet: drives the barcode control from the command line, as a scripting host would.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "platform/files/temporary_registry.h"

int main(int argc, char** argv) {
  linnet::files::RemoveTemporariesOnTermination();
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  const auto line = linnet::cli::ParseCommandLine(args, error);
  if (!line) {
    std::cerr << "linnet: " << error << "\n\n" << linnet::cli::kUsage;
    return linnet::cli::kExitUsage;
  }
  return linnet::cli::Run(*line, std::cout, std::cerr);
}
