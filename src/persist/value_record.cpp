#include "persist/value_record.h"

#include <bit>
#include <type_traits>

#include "platform/com/font_persist.h"
#include "platform/com/stream_io.h"

namespace linnet::persist {

namespace {

// Variant types a stream may hold beyond those a Variant carries.
enum StoredType : std::uint16_t {
  kR4 = 4,
  kCurrency = 6,
  kDate = 7,
  kError = 10,
  kI1 = 16,
  kUI1 = 17,
  kUI2 = 18,
  kI8 = 20,
  kUI8 = 21,
  kInt = 22,
  kUInt = 23,
};

std::uint32_t TextBytes(const std::u16string& text) {
  return text.empty() ? 0 : static_cast<std::uint32_t>(2 * text.size() + 2);
}

HRESULT WriteText(StreamWriter& out, const std::u16string& text) {
  const std::uint32_t count = TextBytes(text);
  if (const HRESULT hr = out.U32(count); Failed(hr) || count == 0) {
    return hr;
  }
  // The text and its terminator in one write.
  std::string bytes(count, '\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  return out.Bytes(bytes.data(), count);
}

HRESULT ReadText(ByteStream& stream, std::u16string& text) {
  StreamReader in(stream);
  std::uint32_t count = 0;
  if (const HRESULT hr = in.U32(count); Failed(hr)) {
    return hr;
  }
  text.clear();
  if (count == 0) {
    return S_OK;
  }
  if (count > kMaxTextBytes) {
    return E_ACCESSDENIED;
  }
  // Two bytes per character and the terminator: anything else is not a text this form wrote.
  if (count == 1 || count % 2 != 0) {
    return E_FAIL;
  }
  std::string bytes;
  if (const HRESULT hr = in.Append(bytes, count - 2); Failed(hr)) {
    return hr;
  }
  std::uint16_t terminator = 0;
  if (const HRESULT hr = in.U16(terminator); Failed(hr)) {
    return hr;
  }
  if (terminator != 0) {
    return E_FAIL;
  }
  text.resize(bytes.size() / 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[i] = static_cast<char16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                    (static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8));
  }
  return S_OK;
}

HRESULT ReadObject(ByteStream& stream, Variant& value) {
  Guid classId;
  if (const HRESULT hr = StreamReader(stream).ClassId(classId); Failed(hr)) {
    return hr;
  }
  FontPtr font = CreateObjectOfClass(classId);
  if (font) {
    if (const HRESULT hr = LoadFontRecord(stream, font->MutableDescription()); Failed(hr)) {
      return hr;
    }
  }
  value = Variant::Font(std::move(font));
  return S_OK;
}

// A number of T's size, little-endian, reinterpreted as T.
template <class T>
HRESULT ReadNumber(StreamReader& in, Variant& value, Variant (*wrap)(T)) {
  using Bits = std::conditional_t<sizeof(T) == 1, std::uint8_t,
                                  std::conditional_t<sizeof(T) == 2, std::uint16_t,
                                                     std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>>>;
  Bits bits{};
  HRESULT hr = S_OK;
  if constexpr (sizeof(T) == 1) {
    hr = in.U8(bits);
  } else if constexpr (sizeof(T) == 2) {
    hr = in.U16(bits);
  } else if constexpr (sizeof(T) == 4) {
    hr = in.U32(bits);
  } else {
    hr = in.U64(bits);
  }
  if (Succeeded(hr)) {
    value = wrap(std::bit_cast<T>(bits));
  }
  return hr;
}

Variant AsLong(std::int32_t v) {
  return Variant::Long(v);
}
template <class T>
Variant AsDouble(T v) {
  return Variant::Double(static_cast<double>(v));
}

}  // namespace

HRESULT WriteValueRecord(ByteStream& stream, const Variant& value) {
  StreamWriter out(stream);
  const VarType type = value.Type();
  if (const HRESULT hr = out.U16(type); Failed(hr)) {
    return hr;
  }
  switch (type) {
    case VT_I2:
    case VT_BOOL:
      return out.U16(static_cast<std::uint16_t>(value.AsLong()));
    case VT_I4:
      return out.U32(static_cast<std::uint32_t>(value.AsLong()));
    case VT_UI4:
      return out.U32(static_cast<std::uint32_t>(value.AsWide()));
    case VT_R8:
      return out.U64(std::bit_cast<std::uint64_t>(value.AsDouble()));
    case VT_BSTR:
      return WriteText(out, value.AsText());
    case VT_DISPATCH:
    case VT_UNKNOWN: {
      const FontPtr font = value.AsFont();
      if (!font) {
        return out.ClassId(Guid{});
      }
      if (const HRESULT hr = out.ClassId(kFontClassId); Failed(hr)) {
        return hr;
      }
      return SaveFontRecord(font->Description(), stream);
    }
    default: {
      Variant text;
      if (Failed(ChangeType(value, text, VT_BSTR))) {
        return E_FAIL;
      }
      return WriteText(out, text.AsText());
    }
  }
}

std::uint64_t ValueRecordSize(const Variant& value) {
  constexpr std::uint64_t kType = 2;
  switch (value.Type()) {
    case VT_I2:
    case VT_BOOL:
      return kType + 2;
    case VT_I4:
    case VT_UI4:
      return kType + 4;
    case VT_R8:
      return kType + 8;
    case VT_BSTR:
      return kType + 4 + TextBytes(value.AsText());
    case VT_DISPATCH:
    case VT_UNKNOWN: {
      const FontPtr font = value.AsFont();
      return kType + kGuidBytes + (font ? FontRecordSize(font->Description()) : 0);
    }
    default: {
      Variant text;
      return kType + 4 + (Succeeded(ChangeType(value, text, VT_BSTR)) ? TextBytes(text.AsText()) : 0);
    }
  }
}

HRESULT ReadValueRecord(ByteStream& stream, Variant& value) {
  StreamReader in(stream);
  std::uint16_t type = 0;
  if (const HRESULT hr = in.U16(type); Failed(hr)) {
    return hr;
  }
  switch (type) {
    case VT_I2:
      return ReadNumber<std::int16_t>(
          in, value, +[](std::int16_t v) { return Variant::Short(v); });
    case VT_BOOL:
      return ReadNumber<std::int16_t>(
          in, value, +[](std::int16_t v) { return Variant::BoolRaw(v); });
    case kUI2:
      return ReadNumber<std::uint16_t>(
          in, value, +[](std::uint16_t v) { return Variant::Long(v); });
    case VT_I4:
    case kError:
    case kInt:
      return ReadNumber<std::int32_t>(in, value, &AsLong);
    case VT_UI4:
    case kUInt:
      return ReadNumber<std::uint32_t>(
          in, value, +[](std::uint32_t v) { return Variant::UnsignedLong(v); });
    case kR4:
      return ReadNumber<float>(in, value, &AsDouble<float>);
    case VT_R8:
    case kDate:
      return ReadNumber<double>(in, value, &AsDouble<double>);
    case kCurrency:
      return ReadNumber<std::int64_t>(
          in, value, +[](std::int64_t v) { return Variant::Double(static_cast<double>(v) / 10000.0); });
    case kI8:
      return ReadNumber<std::int64_t>(in, value, &AsDouble<std::int64_t>);
    case kUI8:
      return ReadNumber<std::uint64_t>(in, value, &AsDouble<std::uint64_t>);
    case kI1:
      return ReadNumber<std::int8_t>(
          in, value, +[](std::int8_t v) { return Variant::Long(v); });
    case kUI1:
      return ReadNumber<std::uint8_t>(
          in, value, +[](std::uint8_t v) { return Variant::Long(v); });
    case VT_DISPATCH:
    case VT_UNKNOWN:
      return ReadObject(stream, value);
    default: {
      std::u16string text;
      const HRESULT hr = ReadText(stream, text);
      if (Succeeded(hr)) {
        value = Variant::Text(std::move(text));
      }
      return hr;
    }
  }
}

}  // namespace linnet::persist
