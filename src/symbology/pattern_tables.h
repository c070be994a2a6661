#pragma once
// Building pattern-table records at compile time, for tables derived from a smaller code.
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

}  // namespace Quillon::BrindleLib
