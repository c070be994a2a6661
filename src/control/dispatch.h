#pragma once
// IBarcode reached the way automation clients reach it: names to DISPIDs, calls by DISPID with
// the platform's argument conventions, and calls through the function table by slot.
//
// GetIDsOfNames: names[0] is a member, ignoring case (extension members have no name here);
// further names are that method's parameter names. Unknown names get DISPID_UNKNOWN and the
// call answers DISP_E_UNKNOWNNAME (the names it knew are still filled in).
//
// Invoke: arguments arrive in reverse order (the last argument first), named arguments first.
// A property get takes no argument; a put (putref for the fonts) takes exactly one, named
// DISPID_PROPERTYPUT; an optional value left out (Variant::Missing) takes the member's value at
// creation (NarrowToWideRatio 2.5). Methods take their required arguments and optional ones
// (Save/Load: PersistFormat binary; ExportImage: ImageFormat JPG), positionally or by the
// parameter DISPIDs 0 and 1. Wrong counts give DISP_E_BADPARAMCOUNT, a get or put the member
// lacks DISP_E_MEMBERNOTFOUND, an argument that does not convert DISP_E_TYPEMISMATCH or
// DISP_E_OVERFLOW with `*argError` its index in `args`; otherwise the member's own result.
//
// The destination of Save, Load and ExportImage (ResolveTarget): a text is a file name, an
// object must carry a byte stream, a reference to a Variant is looked through once; anything
// else is E_INVALIDARG.
//
// The function table: IBarcode's slots from 7 (0-2 IUnknown, 3-6 IDispatch), the properties in
// table order, then Save, Load, About, Refresh, ExportImage (98-102), then the thirteen
// extension pairs, get before put (103-128). InvokeSlot takes the arguments in declared order.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "control/automation.h"

namespace linnet {

inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003U);
inline constexpr HRESULT DISP_E_PARAMNOTFOUND = static_cast<HRESULT>(0x80020004U);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = static_cast<HRESULT>(0x80020006U);
inline constexpr HRESULT DISP_E_NONAMEDARGS = static_cast<HRESULT>(0x80020007U);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = static_cast<HRESULT>(0x8002000EU);
inline constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = static_cast<HRESULT>(0x8002000FU);

inline constexpr std::uint16_t DISPATCH_METHOD = 1;
inline constexpr std::uint16_t DISPATCH_PROPERTYGET = 2;
inline constexpr std::uint16_t DISPATCH_PROPERTYPUT = 4;
inline constexpr std::uint16_t DISPATCH_PROPERTYPUTREF = 8;

inline constexpr DISPID DISPID_UNKNOWN = -1;
inline constexpr DISPID DISPID_PROPERTYPUT = -3;

struct DispParams {
  std::span<const Variant> args;      // reverse order
  std::span<const DISPID> namedArgs;  // the DISPIDs of args[0 .. namedArgs.size() - 1]
};

HRESULT GetIDsOfNames(std::span<const std::u16string_view> names, std::span<DISPID> dispids);

HRESULT Invoke(CQlnBarcode& control, DISPID dispid, std::uint16_t flags, const DispParams& params, Variant* result,
               std::uint32_t* argError = nullptr);

// The property put of a member by its DISPID (putref for the fonts), as a host script writes it.
HRESULT InvokePut(CQlnBarcode& control, const AutomationMember& member, const Variant& value);

// The variant a destination or source stands for after looking through a reference, or nullptr
// when it is none of a text, an object with a byte stream, or a reference to one of them.
const Variant* ResolveTarget(const Variant& target);

enum class SlotKind { Get, Put, PutRef, Method };

struct FunctionTableEntry {
  int slot;
  SlotKind kind;
  const char* name;
  const AutomationMember* property;  // nullptr for a method
  DISPID dispid;
};

std::span<const FunctionTableEntry> FunctionTable();

HRESULT InvokeSlot(CQlnBarcode& control, int slot, std::span<const Variant> args, Variant* result);

}  // namespace linnet
