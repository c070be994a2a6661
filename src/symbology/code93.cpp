#include "symbology/code93.h"

#include "symbology/code39.h"

namespace Quillon::BrindleLib {

namespace {

// ANSI/AIM BC5 character patterns, one letter per module.
const PatternRecord kCode93Table[] = {
    {'0', "bsssbsbss"},
    {'1', "bsbssbsss"},
    {'2', "bsbsssbss"},
    {'3', "bsbssssbs"},
    {'4', "bssbsbsss"},
    {'5', "bssbssbss"},
    {'6', "bssbsssbs"},
    {'7', "bsbsbssss"},
    {'8', "bsssbssbs"},
    {'9', "bssssbsbs"},
    {'A', "bbsbsbsss"},
    {'B', "bbsbssbss"},
    {'C', "bbsbsssbs"},
    {'D', "bbssbsbss"},
    {'E', "bbssbssbs"},
    {'F', "bbsssbsbs"},
    {'G', "bsbbsbsss"},
    {'H', "bsbbssbss"},
    {'I', "bsbbsssbs"},
    {'J', "bssbbsbss"},
    {'K', "bsssbbsbs"},
    {'L', "bsbsbbsss"},
    {'M', "bsbssbbss"},
    {'N', "bsbsssbbs"},
    {'O', "bssbsbbss"},
    {'P', "bsssbsbbs"},
    {'Q', "bbsbbsbss"},
    {'R', "bbsbbssbs"},
    {'S', "bbsbsbbss"},
    {'T', "bbsbssbbs"},
    {'U', "bbssbsbbs"},
    {'V', "bbssbbsbs"},
    {'W', "bsbbsbbss"},
    {'X', "bsbbssbbs"},
    {'Y', "bssbbsbbs"},
    {'Z', "bssbbbsbs"},
    {'-', "bssbsbbbs"},
    {'.', "bbbsbsbss"},
    {' ', "bbbsbssbs"},
    {'$', "bbbssbsbs"},
    {'/', "bsbbsbbbs"},
    {'+', "bsbbbsbbs"},
    {'%', "bbsbsbbbs"},
    {kCode93ShiftDollar, "bssbssbbs"},
    {kCode93ShiftPercent, "bbbsbbsbs"},
    {kCode93ShiftSlash, "bbbsbsbbs"},
    {kCode93ShiftPlus, "bssbbssbs"},
    {kCode93StartStop, "bsbsbbbbs"},
    {kCode93Termination, "b"},
    {kEndOfTable, ""},
};

constexpr int kFirstShiftValue = 43;

unsigned char ShiftFor(char code39Shift) {
  switch (code39Shift) {
    case '$':
      return kCode93ShiftDollar;
    case '%':
      return kCode93ShiftPercent;
    case '/':
      return kCode93ShiftSlash;
    default:
      return kCode93ShiftPlus;
  }
}

}  // namespace

int Code93Value(unsigned char c) {
  if (c >= kCode93ShiftDollar && c <= kCode93ShiftPlus) {
    return kFirstShiftValue + (c - kCode93ShiftDollar);
  }
  return Code39CheckValue(c);
}

unsigned char Code93Character(int value) {
  if (value >= kFirstShiftValue) {
    return static_cast<unsigned char>(kCode93ShiftDollar + (value - kFirstShiftValue));
  }
  return static_cast<unsigned char>(kCode39Characters[static_cast<size_t>(value)]);
}

unsigned char Code93CheckCharacter(std::string_view characters, int maximumWeight) {
  int sum = 0;
  int weight = 1;
  for (auto it = characters.rbegin(); it != characters.rend(); ++it) {
    sum = (sum + Code93Value(static_cast<unsigned char>(*it)) * weight) % 47;
    weight = weight == maximumWeight ? 1 : weight + 1;
  }
  return Code93Character(sum);
}

std::string_view Code93Pattern(unsigned char c) {
  return LookupPattern(c, kCode93Table);
}

void AppendCode93Characters(unsigned char c, std::string& characters) {
  const std::string_view replacement = Code39FullAsciiReplacement(c);
  if (replacement.size() == 2) {
    characters += static_cast<char>(ShiftFor(replacement[0]));
    characters += replacement[1];
  } else {
    characters += replacement;
  }
}

int CCode93Symbol::Encode(const std::string& message, bool showCheckDigit, std::string& pattern,
                          std::string& text) const {
  const Elements elements = FilterElements(ParseEscaped(UpToTerminator(message)), kAsciiCharacters);
  std::string data;
  data.reserve(elements.size() * 2 + 2);
  for (const auto e : elements) {
    if (e < 128) {
      AppendCode93Characters(static_cast<unsigned char>(e), data);
    }
  }
  const unsigned char c = Code93CheckCharacter(data, 20);
  data += static_cast<char>(c);
  const unsigned char k = Code93CheckCharacter(data, 15);
  data += static_cast<char>(k);

  pattern.clear();
  pattern.reserve((data.size() + 2) * 9 + 1);
  pattern += Code93Pattern(kCode93StartStop);
  for (const char d : data) {
    pattern += Code93Pattern(static_cast<unsigned char>(d));
  }
  pattern += Code93Pattern(kCode93StartStop);
  pattern += Code93Pattern(kCode93Termination);

  text = BuildText(elements);
  if (showCheckDigit) {
    // A shift character has no printed form of its own.
    for (const unsigned char check : {c, k}) {
      text += Code93Value(check) >= kFirstShiftValue ? ' ' : static_cast<char>(check);
    }
  }
  return 1;
}

}  // namespace Quillon::BrindleLib
