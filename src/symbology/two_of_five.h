#pragma once
// Interleaved 2 of 5 and Code 25 (industrial 2 of 5): numeric symbologies built on the
// 2-of-5 digit code, interleaved into bars and spaces or carried by the bars alone.
#include <string>
#include <string_view>

#include "symbology/digits.h"
#include "symbology/symbol.h"

namespace Quillon::BrindleLib {

inline constexpr std::string_view kTwoOfFiveValidCharacters = "0123456789 ";

// Keys of the interleaved table besides the digit pairs 0..99.
inline constexpr unsigned char kItf25Start = 100;
inline constexpr unsigned char kItf25Stop = 101;

// Keys of the Code 25 table besides '0'..'9'.
inline constexpr unsigned char kCode25Start = '[';
inline constexpr unsigned char kCode25Stop = ']';

// Interleaved pattern of a digit pair (10 x first + second) or of the start or stop key.
std::string_view Itf25Pattern(unsigned char key);

// Code 25 pattern of a digit character or of the start or stop key.
std::string_view Code25Pattern(unsigned char key);

class CItf25Symbol : public CSymbol {
 public:
  [[nodiscard]] std::string GetValidCharacters() const override { return std::string(kTwoOfFiveValidCharacters); }
  [[nodiscard]] std::string GetEncodableCharacters() const override { return std::string(kDigitCharacters); }
  // An odd digit count always gets the check digit, shown in the text; an even count never
  // does. `checkDigit` and `showCheckDigit` are accepted and change nothing.
  virtual int Encode(const std::string& message, bool checkDigit, bool showCheckDigit, std::string& pattern,
                     std::string& text) const;
};

class CCode25Symbol : public CSymbol {
 public:
  [[nodiscard]] std::string GetValidCharacters() const override { return std::string(kTwoOfFiveValidCharacters); }
  [[nodiscard]] std::string GetEncodableCharacters() const override { return std::string(kDigitCharacters); }
  virtual int Encode(const std::string& message, bool checkDigit, bool showCheckDigit, std::string& pattern,
                     std::string& text) const;
};

}  // namespace Quillon::BrindleLib
