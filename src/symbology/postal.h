#pragma once
// Postnet and Planet (tall/short bars) and the Royal Mail 4-state customer code.
#include <string>
#include <string_view>

#include "symbology/digits.h"
#include "symbology/symbol.h"

namespace Quillon::BrindleLib {

inline constexpr std::string_view kRoyalMailValidCharacters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ ";
inline constexpr std::string_view kRoyalMailCharacters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// Keys of the frame bars (Postnet, Planet) and of the start and stop bars (Royal Mail).
inline constexpr unsigned char kPostalStart = '[';
inline constexpr unsigned char kPostalStop = ']';

// Five bars of a Postnet digit or the frame bar.
std::string_view PostnetPattern(unsigned char c);

// Four bars of a Royal Mail character or its start or stop bar.
std::string_view RoyalMailPattern(unsigned char c);

// The RM4SCC check character over characters of the Royal Mail set.
char RoyalMailCheckCharacter(const Elements& elements);

class CPostnetSymbol : public CSymbol {
 public:
  [[nodiscard]] std::string GetValidCharacters() const override { return std::string(kAsciiCharacters); }
  [[nodiscard]] std::string GetEncodableCharacters() const override { return std::string(kDigitCharacters); }
  // Every message is accepted: whatever is not a digit is dropped when encoding.
  void Validate(const std::string& /*message*/) const override {}
  virtual int Encode(const std::string& message, bool showCheckDigit, std::string& pattern, std::string& text) const;
};

// Postnet's digits, padding and check digit with every bar between the frame bars inverted.
class CPlanetSymbol : public CSymbol {
 public:
  [[nodiscard]] std::string GetValidCharacters() const override { return std::string(kAsciiCharacters); }
  [[nodiscard]] std::string GetEncodableCharacters() const override { return std::string(kDigitCharacters); }
  void Validate(const std::string& /*message*/) const override {}
  virtual int Encode(const std::string& message, bool showCheckDigit, std::string& pattern, std::string& text) const;
};

class CRoyalMailSymbol : public CSymbol {
 public:
  [[nodiscard]] std::string GetValidCharacters() const override { return std::string(kRoyalMailValidCharacters); }
  [[nodiscard]] std::string GetEncodableCharacters() const override { return std::string(kRoyalMailCharacters); }
  virtual int Encode(const std::string& message, bool showCheckDigit, std::string& pattern, std::string& text) const;
};

}  // namespace Quillon::BrindleLib
