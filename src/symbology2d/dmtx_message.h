#pragma once
// The message as the scheme encoders read it: header codewords that precede all data, then
// a sequence of items, resolved from the tilde escapes of the text.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "symbology2d/dmtx_component.h"
#include "symbology2d/dmtx_scheme.h"

namespace brindle2::dmtxencode {

inline constexpr std::size_t kMaxItems = 3116;
inline constexpr std::size_t kMaxHeaderCodewords = 4;

inline constexpr std::uint8_t kStructuredAppendCodeword = 233;
inline constexpr std::uint8_t kReaderProgrammingCodeword = 234;
inline constexpr std::uint8_t kMacro05Codeword = 236;
inline constexpr std::uint8_t kMacro06Codeword = 237;

struct ParsedMessage {
  std::array<std::uint8_t, kMaxHeaderCodewords> header;
  std::size_t headerCount = 0;
  std::array<Item, kMaxItems> items;
  std::size_t itemCount = 0;

  [[nodiscard]] std::span<const std::uint8_t> Header() const { return {header.data(), headerCount}; }
  [[nodiscard]] std::span<const Item> Items() const { return {items.data(), itemCount}; }
};

// Reads `text` into `out`. Returns kOk, a structured-append failure, or kTooMuchData for
// more than kMaxItems items.
//   "~@".."~Z"  the byte 0..26          "~~"  a tilde       "~1"  FNC1
//   "~7dddddd"  an ECI                  "~dddd" (value <= 255) that byte
//   at the very start only: "~2[position][file id][total]" structured append,
//   "~3" reader programming, "~5" / "~6" the 05 / 06 macros.
// A tilde that starts none of these is a tilde, and what follows it is read normally.
HRESULT ParseMessage(std::string_view text, ParsedMessage& out);

// The codewords that follow the ECI codeword 241 for an ECI value (0..999999): one to three.
int EciValueCodewords(std::uint32_t value, std::uint8_t* out);

}  // namespace brindle2::dmtxencode
