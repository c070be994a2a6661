#include "persist/xml_text.h"

#include <charconv>

namespace linnet::persist {

namespace {

bool IsAsciiLetter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool IsAsciiDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// Shortest round-trip digits; the exponent is written upper case as the platform writes it.
std::u16string RoundTripDoubleText(double v) {
  char buffer[64];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
  std::u16string text;
  for (const char* p = buffer; ec == std::errc() && p != end; ++p) {
    text.push_back(*p == 'e' ? u'E' : static_cast<char16_t>(*p));
  }
  return text;
}

}  // namespace

std::optional<std::string> EncodeElementName(std::u16string_view name) {
  if (name.empty() || IsAsciiDigit(name.front())) {
    return std::nullopt;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string encoded;
  encoded.reserve(name.size());
  for (const char16_t c : name) {
    if (IsAsciiLetter(c) || IsAsciiDigit(c)) {
      encoded.push_back(static_cast<char>(c));
    } else if (c == u'_') {
      encoded += "__";
    } else {
      encoded.push_back('_');
      bool leading = true;
      for (int shift = 12; shift >= 0; shift -= 4) {
        const unsigned digit = (static_cast<unsigned>(c) >> shift) & 0xFU;
        if (digit != 0 || !leading || shift == 0) {
          encoded.push_back(kHex[digit]);
          leading = false;
        }
      }
    }
  }
  return encoded;
}

HRESULT ValueText(const Variant& value, std::u16string& text) {
  if (value.Type() == VT_R8) {
    text = RoundTripDoubleText(value.AsDouble());
    return S_OK;
  }
  Variant converted;
  if (const HRESULT hr = ChangeType(value, converted, VT_BSTR); Failed(hr)) {
    return hr;
  }
  text = converted.AsText();
  return S_OK;
}

bool CarriesInXml(std::u16string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') {
      return false;
    }
    if (c == 0xFFFE || c == 0xFFFF || IsLowSurrogate(c)) {
      return false;
    }
    if (IsHighSurrogate(c)) {
      if (i + 1 == text.size() || !IsLowSurrogate(text[i + 1])) {
        return false;
      }
      ++i;
    }
  }
  return true;
}

}  // namespace linnet::persist
