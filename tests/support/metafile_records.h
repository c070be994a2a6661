#pragma once
// A test-side reader of enhanced and classic metafiles, written from the public record
// formats and sharing nothing with the writers: it splits the bytes into records, checks
// that the sizes chain up to the end-of-file record, and gives fields by byte offset (EMF)
// or by 16-bit parameter index (WMF).
#include <cstdint>
#include <string>
#include <vector>

namespace linnet::testing {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t ReadU32(const Bytes& bytes, size_t at);
std::int32_t ReadI32(const Bytes& bytes, size_t at);
std::int16_t ReadI16(const Bytes& bytes, size_t at);

struct EmfRecord {
  std::uint32_t type = 0;
  Bytes bytes;  // the whole record, type and size included
  [[nodiscard]] std::int32_t I32(size_t at) const { return ReadI32(bytes, at); }
  [[nodiscard]] std::uint32_t U32(size_t at) const { return ReadU32(bytes, at); }
  // UTF-16 text of `count` units at `at`.
  [[nodiscard]] std::u16string Utf16(size_t at, size_t count) const;
};

// Every record, the header first and the end-of-file record last; empty with `problem` set
// when a size is not a positive multiple of four, runs past the end, or bytes follow the
// end-of-file record.
std::vector<EmfRecord> WalkEmf(const Bytes& bytes, std::string& problem);

struct WmfHeader {
  std::uint16_t type = 0, headerWords = 0, version = 0;
  std::uint32_t sizeWords = 0;
  std::uint16_t objects = 0;
  std::uint32_t largestRecordWords = 0;
};

struct WmfRecord {
  std::uint16_t function = 0;
  std::uint32_t words = 0;
  Bytes bytes;
  // The n-th 16-bit parameter after the function.
  [[nodiscard]] std::int16_t Param(size_t n) const { return ReadI16(bytes, 6 + 2 * n); }
};

// The header and every record up to and including the end record (function 0).
std::vector<WmfRecord> WalkWmf(const Bytes& bytes, WmfHeader& header, std::string& problem);

}  // namespace linnet::testing
