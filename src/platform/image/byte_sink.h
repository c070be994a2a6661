#pragma once
// Where an encoded image goes: bytes appended to memory, or written to an open file.
#include <cstddef>
#include <cstdio>
#include <vector>

namespace linnet::image {

class ByteSink {
 public:
  ByteSink() = default;
  ByteSink(const ByteSink&) = delete;
  ByteSink& operator=(const ByteSink&) = delete;
  virtual ~ByteSink() = default;
  // False when the bytes could not all be written.
  virtual bool Write(const void* data, size_t size) = 0;
};

class VectorSink : public ByteSink {
 public:
  explicit VectorSink(std::vector<unsigned char>& out) : out_(out) {}
  bool Write(const void* data, size_t size) override;

 private:
  std::vector<unsigned char>& out_;
};

// Writes to a file the caller opened and closes.
class FileSink : public ByteSink {
 public:
  explicit FileSink(std::FILE* file) : file_(file) {}
  bool Write(const void* data, size_t size) override { return std::fwrite(data, 1, size, file_) == size; }

 private:
  std::FILE* file_;
};

}  // namespace linnet::image
