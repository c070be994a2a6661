#pragma once
// The element widths of DataBar characters: the standard's combinatorial routine that turns a
// value into the widths of a set of elements, and the split of a character value into its odd
// and even sets.
#include <array>
#include <cstddef>

#include "symbology/databar_tables.h"

namespace Quillon::BrindleLib {

inline constexpr std::size_t kMaxDataBarSetElements = 7;

// Widths of one odd or even set; entries past the set's element count are 0.
using DataBarElementSet = std::array<int, kMaxDataBarSetElements>;

// Widths of a whole character, odd 1, even 1, odd 2, even 2, ...; entries past twice the set's
// element count are 0.
using DataBarCharacter = std::array<int, 2 * kMaxDataBarSetElements>;

// The `value`-th combination (counted from 0) of `elements` widths of 1..`widest` modules
// summing to `modules`. With `noNarrow` false, combinations without a one-module element are
// not counted. `value` must be below the number of combinations.
DataBarElementSet DataBarElementWidths(int value, int modules, int elements, int widest, bool noNarrow);

// The widths of the character `value` (0 up to the last group's maximum) under `rules`.
DataBarCharacter DataBarCharacterWidths(int value, const DataBarCharacterRules& rules);

}  // namespace Quillon::BrindleLib
