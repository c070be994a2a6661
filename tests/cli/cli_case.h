#pragma once
// One run of `linnet` and what it must print: the rows of the command-line tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_command.h"

namespace linnet::testing {

struct CliCase {
  std::vector<std::string> args;
  int exitCode;
  std::string out;  // expected standard output, or a prefix of it when it ends in "..."
  std::string err;  // expected standard error (exact, or a prefix when it ends in "...")
};

inline void ExpectText(const std::string& actual, const std::string& expected) {
  if (expected.size() >= 3 && expected.compare(expected.size() - 3, 3, "...") == 0) {
    EXPECT_EQ(actual.substr(0, expected.size() - 3), expected.substr(0, expected.size() - 3));
  } else {
    EXPECT_EQ(actual, expected);
  }
}

inline void Check(const CliCase& t, const std::string& input = {}) {
  std::vector<std::string> argv = {LinnetBinary()};
  argv.insert(argv.end(), t.args.begin(), t.args.end());
  const auto r = RunCommand(argv, input);
  std::string joined;
  for (const auto& a : t.args) {
    joined += a + " ";
  }
  SCOPED_TRACE(joined);
  EXPECT_EQ(r.exitCode, t.exitCode);
  ExpectText(r.out, t.out);
  ExpectText(r.err, t.err);
}

}  // namespace linnet::testing
