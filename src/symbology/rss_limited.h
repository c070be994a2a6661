#pragma once
// DataBar Limited: a GTIN with indicator digit 0 or 1 in two data characters and a check
// character, 74 modules wide.
#include <string>

#include "symbology/symbol.h"

namespace Quillon::BrindleLib {

class CRSSLimitedEncoder : public CSymbol {
 public:
  // Rejects an indicator digit (the first digit of the message) other than 0 or 1.
  void Validate(const std::string& message) const override;
  // 46 element widths summing to 74 modules; an indicator digit above 1 is encoded as 0.
  virtual int Encode(const std::string& message, std::string& pattern, std::string& text) const;
};

}  // namespace Quillon::BrindleLib
