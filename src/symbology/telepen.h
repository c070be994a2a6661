#pragma once
// Telepen (full 7-bit ASCII) and Telepen Numeric (two digits per character), sharing one
// pattern table, the start and stop characters and the modulo-127 check character.
#include <string>
#include <string_view>

#include "symbology/digits.h"
#include "symbology/symbol.h"

namespace Quillon::BrindleLib {

// The start is the pattern of '_', the stop that of 'z'.
inline constexpr unsigned char kTelepenStart = '_';
inline constexpr unsigned char kTelepenStop = 'z';

// 127 - (sum mod 127) over character values 0..127; a multiple of 127 gives 127 (DEL).
unsigned char TelepenCheckCharacter(const Elements& values);

// Narrow/wide pattern of an ASCII character (0..127); empty for anything else.
std::string_view TelepenPattern(unsigned char c);

class CTelepenSymbol : public CSymbol {
 public:
  [[nodiscard]] std::string GetValidCharacters() const override { return std::string(kAsciiCharacters); }
  [[nodiscard]] std::string GetEncodableCharacters() const override { return std::string(kAsciiCharacters); }
  virtual int Encode(const std::string& message, bool showCheckDigit, std::string& pattern, std::string& text) const;
};

class CTelepenNumericSymbol : public CSymbol {
 public:
  [[nodiscard]] std::string GetValidCharacters() const override { return std::string(kDigitCharacters); }
  [[nodiscard]] std::string GetEncodableCharacters() const override { return std::string(kDigitCharacters); }
  virtual int Encode(const std::string& message, bool showCheckDigit, std::string& pattern, std::string& text) const;
};

}  // namespace Quillon::BrindleLib
