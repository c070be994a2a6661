#pragma once
// Little-endian fields, byte by byte, for the formats that store integers that way (BMP,
// EMF, WMF, property streams). Values are cut to the field's width; no packed structs and
// no reinterpretation of memory, so the bytes are the same on every host.
#include <cstdint>
#include <vector>

namespace linnet::image {

inline void Put16(std::uint8_t* at, std::uint32_t v) {
  at[0] = static_cast<std::uint8_t>(v);
  at[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void Put32(std::uint8_t* at, std::uint32_t v) {
  Put16(at, v);
  Put16(at + 2, v >> 16);
}

inline void Append16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void Append32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Append16(out, v);
  Append16(out, v >> 16);
}

inline std::uint32_t Get16(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8);
}

inline std::uint32_t Get32(const std::uint8_t* at) {
  return Get16(at) | (Get16(at + 2) << 16);
}

}  // namespace linnet::image
