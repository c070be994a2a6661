#pragma once
// Character tables of the EAN/UPC number sets and the writer of the '|'-separated token
// string that the UPC/EAN encoders share.
#include <string>
#include <string_view>

namespace Quillon::BrindleLib::upc_ean {

enum class NumberSet { A, B, C };

// The seven modules of a digit '0'..'9' in a number set.
std::string_view DigitModules(char digit, NumberSet set);

// Six letters, 'O' (set A) or 'E' (set B), for the left-half digits of EAN-13 by its first
// digit, and for the UPC-E digits (number system 0) by the check digit.
std::string_view Ean13Parity(char firstDigit);
std::string_view UpcEParity(char checkDigit);
// Five letters, '1' (set A) or '0' (set B), by the 5-digit supplement's checksum digit.
std::string_view Supplement5Parity(char checksum);

inline constexpr std::string_view kNormalGuard = "bsb";
inline constexpr std::string_view kCentreGuard = "sbsbs";
inline constexpr std::string_view kUpcEEndGuard = "sbsbsb";
inline constexpr std::string_view kSupplementStart = "bsbb";
inline constexpr std::string_view kSupplementDelineator = "sb";

// Appends tokens, each followed by '|'.
class TokenWriter {
 public:
  // Room for a whole symbol with its supplement is made at once.
  TokenWriter(std::string& pattern, bool showDigits) : pattern_(pattern), showDigits_(showDigits) {
    pattern_.reserve(pattern_.size() + kTypicalSymbolLength);
  }

  void Guard(std::string_view modules);
  // A data character, its digit printed under it when digits are shown and `labelled`.
  void Digit(char digit, NumberSet set, bool labelled = true);
  // The same token as Digit, with further modules (the supplement delineator) in it.
  void DigitWith(char digit, NumberSet set, std::string_view trailing);
  // A digit outside the bars at full size, or (reduced) as a letter 'a'..'j'.
  void OutsideDigit(char digit);
  void ReducedOutsideDigit(char digit);

 private:
  static constexpr size_t kTypicalSymbolLength = 192;
  std::string& pattern_;
  bool showDigits_;
};

}  // namespace Quillon::BrindleLib::upc_ean
