#include "persist/bounded_read.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "support/run_command.h"

namespace linnet::persist {
namespace {

constexpr std::uint64_t kLimit = kMaxPropertyFileBytes;

// A host stream of `length` bytes that counts what it was asked to hand out.
class CountingStream final : public ByteStream {
 public:
  explicit CountingStream(std::uint64_t length, bool fails = false) : left_(length), fails_(fails) {}
  HRESULT Read(void* data, std::uint32_t size, std::uint32_t* done) override {
    if (fails_) {
      return E_ACCESSDENIED;
    }
    const auto n = static_cast<std::uint32_t>(std::min<std::uint64_t>(size, left_));
    std::fill_n(static_cast<char*>(data), n, 'x');
    left_ -= n;
    handedOut += n;
    *done = n;
    return S_OK;
  }
  HRESULT Write(const void*, std::uint32_t, std::uint32_t*) override { return E_NOTIMPL; }
  HRESULT Seek(std::int64_t, SeekOrigin, std::uint64_t*) override { return E_NOTIMPL; }

  std::uint64_t handedOut = 0;

 private:
  std::uint64_t left_;
  bool fails_;
};

std::string SparseFile(const std::string& dir, const std::string& name, std::uint64_t size) {
  const std::string path = dir + "/" + name;
  std::ofstream(path, std::ios::binary).put('<');
  EXPECT_EQ(truncate(path.c_str(), static_cast<off_t>(size)), 0);
  return path;
}

TEST(BoundedRead, FilesUpToTheLimitAndNoFurther) {
  const std::string dir = testing::MakeTempDir();
  const struct {
    const char* why;
    std::string path;
    HRESULT hr;
    std::uint64_t size;
  } cases[] = {
      {"a small file, whole", SparseFile(dir, "small.xml", 3), S_OK, 3},
      {"exactly the limit", SparseFile(dir, "limit.xml", kLimit), S_OK, kLimit},
      {"one byte more", SparseFile(dir, "over.xml", kLimit + 1), E_FAIL, 0},
      {"100 MiB, refused from its size", SparseFile(dir, "huge.lnx", std::uint64_t{100} << 20), E_FAIL, 0},
      {"a device that never ends", "/dev/zero", E_FAIL, 0},
      {"a directory", dir, E_FAIL, 0},
      {"no such file", dir + "/missing.xml", E_FAIL, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    std::vector<std::uint8_t> bytes{1, 2};
    EXPECT_EQ(ReadBoundedFile(c.path, bytes), c.hr);
    EXPECT_EQ(bytes.size(), c.size);
  }
}

TEST(BoundedRead, StreamsAreReadToTheirEndOrRefusedEarly) {
  const struct {
    const char* why;
    std::uint64_t length;
    bool fails;
    HRESULT hr;
  } cases[] = {
      {"empty", 0, false, S_OK},
      {"exactly the limit", kLimit, false, S_OK},
      {"100 MiB", std::uint64_t{100} << 20, false, E_FAIL},
      {"a failing stream", 10, true, E_FAIL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    CountingStream stream(c.length, c.fails);
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(ReadBoundedStream(stream, bytes), c.hr);
    EXPECT_EQ(bytes.size(), Succeeded(c.hr) ? c.length : 0);
    // Never much past the limit, whatever the stream holds.
    EXPECT_LE(stream.handedOut, kLimit + (std::uint64_t{64} << 10));
  }
}

}  // namespace
}  // namespace linnet::persist
