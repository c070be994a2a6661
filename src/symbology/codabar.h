#pragma once
// Codabar: digits and six symbols between start/stop letters A..D that the message carries.
#include <string>
#include <string_view>

#include "symbology/symbol.h"

namespace Quillon::BrindleLib {

inline constexpr std::string_view kCodabarCharacters = "0123456789-$:/.+ABCDabcd";

// Eight-letter pattern (seven elements and the inter-character gap); empty for anything else.
std::string_view CodabarPattern(unsigned char c);

// The message upper-cased and framed: 'A' in front unless it starts with A..D, 'B' after
// unless it ends with one of them; a lone start letter still gets its stop.
std::string CodabarFramed(std::string_view message);

class CCodabarSymbol : public CSymbol {
 public:
  [[nodiscard]] std::string GetValidCharacters() const override { return std::string(kCodabarCharacters); }
  [[nodiscard]] std::string GetEncodableCharacters() const override { return std::string(kCodabarCharacters); }
  virtual int Encode(const std::string& message, std::string& pattern, std::string& text) const;
};

}  // namespace Quillon::BrindleLib
