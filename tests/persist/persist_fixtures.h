#pragma once
// Shared by the persistence tests: a control with every persisted property away from its value
// at creation, a comparison of two controls through their getters, and a property bag in memory.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "control/automation.h"
#include "control/qln_barcode.h"
#include "persist/persisted_set.h"
#include "platform/com/property_bag.h"

namespace linnet::testing {

struct Setting {
  const char* name;
  Variant value;
};

inline FontPtr TestFont(const char16_t* name, double points, std::int16_t weight, bool italic) {
  FontPtr font = MakeFont(name, points, weight);
  font->MutableDescription().italic = italic;
  font->MutableDescription().charset = 2;
  return font;
}

// Applied in this order: AutoSize before ZoomRatio (turning it on resets the zoom), AutoLabelSize
// off before the label sizes, Symbology before Message, Measurement before the lengths.
inline std::vector<Setting> EveryPersistedPropertyChanged() {
  return {
      {"AutoSize", Variant::Bool(true)},
      {"AutoLabelSize", Variant::Bool(false)},
      {"ZoomRatio", Variant::Double(2.5)},
      {"BackColor", Variant::UnsignedLong(0x00123456)},
      {"BorderColor", Variant::UnsignedLong(0x80000005)},
      {"BorderStyle", Variant::Long(1)},
      {"Enabled", Variant::Bool(false)},
      {"Font", Variant::Font(TestFont(u"Courier New", 12.5, 700, true))},
      {"ForeColor", Variant::UnsignedLong(0x0000AA00)},
      {"Symbology", Variant::Long(5)},
      {"Measurement", Variant::Long(1)},
      {"BorderWidth", Variant::Long(21)},
      {"BarHeight", Variant::Long(1777)},
      {"BarWidthReduction", Variant::Long(-7)},
      {"BearerBars", Variant::Bool(true)},
      // Outside 7-bit ASCII: the text crosses the code page both ways.
      {"Message", Variant::Text(u"Linnet \u00e9 128")},
      {"NarrowBarWidth", Variant::Long(27)},
      {"NarrowToWideRatio", Variant::Double(2.75)},
      {"QuietZones", Variant::Bool(true)},
      {"Code39OptionalCheckDigit", Variant::Bool(true)},
      {"I2of5OptionalCheckDigit", Variant::Bool(true)},
      {"Code25OptionalCheckDigit", Variant::Bool(true)},
      {"UccEanOptionalCheckDigit", Variant::Bool(true)},
      {"Comment", Variant::Text(u"two\\nlines")},
      {"CommentFont", Variant::Font(TestFont(u"Liberation Serif", 7, 400, false))},
      {"CommentAlignment", Variant::Long(3)},
      {"ShowComment", Variant::Bool(false)},
      {"CommentOnTop", Variant::Bool(true)},
      {"CommentMarginLeft", Variant::Long(11)},
      {"CommentMarginRight", Variant::Long(12)},
      {"CommentMarginTop", Variant::Long(13)},
      {"CommentMarginBottom", Variant::Long(14)},
      {"SymbolMarginLeft", Variant::Long(15)},
      {"SymbolMarginRight", Variant::Long(16)},
      {"SymbolMarginTop", Variant::Long(17)},
      {"SymbolMarginBottom", Variant::Long(18)},
      {"LabelHeight", Variant::Long(3333)},
      {"LabelWidth", Variant::Long(4444)},
      {"Rotation", Variant::Long(2)},
      {"ShowHRText", Variant::Bool(false)},
      {"TexAlignment", Variant::Long(1)},
      {"Code39StartStopChars", Variant::Bool(false)},
      {"TextOnTop", Variant::Bool(true)},
      {"ShowCheckDigit", Variant::Bool(true)},
      {"RasterImageResolution", Variant::Long(600)},
      // Not persisted: a load leaves them at their values at creation.
      {"PDF417ModuleWidth", Variant::Long(7)},
      {"MaxicodeMode", Variant::Short(4)},
      {"MaxicodeZipCode", Variant::Text(u"ZZ9")},
      {"DataMatrixTargetSize", Variant::Long(12)},
  };
}

inline void Apply(CQlnBarcode& control, const std::vector<Setting>& settings) {
  for (const auto& s : settings) {
    const AutomationMember* member = FindAutomationMember(s.name, true);
    ASSERT_NE(member, nullptr) << s.name;
    ASSERT_TRUE(Succeeded(PutAutomationProperty(control, *member, s.value))) << s.name;
  }
}

inline std::string Describe(const Variant& v) {
  if (v.Type() == VT_DISPATCH) {
    const FontPtr f = v.AsFont();
    if (!f) {
      return "no font";
    }
    const FontDescription& d = f->Description();
    return "font " + std::string(d.name.begin(), d.name.end()) + " " + std::to_string(d.sizeTenThousandths) + " " +
           std::to_string(d.weight) + " " + std::to_string(d.charset) + (d.italic ? " i" : "") +
           (d.underline ? " u" : "") + (d.strikethrough ? " s" : "");
  }
  Variant text;
  const HRESULT hr = ChangeType(v, text, VT_BSTR);
  const std::u16string& t = text.AsText();
  return std::to_string(v.Type()) + ":" + (Succeeded(hr) ? std::string(t.begin(), t.end()) : "?");
}

inline Variant Get(CQlnBarcode& control, const AutomationMember& member) {
  Variant v;
  EXPECT_EQ(member.get(control, v), S_OK) << member.name;
  return v;
}

// Every persisted property of `loaded` reads as in `original`.
inline void ExpectSamePersistedValues(CQlnBarcode& original, CQlnBarcode& loaded) {
  for (const AutomationMember* member : persist::PersistedProperties()) {
    SCOPED_TRACE(member->name);
    EXPECT_EQ(Describe(Get(loaded, *member)), Describe(Get(original, *member)));
  }
}

// Every extension property reads as at creation.
inline void ExpectExtensionsAtCreation(CQlnBarcode& control) {
  for (const AutomationMember& member : AutomationMembers()) {
    if (member.extension) {
      SCOPED_TRACE(member.name);
      ASSERT_NE(member.creation, nullptr);
      EXPECT_EQ(Describe(Get(control, member)), Describe(member.creation()));
    }
  }
}

// A bag in memory. Reading converts to the expected type the way a host's bag does; a font is
// kept as the object itself.
class MapBag final : public PropertyBag {
 public:
  HRESULT Read(std::u16string_view name, Variant& value) override {
    const auto it = values.find(std::u16string(name));
    if (it == values.end()) {
      return E_INVALIDARG;
    }
    if (value.Type() == VT_DISPATCH || value.Type() == VT_EMPTY || it->second.Type() == VT_DISPATCH) {
      if (value.Type() != VT_EMPTY && value.Type() != it->second.Type()) {
        return DISP_E_TYPEMISMATCH;
      }
      value = it->second;
      return S_OK;
    }
    Variant converted;
    const HRESULT hr = ChangeType(it->second, converted, value.Type());
    if (Succeeded(hr)) {
      value = converted;
    }
    return hr;
  }
  HRESULT Write(std::u16string_view name, const Variant& value) override {
    if (failAfterWrites >= 0 && static_cast<int>(order.size()) >= failAfterWrites) {
      return E_FAIL;
    }
    values[std::u16string(name)] = value;
    order.emplace_back(name);
    return S_OK;
  }

  std::map<std::u16string, Variant> values;
  std::vector<std::u16string> order;
  int failAfterWrites = -1;
};

}  // namespace linnet::testing
