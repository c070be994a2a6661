// `linnet export`, the command-line host's way to the raster export.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/run_command.h"

namespace linnet {
namespace {

namespace fs = std::filesystem;

class ExportCliTest : public ::testing::Test {
 protected:
  ExportCliTest() : dir(testing::MakeTempDir()) {}
  ~ExportCliTest() override { fs::remove_all(dir); }
  std::string dir;
};

TEST_F(ExportCliTest, DefaultLabelToPngScans) {
  const std::string path = dir + "/label.png";
  const auto run = testing::RunCommand({testing::LinnetBinary(), "export", "-o", path});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const auto read = testing::RunCommand({"ZXingReader", "-noscale", "-format", "Code39", path});
  EXPECT_NE(read.out.find("Text:       \"QUILLON\""), std::string::npos) << read.out << read.err;
}

TEST_F(ExportCliTest, FormatsByNameOrExtensionAndToStandardOutput) {
  struct Case {
    std::vector<std::string> arguments;
    std::string magic;
  };
  const Case cases[] = {
      {{"-o", dir + "/a.gif"}, "GIF89a"},
      {{"-o", dir + "/a.bin", "--format", "bmp"}, "BM"},
      {{"-o", dir + "/a.tif"}, "II*"},
      {{"-o", dir + "/a.jpg"}, "\xFF\xD8"},
      {{"-o", "-", "--format", "png"}, "\x89PNG"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> argv{testing::LinnetBinary(), "export", "--set", "RasterImageResolution=100"};
    argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
    const auto run = testing::RunCommand(argv);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::string head = run.out;
    if (c.arguments[1] != "-") {
      std::ifstream in(c.arguments[1], std::ios::binary);
      head.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    EXPECT_EQ(head.substr(0, c.magic.size()), c.magic) << c.arguments[1];
  }
}

TEST_F(ExportCliTest, RefusalsReachTheExitStatus) {
  {
    std::ofstream(dir + "/report.doc") << "keep";
    const auto run = testing::RunCommand({testing::LinnetBinary(), "export", "-o", dir + "/report.doc"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find("6107"), std::string::npos) << run.err;
  }
  {
    const auto run = testing::RunCommand(
        {testing::LinnetBinary(), "export", "--set", "RasterImageResolution=1000000", "-o", dir + "/big.png"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find("6122"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir + "/big.png"));
  }
}

}  // namespace
}  // namespace linnet
