#include "platform/files/file_replace.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <optional>

#include "platform/files/temporary_registry.h"

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

// The longest file name the destination's file system takes.
size_t NameLimit(const std::string& directory) {
  const long limit = pathconf(directory.empty() ? "." : directory.c_str(), _PC_NAME_MAX);
  return limit > 0 ? static_cast<size_t>(limit) : NAME_MAX;
}

// A new, empty file in the destination's directory, created with the default permissions.
// Its name is the destination's behind a dot, shortened so that the random tag and ".tmp"
// fit within the file system's name limit whenever the destination's name does; the tag
// makes the name unguessable, so nobody can plant a file or link there in advance. The
// limit is asked of the file system only when the kernel's own (255) turns out too long:
// most names fit, and a batch writes many.
int CreateSibling(const std::string& path, std::string& name, std::optional<InFlightTemporary>& inFlight) {
  static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  constexpr size_t kTagLength = 12;
  const std::string directory = DirectoryPart(path);
  const std::string fullBase = BaseName(path);
  const std::string suffix = ".tmp";
  const size_t fixed = 2 + kTagLength + suffix.size();  // the leading dot, the dot before the tag
  size_t limit = NAME_MAX;
  bool limitAsked = false;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string base = fullBase.substr(0, limit > fixed ? limit - fixed : 0);
    std::array<unsigned char, kTagLength> random{};
    if (getrandom(random.data(), random.size(), 0) != static_cast<ssize_t>(random.size())) {
      return -1;
    }
    std::string tag;
    for (const unsigned char r : random) {
      tag += kAlphabet[r % (sizeof kAlphabet - 1)];
    }
    name = directory + "." + base + "." + tag + suffix;
    // Registered before it exists, so that no moment passes with the file there and unknown.
    inFlight.emplace(name);
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      return fd;
    }
    const int error = errno;
    inFlight.reset();
    if (error == ENAMETOOLONG && !limitAsked) {
      limitAsked = true;
      limit = NameLimit(directory);
      continue;
    }
    if (error != EEXIST) {
      errno = error;
      return fd;
    }
  }
  return -1;
}

// Whether an unnamed file can be given a name: through /proc, or with the privilege that
// lets linkat take the descriptor itself.
bool CanNameUnnamedFiles() {
  static const bool can = access("/proc/self/fd", X_OK) == 0;
  return can;
}

bool LinkUnnamed(int fd, const std::string& name) {
  if (linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) {
    return true;
  }
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  return linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

// A new file is written unnamed (O_TMPFILE) and linked in under its name once complete: one
// change to the folder instead of two, and nothing left behind whatever ends the process.
// nullopt when the file system has no unnamed files (the caller then takes the named way);
// otherwise whether the file was written.
std::optional<bool> WriteNewUnnamed(const std::string& path, const std::function<bool(std::FILE*)>& write) {
  if (!CanNameUnnamedFiles()) {
    return std::nullopt;
  }
  const std::string directory = DirectoryPart(path);
  const int fd = open(directory.empty() ? "." : directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) {
      return std::nullopt;
    }
    return false;
  }
  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) {
    close(fd);
    return false;
  }
  bool ok = write(file) && std::fflush(file) == 0;
  bool linked = false;
  if (ok) {
    linked = LinkUnnamed(fd, path);
    if (!linked && errno == EEXIST) {
      // The name was taken meanwhile: replace it as an existing file is replaced.
      std::string temporary;
      std::optional<InFlightTemporary> inFlight;
      for (int attempt = 0; attempt < 100; ++attempt) {
        const int probe = CreateSibling(path, temporary, inFlight);
        if (probe < 0) {
          break;
        }
        close(probe);
        unlink(temporary.c_str());
        if (LinkUnnamed(fd, temporary)) {
          linked = std::rename(temporary.c_str(), path.c_str()) == 0;
          if (!linked) {
            unlink(temporary.c_str());
          }
          break;
        }
        if (errno != EEXIST) {
          break;
        }
      }
    }
    ok = linked;
  }
  const int savedErrno = errno;
  if (std::fclose(file) != 0 && ok) {
    unlink(path.c_str());
    return false;
  }
  errno = savedErrno;
  return ok;
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
  struct stat target {};
  if (lstat(path.c_str(), &target) != 0 && errno == ENOENT) {
    if (const auto written = WriteNewUnnamed(path, write)) {
      return *written;
    }
  }
  std::string temporary;
  std::optional<InFlightTemporary> inFlight;
  const int fd = CreateSibling(path, temporary, inFlight);
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
