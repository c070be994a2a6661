#include "control/automation.h"

#include <array>

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

template <auto Getter, auto Setter, ValueKind Kind>
constexpr AutomationMember Property(const char* name, DISPID dispid, bool extension = false) {
  return {name, dispid, Kind, extension, &GetVia<Getter, Kind>, &PutVia<Getter, Setter>};
}

using C = CQlnBarcode;
using K = ValueKind;

HRESULT GetPicture(CQlnBarcode& control, Variant& out) {
  PicturePtr picture;
  const HRESULT hr = control.get_Picture(&picture);
  if (Succeeded(hr)) {
    out = Variant::Picture(std::move(picture));
  }
  return hr;
}

// Function-table order of IBarcode, then the extension members.
const std::array kMembers = {
    Property<&C::get_AutoSize, &C::put_AutoSize, K::Bool>("AutoSize", -500),
    Property<&C::get_BackColor, &C::put_BackColor, K::Color>("BackColor", -501),
    Property<&C::get_BorderColor, &C::put_BorderColor, K::Color>("BorderColor", -503),
    Property<&C::get_BorderStyle, &C::put_BorderStyle, K::Long>("BorderStyle", -504),
    Property<&C::get_BorderWidth, &C::put_BorderWidth, K::Long>("BorderWidth", -505),
    Property<&C::get_Font, &C::putref_Font, K::Font>("Font", -512),
    Property<&C::get_ForeColor, &C::put_ForeColor, K::Color>("ForeColor", -513),
    Property<&C::get_Enabled, &C::put_Enabled, K::Bool>("Enabled", -514),
    AutomationMember{"Picture", -523, K::Picture, false, &GetPicture, nullptr},
    Property<&C::get_Comment, &C::put_Comment, K::Text>("Comment", 0xC8),
    Property<&C::get_CommentFont, &C::putref_CommentFont, K::Font>("CommentFont", 0xC9),
    Property<&C::get_ShowComment, &C::put_ShowComment, K::Bool>("ShowComment", 0xD0),
    Property<&C::get_CommentOnTop, &C::put_CommentOnTop, K::Bool>("CommentOnTop", 0xCB),
    Property<&C::get_CommentAlignment, &C::put_CommentAlignment, K::Alignment>("CommentAlignment", 0xCA),
    Property<&C::get_CommentMarginLeft, &C::put_CommentMarginLeft, K::Long>("CommentMarginLeft", 0xCC),
    Property<&C::get_CommentMarginRight, &C::put_CommentMarginRight, K::Long>("CommentMarginRight", 0xCD),
    Property<&C::get_CommentMarginTop, &C::put_CommentMarginTop, K::Long>("CommentMarginTop", 0xCE),
    Property<&C::get_CommentMarginBottom, &C::put_CommentMarginBottom, K::Long>("CommentMarginBottom", 0xCF),
    Property<&C::get_BarHeight, &C::put_BarHeight, K::Long>("BarHeight", 0xF0),
    Property<&C::get_BarWidthReduction, &C::put_BarWidthReduction, K::Long>("BarWidthReduction", 0xF1),
    Property<&C::get_BearerBars, &C::put_BearerBars, K::Bool>("BearerBars", 0xF2),
    Property<&C::get_Measurement, &C::put_Measurement, K::Measurement>("Measurement", 0xF3),
    Property<&C::get_Message, &C::put_Message, K::Text>("message", 0xF4),
    Property<&C::get_NarrowBarWidth, &C::put_NarrowBarWidth, K::Long>("NarrowBarWidth", 0xF5),
    Property<&C::get_NarrowToWideRatio, &C::put_NarrowToWideRatio, K::Double>("NarrowToWideRatio", 0xF6),
    Property<&C::get_Symbology, &C::put_Symbology, K::Symbology>("Symbology", 0xF7),
    Property<&C::get_QuietZones, &C::put_QuietZones, K::Bool>("QuietZones", 0xF8),
    Property<&C::get_Code39OptionalCheckDigit, &C::put_Code39OptionalCheckDigit, K::Bool>("Code39OptionalCheckDigit",
                                                                                          0x104),
    Property<&C::get_I2of5OptionalCheckDigit, &C::put_I2of5OptionalCheckDigit, K::Bool>("I2of5OptionalCheckDigit",
                                                                                        0x105),
    Property<&C::get_Code25OptionalCheckDigit, &C::put_Code25OptionalCheckDigit, K::Bool>("Code25OptionalCheckDigit",
                                                                                          0x106),
    Property<&C::get_UccEanOptionalCheckDigit, &C::put_UccEanOptionalCheckDigit, K::Bool>("UccEanOptionalCheckDigit",
                                                                                          0x107),
    Property<&C::get_ShowHRText, &C::put_ShowHRText, K::Bool>("ShowHRText", 0x118),
    Property<&C::get_TexAlignment, &C::put_TexAlignment, K::Alignment>("TexAlignment", 0x119),
    Property<&C::get_Code39StartStopChars, &C::put_Code39StartStopChars, K::Bool>("Code39StartStopChars", 0x11A),
    Property<&C::get_TextOnTop, &C::put_TextOnTop, K::Bool>("TextOnTop", 0x11B),
    Property<&C::get_ShowCheckDigit, &C::put_ShowCheckDigit, K::Bool>("ShowCheckDigit", 0x11C),
    Property<&C::get_SymbolMarginTop, &C::put_SymbolMarginTop, K::Long>("SymbolMarginTop", 0xDE),
    Property<&C::get_SymbolMarginBottom, &C::put_SymbolMarginBottom, K::Long>("SymbolMarginBottom", 0xDF),
    Property<&C::get_SymbolMarginLeft, &C::put_SymbolMarginLeft, K::Long>("SymbolMarginLeft", 0xDC),
    Property<&C::get_SymbolMarginRight, &C::put_SymbolMarginRight, K::Long>("SymbolMarginRight", 0xDD),
    Property<&C::get_AutoLabelSize, &C::put_AutoLabelSize, K::Bool>("AutoLabelSize", 0x140),
    Property<&C::get_LabelHeight, &C::put_LabelHeight, K::Long>("LabelHeight", 0x141),
    Property<&C::get_LabelWidth, &C::put_LabelWidth, K::Long>("LabelWidth", 0x142),
    Property<&C::get_Rotation, &C::put_Rotation, K::Rotation>("Rotation", 0x143),
    Property<&C::get_ZoomRatio, &C::put_ZoomRatio, K::Double>("ZoomRatio", 0x144),
    Property<&C::get_RasterImageResolution, &C::put_RasterImageResolution, K::Long>("RasterImageResolution", 0x1C2),
    Property<&C::get_DataMatrixTargetSize, &C::put_DataMatrixTargetSize, K::Long>("DataMatrixTargetSize", kNoDispid,
                                                                                  true),
    Property<&C::get_PDF417AspectRatio, &C::put_PDF417AspectRatio, K::Double>("PDF417AspectRatio", kNoDispid, true),
    Property<&C::get_MaxCols, &C::put_MaxCols, K::Long>("MaxCols", kNoDispid, true),
    Property<&C::get_MaxRows, &C::put_MaxRows, K::Long>("MaxRows", kNoDispid, true),
    Property<&C::get_PDF417RowHeight, &C::put_PDF417RowHeight, K::Long>("PDF417RowHeight", kNoDispid, true),
    Property<&C::get_PDF417ModuleWidth, &C::put_PDF417ModuleWidth, K::Long>("PDF417ModuleWidth", kNoDispid, true),
    Property<&C::get_PDF417SecurityLevel, &C::put_PDF417SecurityLevel, K::Short>("PDF417SecurityLevel", kNoDispid,
                                                                                 true),
    Property<&C::get_PDF417Truncated, &C::put_PDF417Truncated, K::Bool>("PDF417Truncated", kNoDispid, true),
    Property<&C::get_MaxicodeClass, &C::put_MaxicodeClass, K::Long>("MaxicodeClass", kNoDispid, true),
    Property<&C::get_MaxicodeMode, &C::put_MaxicodeMode, K::Short>("MaxicodeMode", kNoDispid, true),
    Property<&C::get_MaxicodeCountryCode, &C::put_MaxicodeCountryCode, K::Long>("MaxicodeCountryCode", kNoDispid, true),
    Property<&C::get_MaxicodeZipCode, &C::put_MaxicodeZipCode, K::Text>("MaxicodeZipCode", kNoDispid, true),
    Property<&C::get_DataMatrixModuleSize, &C::put_DataMatrixModuleSize, K::Long>("DataMatrixModuleSize", kNoDispid,
                                                                                  true),
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
