#include "support/databar_rows.h"

#include <algorithm>

namespace linnet::testing {

namespace {

// Elements of one row in display order with their own colour (dark = true), guards added so
// that colours alternate across them.
std::string RowModules(const std::vector<std::pair<int, bool>>& elements) {
  std::string modules;
  const bool firstDark = elements.front().second;
  modules += firstDark ? "10" : "01";
  for (const auto& [width, dark] : elements) {
    modules.append(static_cast<size_t>(width), dark ? '1' : '0');
  }
  modules += elements.back().second ? "01" : "10";
  return modules;
}

ModuleRows Repeat(const std::string& row, int times) {
  return ModuleRows(static_cast<size_t>(times), row);
}

void Append(ModuleRows& rows, const ModuleRows& more) {
  rows.insert(rows.end(), more.begin(), more.end());
}

}  // namespace

std::string WidthsFromModules(const std::string& modules) {
  std::string widths;
  size_t i = 0;
  while (i < modules.size()) {
    size_t j = i;
    while (j < modules.size() && modules[j] == modules[i]) {
      ++j;
    }
    widths.push_back(static_cast<char>('0' + (j - i)));
    i = j;
  }
  return widths;
}

int ModuleCount(const std::string& widths) {
  int sum = 0;
  for (const char c : widths) {
    sum += c - '0';
  }
  return sum;
}

ModuleRows DataBarStackedRows(const std::string& pattern) {
  ModuleRows rows = Repeat(ModulesFromWidths(pattern.substr(0, 23) + "11", false), 5);
  rows.emplace_back(50, '0');
  Append(rows, Repeat(ModulesFromWidths("11" + pattern.substr(23), true), 7));
  return rows;
}

ModuleRows DataBarStackedOmniRows(const std::string& pattern, int rowHeight) {
  ModuleRows rows = Repeat(ModulesFromWidths("11" + pattern.substr(2, 21) + "11", false), rowHeight);
  Append(rows, Repeat(std::string(50, '0'), 3));
  Append(rows, Repeat(ModulesFromWidths("11" + pattern.substr(23, 21) + "11", true), rowHeight));
  return rows;
}

ModuleRows DataBarExpandedRows(const std::string& pattern, int segmentsPerRow, int rowHeight) {
  const int pairsPerRow = segmentsPerRow / 2;
  const int pairs = static_cast<int>((pattern.size() + 20) / 21);
  const int rowCount = (pairs + pairsPerRow - 1) / pairsPerRow;
  ModuleRows rows;
  for (int r = 0; r < rowCount; ++r) {
    const int first = r * pairsPerRow;
    const int last = std::min(pairs, first + pairsPerRow);
    const int missing = first + pairsPerRow - last;
    const bool leftToRight = pairsPerRow % 2 == 1 || r % 2 == 0 || (r == rowCount - 1 && missing % 2 == 1);
    std::vector<std::pair<int, bool>> elements;
    for (size_t i = static_cast<size_t>(first) * 21; i < std::min(pattern.size(), static_cast<size_t>(last) * 21);
         ++i) {
      elements.emplace_back(pattern[i] - '0', i % 2 == 1);
    }
    if (!leftToRight) {
      std::reverse(elements.begin(), elements.end());
    }
    if (r > 0) {
      Append(rows, Repeat(std::string(rows.back().size(), '0'), 3));
    }
    Append(rows, Repeat(RowModules(elements), rowHeight));
  }
  return rows;
}

}  // namespace linnet::testing
