#include "platform/codepage.h"

#include <array>
#include <cstdint>

namespace linnet {

namespace {

// Bytes 0x80..0x9F of Windows-1252; 0 marks the five bytes the code page leaves unassigned.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char ToAnsi(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    return static_cast<char>(c);
  }
  // The unassigned bytes stand for the control characters of the same value, both ways.
  if (c >= 0x80 && c <= 0x9F && kHighControls[c - 0x80] == 0) {
    return static_cast<char>(c);
  }
  for (size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == c) {
      return static_cast<char>(0x80 + i);
    }
  }
  return kAnsiDefaultCharacter;
}

}  // namespace

std::string WideToAnsi(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    // A surrogate pair is one character without a mapping: one default character for it.
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      ++i;
      out.push_back(kAnsiDefaultCharacter);
      continue;
    }
    out.push_back(ToAnsi(c));
  }
  return out;
}

std::u16string AnsiToWide(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (const char b : bytes) {
    const auto u = static_cast<unsigned char>(b);
    if (u >= 0x80 && u <= 0x9F) {
      const char16_t mapped = kHighControls[u - 0x80];
      out.push_back(mapped != 0 ? mapped : static_cast<char16_t>(u));
    } else {
      out.push_back(static_cast<char16_t>(u));
    }
  }
  return out;
}

std::u16string Utf8ToWide(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const auto b0 = static_cast<unsigned char>(utf8[i]);
    char32_t cp = 0xFFFD;
    size_t length = 1;
    if (b0 < 0x80) {
      cp = b0;
    } else {
      const size_t need = (b0 & 0xE0) == 0xC0 ? 2 : (b0 & 0xF0) == 0xE0 ? 3 : (b0 & 0xF8) == 0xF0 ? 4 : 0;
      bool ok = need != 0 && i + need <= utf8.size();
      char32_t value = need == 2 ? (b0 & 0x1F) : need == 3 ? (b0 & 0x0F) : (b0 & 0x07);
      for (size_t k = 1; ok && k < need; ++k) {
        const auto b = static_cast<unsigned char>(utf8[i + k]);
        ok = (b & 0xC0) == 0x80;
        value = (value << 6) | (b & 0x3F);
      }
      constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
      if (ok && value >= kMinimum[need] && value <= 0x10FFFF && !(value >= 0xD800 && value <= 0xDFFF)) {
        cp = value;
        length = need;
      }
    }
    i += length;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::string WideToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

}  // namespace linnet
