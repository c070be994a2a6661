#include "host/enumerator_names.h"

#include <array>

#include "platform/ascii_case.h"

namespace linnet::host {

namespace {

using K = ValueKind;

// Common names beside the folded enumerator names, which already match on their own.
constexpr std::array kAliases = {
    EnumeratorAlias{"hibc", 2, K::Symbology},
    EnumeratorAlias{"gs1-128", 6, K::Symbology},
    EnumeratorAlias{"ean-128", 6, K::Symbology},
    EnumeratorAlias{"ucc-128", 6, K::Symbology},
    EnumeratorAlias{"itf", 7, K::Symbology},
    EnumeratorAlias{"i2of5", 7, K::Symbology},
    EnumeratorAlias{"isbn", 12, K::Symbology},
    EnumeratorAlias{"rm4scc", 22, K::Symbology},
    EnumeratorAlias{"msi", 30, K::Symbology},
    EnumeratorAlias{"gs1-databar", 33, K::Symbology},
    EnumeratorAlias{"rss-14", 33, K::Symbology},
    EnumeratorAlias{"rss-limited", 37, K::Symbology},
    EnumeratorAlias{"rss-expanded", 38, K::Symbology},
    EnumeratorAlias{"left", 0, K::Alignment},
    EnumeratorAlias{"right", 1, K::Alignment},
    EnumeratorAlias{"center", 2, K::Alignment},
    EnumeratorAlias{"centre", 2, K::Alignment},
    EnumeratorAlias{"justify", 3, K::Alignment},
    EnumeratorAlias{"english", 0, K::Measurement},
    EnumeratorAlias{"metric", 1, K::Measurement},
    EnumeratorAlias{"metrics", 1, K::Measurement},
    EnumeratorAlias{"0", 0, K::Rotation},
    EnumeratorAlias{"90", 1, K::Rotation},
    EnumeratorAlias{"180", 2, K::Rotation},
    EnumeratorAlias{"270", 3, K::Rotation},
};

}  // namespace

std::span<const EnumeratorAlias> EnumeratorAliases() {
  return kAliases;
}

std::string FoldEnumeratorName(std::string_view name) {
  std::string folded;
  for (const char c : name) {
    if (c != '_' && c != '-' && c != ' ') {
      folded.push_back(static_cast<char>(detail::LowerAscii(c)));
    }
  }
  if (folded.starts_with("qlx")) {
    folded.erase(0, 3);
  }
  return folded;
}

std::optional<int> EnumeratorNamed(std::string_view name, ValueKind enumeration) {
  const std::string folded = FoldEnumeratorName(name);
  if (folded.empty()) {
    return std::nullopt;
  }
  for (const auto& e : Enumerators()) {
    if (e.enumeration == enumeration && FoldEnumeratorName(e.name) == folded) {
      return e.value;
    }
  }
  for (const auto& a : kAliases) {
    if (a.enumeration == enumeration && FoldEnumeratorName(a.alias) == folded) {
      return a.value;
    }
  }
  return std::nullopt;
}

std::string ShortEnumeratorName(const Enumerator& e) {
  std::string name = e.name;
  if (name.starts_with("qlx")) {
    name.erase(0, 3);
  }
  for (char& c : name) {
    c = static_cast<char>(detail::LowerAscii(c));
  }
  return name;
}

bool IsEnumeration(ValueKind kind) {
  return EnumerationName(kind) != nullptr;
}

const char* EnumerationName(ValueKind kind) {
  switch (kind) {
    case K::Symbology:
      return "SymbologyEnum";
    case K::Alignment:
      return "AlignmentEnum";
    case K::Measurement:
      return "MeasurementEnum";
    case K::Rotation:
      return "RotationEnum";
    default:
      return nullptr;
  }
}

}  // namespace linnet::host
