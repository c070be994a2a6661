#pragma once
// Code 11: digits and the hyphen with one modulo-11 check character.
#include <string>
#include <string_view>

#include "symbology/symbol.h"

namespace Quillon::BrindleLib {

inline constexpr std::string_view kCode11Characters = "0123456789-";

// Keys of the start and stop characters (both the same pattern).
inline constexpr unsigned char kCode11Start = '[';
inline constexpr unsigned char kCode11Stop = ']';

// Weights 1, 2, 3, ... from the right (never restarting), sum modulo 11; 10 is '-'.
char Code11CheckCharacter(const Elements& elements);

// Six-letter pattern (five elements and the inter-character gap); empty for anything else.
std::string_view Code11Pattern(unsigned char c);

class CCode11Symbol : public CSymbol {
 public:
  [[nodiscard]] std::string GetValidCharacters() const override { return std::string(kCode11Characters); }
  [[nodiscard]] std::string GetEncodableCharacters() const override { return std::string(kCode11Characters); }
  virtual int Encode(const std::string& message, bool showCheckDigit, std::string& pattern, std::string& text) const;
};

}  // namespace Quillon::BrindleLib
