#pragma once
// The character tables of the DataBar symbologies (ISO/IEC 24724): character groups, checksum
// weights, finder patterns and check characters. Width strings hold one digit per element.
#include <array>
#include <span>
#include <string_view>

namespace Quillon::BrindleLib {

// One group of a DataBar character table. A character value v of the group is split into the
// value of its odd elements and the value of its even elements after subtracting `minValue`.
struct DataBarGroup {
  int minValue;
  int maxValue;
  int oddModules;
  int evenModules;
  int widestOdd;
  int widestEven;
  int oddCombinations;   // the divisor of the odd set
  int evenCombinations;  // the divisor of the even set
};

// How the characters of one symbology become element widths.
struct DataBarCharacterRules {
  std::span<const DataBarGroup> groups;
  int elements;           // elements in each of the odd and even sets
  bool oddFromRemainder;  // odd value = remainder of the division by oddCombinations
  bool oddNoNarrow;       // odd set may lack a one-module element
  bool evenNoNarrow;      // even set may lack a one-module element
};

// DataBar Omnidirectional (and its truncated and stacked forms).
extern const std::array<DataBarGroup, 5> kOmniOutsideGroups;
extern const std::array<DataBarGroup, 4> kOmniInsideGroups;
extern const DataBarCharacterRules kOmniOutsideRules;  // data characters 1 and 3
extern const DataBarCharacterRules kOmniInsideRules;   // data characters 2 and 4
extern const std::array<std::array<int, 8>, 4> kOmniWeights;
extern const std::array<std::string_view, 9> kOmniFinders;  // as the left finder is written

// DataBar Limited.
extern const std::array<DataBarGroup, 7> kLimitedGroups;
extern const DataBarCharacterRules kLimitedRules;
extern const std::array<int, 14> kLimitedLeftWeights;
extern const std::array<int, 14> kLimitedRightWeights;
extern const std::array<std::string_view, 89> kLimitedChecks;  // indexed by the checksum

// DataBar Expanded.
extern const std::array<DataBarGroup, 5> kExpandedGroups;
extern const DataBarCharacterRules kExpandedRules;
extern const std::array<std::string_view, 6> kExpandedFinders;  // A..F in their first form

// A finder of an Expanded symbol: its letter (0 = A .. 5 = F) and whether it is written in
// its second, reversed form.
struct ExpandedFinder {
  int letter;
  bool reversed;

  friend bool operator==(const ExpandedFinder&, const ExpandedFinder&) = default;
};

// The finder sequence of a symbol with `count` finders (2..11).
struct ExpandedSequence {
  int count;
  std::array<ExpandedFinder, 11> finders;
};
extern const std::array<ExpandedSequence, 10> kExpandedSequences;

// Checksum weights of the data character on one side of a finder.
struct ExpandedWeightRow {
  ExpandedFinder finder;
  bool rightOfFinder;
  std::array<int, 8> weights;
};
extern const std::array<ExpandedWeightRow, 23> kExpandedWeights;

}  // namespace Quillon::BrindleLib
