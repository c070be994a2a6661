#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/run_command.h"

namespace linnet {
namespace {

using testing::LinnetBinary;
using testing::ReadFile;
using testing::RunCommand;
using testing::RunLinnet;

// A label design saved and exported again draws exactly what the same options draw directly.
TEST(LinnetSaveLoad, ASavedDesignExportsTheSameImage) {
  const std::string dir = testing::MakeTempDir();
  const std::vector<std::string> design = {"-b",    "qlxCode128",
                                           "-d",    "Linnet 42",
                                           "--set", "Measurement=1",
                                           "--set", "BarHeight=1500",
                                           "--set", "Rotation=1",
                                           "--set", "Comment=first\\nsecond",
                                           "--set", "CommentFont=Liberation Serif,11,bold",
                                           "--set", "ShowComment=true",
                                           "--set", "ForeColor=0x800000",
                                           "--set", "RasterImageResolution=150"};
  std::vector<std::string> direct = {"export"};
  direct.insert(direct.end(), design.begin(), design.end());
  direct.insert(direct.end(), {"-o", "-", "--format", "png"});
  const auto expected = RunLinnet(direct);
  ASSERT_EQ(expected.exitCode, 0) << expected.err;
  ASSERT_GT(expected.out.size(), 100U);

  const struct {
    const char* why;
    std::string file;  // "-": through standard output and input
    bool xml;
  } cases[] = {
      {"binary file", dir + "/design.lnx", false},
      {"XML file", dir + "/design.xml", true},
      {"binary through a pipe", "-", false},
      {"XML through a pipe", "-", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    std::vector<std::string> save = {"save"};
    save.insert(save.end(), design.begin(), design.end());
    save.insert(save.end(), {"-o", c.file});
    std::vector<std::string> load = {"export", "--load", c.file};
    if (c.xml) {
      save.push_back("--xml");
      load.push_back("--xml");
    }
    load.insert(load.end(), {"-o", "-", "--format", "png"});
    const auto saved = RunLinnet(save);
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    const auto exported = RunLinnet(load, c.file == "-" ? saved.out : std::string());
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_TRUE(exported.out == expected.out) << "the images differ";
    if (c.file != "-") {
      EXPECT_EQ(saved.out, "");
      EXPECT_EQ(ReadFile(c.file).substr(0, c.xml ? 5 : 4), c.xml ? "<?xml" : "\xD0\xCF\x11\xE0");
    }
  }
}

TEST(LinnetSaveLoad, LoadsApplyInOrderAndFailuresExitWithTheError) {
  const std::string dir = testing::MakeTempDir();
  const std::string file = dir + "/tall.lnx";
  ASSERT_EQ(RunLinnet({"save", "--set", "BarHeight=1234", "-o", file}).exitCode, 0);
  mkdir((dir + "/folder.lnx").c_str(), 0755);
  std::ofstream(dir + "/junk.xml") << "<Object/>";
  const std::string saveError =
      "error 6107: Failed to overwrite file or create the new file. It may be caused by insufficient privilege or "
      "disk is full.)\n";
  const std::string loadError =
      "(error 6114: The object can not be loaded from the media specified. See Error Log for details.)\n";
  const struct {
    std::vector<std::string> args;
    int exitCode;
    std::string out;
    std::string err;
  } cases[] = {
      // Property files apply first, so every option given beside them overrides them.
      {{"show", "--set", "BarHeight=99", "--load", file}, 0, "BarHeight=99", ""},
      {{"show", "--load", file, "--set", "BarHeight=99"}, 0, "BarHeight=99", ""},
      {{"show", "--load", dir + "/missing.lnx"}, 4, "", "linnet: cannot load " + dir + "/missing.lnx " + loadError},
      {{"show", "--load", file, "--xml"}, 4, "", "linnet: cannot load " + file + " " + loadError},  // binary as XML
      {{"show", "--load", dir + "/junk.xml", "--xml"}, 4, "", "linnet: cannot load " + dir + "/junk.xml " + loadError},
      {{"save", "-o", dir + "/folder.lnx"},
       4,
       "",
       "linnet: cannot write " + dir + "/folder.lnx: Is a directory (" + saveError},
      {{"save", "-o", "/proc/version"}, 4, "", "linnet: cannot write /proc/version: Permission denied (" + saveError},
      {{"save"}, 1, "", "linnet: save needs -o FILE. Try 'linnet --help'.\n"},
      {{"show", "--xml"}, 1, "", "linnet: --xml belongs to --load FILE or to save. Try 'linnet --help'.\n"},
      {{"show", "--load"}, 1, "", "linnet: option --load needs a value (FILE). Try 'linnet --help'.\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + (c.args.size() > 1 ? c.args[1] : ""));
    const auto r = RunLinnet(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode);
    EXPECT_NE(r.out.find(c.out), std::string::npos);
    EXPECT_EQ(r.err, c.err);
  }
  EXPECT_EQ(ReadFile(dir + "/junk.xml"), "<Object/>");

  // Standard output on a full disk is a failed save, not a success.
  const auto full = RunCommand({"/bin/sh", "-c", "\"$0\" save -o - > /dev/full", LinnetBinary()});
  EXPECT_EQ(full.exitCode, 4);
  EXPECT_EQ(full.err, "linnet: cannot write standard output: No space left on device\n");
}

}  // namespace
}  // namespace linnet
