#include "symbology/upc_ean_tokens.h"

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

}  // namespace

std::string_view DigitModules(char digit, NumberSet set) {
  const PatternRecord* table = set == NumberSet::A ? kSetA : set == NumberSet::B ? kSetB : kSetC;
  return LookupPattern(static_cast<unsigned char>(digit), table);
}

std::string_view Ean13Parity(char firstDigit) {
  return LookupPattern(static_cast<unsigned char>(firstDigit), kEan13Parity);
}

std::string_view UpcEParity(char checkDigit) {
  return LookupPattern(static_cast<unsigned char>(checkDigit), kUpcEParity);
}

std::string_view Supplement5Parity(char checksum) {
  return LookupPattern(static_cast<unsigned char>(checksum), kSupplement5Parity);
}

void TokenWriter::Guard(std::string_view modules) {
  pattern_ += modules;
  pattern_ += '|';
}

void TokenWriter::Digit(char digit, NumberSet set, bool labelled) {
  if (showDigits_ && labelled) {
    pattern_ += digit;
  }
  Guard(DigitModules(digit, set));
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
