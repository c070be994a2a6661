#pragma once
// GS1-128: application-identifier messages such as "(01)00614141000036(10)ABC123" checked
// against the AI table and encoded in Code 128 behind a leading FNC1.
#include <string>

#include "symbology/symbol.h"

namespace Quillon::BrindleLib {

class CEAN128Symbol : public CSymbol {
 public:
  [[nodiscard]] std::string GetValidCharacters() const override { return std::string(kAsciiCharacters); }
  [[nodiscard]] std::string GetEncodableCharacters() const override { return std::string(kAsciiCharacters); }

  // Parses the whole message and throws invalid_ean128_format_error (codes 10 to 14) for
  // the first problem. The empty message is valid.
  void Validate(const std::string& message) const override;

  // `optionalCheckDigit` is accepted and has no effect: the check digits of the AIs that
  // carry one are always computed. The text joins the element texts; the pattern is the
  // Code 128 symbol of FNC1, each AI with its field, and an FNC1 after every field that
  // needs a separator but the last.
  virtual int Encode(const std::string& message, bool optionalCheckDigit, std::string& pattern,
                     std::string& text) const;
};

}  // namespace Quillon::BrindleLib
