#include "platform/files/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace linnet::files {

namespace {

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DirectoryPart(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A new, empty file in the destination's directory, created with the default permissions.
int CreateSibling(const std::string& path, std::string& name) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = DirectoryPart(path) + "." + BaseName(path) + "." + std::to_string(getpid()) + "-" +
           std::to_string(counter++) + ".tmp";
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  return -1;
}

}  // namespace

FileAttributes Inspect(const std::string& path) {
  FileAttributes a;
  struct stat st {};
  if (path.empty() || stat(path.c_str(), &st) != 0) {
    return a;
  }
  a.exists = true;
  a.directory = S_ISDIR(st.st_mode);
  a.system = !a.directory && !S_ISREG(st.st_mode);
  a.readOnly = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || access(path.c_str(), W_OK) != 0;
  a.hidden = BaseName(path).starts_with('.');
  return a;
}

std::string Extension(const std::string& path) {
  const std::string base = BaseName(path);
  const size_t dot = base.find_last_of('.');
  return dot == std::string::npos ? std::string() : base.substr(dot);
}

bool WriteReplacing(const std::string& path, const std::function<bool(std::FILE*)>& write) {
  std::string temporary;
  const int fd = CreateSibling(path, temporary);
  if (fd < 0) {
    return false;
  }
  struct stat existing {};
  if (stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
    fchmod(fd, existing.st_mode & 07777);
  }
  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) {
    close(fd);
    unlink(temporary.c_str());
    return false;
  }
  bool ok = write(file);
  ok = std::fclose(file) == 0 && ok;
  ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) {
    unlink(temporary.c_str());
  }
  return ok;
}

}  // namespace linnet::files
