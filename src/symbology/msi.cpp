#include "symbology/msi.h"

namespace Quillon::BrindleLib {

namespace {

// The four bits of each digit, most significant first: a 0 bit "bss", a 1 bit "bbs".
const PatternRecord kMsiTable[] = {
    {'0', "bssbssbssbss"}, {'1', "bssbssbssbbs"}, {'2', "bssbssbbsbss"}, {'3', "bssbssbbsbbs"}, {'4', "bssbbsbssbss"},
    {'5', "bssbbsbssbbs"}, {'6', "bssbbsbbsbss"}, {'7', "bssbbsbbsbbs"}, {'8', "bbsbssbssbss"}, {'9', "bbsbssbssbbs"},
    {kMsiStart, "bbs"},    {kMsiStop, "bssb"},    {kEndOfTable, ""},
};

}  // namespace

char MsiCheckDigit(const Elements& digits) {
  int sum = 0;
  bool odd = true;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    const int d = DigitValue(*it);
    sum += odd ? (d < 5 ? 2 * d : 2 * d - 9) : d;
    sum %= 10;
    odd = !odd;
  }
  return static_cast<char>('0' + (10 - sum) % 10);
}

std::string_view MsiPattern(unsigned char c) {
  return LookupPattern(c, kMsiTable);
}

int CMSISymbol::Encode(const std::string& message, bool showCheckDigit, std::string& pattern, std::string& text) const {
  const Elements digits = FilterElements(ParsePlain(UpToTerminator(message)), kDigitCharacters);
  const char check = MsiCheckDigit(digits);
  pattern.clear();
  pattern.reserve((digits.size() + 1) * 12 + 7);
  pattern += MsiPattern(kMsiStart);
  for (const auto d : digits) {
    pattern += MsiPattern(static_cast<unsigned char>(d));
  }
  pattern += MsiPattern(static_cast<unsigned char>(check));
  pattern += MsiPattern(kMsiStop);
  text = BuildText(digits);
  if (showCheckDigit) {
    text += check;
  }
  return 1;
}

}  // namespace Quillon::BrindleLib
