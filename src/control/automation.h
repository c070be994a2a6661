#pragma once
// IBarcode as an automation client sees it: its members by name (case-insensitive) with
// their DISPIDs and types, in function-table order, and the enumerations.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/com/host_observer.h"
#include "platform/com/variant.h"

namespace linnet {

class CQlnBarcode;

// The enumeration (or plain type) a property holds.
enum class ValueKind {
  Bool,
  Long,
  Short,
  Double,
  Text,
  Color,
  Font,
  Picture,
  Alignment,
  Measurement,
  Symbology,
  Rotation
};

struct AutomationMember {
  const char* name;
  DISPID dispid;  // extension members have none: kNoDispid
  ValueKind kind;
  bool extension;  // reachable through the function table only, not by automation name
  HRESULT (*get)(CQlnBarcode&, Variant&);
  HRESULT (*put)(CQlnBarcode&, const Variant&);  // nullptr for read-only members
};

inline constexpr DISPID kNoDispid = 0x7FFFFFFF;

std::span<const AutomationMember> AutomationMembers();

// The member of that name, ignoring case; extension members only when asked for (a name
// lookup of the automation interface cannot see them).
const AutomationMember* FindAutomationMember(std::string_view name, bool includeExtensions);

// Converts `value` to the member's type with the platform's conversion rules, then calls its
// setter. Conversion failures return the converter's HRESULT.
HRESULT PutAutomationProperty(CQlnBarcode& control, const AutomationMember& member, const Variant& value);

struct Enumerator {
  const char* name;
  int value;
  ValueKind enumeration;
};

std::span<const Enumerator> Enumerators();
std::optional<int> FindEnumerator(std::string_view name, ValueKind enumeration);
// The enumerator name of a value, or nothing.
const char* EnumeratorName(ValueKind enumeration, int value);

// The variant type a member's value travels in.
VarType VarTypeOf(ValueKind kind);

}  // namespace linnet
