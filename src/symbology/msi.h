#pragma once
// MSI/Plessey: digits as four-bit codes with one modulo-10 check digit.
#include <string>
#include <string_view>

#include "symbology/digits.h"
#include "symbology/symbol.h"

namespace Quillon::BrindleLib {

inline constexpr std::string_view kMsiValidCharacters = "0123456789 ";

inline constexpr unsigned char kMsiStart = '[';
inline constexpr unsigned char kMsiStop = ']';

// Modulo-10 check digit of digit characters: digits in odd positions from the right count
// the digit sum of their double, the others count as they are. Returns '0'..'9'.
char MsiCheckDigit(const Elements& digits);

// Module pattern ('b'/'s') of a digit character or of the start or stop key.
std::string_view MsiPattern(unsigned char c);

class CMSISymbol : public CSymbol {
 public:
  [[nodiscard]] std::string GetValidCharacters() const override { return std::string(kMsiValidCharacters); }
  [[nodiscard]] std::string GetEncodableCharacters() const override { return std::string(kDigitCharacters); }
  virtual int Encode(const std::string& message, bool showCheckDigit, std::string& pattern, std::string& text) const;
};

}  // namespace Quillon::BrindleLib
