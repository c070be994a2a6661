#include "platform/com/variant.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/ascii_case.h"
#include "platform/codepage.h"

namespace linnet {

std::int32_t Variant::AsLong() const {
  const auto* v = std::get_if<std::int32_t>(&payload_);
  return v != nullptr ? *v : 0;
}

std::int64_t Variant::AsWide() const {
  const auto* v = std::get_if<std::int64_t>(&payload_);
  return v != nullptr ? *v : 0;
}

double Variant::AsDouble() const {
  const auto* v = std::get_if<double>(&payload_);
  return v != nullptr ? *v : 0.0;
}

const std::u16string& Variant::AsText() const {
  static const std::u16string kEmpty;
  const auto* v = std::get_if<std::u16string>(&payload_);
  return v != nullptr ? *v : kEmpty;
}

FontPtr Variant::AsFont() const {
  const auto* v = std::get_if<FontPtr>(&payload_);
  return v != nullptr ? *v : nullptr;
}

PicturePtr Variant::AsPicture() const {
  const auto* v = std::get_if<PicturePtr>(&payload_);
  return v != nullptr ? *v : nullptr;
}

ByteStreamPtr Variant::AsStream() const {
  const auto* v = std::get_if<ByteStreamPtr>(&payload_);
  return v != nullptr ? *v : nullptr;
}

const Variant* Variant::Referenced() const {
  const auto* v = std::get_if<std::shared_ptr<Variant>>(&payload_);
  return v != nullptr ? v->get() : nullptr;
}

std::u16string DoubleToText(double v) {
  // Fifteen significant digits, as the platform prints doubles, without trailing zeros.
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15G", v);
  return AnsiToWide(buffer);
}

namespace {

std::u16string Trim(const std::u16string& s) {
  size_t b = 0;
  size_t e = s.size();
  while (b < e && (s[b] == u' ' || s[b] == u'\t')) {
    ++b;
  }
  while (e > b && (s[e - 1] == u' ' || s[e - 1] == u'\t')) {
    --e;
  }
  return s.substr(b, e - b);
}

// A number written in the invariant locale; nothing else may follow it.
bool ParseNumber(const std::u16string& text, double& out) {
  const std::u16string trimmed = Trim(text);
  if (trimmed.empty()) {
    return false;
  }
  std::string ascii;
  for (const char16_t c : trimmed) {
    if (c > 0x7F) {
      return false;
    }
    ascii.push_back(static_cast<char>(c));
  }
  const char* first = ascii.c_str();
  if (*first == '+') {
    ++first;
  }
  const char* last = ascii.c_str() + ascii.size();
  const auto [ptr, ec] = std::from_chars(first, last, out);
  return ec == std::errc() && ptr == last && std::isfinite(out);
}

// The platform rounds to the nearest integer, halves to even.
HRESULT ToInteger(double v, std::int64_t low, std::int64_t high, std::int64_t& out) {
  const double rounded = std::nearbyint(v);
  if (!(rounded >= static_cast<double>(low) && rounded <= static_cast<double>(high))) {
    return DISP_E_OVERFLOW;
  }
  out = static_cast<std::int64_t>(rounded);
  return S_OK;
}

HRESULT SourceAsDouble(const Variant& in, double& out) {
  switch (in.Type()) {
    case VT_EMPTY:
      out = 0;
      return S_OK;
    case VT_I2:
    case VT_I4:
    case VT_BOOL:
      out = in.AsLong();
      return S_OK;
    case VT_UI4:
      out = static_cast<double>(in.AsWide());
      return S_OK;
    case VT_R8:
      out = in.AsDouble();
      return S_OK;
    case VT_BSTR:
      return ParseNumber(in.AsText(), out) ? S_OK : DISP_E_TYPEMISMATCH;
    default:
      return DISP_E_TYPEMISMATCH;
  }
}

}  // namespace

HRESULT ChangeType(const Variant& source, Variant& out, VarType type) {
  const Variant* inPtr = &source;
  if (source.Type() == (VT_BYREF | VT_VARIANT)) {
    inPtr = source.Referenced();
    if (inPtr == nullptr) {
      return E_INVALIDARG;
    }
  }
  const Variant& in = *inPtr;
  if (in.Type() == type) {
    out = in;
    return S_OK;
  }
  if (type == VT_BSTR) {
    switch (in.Type()) {
      case VT_EMPTY:
        out = Variant::Text(u"");
        return S_OK;
      case VT_I2:
      case VT_I4:
        out = Variant::Text(AnsiToWide(std::to_string(in.AsLong())));
        return S_OK;
      case VT_UI4:
        out = Variant::Text(AnsiToWide(std::to_string(in.AsWide())));
        return S_OK;
      case VT_R8:
        out = Variant::Text(DoubleToText(in.AsDouble()));
        return S_OK;
      case VT_BOOL:
        out = Variant::Text(in.AsLong() != 0 ? u"True" : u"False");
        return S_OK;
      default:
        return DISP_E_TYPEMISMATCH;
    }
  }
  if (in.Type() == VT_DISPATCH || in.Type() == VT_UNKNOWN || in.Type() == VT_NULL) {
    return DISP_E_TYPEMISMATCH;
  }
  // Only a boolean reads the words "True" and "False".
  if (type == VT_BOOL && in.Type() == VT_BSTR) {
    const std::u16string word = Trim(in.AsText());
    if (SameIgnoringAsciiCase(word, "true") || SameIgnoringAsciiCase(word, "false")) {
      out = Variant::Bool(SameIgnoringAsciiCase(word, "true"));
      return S_OK;
    }
  }
  double value = 0;
  if (const HRESULT hr = SourceAsDouble(in, value); Failed(hr)) {
    return hr;
  }
  std::int64_t integer = 0;
  switch (type) {
    case VT_R8:
      out = Variant::Double(value);
      return S_OK;
    case VT_BOOL:
      out = Variant::Bool(value != 0);
      return S_OK;
    case VT_I2:
      if (const HRESULT hr = ToInteger(value, std::numeric_limits<std::int16_t>::min(),
                                       std::numeric_limits<std::int16_t>::max(), integer);
          Failed(hr)) {
        return hr;
      }
      out = Variant::Short(static_cast<std::int16_t>(integer));
      return S_OK;
    case VT_I4:
      if (const HRESULT hr = ToInteger(value, std::numeric_limits<std::int32_t>::min(),
                                       std::numeric_limits<std::int32_t>::max(), integer);
          Failed(hr)) {
        return hr;
      }
      out = Variant::Long(static_cast<std::int32_t>(integer));
      return S_OK;
    case VT_UI4:
      if (const HRESULT hr = ToInteger(value, 0, std::numeric_limits<std::uint32_t>::max(), integer); Failed(hr)) {
        return hr;
      }
      out = Variant::UnsignedLong(static_cast<std::uint32_t>(integer));
      return S_OK;
    default:
      return DISP_E_BADVARTYPE;
  }
}

}  // namespace linnet
