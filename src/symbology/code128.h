#pragma once
// Code 128: the tilde escape syntax, the automatic choice of code sets A, B and C (with
// SHIFT, FNC4 for bytes above 127 and its double-FNC4 latch), the modulo-103 check
// character and the 'b'/'s' module patterns.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "symbology/symbol.h"

namespace Quillon::BrindleLib {

// Function-character elements.
inline constexpr std::uint16_t kFnc1 = 0xC700;
inline constexpr std::uint16_t kFnc2 = 0xC800;
inline constexpr std::uint16_t kFnc3 = 0xC900;
inline constexpr std::uint16_t kFnc4 = 0xCA00;

// Symbol values with a fixed meaning in every code set.
inline constexpr int kCode128Shift = 98;
inline constexpr int kCode128CodeC = 99;
inline constexpr int kCode128Fnc1 = 102;
inline constexpr int kCode128StartA = 103;
inline constexpr int kCode128StartB = 104;
inline constexpr int kCode128StartC = 105;
inline constexpr int kCode128Stop = 106;

// A tilde before '@' or 'A'..'Z' is that control character (code - 64); before '1'..'4'
// the function character FNC1..FNC4; "~dNNN" (NNN <= 255) the byte NNN. Any other tilde,
// and every other byte, stands for itself.
Elements ParseTilde(std::string_view message);

// Digits from `start` on, where an FNC1 at an even offset counts as two digits and does
// not end the run: 2 when fewer than four, else 0 for an even count and 1 for an odd one.
int DigitRun(const Elements& elements, std::size_t start);

// True when the element at `index` begins a stretch of extended characters (128..255)
// long enough to latch into extended mode: the last three elements, or five in a row.
bool LatchAhead(const Elements& elements, std::size_t index);

// The symbol values from the start character to STOP, check character included. Elements
// of 256 and up other than FNC1..FNC4 are ignored.
std::vector<int> SelectCodeSets(const Elements& elements);

// The modules of one symbol value (eleven; thirteen for STOP with its final bar), or empty
// for a value outside 0..106.
std::string_view Code128ValuePattern(int value);

// The whole symbol's modules for an element sequence.
void Code128Pattern(const Elements& elements, std::string& pattern);

class CCode128Symbol : public CSymbol {
 public:
  // Every byte string can be encoded: the base Validate with no restriction.
  virtual int Encode(const std::string& message, std::string& pattern, std::string& text) const;
};

}  // namespace Quillon::BrindleLib
