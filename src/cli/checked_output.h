#pragma once
// An output stream over a file descriptor that remembers why a write failed, so that a full
// disk or a closed pipe on standard output is an error with the system's reason instead of
// a success. Not shared between threads.
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

namespace linnet::cli {

class DescriptorBuffer : public std::streambuf {
 public:
  explicit DescriptorBuffer(int fd);
  ~DescriptorBuffer() override;
  DescriptorBuffer(const DescriptorBuffer&) = delete;
  DescriptorBuffer& operator=(const DescriptorBuffer&) = delete;

  // The error number of the first failed write; 0 while every write succeeded.
  [[nodiscard]] int Error() const { return error_; }

 protected:
  int_type overflow(int_type c) override;
  int sync() override;
  std::streamsize xsputn(const char* data, std::streamsize size) override;

 private:
  bool WriteAll(const char* data, std::size_t size);
  bool Drain();

  int fd_;
  int error_ = 0;
  // Left uninitialised: a command that prints nothing never touches its pages.
  std::unique_ptr<char[]> buffer_;
};

class CheckedOutput : public std::ostream {
 public:
  explicit CheckedOutput(int fd) : std::ostream(nullptr), buffer_(fd) { rdbuf(&buffer_); }

  // Flushes; false (with the system's reason in `reason`) when any write failed.
  bool Finish(std::string& reason);

 private:
  DescriptorBuffer buffer_;
};

}  // namespace linnet::cli
