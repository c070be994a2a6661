// Warnings: a label the control accepts but that is probably not what was meant. They leave
// the output and the exit status alone unless --strict; --quiet silences them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_case.h"

namespace linnet {
namespace {

using testing::Check;
using testing::CliCase;

const std::string kWarning = "linnet: warning: ";
const std::string kUpcCheck =
    kWarning + "check digit 6 of 012345678906 differs from the computed 5, which the symbol uses\n";

TEST(LinnetWarnings, OnStandardErrorWithoutChangingTheResult) {
  const auto dir = testing::MakeTempDir();
  const std::string png = dir + "/w.png";
  const CliCase cases[] = {
      // "(01)" in DataBar: its digits 0 and 1 become part of the GTIN.
      {{"encode", "-b", "databar", "-d", "(01)0061414199999"},
       0,
       "...",
       kWarning + "this DataBar takes the GTIN digits alone: the AI digits of \"(01)\" become data\n"},
      {{"encode", "-b", "databar", "-d", "0061414199999"}, 0, "...", ""},
      // UPC-A check digit: 0+2+4+6+8+0 = 20, x3 = 60, + 1+3+5+7+9 = 85, so the check is 5.
      {{"encode", "-b", "upc-a", "-d", "012345678906"}, 0, "...", kUpcCheck},
      {{"encode", "-b", "upc-a", "-d", "012345678905|12"}, 0, "...", ""},
      {{"encode", "-b", "ean13", "-d", "9780735200441"},
       0,
       "...",
       kWarning + "check digit 1 of 9780735200441 differs from the computed 9, which the symbol uses\n"},
      {{"encode", "-b", "gs1-128", "-d", "(01)00614141999991(10)AB"},
       0,
       "...",
       kWarning + "check digit 1 of 00614141999991 differs from the computed 6, which the symbol uses\n"},
      {{"encode", "-b", "gs1-128", "-d", "(01)00614141999996"}, 0, "...", ""},
      // Omega is not in Windows-1252; a '?' given as such is no loss.
      {{"encode", "-b", "code128", "-d", "\xCE\xA9mega?"},
       0,
       "...",
       kWarning + "1 character(s) of the message have no place in the ANSI code page (Windows-1252) and became '?'\n"},
      {{"export", "-o", png, "--set", "ForeColor=0x808080", "--set", "BackColor=0x808080"},
       0,
       "",
       kWarning + "ForeColor and BackColor are equally bright: the two-colour image draws black on white\n"},
      {{"export", "-o", png, "--set", "AutoLabelSize=false", "--set", "LabelWidth=500", "--set", "LabelHeight=500"},
       0,
       "",
       kWarning + "the fixed label size 500 x 500 is smaller than the label needs (..."},
      {{"export", "-o", png, "--set", "AutoLabelSize=false", "--set", "LabelWidth=5000", "--set", "LabelHeight=5000"},
       0,
       "",
       ""},
      // --strict fails the command but keeps its output; --quiet keeps the status.
      {{"encode", "--strict", "-b", "upc-a", "-d", "012345678906"}, 3, "a|bsb|...", kUpcCheck},
      {{"encode", "--quiet", "-b", "upc-a", "-d", "012345678906"}, 0, "a|bsb|...", ""},
      {{"encode", "-q", "--strict", "-b", "upc-a", "-d", "012345678906"}, 3, "a|bsb|...", ""},
      {{"encode", "--strict", "-b", "upc-a", "-d", "012345678905"}, 0, "a|bsb|...", ""},
  };
  for (const auto& t : cases) {
    Check(t);
  }
}

}  // namespace
}  // namespace linnet
