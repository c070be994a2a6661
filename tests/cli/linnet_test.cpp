#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/cli_case.h"

namespace linnet {
namespace {

using testing::Check;
using testing::CliCase;
using testing::LinnetBinary;
using testing::RunCommand;

const std::string kCode39 = "nwnnwnwnnnwnwnnwnnnnwnnnwnnwnnnnnnwwnnwnwnnnwwnnnnwnwwnnnnnnnnwwnnwnnnnwnnwnwnnn";

TEST(LinnetCli, EncodeAndRefusals) {
  const CliCase cases[] = {
      {{"encode", "-b", "0", "-d", "CODE39"}, 0, kCode39 + "\n*CODE39*\n", ""},
      {{"encode", "-b", "qlxCode39", "-d", "CODE39", "--set", "code39startstopchars=false"},
       0,
       kCode39 + "\nCODE39\n",
       ""},
      {{"encode", "-b", "2", "-d", "A123"}, 0, "nwnnwnwnnn...", ""},
      {{"encode", "-b", "1", "-d", "a", "--set", "Code39OptionalCheckDigit=true", "--set", "ShowCheckDigit=true"},
       0,
       "nwnnwnwnnnnwnnnwnwnnwnnnnwnnwnwnnwnnwnnnnwnnwnwnnn\n*a8*\n",
       ""},
      {{"encode", "--set", "BarHeight=0"},
       2,
       "",
       "linnet: BarHeight=0 refused: error 6116: Invalid value for BarHeight property.\n"},
      {{"encode", "--set", "Symbology=8", "--set", "Message=ABC"},
       2,
       "",
       "linnet: message=ABC refused: error 6113: The message string contains characters that can not be encoded under "
       "the current symbology.\n"},
      {{"encode", "--set", "Symbology=8", "--set", "Message=12345"},
       2,
       "",
       "linnet: message=12345 refused: error 6112: The current symbology required fixed length. The length you "
       "specified does not meet this "
       "requirement.\n"},
      {{"encode", "--set", "BarHeight=tall"}, 2, "", "linnet: BarHeight: 'tall' is not a value of this property\n"},
      {{"encode", "--set", "NoSuchThing=1"},
       1,
       "",
       "linnet: no settable property named 'NoSuchThing' (see linnet show)\n"},
      {{"encode", "-i", "/nonexistent/file"},
       4,
       "",
       "linnet: cannot read /nonexistent/file: No such file or directory\n"},
  };
  for (const auto& t : cases) {
    Check(t);
  }
}

TEST(LinnetCli, TwoDimensionalSymbolsPrintModuleRows) {
  for (const char* symbology : {"qlxPDF417", "qlxDataMatrix", "qlxMaxiCode"}) {
    const auto r = RunCommand({LinnetBinary(), "encode", "-b", symbology});
    EXPECT_EQ(r.exitCode, 0) << symbology;
    EXPECT_EQ(r.out.find_first_not_of("01\n"), std::string::npos) << symbology;
    const auto firstRow = r.out.substr(0, r.out.find('\n'));
    EXPECT_GT(firstRow.size(), 10U);
  }
  const auto maxi = RunCommand({LinnetBinary(), "encode", "-b", "42"});
  EXPECT_EQ(std::count(maxi.out.begin(), maxi.out.end(), '\n'), 33);
  const auto failed = RunCommand({LinnetBinary(), "encode", "-b", "42", "-d", "x"});
  EXPECT_EQ(failed.exitCode, 3);
  EXPECT_EQ(failed.err.rfind("Maxicode Encoding Error ", 0), 0U) << failed.err;
}

TEST(LinnetCli, ExportWritesTheLabelAndReportsASymbolThatCannotBeEncoded) {
  const auto dir = testing::MakeTempDir();
  const auto ok = RunCommand({LinnetBinary(), "export", "-o", dir + "/label.png"});
  EXPECT_EQ(ok.exitCode, 0) << ok.err;
  const auto failed =
      RunCommand({LinnetBinary(), "export", "-b", "38", "-d",
                  "(10)" + std::string(70, 'A') + "(21)" + std::string(20, 'B'), "-o", dir + "/bad.png"});
  EXPECT_EQ(failed.exitCode, 3);
  EXPECT_EQ(failed.err.rfind("Linear Encoding Error 210. ", 0), 0U) << failed.err;
  EXPECT_EQ(RunCommand({"test", "-s", dir + "/bad.png"}).exitCode, 0);
  const auto piped = RunCommand({LinnetBinary(), "export", "-o", "-", "--format", "bmp"});
  EXPECT_EQ(piped.out.substr(0, 2), "BM");
  EXPECT_EQ(RunCommand({LinnetBinary(), "export", "-o", dir + "/x.png", "--format", "xyz"}).exitCode, 1);
  EXPECT_EQ(RunCommand({LinnetBinary(), "export", "-o", "/nonexistent/dir/x.png"}).exitCode, 4);
}

// The format follows --format, else the extension (any case), else PNG; the first bytes tell
// which writer ran.
TEST(LinnetCli, ExportChoosesTheFormatFromTheTable) {
  const auto dir = testing::MakeTempDir();
  const struct {
    std::vector<std::string> args;
    std::string magic;
  } cases[] = {
      {{"-o", dir + "/x.emf"}, std::string("\x01\0\0\0", 4)},
      {{"-o", dir + "/x.WMF"}, std::string("\x01\0\x09\0", 4)},
      {{"-o", dir + "/x.svg"}, "<?xml"},
      {{"-o", "-", "--format", "svg"}, "<?xml"},
      {{"-o", "-", "--format", "wmf"}, std::string("\x01\0\x09\0", 4)},
      {{"-o", dir + "/x.png", "--format", "emf"}, std::string("\x01\0\0\0", 4)},
      {{"-o", dir + "/x.unknown"}, "\x89PNG"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[1]);
    std::vector<std::string> argv = {LinnetBinary(), "export"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    const auto run = RunCommand(argv);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::string bytes = run.out;
    if (c.args[1] != "-") {
      std::ifstream in(c.args[1], std::ios::binary);
      bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    EXPECT_EQ(bytes.substr(0, c.magic.size()), c.magic);
  }
}

TEST(LinnetCli, MessageFromStandardInput) {
  Check({{"encode", "--set", "Code39StartStopChars=0", "-i", "-"}, 0, kCode39 + "\nCODE39\n", ""}, "CODE39");
}

TEST(LinnetCli, UsageErrors) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {}, {"frobnicate"}, {"encode", "--set"}, {"encode", "--set", "=x"}, {"export"}, {"encode", "-x", "1"}}) {
    std::vector<std::string> argv = {LinnetBinary()};
    argv.insert(argv.end(), args.begin(), args.end());
    const auto r = RunCommand(argv);
    EXPECT_EQ(r.exitCode, 1);
    // One line naming the problem, not the whole help.
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_TRUE(r.err.ends_with(". Try 'linnet --help'.\n")) << r.err;
  }
}

TEST(LinnetCli, ShowListHelpVersion) {
  const auto show = RunCommand({LinnetBinary(), "show", "--set", "measurement=qlxMeasureMetrics"});
  EXPECT_EQ(show.exitCode, 0);
  for (const char* line :
       {"Symbology=0 (qlxCode39)\n", "message=QUILLON\n", "BarHeight=2540\n", "NarrowToWideRatio=2.5\n",
        "Font=Arial,9\n", "BackColor=0x00FFFFFF\n", "Measurement=1 (qlxMeasureMetrics)\n", "MaxicodeZipCode=B01056\n",
        "Comment=Quillon Linnet 3.3 (build 1)\\nTo force another line, enter \\\\n at the line end.\n"}) {
    EXPECT_NE(show.out.find(line), std::string::npos) << line;
  }
  const auto list = RunCommand({LinnetBinary(), "list"});
  EXPECT_NE(list.out.find("  42\tqlxMaxiCode\tmaxicode\n"), std::string::npos);
  const auto help = RunCommand({LinnetBinary(), "--help"});
  EXPECT_EQ(help.exitCode, 0);
  for (const char* word : {"encode", "export", "show", "list", "--set", "-b", "-d", "-i", "-o", "--format"}) {
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
  }
  EXPECT_EQ(RunCommand({LinnetBinary(), "--version"}).out, "linnet Quillon Linnet 3.3 (build 1)\n");
}

}  // namespace
}  // namespace linnet
