#include "symbology/upc_ean_tokens.h"

#include <array>

#include "symbology/symbol.h"

namespace Quillon::BrindleLib::upc_ean {

namespace {

// ISO/IEC 15420 number sets: A (odd parity), B (even parity), C (right half).
const PatternRecord kSetA[] = {
    {'0', "sssbbsb"}, {'1', "ssbbssb"}, {'2', "ssbssbb"}, {'3', "sbbbbsb"}, {'4', "sbsssbb"},  {'5', "sbbsssb"},
    {'6', "sbsbbbb"}, {'7', "sbbbsbb"}, {'8', "sbbsbbb"}, {'9', "sssbsbb"}, {kEndOfTable, ""},
};
const PatternRecord kSetB[] = {
    {'0', "sbssbbb"}, {'1', "sbbssbb"}, {'2', "ssbbsbb"}, {'3', "sbssssb"}, {'4', "ssbbbsb"},  {'5', "sbbbssb"},
    {'6', "ssssbsb"}, {'7', "ssbsssb"}, {'8', "sssbssb"}, {'9', "ssbsbbb"}, {kEndOfTable, ""},
};
const PatternRecord kSetC[] = {
    {'0', "bbbssbs"}, {'1', "bbssbbs"}, {'2', "bbsbbss"}, {'3', "bssssbs"}, {'4', "bsbbbss"},  {'5', "bssbbbs"},
    {'6', "bsbssss"}, {'7', "bsssbss"}, {'8', "bssbsss"}, {'9', "bbbsbss"}, {kEndOfTable, ""},
};

const PatternRecord kEan13Parity[] = {
    {'0', "OOOOOO"}, {'1', "OOEOEE"}, {'2', "OOEEOE"}, {'3', "OOEEEO"}, {'4', "OEOOEE"},   {'5', "OEEOOE"},
    {'6', "OEEEOO"}, {'7', "OEOEOE"}, {'8', "OEOEEO"}, {'9', "OEEOEO"}, {kEndOfTable, ""},
};
const PatternRecord kUpcEParity[] = {
    {'0', "EEEOOO"}, {'1', "EEOEOO"}, {'2', "EEOOEO"}, {'3', "EEOOOE"}, {'4', "EOEEOO"},   {'5', "EOOEEO"},
    {'6', "EOOOEE"}, {'7', "EOEOEO"}, {'8', "EOEOOE"}, {'9', "EOOEOE"}, {kEndOfTable, ""},
};
const PatternRecord kSupplement5Parity[] = {
    {'0', "00111"}, {'1', "01011"}, {'2', "01101"}, {'3', "01110"}, {'4', "10011"},    {'5', "11001"},
    {'6', "11100"}, {'7', "10101"}, {'8', "10110"}, {'9', "11010"}, {kEndOfTable, ""},
};

// Modules of a digit; letters of the parity tables.
constexpr size_t kDigitModules = 7;
constexpr size_t kSixParities = 6;
constexpr size_t kFiveParities = 5;

// The digit tables hold '0'..'9' in order, each pattern `length` long, so a digit finds its
// pattern without a search.
std::string_view DigitRecord(char digit, const PatternRecord* table, size_t length) {
  if (digit >= '0' && digit <= '9') {
    const PatternRecord& record = table[digit - '0'];
    if (record.key == static_cast<unsigned char>(digit)) {
      return {record.pattern, length};
    }
  }
  return LookupPattern(static_cast<unsigned char>(digit), table);
}

}  // namespace

std::string_view DigitModules(char digit, NumberSet set) {
  return DigitRecord(digit, set == NumberSet::A ? kSetA : set == NumberSet::B ? kSetB : kSetC, kDigitModules);
}

std::string_view Ean13Parity(char firstDigit) {
  return DigitRecord(firstDigit, kEan13Parity, kSixParities);
}

std::string_view UpcEParity(char checkDigit) {
  return DigitRecord(checkDigit, kUpcEParity, kSixParities);
}

std::string_view Supplement5Parity(char checksum) {
  return DigitRecord(checksum, kSupplement5Parity, kFiveParities);
}

void TokenWriter::Guard(std::string_view modules) {
  pattern_ += modules;
  pattern_ += '|';
}

void TokenWriter::Digit(char digit, NumberSet set, bool labelled) {
  // The token is put together here and appended at once: the encoders write a dozen of them
  // per symbol, and appending piece by piece was most of their cost.
  const std::string_view modules = DigitModules(digit, set);
  std::array<char, sizeof(PatternRecord::pattern) + 2> token;
  size_t length = 0;
  if (showDigits_ && labelled) {
    token[length++] = digit;
  }
  modules.copy(token.data() + length, modules.size());
  length += modules.size();
  token[length++] = '|';
  pattern_.append(token.data(), length);
}

void TokenWriter::DigitWith(char digit, NumberSet set, std::string_view trailing) {
  if (showDigits_) {
    pattern_ += digit;
  }
  pattern_ += DigitModules(digit, set);
  Guard(trailing);
}

void TokenWriter::OutsideDigit(char digit) {
  if (showDigits_) {
    pattern_ += digit;
    pattern_ += '|';
  }
}

void TokenWriter::ReducedOutsideDigit(char digit) {
  OutsideDigit(static_cast<char>(digit - '0' + 'a'));
}

}  // namespace Quillon::BrindleLib::upc_ean
