#pragma once
// The rows of the stacked DataBar forms: row records built from the element widths, the
// separator patterns between rows, and the runs of light and dark modules a record draws.
#include <cstdint>
#include <string_view>
#include <vector>

namespace linnet {

struct RowRecord {
  std::vector<int> data;    // element widths in modules, in data order
  int lead = 0;             // light modules before the row
  int trail = 0;            // light modules after it
  bool guards = false;      // two one-module elements at each end
  std::int32_t height = 0;  // across extent in dots
  int parity = 1;           // colour of the first drawn module: 1 light, 0 dark
  bool reversed = false;    // elements drawn from the last to the first
  bool operator==(const RowRecord&) const = default;
};

struct ModuleRun {
  int modules = 0;
  bool dark = false;
  bool operator==(const ModuleRun&) const = default;
};

// Digits '1' to '9' as widths; any other character is an element of no width.
std::vector<int> ElementWidths(std::string_view pattern);

// Lead, guards, elements (reversed when asked) and trail, with their colours.
std::vector<ModuleRun> RowRuns(const RowRecord& row);

// The separator under or over `row`, one module of `moduleHeight` dots high.
RowRecord BuildSeparator(const RowRecord& row, std::int32_t moduleHeight);
// The separator between two stacked rows of a symbol `width` modules wide.
RowRecord MiddleSeparator(int width, std::int32_t moduleHeight);

// DataBar Stacked: the separator between the upper row (light first) and the lower row
// (dark first), one entry per module, true dark.
std::vector<bool> StackedSeparator(const std::vector<int>& upper, const std::vector<int>& lower);

// DataBar Stacked Omnidirectional, from the top: upper row, its separator, the middle
// separator, the lower row's separator, the lower row.
std::vector<RowRecord> StackedOmniRecords(const std::vector<int>& elements, std::int32_t rowHeight,
                                          std::int32_t moduleHeight);

// DataBar Expanded: the number of segments of a pattern of `elements` widths, the segments
// per row for a MaxCols value, and the records from the top.
int ExpandedSegmentCount(size_t elements);
int ExpandedSegmentsPerRow(std::int32_t maxCols);
std::vector<RowRecord> ExpandedRecords(const std::vector<int>& elements, std::int32_t maxCols, std::int32_t rowHeight,
                                       std::int32_t moduleHeight);

}  // namespace linnet
