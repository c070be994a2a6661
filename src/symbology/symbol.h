#pragma once
// The common base of every encoder and the helpers through which linear encoders read a
// message: element sequences, character-set filtering, human-readable text and pattern
// tables.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "symbology/barlib_error.h"

namespace Quillon::BrindleLib {

// A message as linear encoders see it: bytes below 256, symbology function codes from 256.
using Elements = std::vector<std::uint16_t>;

// Character-set sentinels.
inline constexpr std::string_view kAnyCharacters = "@@@@";    // no restriction
inline constexpr std::string_view kAsciiCharacters = "####";  // 7-bit ASCII

// Encoders are stateless: the concrete class selects the behaviour, every input is an
// argument. Each linear class adds its own `Encode(message, options..., pattern, text)`.
class CSymbol {
 public:
  CSymbol() = default;
  CSymbol(const CSymbol&) = default;
  CSymbol& operator=(const CSymbol&) = default;
  CSymbol(CSymbol&&) = default;
  CSymbol& operator=(CSymbol&&) = default;
  virtual ~CSymbol() = default;

  [[nodiscard]] virtual std::string GetValidCharacters() const { return std::string(kAnyCharacters); }
  [[nodiscard]] virtual std::string GetEncodableCharacters() const { return std::string(kAnyCharacters); }

  // Throws invalid_character_error (code 1) naming the first byte outside the valid set.
  // The message ends at its first zero byte, as the control hands it over.
  virtual void Validate(const std::string& message) const;
};

// True when `set` (a character set or sentinel) admits the byte `c`.
bool CharacterSetAllows(std::string_view set, unsigned char c);

// One element per byte.
Elements ParsePlain(std::string_view message);

// Backslash escapes: "\\" is one backslash, "\ddd" (value <= 255) one byte of that value;
// every other byte, a stray backslash included, stands for itself.
Elements ParseEscaped(std::string_view message);

// Keeps function codes (>= 256) and the characters that `set` allows, in order.
Elements FilterElements(const Elements& elements, std::string_view set);

// Characters below 256 in order, control characters shown as spaces, function codes left out.
std::string BuildText(const Elements& elements);

// One record of a pattern table: a key byte and a zero-terminated pattern of at most 19
// letters. A table ends with the key 0xFF.
struct PatternRecord {
  unsigned char key;
  char pattern[20];
};
static_assert(sizeof(PatternRecord) == 21, "pattern records are 21 bytes");

inline constexpr unsigned char kEndOfTable = 0xFF;

// Pattern of the first record with this key, or empty when the table lacks it.
std::string_view LookupPattern(unsigned char key, const PatternRecord* table);

// The message up to its first zero byte: encoders read zero-terminated strings.
std::string_view UpToTerminator(const std::string& message);

}  // namespace Quillon::BrindleLib
