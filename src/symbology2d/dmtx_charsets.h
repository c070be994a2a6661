#pragma once
// The values that C40, Text, X12 and EDIFACT give a byte.
#include <cstdint>

#include "symbology2d/dmtx_scheme.h"

namespace brindle2::dmtxencode {

// A byte below 128 in C40 or Text: its set (0 basic, 1..3 Shift 1..3) and value there.
struct ShiftedValue {
  std::uint8_t set;
  std::uint8_t value;
};

inline constexpr std::uint8_t kShift2 = 1;            // the value that selects Shift 2
inline constexpr std::uint8_t kUpperShiftValue = 30;  // Shift 2 value: the next byte + 128
inline constexpr std::uint8_t kFnc1Value = 27;        // Shift 2 value

// Bytes 0..127 in C40 (`text` false) or Text (`text` true).
const ShiftedValue& C40TextValue(bool text, std::uint8_t byte);

// Writes the C40 or Text values of an item (a byte or FNC1) to `out` and returns how many
// (1 to 4). Other codeword items have none: returns 0.
int C40TextValues(bool text, Item item, std::uint8_t* out);

// The X12 value of an item, or -1 when X12 has none.
constexpr int X12Value(Item item) {
  if (item == '\r') {
    return 0;
  }
  if (item == '*') {
    return 1;
  }
  if (item == '>') {
    return 2;
  }
  if (item == ' ') {
    return 3;
  }
  if (IsDigitItem(item)) {
    return item - '0' + 4;
  }
  if (item >= 'A' && item <= 'Z') {
    return item - 'A' + 14;
  }
  return -1;
}

// EDIFACT holds the bytes 32..94 as their low six bits.
constexpr bool IsEdifactItem(Item item) {
  return item >= 32 && item <= 94;
}
constexpr std::uint8_t EdifactValue(Item item) {
  return static_cast<std::uint8_t>(item & 0x3F);
}

}  // namespace brindle2::dmtxencode
