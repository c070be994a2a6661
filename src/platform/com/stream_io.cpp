#include "platform/com/stream_io.h"

#include <algorithm>
#include <array>

namespace linnet {

namespace {

template <std::size_t N>
std::uint64_t FromLittleEndian(const std::array<std::uint8_t, N>& b) {
  std::uint64_t v = 0;
  for (std::size_t i = N; i-- > 0;) {
    v = (v << 8) | b[i];
  }
  return v;
}

template <std::size_t N>
std::array<std::uint8_t, N> ToLittleEndian(std::uint64_t v) {
  std::array<std::uint8_t, N> b{};
  for (std::size_t i = 0; i < N; ++i) {
    b[i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
  return b;
}

template <std::size_t N, class T>
HRESULT ReadField(StreamReader& reader, T& v) {
  std::array<std::uint8_t, N> b{};
  const HRESULT hr = reader.Bytes(b.data(), N);
  if (Succeeded(hr)) {
    v = static_cast<T>(FromLittleEndian(b));
  }
  return hr;
}

}  // namespace

HRESULT StreamReader::Bytes(void* data, std::uint32_t size) {
  std::uint32_t done = 0;
  const HRESULT hr = stream_.Read(data, size, &done);
  if (Failed(hr)) {
    return hr;
  }
  return done == size ? S_OK : E_FAIL;
}

HRESULT StreamReader::U8(std::uint8_t& v) {
  return ReadField<1>(*this, v);
}
HRESULT StreamReader::U16(std::uint16_t& v) {
  return ReadField<2>(*this, v);
}
HRESULT StreamReader::U32(std::uint32_t& v) {
  return ReadField<4>(*this, v);
}
HRESULT StreamReader::U64(std::uint64_t& v) {
  return ReadField<8>(*this, v);
}

HRESULT StreamReader::ClassId(Guid& v) {
  std::array<std::uint8_t, kGuidBytes> b{};
  const HRESULT hr = Bytes(b.data(), kGuidBytes);
  if (Succeeded(hr)) {
    v = GuidFromBytes(b);
  }
  return hr;
}

HRESULT StreamReader::Append(std::string& out, std::uint32_t size) {
  constexpr std::uint32_t kPiece = 4096;
  char piece[kPiece];
  while (size > 0) {
    const std::uint32_t count = std::min(size, kPiece);
    if (const HRESULT hr = Bytes(piece, count); Failed(hr)) {
      return hr;
    }
    out.append(piece, count);
    size -= count;
  }
  return S_OK;
}

HRESULT StreamWriter::Bytes(const void* data, std::uint32_t size) {
  std::uint32_t done = 0;
  const HRESULT hr = stream_.Write(data, size, &done);
  if (Failed(hr)) {
    return hr;
  }
  return done == size ? S_OK : E_FAIL;
}

HRESULT StreamWriter::U16(std::uint16_t v) {
  const auto b = ToLittleEndian<2>(v);
  return Bytes(b.data(), b.size());
}
HRESULT StreamWriter::U32(std::uint32_t v) {
  const auto b = ToLittleEndian<4>(v);
  return Bytes(b.data(), b.size());
}
HRESULT StreamWriter::U64(std::uint64_t v) {
  const auto b = ToLittleEndian<8>(v);
  return Bytes(b.data(), b.size());
}
HRESULT StreamWriter::ClassId(const Guid& v) {
  const auto b = GuidToBytes(v);
  return Bytes(b.data(), b.size());
}

}  // namespace linnet
