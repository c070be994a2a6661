#pragma once
// The automation VARIANT: a tagged value with the platform's conversion rules, in one fixed
// (invariant) locale: '.' as decimal point, "True"/"False" for booleans.
#include <cstdint>
#include <memory>
#include <string>
#include <variant>

#include "platform/com/byte_stream.h"
#include "platform/com/font_object.h"
#include "platform/com/hresult.h"

namespace linnet {

enum VarType : std::uint16_t {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I2 = 2,
  VT_I4 = 3,
  VT_R8 = 5,
  VT_BSTR = 8,
  VT_DISPATCH = 9,
  VT_BOOL = 11,
  VT_ERROR = 10,  // a missing optional argument (DISP_E_PARAMNOTFOUND)
  VT_VARIANT = 12,
  VT_UNKNOWN = 13,
  VT_UI4 = 19,
  VT_BYREF = 0x4000,
};

class Variant {
 public:
  Variant() = default;
  static Variant Short(std::int16_t v) { return Variant(VT_I2, Payload{std::int32_t{v}}); }
  static Variant Long(std::int32_t v) { return Variant(VT_I4, Payload{v}); }
  static Variant UnsignedLong(std::uint32_t v) { return Variant(VT_UI4, Payload{static_cast<std::int64_t>(v)}); }
  static Variant Double(double v) { return Variant(VT_R8, Payload{v}); }
  static Variant Bool(bool v) { return Variant(VT_BOOL, Payload{std::int32_t{v ? VARIANT_TRUE : VARIANT_FALSE}}); }
  // A 16-bit boolean exactly as stored (readers treat any non-zero value as true).
  static Variant BoolRaw(VARIANT_BOOL v) { return Variant(VT_BOOL, Payload{std::int32_t{v}}); }
  static Variant Text(std::u16string v) { return Variant(VT_BSTR, Payload{std::move(v)}); }
  // An optional argument left out by the caller.
  static Variant Missing() { return Variant(VT_ERROR, Payload{std::int32_t{kParamNotFound}}); }
  static Variant Font(FontPtr v) { return Variant(VT_DISPATCH, Payload{std::move(v)}); }
  // An object offering the byte-stream interface (a host's stream for Save, Load, ExportImage).
  static Variant Stream(ByteStreamPtr v) { return Variant(VT_UNKNOWN, Payload{std::move(v)}); }
  // A reference to another variant (VT_BYREF | VT_VARIANT), looked through by conversions.
  static Variant Reference(std::shared_ptr<Variant> target) {
    return Variant(static_cast<VarType>(VT_BYREF | VT_VARIANT), Payload{std::move(target)});
  }

  [[nodiscard]] VarType Type() const { return type_; }
  [[nodiscard]] bool IsMissing() const { return type_ == VT_ERROR; }
  [[nodiscard]] std::int32_t AsLong() const;  // VT_I2, VT_I4, VT_BOOL
  [[nodiscard]] std::int64_t AsWide() const;  // VT_UI4
  [[nodiscard]] double AsDouble() const;      // VT_R8
  [[nodiscard]] const std::u16string& AsText() const;
  [[nodiscard]] FontPtr AsFont() const;
  [[nodiscard]] ByteStreamPtr AsStream() const;     // VT_UNKNOWN or VT_DISPATCH holding a stream
  [[nodiscard]] const Variant* Referenced() const;  // VT_BYREF | VT_VARIANT

 private:
  static constexpr std::int32_t kParamNotFound = static_cast<std::int32_t>(0x80020004U);
  using Payload = std::variant<std::monostate, std::int32_t, std::int64_t, double, std::u16string, FontPtr,
                               std::shared_ptr<Variant>, ByteStreamPtr>;
  Variant(VarType type, Payload payload) : type_(type), payload_(std::move(payload)) {}

  VarType type_ = VT_EMPTY;
  Payload payload_;
};

// VariantChangeType: converts `in` to `type` (VT_I2, VT_I4, VT_UI4, VT_R8, VT_BOOL, VT_BSTR),
// returning DISP_E_TYPEMISMATCH, DISP_E_OVERFLOW or DISP_E_BADVARTYPE when it cannot.
HRESULT ChangeType(const Variant& in, Variant& out, VarType type);

// The text form of a number in the invariant locale ("2.5", "1E+20").
std::u16string DoubleToText(double v);

}  // namespace linnet
