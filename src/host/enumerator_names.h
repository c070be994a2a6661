#pragma once
// The names a person may type for an enumerator, shared by every host that reads values as
// text (the command line, the property files, batch rows, the HTTP service).
//
// A name matches when it equals the enumerator's own name (qlxCode128) or one of its aliases
// after both are folded: ASCII case ignored, a leading "qlx" dropped, and '_', '-' and spaces
// removed. So "Code128", "code-128" and "QLX_CODE_128" all name qlxCode128, "upc-a" names
// qlxUPC_A and "gs1-128" names qlxUCC_EAN_128. Rotation also takes its angle in degrees
// (0, 90, 180, 270), which never collides with its enumerator numbers 0..3. Every alias is
// a row of one table; the enumerators themselves stay in the automation table.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "control/automation.h"

namespace linnet::host {

struct EnumeratorAlias {
  const char* alias;
  int value;
  ValueKind enumeration;
};

std::span<const EnumeratorAlias> EnumeratorAliases();

// The name folded for comparison (see above).
std::string FoldEnumeratorName(std::string_view name);

// The value `name` stands for in `enumeration`, by enumerator name or alias; nothing for a
// number or an unknown name (numbers travel to the control, which judges their range).
std::optional<int> EnumeratorNamed(std::string_view name, ValueKind enumeration);

// The short spelling of an enumerator (qlxCode39_Full_ASCII -> "code39_full_ascii").
std::string ShortEnumeratorName(const Enumerator& e);

// Whether a value kind is one of the enumerations.
bool IsEnumeration(ValueKind kind);

// The enumeration's name in the type library (SymbologyEnum, ...); nullptr for other kinds.
const char* EnumerationName(ValueKind kind);

}  // namespace linnet::host
