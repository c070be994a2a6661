#include "platform/files/file_replace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/run_command.h"

namespace linnet::files {
namespace {

namespace fs = std::filesystem;

class FileReplaceTest : public ::testing::Test {
 protected:
  FileReplaceTest() : dir(testing::MakeTempDir()) {}
  ~FileReplaceTest() override { fs::remove_all(dir); }

  std::string Path(const std::string& name) const { return dir + "/" + name; }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  size_t Entries() const { return static_cast<size_t>(std::distance(fs::directory_iterator(dir), {})); }

  std::string dir;
};

bool WriteText(std::FILE* f, const char* text) {
  return std::fputs(text, f) >= 0;
}

TEST_F(FileReplaceTest, WritesNewFilesAndReplacesOldOnes) {
  ASSERT_TRUE(WriteReplacing(Path("a.png"), [](std::FILE* f) { return WriteText(f, "first"); }));
  EXPECT_EQ(Read(Path("a.png")), "first");
  chmod(Path("a.png").c_str(), 0640);
  ASSERT_TRUE(WriteReplacing(Path("a.png"), [](std::FILE* f) { return WriteText(f, "second"); }));
  EXPECT_EQ(Read(Path("a.png")), "second");
  struct stat st {};
  stat(Path("a.png").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640U);  // the replaced file's permissions stay
  EXPECT_EQ(Entries(), 1U);
}

TEST_F(FileReplaceTest, AFailedWriteLeavesTheOldFileAndNoTemporary) {
  ASSERT_TRUE(WriteReplacing(Path("a.png"), [](std::FILE* f) { return WriteText(f, "keep"); }));
  EXPECT_FALSE(WriteReplacing(Path("a.png"), [](std::FILE* f) {
    WriteText(f, "half");
    return false;
  }));
  EXPECT_EQ(Read(Path("a.png")), "keep");
  EXPECT_FALSE(WriteReplacing(Path("b.png"), [](std::FILE*) { return false; }));
  EXPECT_FALSE(fs::exists(Path("b.png")));
  EXPECT_EQ(Entries(), 1U);
  EXPECT_FALSE(WriteReplacing(Path("no/such/dir.png"), [](std::FILE*) { return true; }));
}

TEST_F(FileReplaceTest, Attributes) {
  std::ofstream(Path("plain.png")) << "x";
  std::ofstream(Path(".hidden")) << "x";
  std::ofstream(Path("locked.png")) << "x";
  chmod(Path("locked.png").c_str(), 0444);
  fs::create_directory(Path("folder"));
  struct Case {
    std::string path;
    FileAttributes expected;
  };
  const Case cases[] = {
      {Path("plain.png"), {true, false, false, false, false}},
      {Path(".hidden"), {true, false, false, true, false}},
      {Path("locked.png"), {true, false, true, false, false}},
      {Path("folder"), {true, true, false, false, false}},
      {"/dev/null", {true, false, false, false, true}},
      {Path("missing.png"), {}},
      {"", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const FileAttributes a = Inspect(c.path);
    EXPECT_EQ(a.exists, c.expected.exists);
    EXPECT_EQ(a.directory, c.expected.directory);
    EXPECT_EQ(a.readOnly, c.expected.readOnly);
    EXPECT_EQ(a.hidden, c.expected.hidden);
    EXPECT_EQ(a.system, c.expected.system);
  }
}

TEST(FileNames, ExtensionFromTheLastDotOfTheName) {
  const std::pair<std::string, std::string> cases[] = {
      {"label.png", ".png"},  {"a.b.TIFF", ".TIFF"},    {"noext", ""}, {"dir.d/noext", ""}, {"trailing.", "."},
      {".hidden", ".hidden"}, {"/x/y.z/w.jpg", ".jpg"}, {"", ""},
  };
  for (const auto& [path, extension] : cases) {
    EXPECT_EQ(Extension(path), extension) << path;
  }
}

}  // namespace
}  // namespace linnet::files
