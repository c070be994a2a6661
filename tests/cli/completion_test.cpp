// The bash completion script, loaded into a real bash and asked what it completes.
#include <gtest/gtest.h>

#include <string>

#include "support/run_command.h"

namespace linnet {
namespace {

using testing::LinnetBinary;
using testing::RunCommand;

// The completions bash offers for `line` (words separated by spaces, the last one being
// completed), one per line.
std::string Completions(const std::string& line) {
  const std::string script =
      "source <(\"$0\" completion bash) || exit 9\n"
      "complete -p linnet >/dev/null || exit 8\n"
      "read -r -a COMP_WORDS <<< \"$1\"\n"
      "[[ $1 == *' ' ]] && COMP_WORDS+=('')\n"
      "COMP_CWORD=$(( ${#COMP_WORDS[@]} - 1 ))\n"
      "_linnet\n"
      "printf '%s\\n' \"${COMPREPLY[@]}\"\n";
  const auto r = RunCommand({"/bin/bash", "-c", script, LinnetBinary(), line});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  return r.out;
}

TEST(LinnetCompletion, BashCompletesFromTheTables) {
  const struct {
    std::string line;
    std::string completions;
  } cases[] = {
      {"linnet ex", "export\n"},
      {"linnet export --se", "--set\n"},
      {"linnet encode -b data",
       "databar\ndatabartruncated\ndatabarstacked\ndatabarstackedomni\ndatabarlimited\ndatabarexpanded\ndatamatrix\n"},
      {"linnet encode --symbology upc", "upc_a\nupc_e\n"},
      {"linnet encode -b gs1", "gs1-128\ngs1-databar\n"},
      // '=' breaks words in bash, so NAME=VALUE arrives as three words.
      {"linnet show --set Rotation = 2", "270\n"},
      {"linnet show --set Rotati", "Rotation=\n"},
      {"linnet show --set ShowCheckDigit = t", "true\n"},
      {"linnet export --format = jp", "jpg\njpeg\n"},
      {"linnet list -", "--help\n-h\n"},
      {"linnet completion ", "--help\n-h\nbash\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(Completions(c.line), c.completions);
  }
}

}  // namespace
}  // namespace linnet
