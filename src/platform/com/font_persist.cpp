#include "platform/com/font_persist.h"

#include <algorithm>
#include <cmath>

#include "platform/codepage.h"
#include "platform/com/stream_io.h"

namespace linnet {

namespace {

class FontBag final : public PersistPropertyBag {
 public:
  explicit FontBag(FontPtr font) : font_(std::move(font)) {}

  [[nodiscard]] Guid ClassId() const override { return kFontClassId; }

  HRESULT InitNew() override {
    font_->MutableDescription() = FontDescription{};
    return S_OK;
  }

  // Values the bag lacks or cannot convert keep the font's own.
  HRESULT Load(PropertyBag& bag) override {
    FontDescription& d = font_->MutableDescription();
    Variant v = Variant::Text({});
    if (Succeeded(bag.Read(u"Name", v))) {
      d.name = v.AsText();
    }
    v = Variant::Double(0);
    if (Succeeded(bag.Read(u"Size", v)) && std::isfinite(v.AsDouble()) && v.AsDouble() > 0 && v.AsDouble() < 1e9) {
      d.sizeTenThousandths = std::llround(v.AsDouble() * 10000.0);
    }
    if (ReadShort(bag, u"Charset", v)) {
      d.charset = static_cast<std::int16_t>(v.AsLong());
    }
    if (ReadShort(bag, u"Weight", v)) {
      d.weight = static_cast<std::int16_t>(v.AsLong());
    }
    ReadFlag(bag, u"Underline", d.underline);
    ReadFlag(bag, u"Italic", d.italic);
    ReadFlag(bag, u"Strikethrough", d.strikethrough);
    return S_OK;
  }

  HRESULT Save(PropertyBag& bag, bool /*clearDirty*/, bool /*saveAll*/) override {
    const FontDescription& d = font_->Description();
    const Variant values[] = {
        Variant::Text(d.name),         Variant::Double(static_cast<double>(d.sizeTenThousandths) / 10000.0),
        Variant::Short(d.charset),     Variant::Short(d.weight),
        Variant::Bool(d.underline),    Variant::Bool(d.italic),
        Variant::Bool(d.strikethrough)};
    const std::u16string_view names[] = {u"Name",      u"Size",   u"Charset",      u"Weight",
                                         u"Underline", u"Italic", u"Strikethrough"};
    for (size_t i = 0; i < std::size(names); ++i) {
      if (const HRESULT hr = bag.Write(names[i], values[i]); Failed(hr)) {
        return hr;
      }
    }
    return S_OK;
  }

 private:
  static bool ReadShort(PropertyBag& bag, std::u16string_view name, Variant& v) {
    v = Variant::Short(0);
    return Succeeded(bag.Read(name, v)) && Succeeded(ChangeType(Variant(v), v, VT_I2));
  }

  static void ReadFlag(PropertyBag& bag, std::u16string_view name, bool& flag) {
    Variant v = Variant::Bool(false);
    if (Succeeded(bag.Read(name, v)) && Succeeded(ChangeType(Variant(v), v, VT_BOOL))) {
      flag = v.AsLong() != 0;
    }
  }

  FontPtr font_;
};

constexpr std::uint8_t kRecordVersion = 1;
constexpr std::uint8_t kItalic = 0x02;
constexpr std::uint8_t kUnderline = 0x04;
constexpr std::uint8_t kStrikethrough = 0x08;
constexpr std::size_t kMaxNameBytes = 255;
constexpr std::uint32_t kFixedBytes = 1 + 2 + 1 + 2 + 4 + 1;

std::string RecordName(const FontDescription& d) {
  std::string name = WideToAnsi(d.name);
  name.resize(std::min(name.size(), kMaxNameBytes));
  return name;
}

}  // namespace

HRESULT SaveFontRecord(const FontDescription& d, ByteStream& stream) {
  StreamWriter out(stream);
  const std::string name = RecordName(d);
  const auto flags = static_cast<std::uint8_t>((d.italic ? kItalic : 0) | (d.underline ? kUnderline : 0) |
                                               (d.strikethrough ? kStrikethrough : 0));
  const auto size = static_cast<std::uint32_t>(std::clamp<std::int64_t>(d.sizeTenThousandths, 0, UINT32_MAX));
  HRESULT hr = out.U8(kRecordVersion);
  if (Succeeded(hr)) hr = out.U16(static_cast<std::uint16_t>(d.charset));
  if (Succeeded(hr)) hr = out.U8(flags);
  if (Succeeded(hr)) hr = out.U16(static_cast<std::uint16_t>(d.weight));
  if (Succeeded(hr)) hr = out.U32(size);
  if (Succeeded(hr)) hr = out.U8(static_cast<std::uint8_t>(name.size()));
  if (Succeeded(hr)) hr = out.Bytes(name.data(), static_cast<std::uint32_t>(name.size()));
  return hr;
}

HRESULT LoadFontRecord(ByteStream& stream, FontDescription& description) {
  StreamReader in(stream);
  std::uint8_t version = 0;
  std::uint16_t charset = 0;
  std::uint8_t flags = 0;
  std::uint16_t weight = 0;
  std::uint32_t size = 0;
  std::uint8_t nameBytes = 0;
  std::string name;
  HRESULT hr = in.U8(version);
  if (Succeeded(hr) && version != kRecordVersion) {
    hr = E_FAIL;
  }
  if (Succeeded(hr)) hr = in.U16(charset);
  if (Succeeded(hr)) hr = in.U8(flags);
  if (Succeeded(hr)) hr = in.U16(weight);
  if (Succeeded(hr)) hr = in.U32(size);
  if (Succeeded(hr)) hr = in.U8(nameBytes);
  if (Succeeded(hr)) hr = in.Append(name, nameBytes);
  if (Failed(hr)) {
    return hr;
  }
  description.charset = static_cast<std::int16_t>(charset);
  description.italic = (flags & kItalic) != 0;
  description.underline = (flags & kUnderline) != 0;
  description.strikethrough = (flags & kStrikethrough) != 0;
  description.weight = static_cast<std::int16_t>(weight);
  description.sizeTenThousandths = size;
  description.name = AnsiToWide(name);
  return S_OK;
}

std::uint32_t FontRecordSize(const FontDescription& description) {
  return kFixedBytes + static_cast<std::uint32_t>(RecordName(description).size());
}

std::unique_ptr<PersistPropertyBag> FontBagPersistence(FontPtr font) {
  return std::make_unique<FontBag>(std::move(font));
}

FontPtr CreateObjectOfClass(const Guid& classId) {
  if (classId == kFontClassId) {
    return std::make_shared<FontObject>(FontDescription{});
  }
  return nullptr;
}

}  // namespace linnet
