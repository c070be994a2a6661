#include "symbology2d/maxicode_structured_append.h"

#include <boost/tokenizer.hpp>
#include <string>
#include <vector>

#include "platform/ascii_case.h"
#include "symbology/barlib_error.h"
#include "symbology2d/maxicode_code_sets.h"
#include "symbology2d/maxicode_digits.h"
#include "symbology2d/maxicode_errors.h"

namespace Quillon::BrindleLib::maxicode {

namespace {

constexpr std::string_view kMarker = "~2";
constexpr int kLargestSet = 8;

using FieldTokenizer = boost::tokenizer<boost::char_separator<char>, std::string_view::const_iterator, std::string>;

// 1..8, or 0 for anything else.
int SetNumber(const std::string& field) {
  if (!AllDigits(field)) {
    return 0;
  }
  const int value = DigitValue(field, kLargestSet + 1);
  return value <= kLargestSet ? value : 0;
}

}  // namespace

StructuredAppendSplit SplitStructuredAppend(std::string_view text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '~') {
      continue;
    }
    if (text[i + 1] == '2') {
      return {text.substr(0, i), text.substr(i)};
    }
    if (text[i + 1] == '~') {
      ++i;
    }
  }
  return {text, {}};
}

Codewords EncodeStructuredAppend(std::string_view block) {
  const FieldTokenizer tokens(block.begin(), block.end(), boost::char_separator<char>("[]"));
  const std::vector<std::string> fields(tokens.begin(), tokens.end());
  if (fields.size() < 2) {
    ThrowStructuredAppendError(StructuredAppendFault::kFieldMissing);
  }
  if (!linnet::SameIgnoringAsciiCase(fields[0], kMarker)) {
    ThrowStructuredAppendError(StructuredAppendFault::kNoMarker);
  }
  const int position = SetNumber(fields[1]);
  if (position == 0) {
    ThrowStructuredAppendError(StructuredAppendFault::kBadPosition);
  }
  const int total = fields.size() > 2 ? SetNumber(fields[2]) : 0;
  if (total == 0) {
    ThrowStructuredAppendError(StructuredAppendFault::kBadTotal);
  }
  // The block ends the message: text after its fields would otherwise vanish unseen.
  if (fields.size() > 3) {
    throw Quillon::BrindleLib::invalid_structuralappend_format_error(
        static_cast<int>(StructuredAppendFault::kFieldMissing),
        "The structural append fields must end the message; move the text after them in front of \"~2\".");
  }
  if (position > total) {
    ThrowStructuredAppendError(StructuredAppendFault::kBadPosition);
  }
  return {kPadCodeword, static_cast<std::uint8_t>(((position - 1) << 3) | (total - 1))};
}

}  // namespace Quillon::BrindleLib::maxicode
