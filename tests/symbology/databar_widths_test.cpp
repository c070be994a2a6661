#include "symbology/databar_widths.h"

#include <gtest/gtest.h>

#include <set>

namespace Quillon::BrindleLib {
namespace {

struct SetRule {
  int modules, elements, widest;
  bool noNarrow;
};

// Every value below the group's divisor gives a distinct, well-formed set of widths.
void ExpectWellFormedSets(const SetRule& rule, int combinations, const std::string& where) {
  std::set<DataBarElementSet> seen;
  for (int v = 0; v < combinations; ++v) {
    const auto widths = DataBarElementWidths(v, rule.modules, rule.elements, rule.widest, rule.noNarrow);
    int sum = 0;
    bool narrow = false;
    for (int i = 0; i < rule.elements; ++i) {
      ASSERT_GE(widths[i], 1) << where << " value " << v;
      ASSERT_LE(widths[i], rule.widest) << where << " value " << v;
      sum += widths[i];
      narrow = narrow || widths[i] == 1;
    }
    ASSERT_EQ(sum, rule.modules) << where << " value " << v;
    ASSERT_TRUE(rule.noNarrow || narrow) << where << " value " << v;
    ASSERT_TRUE(seen.insert(widths).second) << where << " value " << v << " repeats";
  }
}

TEST(DataBarElementWidths, EveryGroupValueGivesDistinctValidWidths) {
  const struct {
    const char* name;
    const DataBarCharacterRules& rules;
  } tables[] = {{"outside", kOmniOutsideRules},
                {"inside", kOmniInsideRules},
                {"limited", kLimitedRules},
                {"expanded", kExpandedRules}};
  for (const auto& t : tables) {
    for (const auto& g : t.rules.groups) {
      const std::string where = std::string(t.name) + " group from " + std::to_string(g.minValue);
      ExpectWellFormedSets({g.oddModules, t.rules.elements, g.widestOdd, t.rules.oddNoNarrow}, g.oddCombinations,
                           where + " odd");
      ExpectWellFormedSets({g.evenModules, t.rules.elements, g.widestEven, t.rules.evenNoNarrow}, g.evenCombinations,
                           where + " even");
    }
  }
}

TEST(DataBarElementWidths, KnownCombinations) {
  const struct {
    int value, modules, elements, widest;
    bool noNarrow;
    DataBarElementSet widths;
  } cases[] = {
      {0, 12, 4, 8, true, {1, 1, 2, 8}},           // the first outside odd set: widest last
      {0, 4, 4, 1, false, {1, 1, 1, 1}},           // only one way to share four modules
      {0, 17, 7, 6, true, {1, 1, 1, 1, 1, 6, 6}},  // combinations count up from the narrowest first
      {3, 5, 4, 2, false, {2, 1, 1, 1}},           // the last of the four inside odd sets
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DataBarElementWidths(c.value, c.modules, c.elements, c.widest, c.noNarrow), c.widths)
        << c.value << "/" << c.modules;
  }
}

TEST(DataBarCharacterWidths, SplitsValuesIntoOddAndEvenSets) {
  // Outside characters take the odd value from the quotient, inside ones from the remainder:
  // the neighbours of a value differ in the even set outside and in the odd set inside.
  const auto outside = DataBarCharacterWidths(161, kOmniOutsideRules);
  const auto outsideNext = DataBarCharacterWidths(162, kOmniOutsideRules);
  const auto inside = DataBarCharacterWidths(336, kOmniInsideRules);
  const auto insideNext = DataBarCharacterWidths(337, kOmniInsideRules);
  for (int i = 0; i < 8; i += 2) {
    EXPECT_EQ(outside[i], outsideNext[i]) << i;
    EXPECT_EQ(inside[i + 1], insideNext[i + 1]) << i;
  }
  EXPECT_NE(outside, outsideNext);
  EXPECT_NE(inside, insideNext);
  const struct {
    const DataBarCharacterRules& rules;
    int lastValue, modules, widths;
  } sums[] = {{kOmniOutsideRules, 2840, 16, 8},
              {kOmniInsideRules, 1596, 15, 8},
              {kLimitedRules, 2013570, 26, 14},
              {kExpandedRules, 4191, 17, 8}};
  for (const auto& s : sums) {
    for (const int value : {0, s.lastValue / 2, s.lastValue}) {
      const auto widths = DataBarCharacterWidths(value, s.rules);
      int sum = 0;
      for (int i = 0; i < s.widths; ++i) {
        sum += widths[i];
      }
      EXPECT_EQ(sum, s.modules) << value;
    }
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib
