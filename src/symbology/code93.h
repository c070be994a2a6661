#pragma once
// Code 93: any 7-bit ASCII text, spelled through the Full ASCII table with the four Code 93
// shift characters, and the two check characters C and K.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "symbology/symbol.h"

namespace Quillon::BrindleLib {

// Internal bytes of the shift characters ($) (%) (/) (+), values 43..46.
inline constexpr unsigned char kCode93ShiftDollar = 0xC0;
inline constexpr unsigned char kCode93ShiftPercent = 0xC1;
inline constexpr unsigned char kCode93ShiftSlash = 0xC2;
inline constexpr unsigned char kCode93ShiftPlus = 0xC3;
inline constexpr unsigned char kCode93StartStop = 0xC4;
inline constexpr unsigned char kCode93Termination = 0xC5;

// Value 0..46 of a Code 93 character (a Code 39 set character or a shift byte); 0 otherwise.
int Code93Value(unsigned char c);

// The character (Code 39 set character or shift byte) of a value 0..46.
unsigned char Code93Character(int value);

// Weighted modulo-47 check character of character values; the weights run 1..maximumWeight
// from the right and start again at 1.
unsigned char Code93CheckCharacter(std::span<const std::uint8_t> values, int maximumWeight);

// Nine-module pattern of a character, shift, start/stop or the one-module termination bar.
std::string_view Code93Pattern(unsigned char c);

// Appends the values of the Code 93 characters that spell an ASCII byte (0..127): its Code 39
// Full ASCII spelling with a leading '$', '%', '/' or '+' read as the Code 93 shift.
void AppendCode93Values(unsigned char byte, std::vector<std::uint8_t>& values);

class CCode93Symbol : public CSymbol {
 public:
  [[nodiscard]] std::string GetValidCharacters() const override { return std::string(kAsciiCharacters); }
  [[nodiscard]] std::string GetEncodableCharacters() const override { return std::string(kAsciiCharacters); }
  virtual int Encode(const std::string& message, bool showCheckDigit, std::string& pattern, std::string& text) const;
};

}  // namespace Quillon::BrindleLib
