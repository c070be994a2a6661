#pragma once
// Small digit-string helpers shared by the MaxiCode field parsers.
#include <string_view>

namespace Quillon::BrindleLib::maxicode {

inline bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

inline bool AllDigits(std::string_view text) {
  for (const char c : text) {
    if (!IsDigit(c)) {
      return false;
    }
  }
  return true;
}

// The value of a digit string, held at `ceiling` once it reaches it, so that a long run of
// digits cannot overflow.
inline int DigitValue(std::string_view digits, int ceiling) {
  int value = 0;
  for (const char c : digits) {
    value = value * 10 + (c - '0');
    if (value >= ceiling) {
      return ceiling;
    }
  }
  return value;
}

}  // namespace Quillon::BrindleLib::maxicode
