#include "symbology/two_of_five.h"

#include <array>

#include "symbology/gtin.h"
#include "symbology/pattern_tables.h"

namespace Quillon::BrindleLib {

namespace {

// The 2-of-5 digit code: five elements, two of them wide, element weights 1 2 4 7 0 (the
// digit is the sum of the wide weights, 11 standing for 0).
constexpr std::array<std::string_view, 10> kDigitCode = {"nnwwn", "wnnnw", "nwnnw", "wwnnn", "nnwnw",
                                                         "wnwnn", "nwwnn", "nnnww", "wnnwn", "nwnwn"};

// A pair puts the first digit's elements in the bars and the second digit's in the spaces.
constexpr std::array<PatternRecord, 103> MakeItf25Table() {
  std::array<PatternRecord, 103> table{};
  for (size_t pair = 0; pair < 100; ++pair) {
    table[pair].key = static_cast<unsigned char>(pair);
    for (size_t i = 0; i < 5; ++i) {
      table[pair].pattern[2 * i] = kDigitCode[pair / 10][i];
      table[pair].pattern[2 * i + 1] = kDigitCode[pair % 10][i];
    }
  }
  table[100] = MakePatternRecord(kItf25Start, "nnnn");
  table[101] = MakePatternRecord(kItf25Stop, "wnn");
  table[102] = MakePatternRecord(kEndOfTable, "");
  return table;
}

// Code 25 carries the digit in its bars; every space is narrow.
constexpr std::array<PatternRecord, 13> MakeCode25Table() {
  std::array<PatternRecord, 13> table{};
  for (size_t digit = 0; digit < 10; ++digit) {
    table[digit].key = static_cast<unsigned char>('0' + digit);
    for (size_t i = 0; i < 5; ++i) {
      table[digit].pattern[2 * i] = kDigitCode[digit][i] == 'w' ? 'W' : 'N';
      table[digit].pattern[2 * i + 1] = 'N';
    }
  }
  table[10] = MakePatternRecord(kCode25Start, "WNWNNN");
  table[11] = MakePatternRecord(kCode25Stop, "WNNNWN");
  table[12] = MakePatternRecord(kEndOfTable, "");
  return table;
}

constexpr auto kItf25Table = MakeItf25Table();
static_assert(KeysAreIndexes(kItf25Table));
constexpr auto kCode25Table = MakeCode25Table();

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::string_view Itf25Pattern(unsigned char key) {
  return IndexedPattern(kItf25Table, key);
}

std::string_view Code25Pattern(unsigned char key) {
  return LookupPattern(key, kCode25Table.data());
}

int CItf25Symbol::Encode(const std::string& message, bool /*checkDigit*/, bool /*showCheckDigit*/, std::string& pattern,
                         std::string& text) const {
  const std::string_view written = UpToTerminator(message);
  std::string digits = BuildText(FilterElements(ParsePlain(written), kDigitCharacters));
  const bool addCheck = digits.size() % 2 != 0;
  const char check = addCheck ? GtinCheckDigit(digits) : '\0';
  if (addCheck) {
    digits += check;
  }

  pattern.clear();
  pattern.reserve(4 + digits.size() * 5 + 3);
  pattern += Itf25Pattern(kItf25Start);
  for (size_t i = 0; i + 1 < digits.size(); i += 2) {
    pattern += Itf25Pattern(static_cast<unsigned char>(DigitValue(digits[i]) * 10 + DigitValue(digits[i + 1])));
  }
  pattern += Itf25Pattern(kItf25Stop);

  // The text is the message as written; an added check digit keeps a spaced message's look.
  text.assign(written);
  if (addCheck) {
    if (written.find(' ') != std::string_view::npos && IsDigit(written.back())) {
      text += ' ';
    }
    text += check;
  }
  return 1;
}

int CCode25Symbol::Encode(const std::string& message, bool checkDigit, bool showCheckDigit, std::string& pattern,
                          std::string& text) const {
  const std::string digits = BuildText(FilterElements(ParsePlain(UpToTerminator(message)), kDigitCharacters));
  pattern.clear();
  pattern.reserve((digits.size() + 3) * 10);
  pattern += Code25Pattern(kCode25Start);
  for (const char d : digits) {
    pattern += Code25Pattern(static_cast<unsigned char>(d));
  }
  const char check = GtinCheckDigit(digits);
  if (checkDigit) {
    pattern += Code25Pattern(static_cast<unsigned char>(check));
  }
  pattern += Code25Pattern(kCode25Stop);

  text = digits;
  if (checkDigit && showCheckDigit) {
    text += check;
  }
  return 1;
}

}  // namespace Quillon::BrindleLib
