#include "support/metafile_records.h"

namespace linnet::testing {

std::uint32_t ReadU32(const Bytes& b, size_t at) {
  if (at + 4 > b.size()) {
    return 0;
  }
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::int32_t ReadI32(const Bytes& b, size_t at) {
  return static_cast<std::int32_t>(ReadU32(b, at));
}

std::int16_t ReadI16(const Bytes& b, size_t at) {
  if (at + 2 > b.size()) {
    return 0;
  }
  return static_cast<std::int16_t>(b[at] | (b[at + 1] << 8));
}

std::u16string EmfRecord::Utf16(size_t at, size_t count) const {
  std::u16string out;
  for (size_t i = 0; i < count; ++i) {
    out.push_back(static_cast<char16_t>(static_cast<std::uint16_t>(ReadI16(bytes, at + 2 * i))));
  }
  return out;
}

std::vector<EmfRecord> WalkEmf(const Bytes& bytes, std::string& problem) {
  std::vector<EmfRecord> records;
  size_t at = 0;
  while (at < bytes.size()) {
    const std::uint32_t size = ReadU32(bytes, at + 4);
    if (size < 8 || size % 4 != 0 || at + size > bytes.size()) {
      problem = "bad record size " + std::to_string(size) + " at " + std::to_string(at);
      return {};
    }
    EmfRecord r;
    r.type = ReadU32(bytes, at);
    r.bytes.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                   bytes.begin() + static_cast<std::ptrdiff_t>(at + size));
    records.push_back(std::move(r));
    at += size;
    if (records.back().type == 14) {
      break;
    }
  }
  if (records.empty() || records.back().type != 14 || at != bytes.size()) {
    problem = "no end-of-file record at the end";
    return {};
  }
  return records;
}

std::vector<WmfRecord> WalkWmf(const Bytes& bytes, WmfHeader& header, std::string& problem) {
  if (bytes.size() < 18) {
    problem = "no header";
    return {};
  }
  auto u16 = [&](size_t at) { return static_cast<std::uint16_t>(ReadI16(bytes, at)); };
  header.type = u16(0);
  header.headerWords = u16(2);
  header.version = u16(4);
  header.sizeWords = ReadU32(bytes, 6);
  header.objects = u16(10);
  header.largestRecordWords = ReadU32(bytes, 12);
  std::vector<WmfRecord> records;
  size_t at = size_t{header.headerWords} * 2;
  while (at < bytes.size()) {
    const std::uint32_t words = ReadU32(bytes, at);
    if (words < 3 || at + size_t{words} * 2 > bytes.size()) {
      problem = "bad record size " + std::to_string(words) + " at " + std::to_string(at);
      return {};
    }
    WmfRecord r;
    r.words = words;
    r.function = u16(at + 4);
    r.bytes.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                   bytes.begin() + static_cast<std::ptrdiff_t>(at + size_t{words} * 2));
    records.push_back(std::move(r));
    at += size_t{words} * 2;
    if (records.back().function == 0) {
      break;
    }
  }
  if (records.empty() || records.back().function != 0 || at != bytes.size()) {
    problem = "no end record at the end";
    return {};
  }
  return records;
}

}  // namespace linnet::testing
