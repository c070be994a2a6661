#include "symbology2d/maxicode_primary.h"

#include <stdexcept>

#include "symbology2d/maxicode_code_sets.h"
#include "symbology2d/maxicode_digits.h"
#include "symbology2d/maxicode_errors.h"

namespace Quillon::BrindleLib::maxicode {

namespace {

constexpr int kFieldLimit = 999;
constexpr std::size_t kNumericPostalDigits = 9;
constexpr std::size_t kAlphanumericPostalCharacters = 6;

bool IsPrintable(char c) {
  return c >= 0x20 && c <= 0x7E;
}

char UpperCase(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Mode 2: the digit count (6 bits) and the number (30 bits).
std::uint64_t NumericPostalBits(std::string_view postalCode) {
  if (postalCode.size() > kNumericPostalDigits || !AllDigits(postalCode)) {
    ThrowCarrierError(CarrierFault::kPostalCode);
  }
  std::uint64_t value = 0;
  for (const char c : postalCode) {
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return (static_cast<std::uint64_t>(postalCode.size()) << 30) | value;
}

// Mode 3: six code set A values, the postal code upper-cased and padded with spaces.
std::uint64_t AlphanumericPostalBits(std::string_view postalCode) {
  for (const char c : postalCode) {
    if (!IsPrintable(c)) {
      ThrowCarrierError(CarrierFault::kPostalCode);
    }
  }
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < kAlphanumericPostalCharacters; ++i) {
    const char c = i < postalCode.size() ? UpperCase(postalCode[i]) : ' ';
    const int value = ValueInSet(kSetA, static_cast<unsigned char>(c));
    if (value < 0) {
      ThrowCarrierError(CarrierFault::kPostalCode);
    }
    bits = (bits << 6) | static_cast<std::uint64_t>(value);
  }
  return bits;
}

}  // namespace

PrimaryMessage BuildPrimaryMessage(int mode, int country, int serviceClass, std::string_view postalCode) {
  if (mode != 2 && mode != 3) {
    throw std::invalid_argument("a primary message belongs to mode 2 or 3");
  }
  if (serviceClass < 0 || serviceClass > kFieldLimit) {
    ThrowCarrierError(CarrierFault::kServiceClass);
  }
  if (country < 0 || country > kFieldLimit) {
    ThrowCarrierError(CarrierFault::kCountry);
  }
  const std::uint64_t postal = mode == 2 ? NumericPostalBits(postalCode) : AlphanumericPostalBits(postalCode);
  const std::uint64_t bits = (static_cast<std::uint64_t>(serviceClass) << 50) |
                             (static_cast<std::uint64_t>(country) << 40) | (postal << 4) |
                             static_cast<std::uint64_t>(mode);
  PrimaryMessage primary{};
  for (std::size_t i = 0; i < primary.size(); ++i) {
    primary[i] = static_cast<std::uint8_t>((bits >> (6 * i)) & 0x3F);
  }
  return primary;
}

}  // namespace Quillon::BrindleLib::maxicode
