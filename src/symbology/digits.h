#pragma once
// The decimal digit set that the numeric symbologies filter their messages through.
#include <cstdint>
#include <string_view>

namespace Quillon::BrindleLib {

inline constexpr std::string_view kDigitCharacters = "0123456789";

// Value of a digit character element ('0'..'9').
constexpr int DigitValue(std::uint16_t element) {
  return static_cast<int>(element) - '0';
}

}  // namespace Quillon::BrindleLib
