#include "platform/com/font_persist.h"

#include <cmath>

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

}  // namespace

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
