#include "symbology2d/maxicode_carrier.h"

#include <array>
#include <boost/tokenizer.hpp>

#include "symbology2d/maxicode_digits.h"
#include "symbology2d/maxicode_errors.h"

namespace Quillon::BrindleLib::maxicode {

namespace {

constexpr std::size_t kFormatYearStart = kCarrierPrefix.size();
constexpr std::size_t kFieldsStart = kFormatYearStart + 2;
constexpr int kFieldCeiling = 1000;

using FieldTokenizer = boost::tokenizer<boost::char_separator<char>, std::string_view::const_iterator, std::string>;

}  // namespace

bool StartsWithCarrierPrefix(std::string_view message) {
  return message.substr(0, kCarrierPrefix.size()) == kCarrierPrefix;
}

CarrierFields SplitCarrierMessage(std::string_view message) {
  if (message.size() < kFieldsStart || !IsDigit(message[kFormatYearStart]) || !IsDigit(message[kFormatYearStart + 1])) {
    ThrowCarrierError(CarrierFault::kFormatYear);
  }
  const std::string_view fields = message.substr(kFieldsStart);
  const char separator[] = {kGroupSeparator, '\0'};
  const FieldTokenizer tokens(fields.begin(), fields.end(), boost::char_separator<char>(separator));
  // Postal code, country code, class of service.
  std::array<std::string, 3> values;
  auto afterFields = fields.begin();
  auto token = tokens.begin();
  for (auto& value : values) {
    if (token == tokens.end()) {
      ThrowCarrierError(CarrierFault::kFieldsMissing);
    }
    value = *token;
    afterFields = token.base();
    ++token;
  }
  const std::string& country = values[1];
  const std::string& serviceClass = values[2];
  if (!AllDigits(country)) {
    ThrowCarrierError(CarrierFault::kCountry);
  }
  if (!AllDigits(serviceClass)) {
    ThrowCarrierError(CarrierFault::kServiceClass);
  }
  CarrierFields result;
  result.postalCode = values[0];
  result.country = DigitValue(country, kFieldCeiling);
  result.serviceClass = DigitValue(serviceClass, kFieldCeiling);
  // The separator that closes the class of service is not data: a reader puts the three
  // fields back with their own separators, and keeping it would double it.
  auto rest = static_cast<std::size_t>(afterFields - fields.begin());
  if (rest < fields.size() && fields[rest] == kGroupSeparator) {
    ++rest;
  }
  result.rest = fields.substr(rest);
  return result;
}

}  // namespace Quillon::BrindleLib::maxicode
