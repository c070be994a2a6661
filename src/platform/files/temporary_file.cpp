#include "platform/files/temporary_file.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace linnet::files {

namespace {

// Closes and removes the file however the caller leaves.
class RemovedOnExit {
 public:
  RemovedOnExit(std::string path, std::FILE* file) : path_(std::move(path)), file_(file) {}
  RemovedOnExit(const RemovedOnExit&) = delete;
  RemovedOnExit& operator=(const RemovedOnExit&) = delete;
  ~RemovedOnExit() {
    std::fclose(file_);
    ::unlink(path_.c_str());
  }
  [[nodiscard]] std::FILE* File() const { return file_; }

 private:
  std::string path_;
  std::FILE* file_;
};

}  // namespace

bool ThroughTemporaryFile(std::string_view prefix, const std::function<bool(std::FILE*)>& write,
                          std::vector<std::uint8_t>& out) {
  std::error_code error;
  const std::filesystem::path directory = std::filesystem::temp_directory_path(error);
  if (error) {
    return false;
  }
  std::string name = (directory / std::string(prefix)).string() + "XXXXXX";
  const int descriptor = ::mkstemp(name.data());
  if (descriptor < 0) {
    return false;
  }
  std::FILE* stream = ::fdopen(descriptor, "w+b");
  if (stream == nullptr) {
    ::close(descriptor);
    ::unlink(name.c_str());
    return false;
  }
  const RemovedOnExit temporary(name, stream);
  if (!write(stream) || std::fflush(stream) != 0 || std::fseek(stream, 0, SEEK_SET) != 0) {
    return false;
  }
  const size_t before = out.size();
  unsigned char buffer[65536];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0) {
    out.insert(out.end(), buffer, buffer + got);
  }
  if (std::ferror(stream) != 0) {
    out.resize(before);
    return false;
  }
  return true;
}

}  // namespace linnet::files
