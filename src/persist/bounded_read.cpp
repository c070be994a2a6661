#include "persist/bounded_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

#include "platform/log.h"

namespace linnet::persist {

namespace {

constexpr std::size_t kChunkBytes = std::size_t{64} << 10;
constexpr std::string_view kLogTag = "[property-file] ";

// One whole line of the diagnostic log.
void Note(const std::string& text) {
  log::Write(kLogTag, text + "\n");
}

HRESULT TooLarge() {
  Note("refused: longer than 16 MiB");
  return E_FAIL;
}

// Appends chunks from `next` (which answers the count it read, 0 at the end, -1 on failure).
HRESULT ReadChunks(const std::function<long(std::uint8_t*, std::size_t)>& next, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  for (;;) {
    const std::size_t before = bytes.size();
    bytes.resize(before + kChunkBytes);
    const long got = next(bytes.data() + before, kChunkBytes);
    if (got < 0) {
      bytes.clear();
      return E_FAIL;
    }
    bytes.resize(before + static_cast<std::size_t>(got));
    if (bytes.size() > kMaxPropertyFileBytes) {
      bytes.clear();
      bytes.shrink_to_fit();
      return TooLarge();
    }
    if (got == 0) {
      return S_OK;
    }
  }
}

}  // namespace

HRESULT ReadBoundedFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    Note("cannot open " + path);
    return E_FAIL;
  }
  struct stat st {};
  HRESULT hr = S_OK;
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    Note("not a readable file: " + path);
    hr = E_FAIL;
  } else if (S_ISREG(st.st_mode) && static_cast<std::uint64_t>(st.st_size) > kMaxPropertyFileBytes) {
    hr = TooLarge();
  } else {
    hr = ReadChunks(
        [fd](std::uint8_t* data, std::size_t size) -> long {
          for (;;) {
            const ssize_t got = read(fd, data, size);
            if (got >= 0 || errno != EINTR) {
              return static_cast<long>(got);
            }
          }
        },
        bytes);
  }
  close(fd);
  return hr;
}

HRESULT ReadBoundedStream(ByteStream& stream, std::vector<std::uint8_t>& bytes) {
  return ReadChunks(
      [&stream](std::uint8_t* data, std::size_t size) -> long {
        std::uint32_t done = 0;
        if (Failed(stream.Read(data, static_cast<std::uint32_t>(size), &done)) || done > size) {
          return -1;
        }
        return static_cast<long>(done);
      },
      bytes);
}

}  // namespace linnet::persist
