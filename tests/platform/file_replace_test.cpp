#include "platform/files/file_replace.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/files/temporary_registry.h"
#include "support/run_command.h"

namespace linnet::files {
namespace {

namespace fs = std::filesystem;

class FileReplaceTest : public ::testing::Test {
 protected:
  FileReplaceTest() : dir(testing::MakeTempDir()) {}
  ~FileReplaceTest() override { fs::remove_all(dir); }

  std::string Path(const std::string& name) const { return dir + "/" + name; }
  size_t Entries() const { return static_cast<size_t>(std::distance(fs::directory_iterator(dir), {})); }

  std::string dir;
};

bool WriteText(std::FILE* f, const char* text) {
  return std::fputs(text, f) >= 0;
}

TEST_F(FileReplaceTest, WritesNewFilesAndReplacesOldOnes) {
  ASSERT_TRUE(WriteReplacing(Path("a.png"), [](std::FILE* f) { return WriteText(f, "first"); }));
  EXPECT_EQ(testing::ReadFile(Path("a.png")), "first");
  chmod(Path("a.png").c_str(), 0640);
  ASSERT_TRUE(WriteReplacing(Path("a.png"), [](std::FILE* f) { return WriteText(f, "second"); }));
  EXPECT_EQ(testing::ReadFile(Path("a.png")), "second");
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
  EXPECT_EQ(testing::ReadFile(Path("a.png")), "keep");
  EXPECT_FALSE(WriteReplacing(Path("b.png"), [](std::FILE*) { return false; }));
  EXPECT_FALSE(fs::exists(Path("b.png")));
  EXPECT_EQ(Entries(), 1U);
  EXPECT_FALSE(WriteReplacing(Path("no/such/dir.png"), [](std::FILE*) { return true; }));
}

TEST_F(FileReplaceTest, EveryNameTheFileSystemTakesCanBeWritten) {
  const struct {
    size_t length;
    bool ok;
  } cases[] = {{1, true}, {200, true}, {240, true}, {250, true}, {255, true}, {256, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    const std::string name = c.length < 5 ? std::string(c.length, 'n') : std::string(c.length - 4, 'n') + ".png";
    EXPECT_EQ(WriteReplacing(Path(name), [](std::FILE* f) { return WriteText(f, "x"); }), c.ok);
    std::error_code error;
    EXPECT_EQ(fs::exists(Path(name), error), c.ok);
    EXPECT_EQ(Entries(), c.ok ? 1U : 0U);
    fs::remove(Path(name), error);
  }
}

TEST_F(FileReplaceTest, TemporaryNamesAreNotPredictable) {
  // A new file is written unnamed: nothing shows in the folder until it is complete.
  WriteReplacing(Path("new.png"), [&](std::FILE*) {
    EXPECT_EQ(Entries(), 0U);
    return false;
  });
  // Replacing a file goes through a named temporary.
  ASSERT_TRUE(WriteReplacing(Path("a.png"), [](std::FILE* f) { return WriteText(f, "old"); }));
  std::vector<std::string> seen;
  for (int i = 0; i < 2; ++i) {
    WriteReplacing(Path("a.png"), [&](std::FILE*) {
      for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().filename() != "a.png") {
          seen.push_back(entry.path().filename());
        }
      }
      return false;
    });
  }
  ASSERT_EQ(seen.size(), 2U);
  EXPECT_NE(seen[0], seen[1]);
  EXPECT_EQ(seen[0].find(std::to_string(getpid())), std::string::npos);
}

// A process ended by a signal in the middle of a write, with the host's cleanup installed.
TEST_F(FileReplaceTest, ATerminatingSignalLeavesTheOldFileAndNoTemporary) {
  ASSERT_TRUE(WriteReplacing(Path("a.png"), [](std::FILE* f) { return WriteText(f, "keep"); }));
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      RemoveTemporariesOnTermination();
      WriteReplacing(Path("a.png"), [signal](std::FILE* f) {
        WriteText(f, "half");
        std::fflush(f);
        kill(getpid(), signal);
        return true;
      });
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    EXPECT_EQ(testing::ReadFile(Path("a.png")), "keep");
    EXPECT_EQ(Entries(), 1U);
  }
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
