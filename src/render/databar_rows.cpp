#include "render/databar_rows.h"

#include <algorithm>

#include "symbology/rss_expanded.h"

namespace linnet {

namespace {

constexpr int kPairElements = 21;   // two symbol characters and their finder
constexpr int kLastElements = 13;   // a last symbol character with its finder
constexpr int kFinderModules = 13;  // the three elements where a finder begins

// Elements [start, start + count) of `elements`, as far as they exist.
std::vector<int> Slice(const std::vector<int>& elements, size_t start, size_t count) {
  start = std::min(start, elements.size());
  count = std::min(count, elements.size() - start);
  return {elements.begin() + static_cast<std::ptrdiff_t>(start),
          elements.begin() + static_cast<std::ptrdiff_t>(start + count)};
}

void AppendOnes(std::vector<int>& s, int count) {
  s.insert(s.end(), static_cast<size_t>(std::max(count, 0)), 1);
}

// Adds `width` to the last element when `join` holds, else appends it.
void JoinOrAppend(std::vector<int>& s, bool join, int width) {
  if (join && !s.empty()) {
    s.back() += width;
  } else {
    s.push_back(width);
  }
}

// Where a finder begins, the separator is not the plain complement of the row.
void AppendFinderSeparator(std::vector<int>& s, const std::vector<int>& r, size_t& i) {
  if (s.size() % 2 == 0) {
    if (r[i + 1] < 2) {
      s.insert(s.end(), {10, 1, 2});
    } else {
      s.push_back(r[i]);
      AppendOnes(s, r[i + 1]);
      JoinOrAppend(s, r[i + 1] % 2 == 0, r[i + 2]);
    }
    i += 3;
    return;
  }
  AppendOnes(s, r[i]);
  JoinOrAppend(s, r[i] % 2 == 0, r[i + 1]);
  AppendOnes(s, r[i + 2]);
  if (i + 3 < r.size()) {
    JoinOrAppend(s, r[i + 2] % 2 == 0, r[i + 3]);
  }
  i += 4;
}

}  // namespace

std::vector<int> ElementWidths(std::string_view pattern) {
  std::vector<int> widths;
  widths.reserve(pattern.size());
  for (const char c : pattern) {
    widths.push_back(c >= '1' && c <= '9' ? c - '0' : 0);
  }
  return widths;
}

std::vector<ModuleRun> RowRuns(const RowRecord& row) {
  std::vector<ModuleRun> runs;
  if (row.lead > 0) {
    runs.push_back({row.lead, false});
  }
  const bool invert = row.reversed && row.data.size() % 2 == 0;
  bool dark = (row.parity == 0) != invert;
  auto add = [&](int modules) {
    runs.push_back({modules, dark});
    dark = !dark;
  };
  if (row.guards) {
    add(1);
    add(1);
  }
  if (row.reversed) {
    std::for_each(row.data.rbegin(), row.data.rend(), add);
  } else {
    std::for_each(row.data.begin(), row.data.end(), add);
  }
  if (row.guards) {
    add(1);
    add(1);
  }
  if (row.trail > 0) {
    runs.push_back({row.trail, false});
  }
  return runs;
}

RowRecord BuildSeparator(const RowRecord& row, std::int32_t moduleHeight) {
  const std::vector<int>& r = row.data;
  std::vector<int> s;
  // Left end: the guard's two modules and the elements up to five modules.
  int t = 2;
  size_t k = 0;
  while (t < 5 && k < r.size()) {
    t += r[k++];
  }
  if ((row.parity == 0 && k % 2 == 1) || (row.parity == 1 && k % 2 == 0)) {
    s.push_back(t);
  } else {
    s.insert(s.end(), {4, t - 4});
  }
  for (size_t i = k; i < r.size();) {
    if (i + 2 < r.size() && r[i] + r[i + 1] + r[i + 2] == kFinderModules) {
      AppendFinderSeparator(s, r, i);
    } else {
      s.push_back(r[i++]);
    }
  }
  // Right end: likewise from the end of the separator.
  t = 2;
  size_t j = s.size();
  while (t < 5 && j > 0) {
    t += s[--j];
  }
  s.resize(j);
  if (j % 2 == 0) {
    s.push_back(t);
  } else {
    s.insert(s.end(), {t - 4, 4});
  }
  RowRecord separator;
  separator.data = std::move(s);
  separator.lead = row.lead;
  separator.trail = row.trail;
  separator.reversed = row.reversed;
  separator.height = moduleHeight;
  return separator;
}

RowRecord MiddleSeparator(int width, std::int32_t moduleHeight) {
  RowRecord separator;
  separator.data.push_back(5);
  AppendOnes(separator.data, width % 2 == 0 ? width - 9 : width - 10);
  separator.data.push_back(width % 2 == 0 ? 4 : 5);
  separator.height = moduleHeight;
  return separator;
}

std::vector<bool> StackedSeparator(const std::vector<int>& upper, const std::vector<int>& lower) {
  auto modules = [](const std::vector<int>& widths, bool dark) {
    std::vector<bool> out;
    for (const int w : widths) {
      out.insert(out.end(), static_cast<size_t>(w), dark);
      dark = !dark;
    }
    return out;
  };
  const std::vector<bool> top = modules(upper, false);
  const std::vector<bool> bottom = modules(lower, true);
  const size_t length = std::max(top.size(), bottom.size());
  std::vector<bool> separator(length, false);
  for (size_t i = 0; i < length; ++i) {
    const bool a = i < top.size() && top[i];
    const bool b = i < bottom.size() && bottom[i];
    separator[i] = a == b ? !a : (i == 0 ? false : !separator[i - 1]);
  }
  for (size_t i = 0; i < length && i < 4; ++i) {
    separator[i] = false;
    separator[length - 1 - i] = false;
  }
  return separator;
}

std::vector<RowRecord> StackedOmniRecords(const std::vector<int>& elements, std::int32_t rowHeight,
                                          std::int32_t moduleHeight) {
  RowRecord upper;
  upper.data = Slice(elements, 2, kPairElements);
  upper.guards = true;
  upper.height = rowHeight;
  upper.parity = 1;
  RowRecord lower = upper;
  lower.data = Slice(elements, 2 + kPairElements, kPairElements);
  lower.parity = 0;
  return {upper, BuildSeparator(upper, moduleHeight), MiddleSeparator(50, moduleHeight),
          BuildSeparator(lower, moduleHeight), lower};
}

int ExpandedSegmentCount(size_t elements) {
  return static_cast<int>(2 * (elements / kPairElements) + (elements % kPairElements != 0 ? 1 : 0));
}

int ExpandedSegmentsPerRow(std::int32_t maxCols) {
  // The encoder sized the symbol with the same segments per row.
  return Quillon::BrindleLib::NormalizeSegmentsPerRow(maxCols);
}

std::vector<RowRecord> ExpandedRecords(const std::vector<int>& elements, std::int32_t maxCols, std::int32_t rowHeight,
                                       std::int32_t moduleHeight) {
  const int k = ExpandedSegmentCount(elements.size());
  const int b = std::min(ExpandedSegmentsPerRow(maxCols), k);
  std::vector<RowRecord> records;
  if (k == 0) {
    return records;
  }
  const int width = 49 * (b / 2) + 32 * (b % 2) + 4;
  bool flip = false;
  for (int s = 0; s < k; s += b, flip = !flip) {
    const bool last = s + b >= k;
    RowRecord row;
    const int count = last ? (k / 2 - s / 2) * kPairElements + kLastElements * (k % 2)
                           : kPairElements * (b / 2) + kLastElements * (b % 2);
    row.data =
        Slice(elements, static_cast<size_t>(kPairElements) * static_cast<size_t>(s / 2), static_cast<size_t>(count));
    row.guards = true;
    row.height = rowHeight;
    row.parity = (s / 2 + 1) % 2;
    row.reversed = ((s / 2) % 2 == 1) != flip;
    if (last) {
      row.trail = width - 4 - 49 * (k / 2 - s / 2) - 32 * (k % 2);
      if (row.reversed && (count - 4) % 2 != 0) {
        row.reversed = false;
        row.lead = 1;
        row.trail -= 1;
      }
    }
    if (s > 0) {
      records.push_back(MiddleSeparator(width, moduleHeight));
      records.push_back(BuildSeparator(row, moduleHeight));
    }
    records.push_back(row);
    if (!last) {
      records.push_back(BuildSeparator(row, moduleHeight));
    }
  }
  return records;
}

}  // namespace linnet
