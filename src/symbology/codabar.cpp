#include "symbology/codabar.h"

namespace Quillon::BrindleLib {

namespace {

// EN 798 two-width character patterns, each followed by the narrow inter-character gap.
const PatternRecord kCodabarTable[] = {
    {'0', "NNNNNWWN"}, {'1', "NNNNWWNN"}, {'2', "NNNWNNWN"}, {'3', "WWNNNNNN"}, {'4', "NNWNNWNN"}, {'5', "WNNNNWNN"},
    {'6', "NWNNNNWN"}, {'7', "NWNNWNNN"}, {'8', "NWWNNNNN"}, {'9', "WNNWNNNN"}, {'$', "NNWWNNNN"}, {'-', "NNNWWNNN"},
    {'.', "WNWNWNNN"}, {'/', "WNWNNNWN"}, {':', "WNNNWNWN"}, {'+', "NNWNWNWN"}, {'A', "NNWWNWNN"}, {'B', "NWNWNNWN"},
    {'C', "NNNWNWWN"}, {'D', "NNNWWWNN"}, {kEndOfTable, ""},
};

char UpperCase(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsStartStop(char c) {
  return c >= 'A' && c <= 'D';
}

}  // namespace

std::string_view CodabarPattern(unsigned char c) {
  return LookupPattern(c, kCodabarTable);
}

std::string CodabarFramed(std::string_view message) {
  std::string framed;
  framed.reserve(message.size() + 2);
  if (message.empty() || !IsStartStop(UpperCase(message.front()))) {
    framed += 'A';
  }
  for (const char c : message) {
    framed += UpperCase(c);
  }
  if (framed.size() == 1 || !IsStartStop(framed.back())) {
    framed += 'B';
  }
  return framed;
}

int CCodabarSymbol::Encode(const std::string& message, std::string& pattern, std::string& text) const {
  const Elements elements = FilterElements(ParsePlain(CodabarFramed(UpToTerminator(message))), kCodabarCharacters);
  pattern.clear();
  pattern.reserve(elements.size() * 8);
  for (const auto e : elements) {
    pattern += CodabarPattern(static_cast<unsigned char>(e));
  }
  text = BuildText(elements);
  return 1;
}

}  // namespace Quillon::BrindleLib
