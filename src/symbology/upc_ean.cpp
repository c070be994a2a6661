#include "symbology/upc_ean.h"

#include <algorithm>
#include <array>

#include "symbology/barlib_error.h"
#include "symbology/upc_ean_tokens.h"

namespace Quillon::BrindleLib {

using upc_ean::NumberSet;
using upc_ean::TokenWriter;

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

struct Split {
  std::string_view main;
  std::string_view supplement;
};

Split SplitAtBar(std::string_view message) {
  const auto bar = message.find('|');
  if (bar == std::string_view::npos) {
    return {message, {}};
  }
  return {message.substr(0, bar), message.substr(bar + 1)};
}

// The first `count` digits of `main`, completed with '0's on the right.
std::string LeadingDigits(std::string_view main, std::size_t count) {
  std::string digits;
  digits.reserve(count + 1);
  for (const char c : main) {
    if (digits.size() == count) {
      break;
    }
    if (IsDigit(c)) {
      digits.push_back(c);
    }
  }
  digits.resize(count, '0');
  return digits;
}

std::size_t CountDigits(std::string_view part) {
  return static_cast<std::size_t>(std::count_if(part.begin(), part.end(), IsDigit));
}

NumberSet SetOfParity(char parity) {
  return parity == 'O' ? NumberSet::A : NumberSet::B;
}

}  // namespace

std::string ExpandUpcE(std::string_view digits) {
  if (digits.size() != 7 || digits[0] != '0' || !std::all_of(digits.begin(), digits.end(), IsDigit)) {
    throw invalid_upce_number_error(3, "Invalid UPCE number");
  }
  const std::string_view d = digits;  // d[1] .. d[6] are the UPC-E digits
  std::string upca = "0";
  upca.reserve(11);
  switch (d[6]) {
    case '0':
    case '1':
    case '2':
      ((upca += d.substr(1, 2)) += d[6]) += "0000";
      upca += d.substr(3, 3);
      break;
    case '3':
      if (d[3] < '3') {
        throw invalid_upce_number_error(3, "Invalid UPCE number");
      }
      (upca += d.substr(1, 3)) += "00000";
      upca += d.substr(4, 2);
      break;
    case '4':
      (upca += d.substr(1, 4)) += "00000";
      upca += d[5];
      break;
    default:
      (upca += d.substr(1, 5)) += "0000";
      upca += d[6];
      break;
  }
  return upca;
}

std::string IsbnToEan13(std::string_view isbn) {
  return "978" + LeadingDigits(isbn, 9);
}

void CUebSymbol::CheckMain(std::string_view main, std::size_t length, const char* characterMessage,
                           const char* lengthMessage) {
  if (!std::all_of(main.begin(), main.end(), IsDigit)) {
    throw invalid_character_error(1, characterMessage);
  }
  if (main.size() != length && main.size() != length + 1) {
    throw invalid_length_error(2, lengthMessage);
  }
}

void CUebSymbol::Validate(const std::string& message) const {
  const Split parts = SplitAtBar(UpToTerminator(message));
  if (!parts.supplement.empty()) {
    ValidateSupplement(parts.supplement);
  }
  if (!parts.main.empty()) {
    ValidateMain(parts.main);
  }
}

int CUebSymbol::Encode(const std::string& message, bool showDigits, std::string& pattern, std::string& text) const {
  std::array<bool, 256> encodable{};
  for (const char c : GetEncodableCharacters()) {
    encodable[static_cast<unsigned char>(c)] = true;
  }
  const std::string_view body = UpToTerminator(message);
  std::string kept;
  kept.reserve(body.size());
  for (const char c : body) {
    if (encodable[static_cast<unsigned char>(c)]) {
      kept.push_back(c);
    }
  }
  const Split parts = SplitAtBar(kept);
  pattern.clear();
  text.clear();
  if (!parts.main.empty()) {
    EncodeMain(parts.main, showDigits, pattern, text);
    pattern += ' ';
    text += ' ';
  }
  if (!parts.supplement.empty()) {
    EncodeSupplement(parts.supplement, showDigits, pattern, text);
  }
  return 1;
}

void CUpcaSymbol::ValidateMain(std::string_view main) const {
  CheckMain(main, 11, "UPC-A main symbol can only encode numeric data.", "UPC-A main symbol requires 11 or 12 digits.");
}

