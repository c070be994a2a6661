#pragma once
// Case-insensitive comparison of ASCII letters only, so that no locale changes a match
// (automation names, enumerators, format names, markers).
#include <cstddef>
#include <string_view>

namespace linnet {

namespace detail {

template <class Char>
constexpr char32_t LowerAscii(Char c) {
  const auto u = static_cast<char32_t>(c);
  return (u >= U'A' && u <= U'Z') ? u - U'A' + U'a' : u;
}

template <class CharA, class CharB>
constexpr bool SameIgnoringAsciiCase(std::basic_string_view<CharA> a, std::basic_string_view<CharB> b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace detail

constexpr bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return detail::SameIgnoringAsciiCase(a, b);
}

constexpr bool SameIgnoringAsciiCase(std::u16string_view a, std::string_view b) {
  return detail::SameIgnoringAsciiCase(a, b);
}

}  // namespace linnet
