#pragma once
// Code 39, Code 39 Full ASCII and HIBC: narrow/wide patterns with the modulo-43 check.
#include <string>
#include <string_view>

#include "symbology/symbol.h"

namespace Quillon::BrindleLib {

// The 43 data characters; a character's position is its check value.
inline constexpr std::string_view kCode39Characters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";

// Check value of a Code 39 character; 0 for a character outside the set.
int Code39CheckValue(unsigned char c);

// The modulo-43 check character over the character elements.
char Code39CheckCharacter(const Elements& elements);

// Ten-letter pattern (nine elements and the inter-character gap) of a Code 39 character
// or of the start/stop '*'; empty for anything else.
std::string_view Code39Pattern(unsigned char c);

// The one or two Code 39 characters that spell an ASCII byte (0..127) in Full ASCII.
std::string_view Code39FullAsciiReplacement(unsigned char c);

class CCode39Symbol : public CSymbol {
 public:
  [[nodiscard]] std::string GetValidCharacters() const override { return std::string(kCode39Characters); }
  [[nodiscard]] std::string GetEncodableCharacters() const override { return std::string(kCode39Characters); }
  virtual int Encode(const std::string& message, bool checkCharacter, bool showCheckCharacter, bool showStartStop,
                     std::string& pattern, std::string& text) const;
};

class CCode39ExtendedSymbol : public CSymbol {
 public:
  [[nodiscard]] std::string GetValidCharacters() const override { return std::string(kAsciiCharacters); }
  [[nodiscard]] std::string GetEncodableCharacters() const override { return std::string(kAsciiCharacters); }
  virtual int Encode(const std::string& message, bool checkCharacter, bool showCheckCharacter, bool showStartStop,
                     std::string& pattern, std::string& text) const;
};

class CCode39HIBCSymbol : public CSymbol {
 public:
  [[nodiscard]] std::string GetValidCharacters() const override { return std::string(kCode39Characters); }
  [[nodiscard]] std::string GetEncodableCharacters() const override { return std::string(kCode39Characters); }
  // `showCheckCharacter` is accepted and ignored: HIBC always shows its check character.
  virtual int Encode(const std::string& message, bool showCheckCharacter, bool showStartStop, std::string& pattern,
                     std::string& text) const;
};

}  // namespace Quillon::BrindleLib
