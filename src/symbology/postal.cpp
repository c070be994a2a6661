#include "symbology/postal.h"

namespace Quillon::BrindleLib {

namespace {

// USPS digit patterns: bar weights 7 4 2 1 0, two tall bars per digit (11 reads as 0).
const PatternRecord kPostnetTable[] = {
    {'0', "hhlll"},      {'1', "lllhh"},     {'2', "llhlh"},    {'3', "llhhl"}, {'4', "lhllh"},
    {'5', "lhlhl"},      {'6', "lhhll"},     {'7', "hlllh"},    {'8', "hllhl"}, {'9', "hlhll"},
    {kPostalStart, "h"}, {kPostalStop, "h"}, {kEndOfTable, ""},
};

// RM4SCC: 'a' tracker, 'b' full height, 'c' ascender, 'd' descender.
const PatternRecord kRoyalMailTable[] = {
    {'0', "aabb"},       {'1', "adcb"},      {'2', "adbc"},     {'3', "dacb"}, {'4', "dabc"}, {'5', "ddcc"},
    {'6', "acdb"},       {'7', "abab"},      {'8', "abdc"},     {'9', "dcab"}, {'A', "dcdc"}, {'B', "dbac"},
    {'C', "acbd"},       {'D', "abcd"},      {'E', "abba"},     {'F', "dccd"}, {'G', "dcba"}, {'H', "dbca"},
    {'I', "cadb"},       {'J', "cdab"},      {'K', "cddc"},     {'L', "baab"}, {'M', "badc"}, {'N', "bdac"},
    {'O', "cabd"},       {'P', "cdcd"},      {'Q', "cdba"},     {'R', "bacd"}, {'S', "baba"}, {'T', "bdca"},
    {'U', "ccdd"},       {'V', "cbad"},      {'W', "cbda"},     {'X', "bcad"}, {'Y', "bcda"}, {'Z', "bbaa"},
    {kPostalStart, "c"}, {kPostalStop, "b"}, {kEndOfTable, ""},
};

constexpr size_t kPostnetMaxDigits = 11;

// Postnet keeps 5, 9 or 11 digits: the first 11 of a longer message, other counts padded
// with zeros to the next of these.
Elements PostnetDigits(const std::string& message) {
  Elements digits = FilterElements(ParsePlain(UpToTerminator(message)), kDigitCharacters);
  if (digits.size() > kPostnetMaxDigits) {
    digits.resize(kPostnetMaxDigits);
  }
  const size_t count = digits.size() <= 5 ? 5 : digits.size() <= 9 ? 9 : kPostnetMaxDigits;
  digits.resize(count, '0');
  return digits;
}

char PostnetCheckDigit(const Elements& digits) {
  int sum = 0;
  for (const auto d : digits) {
    sum += DigitValue(d);
  }
  return static_cast<char>('0' + (10 - sum % 10) % 10);
}

void EncodePostnet(const std::string& message, bool showCheckDigit, std::string& pattern, std::string& text) {
  const Elements digits = PostnetDigits(message);
  const char check = PostnetCheckDigit(digits);
  pattern.clear();
  pattern.reserve((digits.size() + 1) * 5 + 2);
  pattern += PostnetPattern(kPostalStart);
  for (const auto d : digits) {
    pattern += PostnetPattern(static_cast<unsigned char>(d));
  }
  pattern += PostnetPattern(static_cast<unsigned char>(check));
  pattern += PostnetPattern(kPostalStop);
  text = BuildText(digits);
  if (showCheckDigit) {
    text += check;
  }
}

int RoyalMailValue(std::uint16_t e) {
  return e <= '9' ? static_cast<int>(e) - '0' : static_cast<int>(e) - 'A' + 10;
}

}  // namespace

std::string_view PostnetPattern(unsigned char c) {
  return LookupPattern(c, kPostnetTable);
}

std::string_view RoyalMailPattern(unsigned char c) {
  return LookupPattern(c, kRoyalMailTable);
}

char RoyalMailCheckCharacter(const Elements& elements) {
  int upper = 0;
  int lower = 0;
  for (const auto e : elements) {
    const int value = RoyalMailValue(e);
    upper = (upper + value / 6 + 1) % 6;
    lower = (lower + value % 6 + 1) % 6;
  }
  const size_t row = upper == 0 ? 5 : static_cast<size_t>(upper - 1);
  const size_t column = lower == 0 ? 5 : static_cast<size_t>(lower - 1);
  return kRoyalMailCharacters[row * 6 + column];
}

int CPostnetSymbol::Encode(const std::string& message, bool showCheckDigit, std::string& pattern,
                           std::string& text) const {
  EncodePostnet(message, showCheckDigit, pattern, text);
  return 1;
}

int CPlanetSymbol::Encode(const std::string& message, bool showCheckDigit, std::string& pattern,
                          std::string& text) const {
  EncodePostnet(message, showCheckDigit, pattern, text);
  for (size_t i = 1; i + 1 < pattern.size(); ++i) {
    pattern[i] = pattern[i] == 'h' ? 'l' : 'h';
  }
  return 1;
}

int CRoyalMailSymbol::Encode(const std::string& message, bool showCheckDigit, std::string& pattern,
                             std::string& text) const {
  const Elements elements = FilterElements(ParsePlain(UpToTerminator(message)), kRoyalMailCharacters);
  const char check = RoyalMailCheckCharacter(elements);
  pattern.clear();
  pattern.reserve((elements.size() + 1) * 4 + 2);
  pattern += RoyalMailPattern(kPostalStart);
  for (const auto e : elements) {
    pattern += RoyalMailPattern(static_cast<unsigned char>(e));
  }
  pattern += RoyalMailPattern(static_cast<unsigned char>(check));
  pattern += RoyalMailPattern(kPostalStop);
  text = BuildText(elements);
  if (showCheckDigit) {
    text += check;
  }
  return 1;
}

}  // namespace Quillon::BrindleLib
