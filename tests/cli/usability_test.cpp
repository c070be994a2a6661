// linnet as people use other command-line tools: settings in any order, friendly names, both
// spellings of every long option, help per command, one-line usage errors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/cli_case.h"

namespace linnet {
namespace {

using testing::Check;
using testing::CliCase;
using testing::LinnetBinary;
using testing::RunCommand;
using testing::RunLinnet;

std::string SecondLine(const std::string& text) {
  const auto first = text.find('\n');
  return first == std::string::npos ? "" : text.substr(first + 1, text.find('\n', first + 1) - first - 1);
}

TEST(LinnetUsability, SymbologyAppliesBeforeTheOtherSettings) {
  const struct {
    std::vector<std::string> args;
    std::string text;  // the human-readable line
  } cases[] = {
      // The Symbology setter installs the sample message; a message given first survives it.
      {{"encode", "-d", "HELLO", "-b", "5"}, "HELLO"},
      {{"encode", "--set", "Message=12345", "--set", "Symbology=qlxCode128"}, "12345"},
      // Two symbologies: the last one given wins, the message still stands.
      {{"encode", "-d", "AB", "-b", "5", "-b", "0"}, "*AB*"},
      // The other settings keep their order: the later message wins.
      {{"encode", "-d", "ONE", "-d", "TWO", "-b", "0"}, "*TWO*"},
      {{"encode", "--set", "ShowCheckDigit=true", "-d", "a", "--set", "Code39OptionalCheckDigit=true", "-b", "1"},
       "*a8*"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[2] + " " + c.args[3]);
    const auto r = RunLinnet(c.args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(SecondLine(r.out), c.text);
  }
}

TEST(LinnetUsability, EnumeratorsByNumberNameOrShortName) {
  const struct {
    std::string setting;  // as given to --set
    std::string shown;    // the line show prints afterwards
  } cases[] = {
      {"Symbology=5", "Symbology=5 (qlxCode128)"},
      {"Symbology=Code128", "Symbology=5 (qlxCode128)"},
      {"Symbology=code-128", "Symbology=5 (qlxCode128)"},
      {"Symbology=QLX_CODE_128", "Symbology=5 (qlxCode128)"},
      {"Symbology=ean13", "Symbology=10 (qlxEAN_13)"},
      {"Symbology=upc-a", "Symbology=8 (qlxUPC_A)"},
      {"Symbology=Data Matrix", "Symbology=41 (qlxDataMatrix)"},
      {"Symbology=pdf417", "Symbology=40 (qlxPDF417)"},
      {"Symbology=maxicode", "Symbology=42 (qlxMaxiCode)"},
      {"Symbology=databar-expanded", "Symbology=38 (qlxDataBarExpanded)"},
      {"Symbology=gs1-128", "Symbology=6 (qlxUCC_EAN_128)"},
      {"Symbology=itf", "Symbology=7 (qlxInterleaved_2of5)"},
      {"Symbology=i2of5", "Symbology=7 (qlxInterleaved_2of5)"},
      {"Symbology=ISBN", "Symbology=12 (qlxBookland)"},
      {"CommentAlignment=center", "CommentAlignment=2 (qlxAlignCenter)"},
      {"Measurement=metric", "Measurement=1 (qlxMeasureMetrics)"},
      // Degrees for Rotation: 90/180/270 cannot be enumerator numbers (0..3).
      {"Rotation=90", "Rotation=1 (qlxRTAntiClockwise_90)"},
      {"Rotation=270", "Rotation=3 (qlxRTAntiClockwise_270)"},
      {"Rotation=2", "Rotation=2 (qlxRTAntiClockwise_180)"},  // a number stays the enumerator number
      {"Rotation=rt-anticlockwise-180", "Rotation=2 (qlxRTAntiClockwise_180)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.setting);
    const auto r = RunLinnet({"show", "--set", c.setting});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\n" + c.shown + "\n"), std::string::npos);
  }
  // -b reads the same table.
  EXPECT_EQ(RunLinnet({"encode", "-b", "ean13", "-d", "978073520044"}).out,
            RunLinnet({"encode", "-b", "10", "-d", "978073520044"}).out);
  Check({{"encode", "-b", "code-12"},
         2,
         "",
         "linnet: Symbology: 'code-12' is neither a number nor a name of SymbologyEnum\n"});
  const auto list = RunLinnet({"list"});
  for (const char* line : {"  6\tqlxUCC_EAN_128\tucc_ean_128, gs1-128", "  12\tqlxBookland\tbookland, isbn\n",
                           "  1\tqlxRTAntiClockwise_90\trtanticlockwise_90, 90\n"}) {
    EXPECT_NE(list.out.find(line), std::string::npos) << line;
  }
}

TEST(LinnetUsability, EveryLongOptionTakesItsValueEitherWay) {
  const auto expected = RunLinnet({"encode", "-b", "5", "-d", "HI"});
  ASSERT_EQ(expected.exitCode, 0);
  const std::vector<std::vector<std::string>> spellings = {
      {"encode", "--symbology=5", "--message=HI"},
      {"encode", "--symbology", "5", "--message", "HI"},
      {"encode", "-b5", "-dHI"},
      {"encode", "--set=Symbology=5", "--set", "Message=HI"},
      {"encode", "-b", "5", "--input=-"},
      {"encode", "-b", "5", "--input", "-"},
      {"encode", "--quiet", "--strict", "-b", "5", "-i-"},
  };
  for (const auto& args : spellings) {
    SCOPED_TRACE(args[1]);
    const auto r = RunLinnet(args, "HI");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, expected.out);
  }
  for (const auto& args : std::vector<std::vector<std::string>>{{"export", "--output=-", "--format=bmp"},
                                                                {"export", "--output", "-", "--format", "bmp"}}) {
    EXPECT_EQ(RunLinnet(args).out.substr(0, 2), "BM");
  }
}

TEST(LinnetUsability, UsageErrorsAreOneLine) {
  const std::string tail = ". Try 'linnet --help'.\n";
  const CliCase cases[] = {
      {{}, 1, "", "linnet: no command given" + tail},
      {{"frobnicate"}, 1, "", "linnet: unknown command 'frobnicate'" + tail},
      {{"-b", "5", "encode"}, 1, "", "linnet: an option before the command: '-b'" + tail},
      {{"encode", "--set"}, 1, "", "linnet: option --set needs a value (NAME=VALUE)" + tail},
      {{"encode", "--set=x"}, 1, "", "linnet: --set needs NAME=VALUE, not 'x'" + tail},
      {{"encode", "--frob=1"}, 1, "", "linnet: unknown option '--frob'" + tail},
      {{"encode", "-qx"}, 1, "", "linnet: unknown option '-qx'" + tail},
      {{"encode", "--quiet=yes"}, 1, "", "linnet: option --quiet takes no value" + tail},
      {{"encode", "-o", "x.png"}, 1, "", "linnet: encode does not take -o" + tail},
      {{"list", "--symbology=5"}, 1, "", "linnet: list does not take --symbology" + tail},
      {{"export", "-b", "5"}, 1, "", "linnet: export needs -o FILE" + tail},
      {{"encode", "extra"}, 1, "", "linnet: unexpected argument 'extra' for encode" + tail},
      {{"completion"}, 1, "", "linnet: completion needs a shell name (bash)" + tail},
      {{"completion", "tcsh"}, 1, "", "linnet: no completion for shell 'tcsh' (only bash)" + tail},
      {{"encode", "--xml"}, 1, "", "linnet: --xml belongs to --load FILE or to save" + tail},
      {{"export", "-o", "x.png", "--format", "xyz"}, 1, "", "linnet: unknown image format 'xyz'" + tail},
      {{"help", "frob"}, 1, "", "linnet: unknown command 'frob'" + tail},
  };
  for (const auto& t : cases) {
    Check(t);
  }
}

TEST(LinnetUsability, HelpPerCommand) {
  const struct {
    std::vector<std::string> args;
    std::string start;
    std::vector<std::string> present;
    std::vector<std::string> absent;
  } cases[] = {
      {{"export", "--help"},
       "Usage: linnet export [OPTIONS] -o FILE [--format FORMAT]\n",
       {"-o, --output FILE", "--format FORMAT", "applies before"},
       {"linnet completion"}},
      {{"help", "export"}, "Usage: linnet export [OPTIONS] -o FILE [--format FORMAT]\n", {}, {}},
      {{"encode", "-h"}, "Usage: linnet encode [OPTIONS]\n", {"-b, --symbology VALUE", "pattern"}, {"--output"}},
      {{"list", "--help"}, "Usage: linnet list\n", {}, {"--set"}},
      {{"--help"}, "Usage:\n", {"linnet completion bash", "COMMAND --help", "Exit status"}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0]);
    const auto r = RunLinnet(c.args);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.substr(0, c.start.size()), c.start);
    for (const auto& word : c.present) {
      EXPECT_NE(r.out.find(word), std::string::npos) << word;
    }
    for (const auto& word : c.absent) {
      EXPECT_EQ(r.out.find(word), std::string::npos) << word;
    }
  }
}

}  // namespace
}  // namespace linnet
