#include "platform/com/guid.h"

namespace linnet {

namespace {

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

void AppendHex(std::u16string& out, std::uint64_t value, int digits) {
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
    out.push_back(kHexDigits[(value >> shift) & 0xF]);
  }
}

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') {
    return c - u'0';
  }
  if (c >= u'A' && c <= u'F') {
    return c - u'A' + 10;
  }
  if (c >= u'a' && c <= u'f') {
    return c - u'a' + 10;
  }
  return -1;
}

// Reads `digits` hex digits at `pos`; false if any is not a hex digit.
bool ReadHex(std::u16string_view text, size_t pos, int digits, std::uint64_t& value) {
  value = 0;
  for (int i = 0; i < digits; ++i) {
    const int v = HexValue(text[pos + static_cast<size_t>(i)]);
    if (v < 0) {
      return false;
    }
    value = (value << 4) | static_cast<std::uint64_t>(v);
  }
  return true;
}

}  // namespace

std::u16string GuidToText(const Guid& guid) {
  std::u16string out = u"{";
  AppendHex(out, guid.data1, 8);
  out.push_back(u'-');
  AppendHex(out, guid.data2, 4);
  out.push_back(u'-');
  AppendHex(out, guid.data3, 4);
  out.push_back(u'-');
  for (size_t i = 0; i < guid.data4.size(); ++i) {
    if (i == 2) {
      out.push_back(u'-');
    }
    AppendHex(out, guid.data4[i], 2);
  }
  out.push_back(u'}');
  return out;
}

std::optional<Guid> GuidFromText(std::u16string_view text) {
  // {8-4-4-4-12}: 38 characters with the braces.
  if (text.size() != 38 || text.front() != u'{' || text.back() != u'}' || text[9] != u'-' || text[14] != u'-' ||
      text[19] != u'-' || text[24] != u'-') {
    return std::nullopt;
  }
  Guid guid;
  std::uint64_t v = 0;
  if (!ReadHex(text, 1, 8, v)) {
    return std::nullopt;
  }
  guid.data1 = static_cast<std::uint32_t>(v);
  if (!ReadHex(text, 10, 4, v)) {
    return std::nullopt;
  }
  guid.data2 = static_cast<std::uint16_t>(v);
  if (!ReadHex(text, 15, 4, v)) {
    return std::nullopt;
  }
  guid.data3 = static_cast<std::uint16_t>(v);
  constexpr size_t kByteStarts[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (size_t i = 0; i < 8; ++i) {
    if (!ReadHex(text, kByteStarts[i], 2, v)) {
      return std::nullopt;
    }
    guid.data4[i] = static_cast<std::uint8_t>(v);
  }
  return guid;
}

std::array<std::uint8_t, kGuidBytes> GuidToBytes(const Guid& guid) {
  std::array<std::uint8_t, kGuidBytes> b{};
  for (int i = 0; i < 4; ++i) {
    b[static_cast<size_t>(i)] = static_cast<std::uint8_t>(guid.data1 >> (8 * i));
  }
  b[4] = static_cast<std::uint8_t>(guid.data2);
  b[5] = static_cast<std::uint8_t>(guid.data2 >> 8);
  b[6] = static_cast<std::uint8_t>(guid.data3);
  b[7] = static_cast<std::uint8_t>(guid.data3 >> 8);
  for (size_t i = 0; i < 8; ++i) {
    b[8 + i] = guid.data4[i];
  }
  return b;
}

Guid GuidFromBytes(const std::array<std::uint8_t, kGuidBytes>& b) {
  Guid guid;
  guid.data1 = static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
               static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
  guid.data2 = static_cast<std::uint16_t>(b[4] | b[5] << 8);
  guid.data3 = static_cast<std::uint16_t>(b[6] | b[7] << 8);
  for (size_t i = 0; i < 8; ++i) {
    guid.data4[i] = b[8 + i];
  }
  return guid;
}

}  // namespace linnet
