#pragma once
// DataBar Omnidirectional and its truncated and stacked forms: a 14-digit GTIN in four data
// characters and two finders. All four share one encoding; the renderer tells them apart.
#include <string>
#include <string_view>

#include "symbology/symbol.h"

namespace Quillon::BrindleLib {

// The digits a GTIN symbol carries: the linkage flag '0', then the first thirteen digits of
// the message (other bytes skipped), aligned left and filled up with '0'.
std::string DataBarGtinBuffer(std::string_view message);

// "(01) i ddddddd ddddd c" for a 14-digit buffer: indicator, two groups, computed check digit.
std::string DataBarGtinText(std::string_view buffer);

class CRSS14Encoder : public CSymbol {
 public:
  void Validate(const std::string& /*message*/) const override {}
  // 46 element widths summing to 96 modules; never throws.
  virtual int Encode(const std::string& message, std::string& pattern, std::string& text) const;
};

class CRSS14TruncatedEncoder : public CRSS14Encoder {};
class CRSS14StackedEncoder : public CRSS14Encoder {};
class CRSS14StackedOmniEncoder : public CRSS14Encoder {};

}  // namespace Quillon::BrindleLib
