#include "cli/checked_output.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace linnet::cli {

namespace {

constexpr std::size_t kBufferSize = 65536;

}  // namespace

DescriptorBuffer::DescriptorBuffer(int fd) : fd_(fd), buffer_(std::make_unique_for_overwrite<char[]>(kBufferSize)) {
  setp(buffer_.get(), buffer_.get() + kBufferSize);
}

DescriptorBuffer::~DescriptorBuffer() {
  Drain();
}

bool DescriptorBuffer::WriteAll(const char* data, std::size_t size) {
  while (size > 0 && error_ == 0) {
    const ssize_t n = write(fd_, data, size);
    if (n < 0) {
      if (errno != EINTR) {
        error_ = errno;
      }
      continue;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return error_ == 0;
}

bool DescriptorBuffer::Drain() {
  const auto pending = static_cast<std::size_t>(pptr() - pbase());
  setp(buffer_.get(), buffer_.get() + kBufferSize);
  return WriteAll(buffer_.get(), pending);
}

DescriptorBuffer::int_type DescriptorBuffer::overflow(int_type c) {
  if (!Drain()) {
    return traits_type::eof();
  }
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

int DescriptorBuffer::sync() {
  return Drain() ? 0 : -1;
}

std::streamsize DescriptorBuffer::xsputn(const char* data, std::streamsize size) {
  if (size <= 0) {
    return 0;  // an empty write may come with no buffer at all (an empty vector's data())
  }
  const auto n = static_cast<std::size_t>(size);
  if (n <= static_cast<std::size_t>(epptr() - pptr())) {
    std::memcpy(pptr(), data, n);
    pbump(static_cast<int>(n));
    return size;
  }
  if (!Drain() || !WriteAll(data, n)) {
    return 0;
  }
  return size;
}

bool CheckedOutput::Finish(std::string& reason) {
  flush();
  if (buffer_.Error() != 0) {
    reason = std::strerror(buffer_.Error());
    return false;
  }
  if (!good()) {
    reason = "write error";
    return false;
  }
  return true;
}

}  // namespace linnet::cli
