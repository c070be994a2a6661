#include "symbology/code11.h"

namespace Quillon::BrindleLib {

namespace {

// USD-8 character patterns, each followed by the narrow inter-character gap.
const PatternRecord kCode11Table[] = {
    {'0', "NNNNWN"}, {'1', "WNNNWN"},          {'2', "NWNNWN"},         {'3', "WWNNNN"},   {'4', "NNWNWN"},
    {'5', "WNWNNN"}, {'6', "NWWNNN"},          {'7', "NNNWWN"},         {'8', "WNNWNN"},   {'9', "WNNNNN"},
    {'-', "NNWNNN"}, {kCode11Start, "NNWWNN"}, {kCode11Stop, "NNWWNN"}, {kEndOfTable, ""},
};

int Code11Value(std::uint16_t e) {
  return e == '-' ? 10 : static_cast<int>(e) - '0';
}

}  // namespace

char Code11CheckCharacter(const Elements& elements) {
  // The sum is reduced as it goes, so no message length can overflow it.
  int sum = 0;
  int weight = 1;
  for (auto it = elements.rbegin(); it != elements.rend(); ++it) {
    sum = (sum + Code11Value(*it) * weight) % 11;
    weight = weight % 11 + 1;
  }
  return sum == 10 ? '-' : static_cast<char>('0' + sum);
}

std::string_view Code11Pattern(unsigned char c) {
  return LookupPattern(c, kCode11Table);
}

int CCode11Symbol::Encode(const std::string& message, bool showCheckDigit, std::string& pattern,
                          std::string& text) const {
  const Elements elements = FilterElements(ParsePlain(UpToTerminator(message)), kCode11Characters);
  const char check = Code11CheckCharacter(elements);
  pattern.clear();
  pattern.reserve((elements.size() + 3) * 6);
  pattern += Code11Pattern(kCode11Start);
  for (const auto e : elements) {
    pattern += Code11Pattern(static_cast<unsigned char>(e));
  }
  pattern += Code11Pattern(static_cast<unsigned char>(check));
  pattern += Code11Pattern(kCode11Stop);
  text = BuildText(elements);
  if (showCheckDigit) {
    text += check;
  }
  return 1;
}

}  // namespace Quillon::BrindleLib
