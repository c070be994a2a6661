#pragma once
// IBarcode as an automation client sees it: one table of its properties in function-table
// order, each row stating everything about the property once: automation name, DISPID, how its
// get and put occupy the function table, value kind, design category, property page, the
// name and position under which persistence keeps it, whether it is a length that follows the
// measurement unit, and its value at creation. The dispatch, the categories, the persistence
// protocols and `linnet show` all read this table. The enumerations follow.
#include <cstdint>
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

struct ControlProperties;

// How a property's entries sit in the function table: get then put, put then get (the stock
// properties), put by reference then get or get then put by reference (the fonts), or get only.
enum class Access { GetPut, PutGet, PutRefGet, GetPutRef, GetOnly };

// The design categories a property browser groups properties by (0: none).
enum class Category : std::int32_t {
  None = 0,
  Appearance = 1,
  BarCode = 2,
  CheckDigit = 3,
  Comment = 4,
  DataMatrix = 6,
  Maxicode = 7,
  PDF417 = 8,
  SymbolMargins = 9,
  LabelDesign = 10,
  Miscellaneous = 11,
  HumanReadable = 12,
};

// The standard property page a property names (none, colour, font).
enum class PropertyPage { None, Color, Font };

struct AutomationMember {
  const char* name;
  DISPID dispid;  // extension members have none: kNoDispid
  ValueKind kind;
  bool extension;  // reachable through the function table only, not by automation name
  HRESULT (*get)(CQlnBarcode&, Variant&);
  HRESULT (*put)(CQlnBarcode&, const Variant&);  // nullptr for read-only members
  Access access;
  Category category;
  PropertyPage page;
  const char* persistedName;  // nullptr: not persisted
  int persistedOrder;         // position in the persisted set (3 onwards); 0 when not persisted
  // The stored length that a change of Measurement converts; nullptr for every other property.
  std::int32_t ControlProperties::*length;
  // The value at creation as the getter reports it; nullptr where the constructor computes it
  // (the fonts it creates, the version-line comment, the label size measured while
  // AutoLabelSize is on, the picture).
  Variant (*creation)();
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
