#pragma once
// Runs helper programs (our own `linnet`, the barcode readers) from tests.
#include <string>
#include <vector>

namespace linnet::testing {

struct CommandResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs argv[0] with the given arguments (no shell), feeding `input` to its standard input.
CommandResult RunCommand(const std::vector<std::string>& argv, const std::string& input = {});

// Path of the `linnet` executable built beside the tests.
std::string LinnetBinary();

// Runs that `linnet` with the given arguments.
CommandResult RunLinnet(std::vector<std::string> args, const std::string& input = {});

// The bytes of a file, or "" when it cannot be read.
std::string ReadFile(const std::string& path);

// The folder holding reference/ (the standards tables): tests/ of this repository, unless
// the environment variable LINNET_SHARED_DIR names another.
std::string SharedDir();

// A fresh, empty temporary directory for one test; removed by the caller if wanted.
std::string MakeTempDir();

}  // namespace linnet::testing
