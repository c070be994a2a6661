#pragma once
// Compile-time pattern tables: building records for tables derived from a smaller code, and
// direct lookup in tables whose record i has the key i.
#include <array>
#include <cstddef>
#include <string_view>

#include "symbology/symbol.h"

namespace Quillon::BrindleLib {

constexpr PatternRecord MakePatternRecord(unsigned char key, std::string_view pattern) {
  PatternRecord record{key, {}};
  for (std::size_t i = 0; i < pattern.size() && i + 1 < sizeof record.pattern; ++i) {
    record.pattern[i] = pattern[i];
  }
  return record;
}

// True when record i has the key i and the last record ends the table.
template <std::size_t N>
constexpr bool KeysAreIndexes(const std::array<PatternRecord, N>& table) {
  for (std::size_t i = 0; i + 1 < N; ++i) {
    if (table[i].key != i) {
      return false;
    }
  }
  return table[N - 1].key == kEndOfTable;
}

// LookupPattern for a table whose keys are its indexes, without the search.
template <std::size_t N>
constexpr std::string_view IndexedPattern(const std::array<PatternRecord, N>& table, unsigned key) {
  return key + 1 < N ? std::string_view(table[key].pattern) : std::string_view();
}

}  // namespace Quillon::BrindleLib
