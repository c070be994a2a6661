#include "symbology/ai_parser.h"

#include <algorithm>
#include <iterator>

#include "symbology/barlib_error.h"
#include "symbology/gtin.h"

namespace Quillon::BrindleLib {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsLetterOrDigit(char c) {
  return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsNumericAi(std::string_view ai) {
  return !ai.empty() && std::all_of(ai.begin(), ai.end(), IsDigit);
}

// Brings `field` to exactly `length` characters: the first ones kept, or '0's put in front.
void FitLeftPadded(std::string& field, std::size_t length) {
  if (field.size() > length) {
    field.resize(length);
  } else {
    field.insert(0, length - field.size(), '0');
  }
}

int Tolerated(int flags, int mask) {
  if ((mask & kAiTolerateLength) != 0) {
    flags &= ~kAiFlagLength;
  }
  if ((mask & kAiTolerateCharacters) != 0) {
    flags &= ~(kAiFlagNotAlphanumeric | kAiFlagNotNumeric);
  }
  return flags;
}

void ClearElement(AiElement& element) {
  element.ai.clear();
  element.data.clear();
  element.written.clear();
  element.text.clear();
  element.found = false;
  element.noSeparator = false;
  element.flags = 0;
}

}  // namespace

int NormalizeField(std::string_view data, const AiRecord& record, std::string& normalized) {
  normalized.clear();
  int flags = 0;
  const bool numeric = record.characters == kAiNumeric;
  for (const char c : data) {
    if (numeric ? IsDigit(c) : IsLetterOrDigit(c)) {
      normalized.push_back(c);
    } else {
      flags |= numeric ? kAiFlagNotNumeric : kAiFlagNotAlphanumeric;
    }
  }
  const auto size = normalized.size();
  if (record.IsFixedLength()) {
    const auto length = static_cast<std::size_t>(record.minLength);
    if (record.checkDigit != 0) {
      if (size != length && size + 1 != length) {
        flags |= kAiFlagLength;
      }
      FitLeftPadded(normalized, length - 1);
      normalized.push_back(GtinCheckDigit(normalized));
    } else {
      if (size != length) {
        flags |= kAiFlagLength;
      }
      FitLeftPadded(normalized, length);
    }
    return flags;
  }
  const auto minimum = static_cast<std::size_t>(record.minLength);
  const auto maximum = static_cast<std::size_t>(record.maxLength);
  if (size < minimum || size > maximum) {
    flags |= kAiFlagLength;
    FitLeftPadded(normalized, std::clamp(size, minimum, maximum));
  }
  return flags;
}

void FormatElementText(std::string_view ai, std::string_view field, std::string_view written, bool checkDigit,
                       std::string& text) {
  text.clear();
  text.push_back('(');
  text.append(ai);
  text.push_back(')');
  const auto start = text.size();
  text.append(written);
  if (!checkDigit || field.empty()) {
    return;
  }
  const auto count =
      static_cast<std::size_t>(std::count_if(written.begin(), written.end(), [](char c) { return c != ' '; }));
  const char check = field.back();
  if (count + 1 == field.size()) {
    if (written.find(' ') != std::string_view::npos && written.back() != ' ') {
      text.push_back(' ');
    }
    text.push_back(check);
  } else if (count == field.size()) {
    // A wrong check digit was written: the computed one takes the place of the last
    // character the user wrote.
    text[start + written.find_last_not_of(' ')] = check;
  }
}

int NextElement(AiParser& parser, AiElement& element) {
  ClearElement(element);
  const std::string_view message = parser.message;
  if (parser.cursor >= message.size()) {
    return kAiFlagEnd;
  }
  const auto open = message.find('(', parser.cursor);
  const auto close = open == std::string_view::npos ? open : message.find(')', open + 1);
  if (close == std::string_view::npos) {
    parser.cursor = message.size();
    element.flags = kAiFlagNoParentheses;
    return Tolerated(element.flags, parser.toleranceMask);
  }
  const auto dataEnd = std::min(message.find('(', close + 1), message.size());
  parser.cursor = dataEnd;
  element.ai.assign(message.substr(open + 1, close - open - 1));
  if (!IsNumericAi(element.ai)) {
    element.flags |= kAiFlagAiNotNumeric;
  }
  element.written.assign(message.substr(close + 1, dataEnd - close - 1));

  // The text is formatted last; until then it holds the field without its spaces.
  std::string& spaceless = element.text;
  std::remove_copy(element.written.begin(), element.written.end(), std::back_inserter(spaceless), ' ');
  char marker = 0;
  if (!spaceless.empty() && (spaceless.back() == '~' || spaceless.back() == '!')) {
    marker = spaceless.back();
    spaceless.pop_back();
    element.written.erase(element.written.find_last_not_of(' '), 1);
  }

  const AiRecord* record = FindAiRecord(element.ai);
  element.found = record != nullptr;
  if (record != nullptr) {
    element.flags |= NormalizeField(spaceless, *record, element.data);
    element.noSeparator =
        marker == '~' || (marker != '!' && record->IsFixedLength() && HasPredefinedLength(element.ai));
  } else {
    element.data = spaceless;
    element.noSeparator = marker == '~';
  }
  FormatElementText(element.ai, element.data, element.written, record != nullptr && record->checkDigit != 0,
                    element.text);
  return Tolerated(element.flags, parser.toleranceMask);
}

void ThrowEan128Error(int flags) {
  struct Problem {
    int flag;
    int code;
    const char* message;
  };
  static constexpr Problem kProblems[] = {
      {kAiFlagAiNotNumeric, 10, "The AI portion of an EAN-128 structure must be numeric."},
      {kAiFlagNotAlphanumeric, 11, "The data portion of the EAN-128 data must be alpha-numeric."},
      {kAiFlagNoParentheses, 12,
       "Invalid UCC/EAN-128 structure. Check whether the AI and field ID are enclosed with parenthesis. "},
      {kAiFlagNotNumeric, 13,
       "Based on the AI, the data portion must be numeric. However, this is not the case in the message encoded."},
      {kAiFlagLength, 14, "The length of the data portion of the EAN-128 is incorrect."},
  };
  for (const auto& problem : kProblems) {
    if ((flags & problem.flag) != 0) {
      throw invalid_ean128_format_error(problem.code, problem.message);
    }
  }
}

}  // namespace Quillon::BrindleLib
