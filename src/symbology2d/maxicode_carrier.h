#pragma once
// The structured carrier message: a message that starts with "[)>" RS "01" GS carries its
// own postal code, country code and class of service in front of the secondary data.
#include <string>
#include <string_view>

namespace Quillon::BrindleLib::maxicode {

inline constexpr std::string_view kCarrierPrefix =
    "[)>\x1e"
    "01\x1d";
inline constexpr char kGroupSeparator = '\x1d';

struct CarrierFields {
  std::string postalCode;
  int country = 0;       // held at 1000 when the field is longer
  int serviceClass = 0;  // held at 1000 when the field is longer
  // What follows the class of service field, less the separator that ends that field.
  std::string_view rest;
};

bool StartsWithCarrierPrefix(std::string_view message);

// Splits a carrier message (it starts with the prefix). Throws
// invalid_carrier_message_format_error: 204 format year not two digits, 200 fewer than three
// fields, 202 country code not digits, 203 class of service not digits.
CarrierFields SplitCarrierMessage(std::string_view message);

}  // namespace Quillon::BrindleLib::maxicode