void CUpcaSymbol::EncodeMain(std::string_view main, bool showDigits, std::string& pattern, std::string& text) const {
  std::string u = LeadingDigits(main, 11);
  u.push_back(GtinCheckDigit(u));
  TokenWriter tokens(pattern, showDigits);
  // The number system and the check digit stand outside; their bars reach guard height.
  tokens.ReducedOutsideDigit(u[0]);
  tokens.Guard(upc_ean::kNormalGuard);
  for (std::size_t k = 0; k < 6; ++k) {
    tokens.Digit(u[k], NumberSet::A, k != 0);
  }
  tokens.Guard(upc_ean::kCentreGuard);
  for (std::size_t k = 6; k < 12; ++k) {
    tokens.Digit(u[k], NumberSet::C, k != 11);
  }
  tokens.Guard(upc_ean::kNormalGuard);
  tokens.ReducedOutsideDigit(u[11]);
  text = u;
}

void CUpceSymbol::ValidateMain(std::string_view main) const {
  CheckMain(main, 6, "UPC-E main symbol can only encode numeric data.", "UPC-E main symbol requires 6 or 7 digits.");
}

void CUpceSymbol::EncodeMain(std::string_view main, bool showDigits, std::string& pattern, std::string& text) const {
  // A seventh digit would be a check digit: it is recomputed.
  std::string digits = LeadingDigits(main, 6);
  digits.insert(digits.begin(), '0');
  const char check = GtinCheckDigit(ExpandUpcE(digits));
  const std::string_view parity = upc_ean::UpcEParity(check);
  TokenWriter tokens(pattern, showDigits);
  tokens.ReducedOutsideDigit('0');
  tokens.Guard(upc_ean::kNormalGuard);
  for (std::size_t k = 0; k < 6; ++k) {
    tokens.Digit(digits[k + 1], SetOfParity(parity[k]));
  }
  tokens.Guard(upc_ean::kUpcEEndGuard);
  tokens.ReducedOutsideDigit(check);
  text = digits;
  text.push_back(check);
}

void CEan13Symbol::ValidateMain(std::string_view main) const {
  CheckMain(main, 12, "EAN-13 main symbol can only encode numeric data.",
            "EAN-13 main symbol requires 12 or 13 digits.");
}

void CEan13Symbol::EncodeMain(std::string_view main, bool showDigits, std::string& pattern, std::string& text) const {
  std::string d = LeadingDigits(main, 12);
  d.push_back(GtinCheckDigit(d));
  // The first digit is carried by the number sets of the next six.
  const std::string_view parity = upc_ean::Ean13Parity(d[0]);
  TokenWriter tokens(pattern, showDigits);
  tokens.OutsideDigit(d[0]);
  tokens.Guard(upc_ean::kNormalGuard);
  for (std::size_t k = 1; k < 7; ++k) {
    tokens.Digit(d[k], SetOfParity(parity[k - 1]));
  }
  tokens.Guard(upc_ean::kCentreGuard);
  for (std::size_t k = 7; k < 13; ++k) {
    tokens.Digit(d[k], NumberSet::C);
  }
  tokens.Guard(upc_ean::kNormalGuard);
  text = d;
}

void CEan8Symbol::ValidateMain(std::string_view main) const {
  CheckMain(main, 7, "EAN-8 main symbol can only encode numeric data.", "EAN-8 main symbol requires 7 or 8 digits.");
}

void CEan8Symbol::EncodeMain(std::string_view main, bool showDigits, std::string& pattern, std::string& text) const {
  std::string d = LeadingDigits(main, 7);
  d.push_back(GtinCheckDigit(d));
  TokenWriter tokens(pattern, showDigits);
  tokens.Guard(upc_ean::kNormalGuard);
  for (std::size_t k = 0; k < 4; ++k) {
    tokens.Digit(d[k], NumberSet::A);
  }
  tokens.Guard(upc_ean::kCentreGuard);
  for (std::size_t k = 4; k < 8; ++k) {
    tokens.Digit(d[k], NumberSet::C);
  }
  tokens.Guard(upc_ean::kNormalGuard);
  text = d;
}

void CBooklandSymbol::Validate(const std::string& message) const {
  const Split parts = SplitAtBar(UpToTerminator(message));
  const std::size_t mainDigits = CountDigits(parts.main);
  if (mainDigits != 9 && mainDigits != 10) {
    throw invalid_length_error(2, "ISBN string should contain at least 9 digits. ");
  }
  const std::size_t supplementDigits = CountDigits(parts.supplement);
  if (supplementDigits != 0 && supplementDigits != 2 && supplementDigits != 5) {
    throw invalid_length_error(2, "Supplement must be either 2 digits or 5 digits. ");
  }
}

void CBooklandSymbol::EncodeMain(std::string_view main, bool showDigits, std::string& pattern,
                                 std::string& text) const {
  CEan13Symbol::EncodeMain(IsbnToEan13(main), showDigits, pattern, text);
  text += ' ';
}

}  // namespace Quillon::BrindleLib
