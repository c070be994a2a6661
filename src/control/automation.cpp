#include "control/automation.h"

#include <array>
#include <type_traits>

#include "control/dispids.h"
#include "control/qln_barcode.h"
#include "platform/ascii_case.h"

namespace linnet {

namespace {

template <class T>
struct Traits;
template <>
struct Traits<std::int32_t> {
  static Variant Wrap(std::int32_t v, ValueKind /*kind*/) { return Variant::Long(v); }
  static std::int32_t Unwrap(const Variant& v) { return v.AsLong(); }
};
// 16-bit values are booleans or short integers; the kind of the member tells which.
template <>
struct Traits<std::int16_t> {
  static Variant Wrap(std::int16_t v, ValueKind kind) {
    return kind == ValueKind::Bool ? Variant::BoolRaw(v) : Variant::Short(v);
  }
  static std::int16_t Unwrap(const Variant& v) { return static_cast<std::int16_t>(v.AsLong()); }
};
template <>
struct Traits<double> {
  static Variant Wrap(double v, ValueKind /*kind*/) { return Variant::Double(v); }
  static double Unwrap(const Variant& v) { return v.AsDouble(); }
};
template <>
struct Traits<OLE_COLOR> {
  static Variant Wrap(OLE_COLOR v, ValueKind /*kind*/) { return Variant::UnsignedLong(v); }
  static OLE_COLOR Unwrap(const Variant& v) { return static_cast<OLE_COLOR>(v.AsWide()); }
};
template <>
struct Traits<std::u16string> {
  static Variant Wrap(const std::u16string& v, ValueKind /*kind*/) { return Variant::Text(v); }
  static std::u16string Unwrap(const Variant& v) { return v.AsText(); }
};
template <>
struct Traits<FontPtr> {
  static Variant Wrap(const FontPtr& v, ValueKind /*kind*/) { return Variant::Font(v); }
  static FontPtr Unwrap(const Variant& v) { return v.AsFont(); }
};

template <class T>
struct MemberType;
template <class T>
struct MemberType<HRESULT (CQlnBarcode::*)(T*) const> {
  using type = T;
};
template <class T>
struct MemberType<HRESULT (CQlnBarcode::*)(T*)> {
  using type = T;
};

template <auto Getter, ValueKind Kind>
HRESULT GetVia(CQlnBarcode& control, Variant& out) {
  using T = typename MemberType<decltype(Getter)>::type;
  T value{};
  const HRESULT hr = (control.*Getter)(&value);
  if (Succeeded(hr)) {
    out = Traits<T>::Wrap(value, Kind);
  }
  return hr;
}

template <auto Getter, auto Setter>
HRESULT PutVia(CQlnBarcode& control, const Variant& value) {
  using T = typename MemberType<decltype(Getter)>::type;
  return (control.*Setter)(Traits<T>::Unwrap(value));
}

template <>
struct Traits<bool> {
  // The stored flag of PDF417Truncated, which its getter reports as 1 or 0.
  static Variant Wrap(bool v, ValueKind /*kind*/) { return Variant::BoolRaw(v ? 1 : 0); }
};

template <class Field>
struct FieldType;
template <class T>
struct FieldType<T ControlProperties::*> {
  using type = T;
};

// The value at creation of a stored field, as the getter reports it.
template <auto Field, ValueKind Kind>
Variant CreationValue() {
  static const ControlProperties kAtCreation;
  using T = typename FieldType<decltype(Field)>::type;
  if constexpr (Kind == ValueKind::Bool && std::is_same_v<T, VARIANT_BOOL>) {
    // Booleans read back as the automation's true or false.
    return Variant::Bool((kAtCreation.*Field) != 0);
  } else {
    return Traits<T>::Wrap(kAtCreation.*Field, Kind);
  }
}

struct Persisted {
  const char* name;
  int order;
};
constexpr Persisted kNotPersisted{nullptr, 0};

enum class Unit { Plain, Length };

template <auto Getter, auto Setter, ValueKind Kind, auto Field = nullptr>
constexpr AutomationMember Property(const char* name, DISPID dispid, Access access, Category category,
                                    Persisted persisted, Unit unit = Unit::Plain,
                                    PropertyPage page = PropertyPage::None, bool storedAtCreation = true) {
  AutomationMember m{name,    dispid,   Kind, dispid == kNoDispid, &GetVia<Getter, Kind>, &PutVia<Getter, Setter>,
                     access,  category, page, persisted.name,      persisted.order,       nullptr,
                     nullptr, false};
  if constexpr (Field != nullptr) {
    if (storedAtCreation) {
      m.creation = &CreationValue<Field, Kind>;
    }
    if constexpr (std::is_same_v<decltype(Field), std::int32_t ControlProperties::*>) {
      if (unit == Unit::Length) {
        m.length = Field;
      }
    }
  }
  return m;
}

constexpr AutomationMember OptionalValue(AutomationMember m) {
  m.optionalValue = true;
  return m;
}

using C = CQlnBarcode;
using K = ValueKind;
using A = Access;
using G = Category;
using P = ControlProperties;

HRESULT GetPicture(CQlnBarcode& control, Variant& out) {
  PicturePtr picture;
  const HRESULT hr = control.get_Picture(&picture);
  if (Succeeded(hr)) {
    out = Variant::Picture(std::move(picture));
  }
  return hr;
}

constexpr AutomationMember Picture() {
  return {"Picture",          -523,    K::Picture, false,   &GetPicture, nullptr, A::GetOnly, G::None,
          PropertyPage::None, nullptr, 0,          nullptr, nullptr};
}

// Function-table order of IBarcode, then the extension members (which follow the methods).
const std::array kMembers = {
    Property<&C::get_AutoSize, &C::put_AutoSize, K::Bool, &P::autoSize>("AutoSize", kDispAutoSize, A::PutGet,
                                                                        G::Appearance, {"AutoSize", 3}),
    Property<&C::get_BackColor, &C::put_BackColor, K::Color, &P::backColor>(
        "BackColor", kDispBackColor, A::PutGet, G::Appearance, {"BackColor", 6}, Unit::Plain, PropertyPage::Color),
    Property<&C::get_BorderColor, &C::put_BorderColor, K::Color, &P::borderColor>(
        "BorderColor", kDispBorderColor, A::PutGet, G::Appearance, {"BorderColor", 7}, Unit::Plain,
        PropertyPage::Color),
    Property<&C::get_BorderStyle, &C::put_BorderStyle, K::Long, &P::borderStyle>(
        "BorderStyle", kDispBorderStyle, A::PutGet, G::Appearance, {"BorderStyle", 8}),
    Property<&C::get_BorderWidth, &C::put_BorderWidth, K::Long, &P::borderWidth>(
        "BorderWidth", kDispBorderWidth, A::PutGet, G::Appearance, {"BorderWidth", 9}, Unit::Length),
    Property<&C::get_Font, &C::putref_Font, K::Font>("Font", kDispFont, A::PutRefGet, G::Appearance, {"Font", 11},
                                                     Unit::Plain, PropertyPage::Font),
    Property<&C::get_ForeColor, &C::put_ForeColor, K::Color, &P::foreColor>(
        "ForeColor", kDispForeColor, A::PutGet, G::Appearance, {"ForeColor", 12}, Unit::Plain, PropertyPage::Color),
    Property<&C::get_Enabled, &C::put_Enabled, K::Bool, &P::enabled>("Enabled", kDispEnabled, A::PutGet, G::Appearance,
                                                                     {"Enabled", 10}),
    Picture(),
    Property<&C::get_Comment, &C::put_Comment, K::Text>("Comment", kDispComment, A::GetPut, G::Comment,
                                                        {"Comment", 26}),
    Property<&C::get_CommentFont, &C::putref_CommentFont, K::Font>(
        "CommentFont", 0xC9, A::GetPutRef, G::Comment, {"CommentFont", 27}, Unit::Plain, PropertyPage::Font),
    Property<&C::get_ShowComment, &C::put_ShowComment, K::Bool, &P::showComment>("ShowComment", 0xD0, A::GetPut,
                                                                                 G::Comment, {"ShowComment", 29}),
    Property<&C::get_CommentOnTop, &C::put_CommentOnTop, K::Bool, &P::commentOnTop>("CommentOnTop", 0xCB, A::GetPut,
                                                                                    G::Comment, {"CommentOnTop", 30}),
    Property<&C::get_CommentAlignment, &C::put_CommentAlignment, K::Alignment, &P::commentAlignment>(
        "CommentAlignment", kDispCommentAlignment, A::GetPut, G::Comment, {"CommentAlignment", 28}),
    Property<&C::get_CommentMarginLeft, &C::put_CommentMarginLeft, K::Long, &P::commentMarginLeft>(
        "CommentMarginLeft", 0xCC, A::GetPut, G::Comment, {"CommentMarginLeft", 31}, Unit::Length),
    Property<&C::get_CommentMarginRight, &C::put_CommentMarginRight, K::Long, &P::commentMarginRight>(
        "CommentMarginRight", 0xCD, A::GetPut, G::Comment, {"CommentMarginRight", 32}, Unit::Length),
    Property<&C::get_CommentMarginTop, &C::put_CommentMarginTop, K::Long, &P::commentMarginTop>(
        "CommentMarginTop", 0xCE, A::GetPut, G::Comment, {"CommentMarginTop", 33}, Unit::Length),
    Property<&C::get_CommentMarginBottom, &C::put_CommentMarginBottom, K::Long, &P::commentMarginBottom>(
        "CommentMarginBottom", 0xCF, A::GetPut, G::Comment, {"CommentMarginBottom", 34}, Unit::Length),
    Property<&C::get_BarHeight, &C::put_BarHeight, K::Long, &P::barHeight>("BarHeight", 0xF0, A::GetPut, G::BarCode,
                                                                           {"BarHeight", 14}, Unit::Length),
    // The persisted name is misspelt in every stored file, so it stays that way.
    Property<&C::get_BarWidthReduction, &C::put_BarWidthReduction, K::Long, &P::barWidthReduction>(
        "BarWidthReduction", 0xF1, A::GetPut, G::BarCode, {"BarWidthDection", 15}, Unit::Length),
    Property<&C::get_BearerBars, &C::put_BearerBars, K::Bool, &P::bearerBars>("BearerBars", 0xF2, A::GetPut, G::BarCode,
                                                                              {"BearerBars", 16}),
    Property<&C::get_Measurement, &C::put_Measurement, K::Measurement, &P::measurement>(
        "Measurement", kDispMeasurement, A::GetPut, G::BarCode, {"Measurement", 17}),
    Property<&C::get_Message, &C::put_Message, K::Text, &P::message>("message", kDispMessage, A::GetPut, G::BarCode,
                                                                     {"Message", 18}),
    Property<&C::get_NarrowBarWidth, &C::put_NarrowBarWidth, K::Long, &P::narrowBarWidth>(
        "NarrowBarWidth", 0xF5, A::GetPut, G::BarCode, {"NarrowBarWidth", 19}, Unit::Length),
    OptionalValue(Property<&C::get_NarrowToWideRatio, &C::put_NarrowToWideRatio, K::Double, &P::narrowToWideRatio>(
        "NarrowToWideRatio", 0xF6, A::GetPut, G::BarCode, {"NarrowToWideRatio", 20})),
    Property<&C::get_Symbology, &C::put_Symbology, K::Symbology, &P::symbology>("Symbology", 0xF7, A::GetPut,
                                                                                G::BarCode, {"Symbology", 13}),
    Property<&C::get_QuietZones, &C::put_QuietZones, K::Bool, &P::quietZones>("QuietZones", 0xF8, A::GetPut, G::BarCode,
                                                                              {"QuietZones", 21}),
    Property<&C::get_Code39OptionalCheckDigit, &C::put_Code39OptionalCheckDigit, K::Bool, &P::code39OptionalCheckDigit>(
        "Code39OptionalCheckDigit", 0x104, A::GetPut, G::CheckDigit, {"Code39OptionalCheckDigit", 22}),
    Property<&C::get_I2of5OptionalCheckDigit, &C::put_I2of5OptionalCheckDigit, K::Bool, &P::i2of5OptionalCheckDigit>(
        "I2of5OptionalCheckDigit", 0x105, A::GetPut, G::CheckDigit, {"I2of5OptionalCheckDigit", 23}),
    Property<&C::get_Code25OptionalCheckDigit, &C::put_Code25OptionalCheckDigit, K::Bool, &P::code25OptionalCheckDigit>(
        "Code25OptionalCheckDigit", 0x106, A::GetPut, G::CheckDigit, {"Code25OptionalCheckDigit", 24}),
    Property<&C::get_UccEanOptionalCheckDigit, &C::put_UccEanOptionalCheckDigit, K::Bool, &P::uccEanOptionalCheckDigit>(
        "UccEanOptionalCheckDigit", 0x107, A::GetPut, G::CheckDigit, {"UccEanOptionalCheckDigit", 25}),
    Property<&C::get_ShowHRText, &C::put_ShowHRText, K::Bool, &P::showHRText>("ShowHRText", 0x118, A::GetPut,
                                                                              G::HumanReadable, {"ShowHRText", 42}),
    Property<&C::get_TexAlignment, &C::put_TexAlignment, K::Alignment, &P::textAlignment>(
        "TexAlignment", 0x119, A::GetPut, G::HumanReadable, {"TextAlignment", 43}),
    Property<&C::get_Code39StartStopChars, &C::put_Code39StartStopChars, K::Bool, &P::code39StartStopChars>(
        "Code39StartStopChars", 0x11A, A::GetPut, G::HumanReadable, {"Code39StartStopChars", 44}),
    Property<&C::get_TextOnTop, &C::put_TextOnTop, K::Bool, &P::textOnTop>("TextOnTop", 0x11B, A::GetPut,
                                                                           G::HumanReadable, {"TextOnTop", 45}),
    Property<&C::get_ShowCheckDigit, &C::put_ShowCheckDigit, K::Bool, &P::showCheckDigit>(
        "ShowCheckDigit", 0x11C, A::GetPut, G::HumanReadable, {"ShowCheckDigit", 46}),
    Property<&C::get_SymbolMarginTop, &C::put_SymbolMarginTop, K::Long, &P::symbolMarginTop>(
        "SymbolMarginTop", 0xDE, A::GetPut, G::SymbolMargins, {"SymbolMarginTop", 37}, Unit::Length),
    Property<&C::get_SymbolMarginBottom, &C::put_SymbolMarginBottom, K::Long, &P::symbolMarginBottom>(
        "SymbolMarginBottom", 0xDF, A::GetPut, G::SymbolMargins, {"SymbolMarginBottom", 38}, Unit::Length),
    Property<&C::get_SymbolMarginLeft, &C::put_SymbolMarginLeft, K::Long, &P::symbolMarginLeft>(
        "SymbolMarginLeft", 0xDC, A::GetPut, G::SymbolMargins, {"SymbolMarginLeft", 35}, Unit::Length),
    Property<&C::get_SymbolMarginRight, &C::put_SymbolMarginRight, K::Long, &P::symbolMarginRight>(
        "SymbolMarginRight", 0xDD, A::GetPut, G::SymbolMargins, {"SymbolMarginRight", 36}, Unit::Length),
    Property<&C::get_AutoLabelSize, &C::put_AutoLabelSize, K::Bool, &P::autoLabelSize>(
        "AutoLabelSize", 0x140, A::GetPut, G::LabelDesign, {"AutoLabelSize", 4}),
    // The label size at creation is measured (AutoLabelSize is on); the stored sizes only
    // matter once it is off.
    Property<&C::get_LabelHeight, &C::put_LabelHeight, K::Long, &P::labelHeight>(
        "LabelHeight", 0x141, A::GetPut, G::LabelDesign, {"LabelHeight", 39}, Unit::Length, PropertyPage::None, false),
    Property<&C::get_LabelWidth, &C::put_LabelWidth, K::Long, &P::labelWidth>(
        "LabelWidth", 0x142, A::GetPut, G::LabelDesign, {"LabelWidth", 40}, Unit::Length, PropertyPage::None, false),
    Property<&C::get_Rotation, &C::put_Rotation, K::Rotation, &P::rotation>("Rotation", 0x143, A::GetPut,
                                                                            G::LabelDesign, {"Rotation", 41}),
    Property<&C::get_ZoomRatio, &C::put_ZoomRatio, K::Double, &P::zoomRatio>("ZoomRatio", kDispZoomRatio, A::GetPut,
                                                                             G::LabelDesign, {"ZoomRatio", 5}),
    Property<&C::get_RasterImageResolution, &C::put_RasterImageResolution, K::Long, &P::rasterImageResolution>(
        "RasterImageResolution", 0x1C2, A::GetPut, G::Miscellaneous, {"RasterImageResolution", 47}),
    Property<&C::get_DataMatrixTargetSize, &C::put_DataMatrixTargetSize, K::Long, &P::dataMatrixTargetSize>(
        "DataMatrixTargetSize", kNoDispid, A::GetPut, G::None, kNotPersisted),
    Property<&C::get_PDF417AspectRatio, &C::put_PDF417AspectRatio, K::Double, &P::pdf417AspectRatio>(
        "PDF417AspectRatio", kNoDispid, A::GetPut, G::None, kNotPersisted),
    Property<&C::get_MaxCols, &C::put_MaxCols, K::Long, &P::maxCols>("MaxCols", kNoDispid, A::GetPut, G::None,
                                                                     kNotPersisted),
    Property<&C::get_MaxRows, &C::put_MaxRows, K::Long, &P::maxRows>("MaxRows", kNoDispid, A::GetPut, G::None,
                                                                     kNotPersisted),
    Property<&C::get_PDF417RowHeight, &C::put_PDF417RowHeight, K::Long, &P::pdf417RowHeight>(
        "PDF417RowHeight", kNoDispid, A::GetPut, G::None, kNotPersisted, Unit::Length),
    Property<&C::get_PDF417ModuleWidth, &C::put_PDF417ModuleWidth, K::Long, &P::pdf417ModuleWidth>(
        "PDF417ModuleWidth", kNoDispid, A::GetPut, G::None, kNotPersisted, Unit::Length),
    Property<&C::get_PDF417SecurityLevel, &C::put_PDF417SecurityLevel, K::Short, &P::pdf417SecurityLevel>(
        "PDF417SecurityLevel", kNoDispid, A::GetPut, G::None, kNotPersisted),
    Property<&C::get_PDF417Truncated, &C::put_PDF417Truncated, K::Bool, &P::pdf417Truncated>(
        "PDF417Truncated", kNoDispid, A::GetPut, G::None, kNotPersisted),
    Property<&C::get_MaxicodeClass, &C::put_MaxicodeClass, K::Long, &P::maxicodeClass>(
        "MaxicodeClass", kNoDispid, A::GetPut, G::None, kNotPersisted),
    Property<&C::get_MaxicodeMode, &C::put_MaxicodeMode, K::Short, &P::maxicodeMode>("MaxicodeMode", kNoDispid,
                                                                                     A::GetPut, G::None, kNotPersisted),
    Property<&C::get_MaxicodeCountryCode, &C::put_MaxicodeCountryCode, K::Long, &P::maxicodeCountryCode>(
        "MaxicodeCountryCode", kNoDispid, A::GetPut, G::None, kNotPersisted),
    Property<&C::get_MaxicodeZipCode, &C::put_MaxicodeZipCode, K::Text, &P::maxicodeZipCode>(
        "MaxicodeZipCode", kNoDispid, A::GetPut, G::None, kNotPersisted),
    Property<&C::get_DataMatrixModuleSize, &C::put_DataMatrixModuleSize, K::Long, &P::dataMatrixModuleSize>(
        "DataMatrixModuleSize", kNoDispid, A::GetPut, G::None, kNotPersisted, Unit::Length),
};

const std::array kEnumerators = {
    Enumerator{"qlxAlignLeft", 0, K::Alignment},
    Enumerator{"qlxAlignRight", 1, K::Alignment},
    Enumerator{"qlxAlignCenter", 2, K::Alignment},
    Enumerator{"qlxAlignJustify", 3, K::Alignment},
    Enumerator{"qlxMeasureEnglish", 0, K::Measurement},
    Enumerator{"qlxMeasureMetrics", 1, K::Measurement},
    Enumerator{"qlxRTZeroDegree", 0, K::Rotation},
    Enumerator{"qlxRTAntiClockwise_90", 1, K::Rotation},
    Enumerator{"qlxRTAntiClockwise_180", 2, K::Rotation},
    Enumerator{"qlxRTAntiClockwise_270", 3, K::Rotation},
    Enumerator{"qlxCode39", 0, K::Symbology},
    Enumerator{"qlxCode39_Full_ASCII", 1, K::Symbology},
    Enumerator{"qlxCode39_HIBC", 2, K::Symbology},
    Enumerator{"qlxCodaBar", 3, K::Symbology},
    Enumerator{"qlxCode93", 4, K::Symbology},
    Enumerator{"qlxCode128", 5, K::Symbology},
    Enumerator{"qlxUCC_EAN_128", 6, K::Symbology},
    Enumerator{"qlxInterleaved_2of5", 7, K::Symbology},
    Enumerator{"qlxUPC_A", 8, K::Symbology},
    Enumerator{"qlxUPC_E", 9, K::Symbology},
    Enumerator{"qlxEAN_13", 10, K::Symbology},
    Enumerator{"qlxEAN_8", 11, K::Symbology},
    Enumerator{"qlxBookland", 12, K::Symbology},
    Enumerator{"qlxTelepen", 13, K::Symbology},
    Enumerator{"qlxTelepenNumeric", 14, K::Symbology},
    Enumerator{"qlxPostnet", 20, K::Symbology},
    Enumerator{"qlxPlanet", 21, K::Symbology},
    Enumerator{"qlxRoyalMail", 22, K::Symbology},
    Enumerator{"qlxMSI_Plessey", 30, K::Symbology},
    Enumerator{"qlxCode25", 31, K::Symbology},
    Enumerator{"qlxCode11", 32, K::Symbology},
    Enumerator{"qlxDataBar", 33, K::Symbology},
    Enumerator{"qlxDataBarTruncated", 34, K::Symbology},
    Enumerator{"qlxDataBarStacked", 35, K::Symbology},
    Enumerator{"qlxDataBarStackedOmni", 36, K::Symbology},
    Enumerator{"qlxDataBarLimited", 37, K::Symbology},
    Enumerator{"qlxDataBarExpanded", 38, K::Symbology},
    Enumerator{"qlxPDF417", 40, K::Symbology},
    Enumerator{"qlxDataMatrix", 41, K::Symbology},
    Enumerator{"qlxMaxiCode", 42, K::Symbology},
};

}  // namespace

std::span<const AutomationMember> AutomationMembers() {
  return kMembers;
}

const AutomationMember* FindAutomationMember(std::string_view name, bool includeExtensions) {
  for (const auto& m : kMembers) {
    if ((includeExtensions || !m.extension) && SameIgnoringAsciiCase(m.name, name)) {
      return &m;
    }
  }
  return nullptr;
}

VarType VarTypeOf(ValueKind kind) {
  switch (kind) {
    case K::Bool:
      return VT_BOOL;
    case K::Short:
      return VT_I2;
    case K::Double:
      return VT_R8;
    case K::Text:
      return VT_BSTR;
    case K::Color:
      return VT_UI4;
    case K::Font:
    case K::Picture:
      return VT_DISPATCH;
    default:
      return VT_I4;
  }
}

HRESULT PutAutomationProperty(CQlnBarcode& control, const AutomationMember& member, const Variant& value) {
  if (member.put == nullptr) {
    return E_NOTIMPL;
  }
  Variant converted;
  if (member.kind == K::Font) {
    const Variant* v = value.Type() == (VT_BYREF | VT_VARIANT) ? value.Referenced() : &value;
    if (v == nullptr || (v->Type() != VT_DISPATCH && v->Type() != VT_EMPTY)) {
      return DISP_E_TYPEMISMATCH;
    }
    converted = *v;
  } else if (const HRESULT hr = ChangeType(value, converted, VarTypeOf(member.kind)); Failed(hr)) {
    return hr;
  }
  return member.put(control, converted);
}

std::span<const Enumerator> Enumerators() {
  return kEnumerators;
}

std::optional<int> FindEnumerator(std::string_view name, ValueKind enumeration) {
  for (const auto& e : kEnumerators) {
    if (e.enumeration == enumeration && SameIgnoringAsciiCase(e.name, name)) {
      return e.value;
    }
  }
  return std::nullopt;
}

const char* EnumeratorName(ValueKind enumeration, int value) {
  for (const auto& e : kEnumerators) {
    if (e.enumeration == enumeration && e.value == value) {
      return e.name;
    }
  }
  return nullptr;
}

}  // namespace linnet
