#include "symbology/databar_widths.h"

namespace Quillon::BrindleLib {

namespace {

constexpr int kPascalSize = 32;

constexpr std::array<std::array<int, kPascalSize>, kPascalSize> MakePascal() {
  std::array<std::array<int, kPascalSize>, kPascalSize> c{};
  for (int n = 0; n < kPascalSize; ++n) {
    c[n][0] = 1;
    for (int r = 1; r <= n; ++r) {
      c[n][r] = c[n - 1][r - 1] + c[n - 1][r];
    }
  }
  return c;
}

constexpr auto kPascal = MakePascal();

// n over r; 0 outside the triangle.
int Binomial(int n, int r) {
  if (n < 0 || r < 0 || r > n || n >= kPascalSize) {
    return 0;
  }
  return kPascal[n][r];
}

// How many combinations the rest of the set admits once the current element has `width`
// modules. This is the standard's count, approximations included: decoders invert exactly
// this count, so it must not be "improved".
int Combinations(int rest, int left, int widest, bool excludeNoNarrow) {
  int count = Binomial(left - 1, rest - 1);
  if (excludeNoNarrow && left - rest >= rest) {
    count -= Binomial(left - rest - 1, rest - 1);
  }
  if (rest > 1) {
    // The sets whose current element leaves one of the rest wider than `widest`: the sum over
    // big = widest + 1 .. left - rest + 1 of C(left - big - 1, rest - 2), which the hockey-stick
    // identity gives in one term.
    const int tooWide = Binomial(left - widest - 1, rest - 1);
    count -= tooWide * rest;
  } else if (left > widest) {
    --count;
  }
  return count;
}

}  // namespace

DataBarElementSet DataBarElementWidths(int value, int modules, int elements, int widest, bool noNarrow) {
  DataBarElementSet widths{};
  bool narrowTaken = false;
  for (int element = 0; element < elements - 1; ++element) {
    const int rest = elements - element - 1;
    int width = 1;
    int count = 0;
    for (;; ++width) {
      const bool excludeNoNarrow = !noNarrow && !narrowTaken && width > 1;
      count = Combinations(rest, modules - width, widest, excludeNoNarrow);
      value -= count;
      // The rest needs at least one module per element; a value past the last combination
      // (not produced by any caller) stops there instead of running on.
      if (value < 0 || modules - width <= rest) {
        break;
      }
    }
    value += count;
    narrowTaken = narrowTaken || width == 1;
    modules -= width;
    widths[element] = width;
  }
  widths[elements - 1] = modules;
  return widths;
}

DataBarCharacter DataBarCharacterWidths(int value, const DataBarCharacterRules& rules) {
  // The last group whose range starts at or below the value holds it.
  const DataBarGroup* group = &rules.groups.front();
  for (const auto& g : rules.groups) {
    if (g.minValue <= value) {
      group = &g;
    }
  }
  const int offset = value - group->minValue;
  const int oddValue = rules.oddFromRemainder ? offset % group->oddCombinations : offset / group->evenCombinations;
  const int evenValue = rules.oddFromRemainder ? offset / group->oddCombinations : offset % group->evenCombinations;
  const auto odd =
      DataBarElementWidths(oddValue, group->oddModules, rules.elements, group->widestOdd, rules.oddNoNarrow);
  const auto even =
      DataBarElementWidths(evenValue, group->evenModules, rules.elements, group->widestEven, rules.evenNoNarrow);
  DataBarCharacter widths{};
  for (size_t i = 0; i < static_cast<size_t>(rules.elements); ++i) {
    widths[2 * i] = odd[i];
    widths[2 * i + 1] = even[i];
  }
  return widths;
}

}  // namespace Quillon::BrindleLib
