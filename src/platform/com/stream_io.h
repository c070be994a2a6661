#pragma once
// Little-endian fields on a ByteStream, for the persisted forms that hosts keep in streams.
// A reader asks for exact counts: a short read (the stream ran out) is E_FAIL, a failing
// stream returns its own error. Texts are read in pieces, so a count found in the stream never
// allocates more than the bytes the stream actually delivers.
#include <cstdint>
#include <string>

#include "platform/com/byte_stream.h"
#include "platform/com/guid.h"

namespace linnet {

class StreamReader {
 public:
  explicit StreamReader(ByteStream& stream) : stream_(stream) {}

  HRESULT Bytes(void* data, std::uint32_t size);
  HRESULT U8(std::uint8_t& v);
  HRESULT U16(std::uint16_t& v);
  HRESULT U32(std::uint32_t& v);
  HRESULT U64(std::uint64_t& v);
  HRESULT ClassId(Guid& v);
  // `size` bytes appended to `out` as they arrive.
  HRESULT Append(std::string& out, std::uint32_t size);

 private:
  ByteStream& stream_;
};

class StreamWriter {
 public:
  explicit StreamWriter(ByteStream& stream) : stream_(stream) {}

  HRESULT Bytes(const void* data, std::uint32_t size);
  HRESULT U8(std::uint8_t v) { return Bytes(&v, 1); }
  HRESULT U16(std::uint16_t v);
  HRESULT U32(std::uint32_t v);
  HRESULT U64(std::uint64_t v);
  HRESULT ClassId(const Guid& v);

 private:
  ByteStream& stream_;
};

}  // namespace linnet
