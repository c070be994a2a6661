#include "symbology/rss14.h"

#include <cstdint>

#include "symbology/databar_tables.h"
#include "symbology/databar_widths.h"
#include "symbology/gtin.h"

namespace Quillon::BrindleLib {

namespace {

constexpr int kBufferDigits = 14;
constexpr std::int64_t kHalfSplit = 4537077;
constexpr int kCharacterSplit = 1597;
constexpr int kChecksumModulus = 79;

void AppendWidths(const DataBarCharacter& widths, bool reversed, std::string& pattern) {
  for (int i = 0; i < 8; ++i) {
    pattern.push_back(static_cast<char>('0' + widths[reversed ? 7 - i : i]));
  }
}

}  // namespace

std::string DataBarGtinBuffer(std::string_view message) {
  std::string buffer(kBufferDigits, '0');
  size_t next = 1;
  for (const char c : message) {
    if (next == buffer.size()) {
      break;
    }
    if (c >= '0' && c <= '9') {
      buffer[next++] = c;
    }
  }
  return buffer;
}

std::string DataBarGtinText(std::string_view buffer) {
  std::string text = "(01) ";
  text += buffer[1];
  text += ' ';
  text += buffer.substr(2, 7);
  text += ' ';
  text += buffer.substr(9, 5);
  text += ' ';
  text += GtinCheckDigit(buffer);
  return text;
}

int CRSS14Encoder::Encode(const std::string& message, std::string& pattern, std::string& text) const {
  const std::string buffer = DataBarGtinBuffer(UpToTerminator(message));
  std::int64_t value = 0;
  for (const char c : buffer) {
    value = value * 10 + (c - '0');
  }
  const std::int64_t left = value / kHalfSplit;
  const std::int64_t right = value % kHalfSplit;
  const int characters[4] = {
      static_cast<int>(left / kCharacterSplit),
      static_cast<int>(left % kCharacterSplit),
      static_cast<int>(right / kCharacterSplit),
      static_cast<int>(right % kCharacterSplit),
  };
  DataBarCharacter widths[4];
  int checksum = 0;
  for (int c = 0; c < 4; ++c) {
    widths[c] = DataBarCharacterWidths(characters[c], c % 2 == 0 ? kOmniOutsideRules : kOmniInsideRules);
    for (int i = 0; i < 8; ++i) {
      checksum += widths[c][i] * kOmniWeights[c][i];
    }
  }
  checksum %= kChecksumModulus;
  // Checksums are mapped onto the 79 finder pairs that the standard allows.
  if (checksum >= 8) {
    ++checksum;
  }
  if (checksum >= 72) {
    ++checksum;
  }
  const std::string_view leftFinder = kOmniFinders[checksum / 9];
  const std::string_view rightFinder = kOmniFinders[checksum % 9];

  pattern.clear();
  pattern.reserve(46);
  pattern += "11";
  AppendWidths(widths[0], false, pattern);
  pattern += leftFinder;
  AppendWidths(widths[1], true, pattern);
  AppendWidths(widths[3], false, pattern);
  pattern.append(rightFinder.rbegin(), rightFinder.rend());
  AppendWidths(widths[2], true, pattern);
  pattern += "11";
  text = DataBarGtinText(buffer);
  return 1;
}

}  // namespace Quillon::BrindleLib
