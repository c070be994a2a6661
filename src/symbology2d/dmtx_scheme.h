#pragma once
// The six encodation schemes, the codewords that enter and leave them, and the two kinds of
// message item they read.
#include <cstdint>

namespace brindle2::dmtxencode {

enum class Scheme : std::uint8_t { Ascii = 0, C40 = 1, Text = 2, X12 = 3, Edifact = 4, Base256 = 5 };

// Written in ASCII to enter a scheme (ASCII itself has none).
constexpr std::uint8_t LatchCodeword(Scheme scheme) {
  switch (scheme) {
    case Scheme::C40:
      return 230;
    case Scheme::Text:
      return 239;
    case Scheme::X12:
      return 238;
    case Scheme::Edifact:
      return 240;
    case Scheme::Base256:
      return 231;
    case Scheme::Ascii:
      break;
  }
  return 0;
}

inline constexpr std::uint8_t kUnlatchCodeword = 254;  // C40, Text and X12 back to ASCII
inline constexpr std::uint8_t kEdifactUnlatchValue = 31;
inline constexpr std::uint8_t kPadCodewordFirst = 129;    // the first pad; later ones are randomised
inline constexpr std::uint8_t kUpperShiftCodeword = 235;  // ASCII: the next byte + 128
inline constexpr std::uint8_t kDigitPairBase = 130;

// A message item below 256 is a data byte; from 256 on it stands for one ready codeword held
// in the high byte. The value codewords of an ECI carry 1 in the low byte so that one of
// value 232 is never taken for FNC1.
using Item = std::uint16_t;

inline constexpr Item kFnc1Item = 232 * 256;
inline constexpr Item kEciItem = 241 * 256;
constexpr Item EciValueItem(std::uint8_t codeword) {
  return static_cast<Item>(codeword * 256 + 1);
}

constexpr bool IsCodewordItem(Item item) {
  return item >= 256;
}
constexpr std::uint8_t CodewordOf(Item item) {
  return static_cast<std::uint8_t>(item >> 8);
}
constexpr bool IsDigitItem(Item item) {
  return item >= '0' && item <= '9';
}

}  // namespace brindle2::dmtxencode
