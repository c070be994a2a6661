// linnet: drives the barcode control from the command line, as a scripting host would.
#include <unistd.h>

#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "cli/checked_output.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "platform/files/temporary_registry.h"

namespace {

int RunGuarded(const std::vector<std::string>& args) {
  std::string error;
  const auto line = linnet::cli::ParseCommandLine(args, error);
  if (!line) {
    std::cerr << "linnet: " << error << ". Try 'linnet --help'.\n";
    return linnet::cli::kExitUsage;
  }
  linnet::cli::CheckedOutput out(STDOUT_FILENO);
  int status = linnet::cli::Run(*line, out, std::cerr);
  if (std::string reason; !out.Finish(reason)) {
    std::cerr << "linnet: cannot write standard output: " << reason << '\n';
    status = linnet::cli::kExitFile;
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  linnet::files::RemoveTemporariesOnTermination();
  // Nothing may end the program by an exception: a failure is a message and a status.
  try {
    return RunGuarded(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::bad_alloc&) {
    std::cerr << "linnet: out of memory\n";
  } catch (const std::exception& e) {
    std::cerr << "linnet: " << e.what() << '\n';
  } catch (...) {
    std::cerr << "linnet: unexpected failure\n";
  }
  return linnet::cli::kExitFile;
}
