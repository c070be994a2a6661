#include "symbology/rss_limited.h"

#include <cstdint>

#include "symbology/databar_tables.h"
#include "symbology/databar_widths.h"
#include "symbology/rss14.h"

namespace Quillon::BrindleLib {

namespace {

constexpr std::int64_t kHalfSplit = 2013571;
constexpr int kChecksumModulus = 89;
constexpr int kCharacterElements = 14;
constexpr size_t kIndicator = 1;  // buffer position of the indicator digit

bool IndicatorAllowed(char indicator) {
  return indicator == '0' || indicator == '1';
}

}  // namespace

void CRSSLimitedEncoder::Validate(const std::string& message) const {
  if (!IndicatorAllowed(DataBarGtinBuffer(UpToTerminator(message))[kIndicator])) {
    throw invalid_character_error(
        1, "A character that the current symbology can not encode was found in the data to be encoded.");
  }
}

int CRSSLimitedEncoder::Encode(const std::string& message, std::string& pattern, std::string& text) const {
  std::string buffer = DataBarGtinBuffer(UpToTerminator(message));
  if (!IndicatorAllowed(buffer[kIndicator])) {
    buffer[kIndicator] = '0';
  }
  std::int64_t value = 0;
  for (const char c : buffer) {
    value = value * 10 + (c - '0');
  }
  const auto left = DataBarCharacterWidths(static_cast<int>(value / kHalfSplit), kLimitedRules);
  const auto right = DataBarCharacterWidths(static_cast<int>(value % kHalfSplit), kLimitedRules);
  int checksum = 0;
  for (int i = 0; i < kCharacterElements; ++i) {
    checksum += left[i] * kLimitedLeftWeights[i] + right[i] * kLimitedRightWeights[i];
  }
  checksum %= kChecksumModulus;

  pattern.clear();
  pattern.reserve(46);
  pattern += "11";
  for (int i = 0; i < kCharacterElements; ++i) {
    pattern.push_back(static_cast<char>('0' + left[i]));
  }
  pattern += kLimitedChecks[checksum];
  for (int i = 0; i < kCharacterElements; ++i) {
    pattern.push_back(static_cast<char>('0' + right[i]));
  }
  pattern += "11";
  text = DataBarGtinText(buffer);
  return 1;
}

}  // namespace Quillon::BrindleLib
