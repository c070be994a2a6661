#include "symbology/code93.h"

#include <array>

#include "symbology/code39.h"

namespace Quillon::BrindleLib {

namespace {

constexpr int kFirstShiftValue = 43;
constexpr int kValueCount = 47;

constexpr unsigned char CharacterOf(int value) {
  return value >= kFirstShiftValue ? static_cast<unsigned char>(kCode93ShiftDollar + (value - kFirstShiftValue))
                                   : static_cast<unsigned char>(kCode39Characters[static_cast<size_t>(value)]);
}

// ANSI/AIM BC5 character patterns, one letter per module, in value order 0..46, then the
// start/stop character and the termination bar.
constexpr std::array<PatternRecord, 50> kCode93Table = {{
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
}};

constexpr bool RecordsAreInValueOrder() {
  for (int value = 0; value < kValueCount; ++value) {
    if (kCode93Table[static_cast<size_t>(value)].key != CharacterOf(value)) {
      return false;
    }
  }
  return true;
}
static_assert(RecordsAreInValueOrder());

// Value of every byte, 0 for bytes that are no Code 93 character.
constexpr std::array<std::uint8_t, 256> kValues = [] {
  std::array<std::uint8_t, 256> values{};
  for (int value = 0; value < kValueCount; ++value) {
    values[CharacterOf(value)] = static_cast<std::uint8_t>(value);
  }
  return values;
}();

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

// The Full ASCII spelling of every byte 0..127 as Code 93 values, read once from the shared
// Code 39 table so that encoding does not search it.
struct Spelling {
  std::uint8_t count;
  std::array<std::uint8_t, 2> values;
};

const std::array<Spelling, 128>& Spellings() {
  static const std::array<Spelling, 128> spellings = [] {
    std::array<Spelling, 128> table{};
    for (size_t byte = 0; byte < table.size(); ++byte) {
      const std::string_view r = Code39FullAsciiReplacement(static_cast<unsigned char>(byte));
      if (r.size() == 2) {
        table[byte] = {2, {kValues[ShiftFor(r[0])], kValues[static_cast<unsigned char>(r[1])]}};
      } else {
        table[byte] = {1, {kValues[static_cast<unsigned char>(r[0])], 0}};
      }
    }
    return table;
  }();
  return spellings;
}

std::string_view PatternOfValue(std::uint8_t value) {
  return kCode93Table[value].pattern;
}

}  // namespace

int Code93Value(unsigned char c) {
  return kValues[c];
}

unsigned char Code93Character(int value) {
  return CharacterOf(value);
}

unsigned char Code93CheckCharacter(std::span<const std::uint8_t> values, int maximumWeight) {
  int sum = 0;
  int weight = 1;
  for (auto it = values.rbegin(); it != values.rend(); ++it) {
    sum = (sum + *it * weight) % kValueCount;
    weight = weight >= maximumWeight ? 1 : weight + 1;
  }
  return CharacterOf(sum);
}

std::string_view Code93Pattern(unsigned char c) {
  return LookupPattern(c, kCode93Table.data());
}

void AppendCode93Values(unsigned char byte, std::vector<std::uint8_t>& values) {
  if (byte >= Spellings().size()) {
    return;
  }
  const Spelling& s = Spellings()[byte];
  values.insert(values.end(), s.values.begin(), s.values.begin() + s.count);
}

int CCode93Symbol::Encode(const std::string& message, bool showCheckDigit, std::string& pattern,
                          std::string& text) const {
  const Elements elements = FilterElements(ParseEscaped(UpToTerminator(message)), kAsciiCharacters);
  std::vector<std::uint8_t> values;
  values.reserve(elements.size() * 2 + 2);
  for (const auto e : elements) {
    if (e < 128) {
      AppendCode93Values(static_cast<unsigned char>(e), values);
    }
  }
  const unsigned char c = Code93CheckCharacter(values, 20);
  values.push_back(kValues[c]);
  const unsigned char k = Code93CheckCharacter(values, 15);
  values.push_back(kValues[k]);

  pattern.clear();
  pattern.reserve((values.size() + 2) * 9 + 1);
  pattern += Code93Pattern(kCode93StartStop);
  for (const auto v : values) {
    pattern += PatternOfValue(v);
  }
  pattern += Code93Pattern(kCode93StartStop);
  pattern += Code93Pattern(kCode93Termination);

  text = BuildText(elements);
  if (showCheckDigit) {
    // A shift character has no printed form of its own.
    for (const unsigned char check : {c, k}) {
      text += kValues[check] >= kFirstShiftValue ? ' ' : static_cast<char>(check);
    }
  }
  return 1;
}

}  // namespace Quillon::BrindleLib
