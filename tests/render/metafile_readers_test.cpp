// Independent readers accept what `linnet` writes: LibreOffice converts the enhanced and
// classic metafiles to pictures, libwmf converts the classic ones to SVG, librsvg renders our
// SVG, and zxing-cpp reads the symbols back from every picture. LibreOffice starts slowly, so
// each test converts all its files in one run, with a profile of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "support/run_command.h"

namespace linnet {
namespace {

namespace fs = std::filesystem;
using testing::LinnetBinary;
using testing::RunCommand;

// The text zxing-cpp reads, or nothing. Large pictures are read at their own scale: the
// reader's downscaling pass trips over the tall bars of a converted page.
std::optional<std::string> Scan(const std::string& path, const std::string& format, bool pure = false) {
  std::vector<std::string> argv = {"ZXingReader", "-format", format, "-noscale", "-escape"};
  if (pure) {
    argv.emplace_back("-ispure");
  }
  argv.push_back(path);
  const auto run = RunCommand(argv);
  const auto at = run.out.find("Text:");
  if (run.exitCode != 0 || at == std::string::npos) {
    return std::nullopt;
  }
  const auto open = run.out.find('"', at);
  const auto close = run.out.find("\"\n", open + 1);
  return run.out.substr(open + 1, close - open - 1);
}

class MetafileReaders : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = testing::MakeTempDir(); }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  void Export(const std::vector<std::string>& settings, const std::string& path) {
    std::vector<std::string> argv = {LinnetBinary(), "export"};
    argv.insert(argv.end(), settings.begin(), settings.end());
    argv.insert(argv.end(), {"-o", path});
    const auto run = RunCommand(argv);
    ASSERT_EQ(run.exitCode, 0) << run.err;
  }
  std::string dir_;
};

TEST_F(MetafileReaders, LibreOfficeAndLibwmfReadTheMetafiles) {
  const struct {
    const char* name;
    std::vector<std::string> settings;
    const char* format;
    const char* text;
  } labels[] = {
      {"code39", {"-b", "qlxCode39", "-d", "CODE39"}, "Code39", "CODE39"},
      {"code128", {"-b", "qlxCode128", "-d", "Code128 test"}, "Code128", "Code128 test"},
      {"ean13", {"-b", "qlxEAN_13", "-d", "590123412345"}, "EAN-13", "5901234123457"},
      {"pdf417", {"-b", "qlxPDF417", "-d", "Hello PDF417 metafile"}, "PDF417", "Hello PDF417 metafile"},
  };
  std::vector<std::string> soffice = {
      "soffice", "--headless", "-env:UserInstallation=file://" + dir_ + "/profile", "--convert-to",
      // A picture large enough that a module is several pixels.
      R"(png:draw_png_Export:{"PixelWidth":{"type":"long","value":"2400"},"PixelHeight":{"type":"long","value":"3394"}})",
      "--outdir", dir_ + "/office"};
  for (const auto& label : labels) {
    for (const char* ext : {"emf", "wmf"}) {
      const std::string path = dir_ + "/" + label.name + "-" + ext + "." + ext;
      Export(label.settings, path);
      soffice.push_back(path);
    }
  }
  const auto office = RunCommand(soffice);
  ASSERT_EQ(office.exitCode, 0) << office.err;
  for (const auto& label : labels) {
    for (const char* ext : {"emf", "wmf"}) {
      const std::string stem = std::string(label.name) + "-" + ext;
      SCOPED_TRACE(stem);
      EXPECT_EQ(Scan(dir_ + "/office/" + stem + ".png", label.format), label.text);
    }
    const std::string svg = dir_ + "/" + label.name + "-libwmf.svg";
    const std::string png = dir_ + "/" + label.name + "-libwmf.png";
    ASSERT_EQ(RunCommand({"wmf2svg", "-o", svg, dir_ + "/" + label.name + "-wmf.wmf"}).exitCode, 0);
    ASSERT_EQ(RunCommand({"rsvg-convert", "-w", "1600", "-b", "white", "-o", png, svg}).exitCode, 0);
    SCOPED_TRACE(std::string(label.name) + " through libwmf");
    EXPECT_EQ(Scan(png, label.format), label.text);
  }
}

TEST_F(MetafileReaders, SvgOfEveryFamilyRendersAndScans) {
  const struct {
    const char* name;
    std::vector<std::string> settings;
    const char* format;  // nullptr: no reader knows the symbology
    const char* text;
    bool pure;
  } labels[] = {
      {"linear", {"-b", "qlxCode128", "-d", "Code128 test", "--set", "Rotation=1"}, "Code128", "Code128 test", false},
      {"postal", {"-b", "qlxPostnet"}, nullptr, nullptr, false},
      {"databar-stacked", {"-b", "qlxDataBarStacked"}, "DataBar", "00012345678905", false},
      {"pdf417", {"-b", "qlxPDF417", "-d", "Hello & <PDF417>"}, "PDF417", "Hello & <PDF417>", false},
      {"datamatrix",
       {"-b", "qlxDataMatrix", "-d", "Hello DataMatrix", "--set", "ShowComment=false"},
       "DataMatrix",
       "Hello DataMatrix",
       false},
      {"maxicode", {"-b", "qlxMaxiCode", "--set", "ShowComment=false"}, "MaxiCode", nullptr, true},
  };
  for (const auto& label : labels) {
    SCOPED_TRACE(label.name);
    const std::string svg = dir_ + "/" + label.name + ".svg";
    const std::string png = dir_ + "/" + label.name + ".png";
    Export(label.settings, svg);
    const auto valid = RunCommand({"xmllint", "--noout", svg});
    EXPECT_EQ(valid.exitCode, 0) << valid.err;
    const auto render = RunCommand({"rsvg-convert", "-d", "300", "-p", "300", "-b", "white", "-o", png, svg});
    ASSERT_EQ(render.exitCode, 0) << render.err;
    if (label.format == nullptr) {
      continue;
    }
    const auto read = Scan(png, label.format, label.pure);
    ASSERT_TRUE(read.has_value());
    if (label.text != nullptr) {
      EXPECT_EQ(*read, label.text);
    } else {
      EXPECT_NE(read->find("PITTSBURGH"), std::string::npos) << *read;  // the sample carrier message
    }
  }
}

}  // namespace
}  // namespace linnet
