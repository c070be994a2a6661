#include "symbology2d/dmtx_message.h"

namespace brindle2::dmtxencode {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads `count` digits at `pos` into `value`; false when they are not all there.
bool ReadDigits(std::string_view text, std::size_t pos, std::size_t count, std::uint32_t& value) {
  if (pos + count > text.size()) {
    return false;
  }
  value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (!IsDigit(text[pos + i])) {
      return false;
    }
    value = value * 10 + static_cast<std::uint32_t>(text[pos + i] - '0');
  }
  return true;
}

// Reads the digits of a bracketed field up to its "]" and moves `pos` past it. False for a
// non-digit or the end of the text before "]". Large values saturate: every caller rejects
// them anyway.
bool ReadBracketField(std::string_view text, std::size_t& pos, std::uint32_t& value) {
  constexpr std::uint32_t kSaturated = 1000000;
  value = 0;
  for (; pos < text.size() && text[pos] != ']'; ++pos) {
    if (!IsDigit(text[pos])) {
      return false;
    }
    value = value >= kSaturated ? kSaturated : value * 10 + static_cast<std::uint32_t>(text[pos] - '0');
  }
  if (pos == text.size()) {
    return false;
  }
  ++pos;
  return true;
}

// "[position][file id][total]" after the leading "~2"; `pos` starts at the first "[" and ends
// after the last "]".
HRESULT ParseStructuredAppend(std::string_view text, std::size_t& pos, ParsedMessage& out) {
  std::uint32_t position = 0;
  std::uint32_t fileId = 0;
  std::uint32_t total = 0;
  ++pos;
  if (!ReadBracketField(text, pos, position)) {
    return kStructuredAppendInvalidBlock;
  }
  if (position < 1 || position > 16) {
    return kStructuredAppendInvalidPosition;
  }
  if (pos >= text.size() || text[pos] != '[') {
    return kStructuredAppendMissingField;
  }
  ++pos;
  if (!ReadBracketField(text, pos, fileId) || fileId > 64515) {
    return kStructuredAppendInvalidFileId;
  }
  if (pos >= text.size() || text[pos] != '[') {
    return kStructuredAppendMissingField;
  }
  ++pos;
  if (!ReadBracketField(text, pos, total) || total < 1 || total > 16) {
    return kStructuredAppendInvalidTotal;
  }
  // Position and total share one codeword; the 16th of one symbol does not fit in it.
  const std::uint32_t sequence = 16 * position - total + 1;
  if (sequence > 255) {
    return kStructuredAppendInvalidPosition;
  }
  const std::uint32_t high = fileId >> 8;
  const std::uint32_t low = fileId & 0xFF;
  out.header = {kStructuredAppendCodeword, static_cast<std::uint8_t>(sequence),
                static_cast<std::uint8_t>(fileId < 256 ? 254 : high), static_cast<std::uint8_t>(low == 0 ? 254 : low)};
  out.headerCount = 4;
  return kOk;
}

// The header codeword that a "~3", "~5" or "~6" at the start of the text stands for, or 0.
std::uint8_t LeadingHeaderCodeword(std::string_view text) {
  if (text.size() < 2 || text[0] != '~') {
    return 0;
  }
  switch (text[1]) {
    case '3':
      return kReaderProgrammingCodeword;
    case '5':
      return kMacro05Codeword;
    case '6':
      return kMacro06Codeword;
    default:
      return 0;
  }
}

class ItemWriter {
 public:
  explicit ItemWriter(ParsedMessage& out) : out_(out) {}
  bool Add(Item item) {
    if (out_.itemCount == kMaxItems) {
      return false;
    }
    out_.items[out_.itemCount++] = item;
    return true;
  }

 private:
  ParsedMessage& out_;
};

}  // namespace

int EciValueCodewords(std::uint32_t value, std::uint8_t* out) {
  if (value <= 126) {
    out[0] = static_cast<std::uint8_t>(value + 1);
    return 1;
  }
  if (value <= 16382) {
    out[0] = static_cast<std::uint8_t>((value - 127) / 254 + 128);
    out[1] = static_cast<std::uint8_t>((value - 127) % 254 + 1);
    return 2;
  }
  const std::uint32_t w = value - 16383;
  out[0] = static_cast<std::uint8_t>(w / 64516 + 192);
  out[1] = static_cast<std::uint8_t>((w / 254) % 254 + 1);
  out[2] = static_cast<std::uint8_t>(w % 254 + 1);
  return 3;
}

HRESULT ParseMessage(std::string_view text, ParsedMessage& out) {
  out.headerCount = 0;
  out.itemCount = 0;
  std::size_t pos = 0;
  if (text.starts_with("~2[")) {
    pos = 2;
    if (const HRESULT hr = ParseStructuredAppend(text, pos, out); hr != kOk) {
      return hr;
    }
  } else if (const std::uint8_t codeword = LeadingHeaderCodeword(text); codeword != 0) {
    out.header[0] = codeword;
    out.headerCount = 1;
    pos = 2;
  }

  ItemWriter items(out);
  while (pos < text.size()) {
    const auto c = static_cast<unsigned char>(text[pos]);
    const char next = pos + 1 < text.size() ? text[pos + 1] : '\0';
    std::uint32_t value = 0;
    bool added = true;
    if (c != '~' || pos + 1 == text.size()) {
      added = items.Add(c);
      pos += 1;
    } else if (next >= '@' && next <= 'Z') {
      added = items.Add(static_cast<Item>(next - '@'));
      pos += 2;
    } else if (next == '~') {
      added = items.Add('~');
      pos += 2;
    } else if (next == '1') {
      added = items.Add(kFnc1Item);
      pos += 2;
    } else if (next == '7' && ReadDigits(text, pos + 2, 6, value)) {
      std::uint8_t codewords[3];
      const int count = EciValueCodewords(value, codewords);
      added = items.Add(kEciItem);
      for (int i = 0; i < count && added; ++i) {
        added = items.Add(EciValueItem(codewords[i]));
      }
      pos += 8;
    } else if (next == 'd' && ReadDigits(text, pos + 2, 3, value) && value <= 255) {
      added = items.Add(static_cast<Item>(value));
      pos += 5;
    } else {
      added = items.Add('~');
      pos += 1;
    }
    if (!added) {
      return kTooMuchData;
    }
  }
  return kOk;
}

}  // namespace brindle2::dmtxencode
