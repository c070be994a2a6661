// linnet's output streams and its errors: nothing but the result on standard output, every
// write checked, failures named with their file, value and reason.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_case.h"
#include "support/symbol_image.h"

namespace linnet {
namespace {

using testing::Check;
using testing::CliCase;
using testing::LinnetBinary;
using testing::RunCommand;

// Runs linnet through the shell, for redirections and the environment.
testing::CommandResult Shell(const std::string& script) {
  return RunCommand({"/bin/sh", "-c", script});
}

const std::string kNoSuchFile = "No such file or directory";
const std::string k6107 =
    "(error 6107: Failed to overwrite file or create the new file. It may be caused by insufficient privilege or "
    "disk is full.)\n";

TEST(LinnetStreams, AFullStandardOutputFailsWithTheSystemsReason) {
  for (const char* command : {"export -o -", "export -o - --format bmp", "encode", "show", "list", "--help",
                              "completion bash", "encode -b pdf417"}) {
    SCOPED_TRACE(command);
    const auto r = Shell(LinnetBinary() + " " + command + " > /dev/full");
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_EQ(r.err, "linnet: cannot write standard output: No space left on device\n");
  }
}

TEST(LinnetStreams, UnreadableInputIsAFileError) {
  const auto dir = testing::MakeTempDir();
  const CliCase cases[] = {
      {{"encode", "-i", "/tmp"}, 4, "", "linnet: cannot read /tmp: Is a directory\n"},  // aborted before
      {{"encode", "-i", dir + "/missing"}, 4, "", "linnet: cannot read " + dir + "/missing: " + kNoSuchFile + "\n"},
      {{"export", "-i", "/tmp", "-o", dir + "/x.png"}, 4, "", "linnet: cannot read /tmp: Is a directory\n"},
  };
  for (const auto& t : cases) {
    Check(t);
  }
  EXPECT_NE(RunCommand({"test", "-e", dir + "/x.png"}).exitCode, 0) << "no file for a failed command";
}

TEST(LinnetStreams, FileErrorsNameThePathAndTheReason) {
  const auto dir = testing::MakeTempDir();
  std::ofstream(dir + "/notes.txt") << "keep";
  const CliCase cases[] = {
      {{"export", "-o", "/nonexistent/x.png"},
       4,
       "",
       "linnet: cannot write /nonexistent/x.png: " + kNoSuchFile + " " + k6107},
      {{"export", "-o", dir}, 4, "", "linnet: cannot write " + dir + ": Is a directory " + k6107},
      {{"export", "-o", dir + "/notes.txt"},
       4,
       "",
       "linnet: cannot write " + dir + "/notes.txt: an existing file is replaced only when it is named like an image " +
           k6107},
      {{"export", "-o", dir + "/notes.txt/x.png"},
       4,
       "",
       "linnet: cannot write " + dir + "/notes.txt/x.png: Not a directory " + k6107},
  };
  for (const auto& t : cases) {
    Check(t);
  }
  std::ifstream kept(dir + "/notes.txt");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "keep");
}

TEST(LinnetStreams, RefusedValuesNameThePropertyAndTheValueInWords) {
  const CliCase cases[] = {
      // E_INVALIDARG without an error number: the control's description, never hexadecimal.
      {{"encode", "--set", "Symbology=99"},
       2,
       "",
       "linnet: Symbology=99 refused: Invalid value for Symbology property.\n"},
      // A long value is cut short and its control characters escaped.
      {{"encode", "-b", "8", "-d", "7\n" + std::string(45, '7')},
       2,
       "",
       "linnet: message=7\\n" + std::string(38, '7') +
           "... refused: error 6113: The message string contains characters that can not be encoded under the current "
           "symbology.\n"},
      {{"encode", "-b", "8", "-d", "1\t2"}, 2, "", "linnet: message=1\\x092 refused: error 6113: ..."},
      {{"encode", "--set", "ForeColor=0xZZ"}, 2, "", "linnet: ForeColor: not a colour: 0xZZ\n"},
  };
  for (const auto& t : cases) {
    Check(t);
  }
}

TEST(LinnetStreams, DiagnosticsGoToStandardErrorNotIntoTheImage) {
  const auto dir = testing::MakeTempDir();
  const auto r = Shell("LINNET_LOG=1 " + LinnetBinary() + " export -b 40 -d Hi -o - > " + dir + "/hi.png");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.err.find("Entering binary mode (0) (Hi"), std::string::npos) << r.err;
  EXPECT_EQ(testing::ZxingRead(dir + "/hi.png", "PDF417"), "Hi");
}

TEST(LinnetStreams, LightInkOnWhiteStillScans) {
  const auto dir = testing::MakeTempDir();
  const struct {
    std::vector<std::string> settings;
    bool zxing;  // zxing-cpp for PDF417, zbar for Code 39
    std::string read;
  } cases[] = {
      {{"--set", "ForeColor=0x00D7FF"}, false, "CODE-39:QUILLON"},                    // gold on white
      {{"--set", "ForeColor=0x00D7FF", "-b", "pdf417", "-d", "gold"}, true, "gold"},  // the same in two dimensions
      {{"--set", "ForeColor=0xE0E0E0"}, false, "CODE-39:QUILLON"},                    // pale grey on white
      // Black on dark grey: both dark by their own brightness, a blank black image before.
      {{"--set", "ForeColor=0x000000", "--set", "BackColor=0x404040", "-b", "pdf417", "-d", "dark"}, true, "dark"},
  };
  int n = 0;
  for (const auto& c : cases) {
    const std::string path = dir + "/" + std::to_string(n++) + ".png";
    std::vector<std::string> argv = {LinnetBinary(), "export", "-o", path};
    argv.insert(argv.end(), c.settings.begin(), c.settings.end());
    SCOPED_TRACE(c.settings[1]);
    const auto r = RunCommand(argv);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    if (c.zxing) {
      EXPECT_EQ(testing::ZxingRead(path, "PDF417"), c.read);
    } else {
      EXPECT_EQ(testing::ZbarRead(path), c.read);
    }
  }
}

}  // namespace
}  // namespace linnet
