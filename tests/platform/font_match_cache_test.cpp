// Fontconfig's answers kept across processes: used only while everything they depend on is
// unchanged, and never a difference in what is drawn.
#include "platform/gdi/font_match_cache.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "support/run_command.h"

namespace linnet::gdi {
namespace {

using testing::LinnetBinary;
using testing::MakeTempDir;
using testing::RunCommand;

// A cache folder of its own, with a stand-in font file, and the variables the cache reads cleared.
struct Scratch {
  Scratch() {
    setenv("XDG_CACHE_HOME", folder.c_str(), 1);
    unsetenv("LINNET_FONT_CACHE");
    unsetenv("FONTCONFIG_FILE");
    std::ofstream(font) << "glyphs";
  }
  ~Scratch() { std::filesystem::remove_all(folder); }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  const std::string folder = MakeTempDir();
  const std::string font = folder + "/face.ttf";
};

TEST(FontMatchCache, AnAnswerHoldsUntilWhatItDependsOnChanges) {
  const struct {
    const char* change;
    void (*apply)(const std::string& font);
    bool found;
  } kCases[] = {
      {"nothing", [](const std::string&) {}, true},
      {"the font file", [](const std::string& font) { std::ofstream(font, std::ios::app) << "more"; }, false},
      {"the font file removed", [](const std::string& font) { std::filesystem::remove(font); }, false},
      {"another configuration file", [](const std::string&) { setenv("FONTCONFIG_FILE", "/etc/other.conf", 1); },
       false},
      {"the cache turned off", [](const std::string&) { setenv("LINNET_FONT_CACHE", "0", 1); }, false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.change);
    const Scratch scratch;
    FontMatchCache().Remember("arial|b", {scratch.font, 2});
    c.apply(scratch.font);
    const auto found = FontMatchCache().Find("arial|b");
    ASSERT_EQ(found.has_value(), c.found);
    if (found) {
      EXPECT_EQ(found->path, scratch.font);
      EXPECT_EQ(found->index, 2);
    }
  }
}

TEST(FontMatchCache, ADamagedOrForeignFileIsIgnored) {
  const Scratch scratch;
  std::filesystem::create_directories(scratch.folder + "/linnet");
  for (const char* contents : {"", "garbage\n", "linnet font matches 1\nwrong stamp\narial|\tx\t0\t-\n",
                               "linnet font matches 1\n\n\n\t\t\t\n"}) {
    std::ofstream(scratch.folder + "/linnet/font-matches", std::ios::trunc) << contents;
    EXPECT_FALSE(FontMatchCache().Find("arial|").has_value()) << contents;
  }
}

// The label is the same whether the fonts come from Fontconfig or from the kept answers.
TEST(FontMatchCache, ALabelDrawsTheSameFromTheCache) {
  const Scratch scratch;
  const auto exportLabel = [&](const std::string& name, const char* cacheSetting) {
    const std::string path = scratch.folder + "/" + name;
    const auto r = RunCommand({"/usr/bin/env", std::string("LINNET_FONT_CACHE=") + cacheSetting, LinnetBinary(),
                               "export", "-b", "code128", "-d", "Linnet-12345", "--set", "Comment=Fonts", "--set",
                               "ShowComment=true", "-o", path});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return testing::ReadFile(path);
  };
  const std::string uncached = exportLabel("off.png", "0");
  EXPECT_FALSE(std::filesystem::exists(scratch.folder + "/linnet/font-matches"));
  const std::string first = exportLabel("first.png", "1");
  ASSERT_TRUE(std::filesystem::exists(scratch.folder + "/linnet/font-matches"));
  const std::string second = exportLabel("second.png", "1");
  EXPECT_FALSE(uncached.empty());
  EXPECT_EQ(first, uncached);
  EXPECT_EQ(second, uncached);
}

}  // namespace
}  // namespace linnet::gdi
