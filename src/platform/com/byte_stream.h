#pragma once
// The byte stream a host hands to Save, Load and ExportImage (the platform's stream interface):
// sequential reads and writes at a current position, and a seek. A read that reaches the end
// returns S_OK with fewer bytes than asked; callers that need the whole count check `*done`.
// A stream is used by one thread at a time.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/com/hresult.h"

namespace linnet {

enum class SeekOrigin { kBegin, kCurrent, kEnd };

class ByteStream {
 public:
  ByteStream() = default;
  ByteStream(const ByteStream&) = delete;
  ByteStream& operator=(const ByteStream&) = delete;
  virtual ~ByteStream() = default;

  // Copies up to `size` bytes into `data`; `*done` (if given) receives the count copied.
  virtual HRESULT Read(void* data, std::uint32_t size, std::uint32_t* done) = 0;
  // Writes `size` bytes; S_OK only when every byte was written.
  virtual HRESULT Write(const void* data, std::uint32_t size, std::uint32_t* done) = 0;
  // Moves the current position; a position before the start is E_INVALIDARG.
  virtual HRESULT Seek(std::int64_t offset, SeekOrigin origin, std::uint64_t* position) = 0;
};

using ByteStreamPtr = std::shared_ptr<ByteStream>;

// A stream over bytes in memory. Writing past the end grows it; the bytes stay reachable.
class MemoryStream final : public ByteStream {
 public:
  MemoryStream() = default;
  explicit MemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

  HRESULT Read(void* data, std::uint32_t size, std::uint32_t* done) override;
  HRESULT Write(const void* data, std::uint32_t size, std::uint32_t* done) override;
  HRESULT Seek(std::int64_t offset, SeekOrigin origin, std::uint64_t* position) override;

  [[nodiscard]] const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  [[nodiscard]] std::uint64_t Position() const { return position_; }

 private:
  std::vector<std::uint8_t> bytes_;
  std::uint64_t position_ = 0;
};

}  // namespace linnet
