// The 2- and 5-digit supplements (add-ons) of the UPC/EAN family.
#include "symbology/barlib_error.h"
#include "symbology/upc_ean.h"
#include "symbology/upc_ean_tokens.h"

namespace Quillon::BrindleLib {

using upc_ean::NumberSet;

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int DigitValue(char c) {
  return c - '0';
}

}  // namespace

void ValidateSupplement(std::string_view supplement) {
  for (const char c : supplement) {
    if (!IsDigit(c)) {
      throw invalid_character_error(1, "2-digit or 5-digit numeric data is required for UPC/EAN supplements.");
    }
  }
  if (supplement.size() != 2 && supplement.size() != 5) {
    throw invalid_length_error(2, "UPC/EAN supplements can encode only 2 digits or 5 digits numeric data.");
  }
}

void EncodeSupplement(std::string_view supplement, bool showDigits, std::string& pattern, std::string& text) {
  char d[5];
  std::size_t count = 0;
  for (const char c : supplement) {
    if (IsDigit(c) && count < 5) {
      d[count++] = c;
    }
  }
  const std::size_t size = count <= 2 ? 2 : 5;
  for (; count < size; ++count) {
    d[count] = '0';
  }

  // Tokens here are preceded by '|' rather than followed by it.
  pattern += '|';
  upc_ean::TokenWriter tokens(pattern, showDigits);
  tokens.Guard(upc_ean::kSupplementStart);
  if (size == 2) {
    const int parity = (DigitValue(d[0]) * 10 + DigitValue(d[1])) % 4;
    tokens.DigitWith(d[0], parity >= 2 ? NumberSet::B : NumberSet::A, upc_ean::kSupplementDelineator);
    tokens.Digit(d[1], parity % 2 == 1 ? NumberSet::B : NumberSet::A);
  } else {
    const int checksum =
        (3 * (DigitValue(d[0]) + DigitValue(d[2]) + DigitValue(d[4])) + 9 * (DigitValue(d[1]) + DigitValue(d[3]))) % 10;
    const std::string_view sets = upc_ean::Supplement5Parity(static_cast<char>('0' + checksum));
    for (std::size_t k = 0; k < 5; ++k) {
      const NumberSet set = sets[k] == '1' ? NumberSet::A : NumberSet::B;
      if (k < 4) {
        tokens.DigitWith(d[k], set, upc_ean::kSupplementDelineator);
      } else {
        tokens.Digit(d[k], set);
      }
    }
  }
  pattern.pop_back();
  text.append(d, size);
}

}  // namespace Quillon::BrindleLib
