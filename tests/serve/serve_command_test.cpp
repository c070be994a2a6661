// `linnet serve` refuses options it cannot use before it listens.
#include <gtest/gtest.h>

#include "support/run_command.h"

namespace linnet {
namespace {

TEST(ServeCommand, BadOptionsAreUsageErrors) {
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--threads", "0"}, "--threads needs a number from 1 to 256, not '0'"},
      {{"--threads", "12x"}, "--threads needs a number"},
      {{"--listen", "127.0.0.1:99999"}, "--listen needs ADDR:PORT, not '127.0.0.1:99999'"},
      {{"--listen", "localhost:"}, "--listen needs ADDR:PORT"},
      {{"-o", "x.png"}, "serve does not take -o"},
      {{"--listen", "203.0.113.7:1"}, "cannot listen on 203.0.113.7:1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1]);
    std::vector<std::string> argv{testing::LinnetBinary(), "serve"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    const auto run = testing::RunCommand(argv);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace linnet
