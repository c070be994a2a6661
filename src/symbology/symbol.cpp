#include "symbology/symbol.h"

#include <cstdio>

namespace Quillon::BrindleLib {

bool CharacterSetAllows(std::string_view set, unsigned char c) {
  if (set == kAnyCharacters) {
    return true;
  }
  if (set == kAsciiCharacters) {
    return c < 128;
  }
  return !set.empty() && set.find(static_cast<char>(c)) != std::string_view::npos;
}

std::string_view UpToTerminator(const std::string& message) {
  const auto end = message.find('\0');
  return std::string_view(message).substr(0, end);
}

void CSymbol::Validate(const std::string& message) const {
  const std::string valid = GetValidCharacters();
  if (valid == kAnyCharacters) {
    return;
  }
  for (const char ch : UpToTerminator(message)) {
    const auto c = static_cast<unsigned char>(ch);
    if (!CharacterSetAllows(valid, c)) {
      char text[128];
      std::snprintf(text, sizeof text,
                    "Invalid character found. The character %c can not be encoded by the current symbology.", ch);
      throw invalid_character_error(1, text);
    }
  }
}

Elements ParsePlain(std::string_view message) {
  Elements elements;
  elements.reserve(message.size());
  for (const char ch : message) {
    elements.push_back(static_cast<unsigned char>(ch));
  }
  return elements;
}

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

Elements ParseEscaped(std::string_view message) {
  Elements elements;
  elements.reserve(message.size());
  for (size_t i = 0; i < message.size(); ++i) {
    const char c = message[i];
    if (c == '\\' && i + 1 < message.size() && message[i + 1] == '\\') {
      elements.push_back('\\');
      ++i;
      continue;
    }
    if (c == '\\' && i + 3 < message.size() && IsDigit(message[i + 1]) && IsDigit(message[i + 2]) &&
        IsDigit(message[i + 3])) {
      const int value = (message[i + 1] - '0') * 100 + (message[i + 2] - '0') * 10 + (message[i + 3] - '0');
      if (value <= 255) {
        elements.push_back(static_cast<std::uint16_t>(value));
        i += 3;
        continue;
      }
    }
    elements.push_back(static_cast<unsigned char>(c));
  }
  return elements;
}

Elements FilterElements(const Elements& elements, std::string_view set) {
  if (set == kAnyCharacters) {
    return elements;
  }
  Elements kept;
  kept.reserve(elements.size());
  for (const std::uint16_t e : elements) {
    if (e >= 256 || CharacterSetAllows(set, static_cast<unsigned char>(e))) {
      kept.push_back(e);
    }
  }
  return kept;
}

std::string BuildText(const Elements& elements) {
  std::string text;
  text.reserve(elements.size());
  for (const std::uint16_t e : elements) {
    if (e >= 256) {
      continue;
    }
    text.push_back(e < 32 || e == 127 ? ' ' : static_cast<char>(e));
  }
  return text;
}

std::string_view LookupPattern(unsigned char key, const PatternRecord* table) {
  for (const PatternRecord* r = table; r->key != kEndOfTable; ++r) {
    if (r->key == key) {
      return r->pattern;
    }
  }
  return {};
}

}  // namespace Quillon::BrindleLib
