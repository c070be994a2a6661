#include <numeric>

#include "control/qln_barcode.h"
#include "platform/gdi/system_colors.h"
#include "render/databar_rows.h"
#include "render/linear_drawers.h"
#include "render/rotation.h"
#include "render/units.h"

namespace linnet {

namespace {

constexpr std::int32_t kTruncated = 34;
constexpr std::int32_t kStacked = 35;
constexpr std::int32_t kStackedOmni = 36;
constexpr std::int32_t kExpanded = 38;
constexpr int kStackedWidthModules = 50;
constexpr int kStackedUpperElements = 23;
constexpr int kStackedUpperModulesHigh = 5;
constexpr int kStackedLowerModulesHigh = 7;
constexpr int kTruncatedModulesHigh = 13;

}  // namespace

DrawDataBar DrawDataBar::For(const CQlnBarcode& control, DrawingSurface& surface) {
  const auto& p = control.Properties();
  const std::int32_t module = DotsFromUser(control, p.narrowBarWidth);
  return {surface,  gdi::TranslateColor(p.foreColor), p.symbology, module, DotsFromUser(control, p.barHeight), module,
          p.maxCols};
}

SizeL DrawDataBar::Measure(std::string_view pattern) const {
  const std::int64_t m = module;
  switch (symbology) {
    case kStacked:
      return {ClampDots(kStackedWidthModules * m), ClampDots(13 * m)};
    case kStackedOmni:
      return {ClampDots(kStackedWidthModules * m), ClampDots(3 * m + 2 * static_cast<std::int64_t>(barHeight))};
    case kExpanded: {
      const int k = ExpandedSegmentCount(pattern.size());
      const int b = std::min(ExpandedSegmentsPerRow(segmentsPerRow), k);
      if (k == 0) {
        return {ClampDots(4 * m), 0};
      }
      const std::int64_t rows = (k + b - 1) / b;
      return {ClampDots((49 * (b / 2) + 32 * (b % 2) + 4) * m), ClampDots(rows * barHeight + (rows - 1) * 3 * m)};
    }
    default: {
      const std::vector<int> widths = ElementWidths(pattern);
      const std::int64_t modules = std::accumulate(widths.begin(), widths.end(), std::int64_t{0});
      return {ClampDots(modules * m), symbology == kTruncated ? ClampDots(kTruncatedModulesHigh * m) : barHeight};
    }
  }
}

void DrawDataBar::Draw(PointL at, std::string_view pattern, int quarterTurns) const {
  const std::vector<int> elements = ElementWidths(pattern);
  auto drawRuns = [&](PointL start, const std::vector<ModuleRun>& runs, std::int32_t height) {
    PointL pen = start;
    for (const ModuleRun& run : runs) {
      const std::int32_t length = ClampDots(static_cast<std::int64_t>(run.modules) * module);
      if (run.dark) {
        DrawRect(surface, color, pen, height, length, quarterTurns);
      }
      pen = MoveAlong(pen, quarterTurns, length);
    }
  };
  auto drawRecords = [&](const std::vector<RowRecord>& records) {
    std::int64_t across = 0;
    for (const RowRecord& record : records) {
      drawRuns(MoveAcross(at, quarterTurns, across), RowRuns(record), record.height);
      across += record.height;
    }
  };
  switch (symbology) {
    case kStacked: {
      const size_t split = std::min<size_t>(kStackedUpperElements, elements.size());
      std::vector<int> upper(elements.begin(), elements.begin() + static_cast<std::ptrdiff_t>(split));
      upper.insert(upper.end(), {1, 1});
      std::vector<int> lower{1, 1};
      lower.insert(lower.end(), elements.begin() + static_cast<std::ptrdiff_t>(split), elements.end());
      RowRecord top;
      top.data = upper;
      top.height = ClampDots(kStackedUpperModulesHigh * static_cast<std::int64_t>(module));
      RowRecord bottom;
      bottom.data = lower;
      bottom.parity = 0;
      bottom.height = ClampDots(kStackedLowerModulesHigh * static_cast<std::int64_t>(module));
      drawRuns(at, RowRuns(top), top.height);
      const PointL separatorAt = MoveAcross(at, quarterTurns, top.height);
      const std::vector<bool> separator = StackedSeparator(upper, lower);
      for (size_t i = 0; i < separator.size(); ++i) {
        if (separator[i]) {
          DrawRect(surface, color, MoveAlong(separatorAt, quarterTurns, static_cast<std::int64_t>(i) * module),
                   separatorHeight, module, quarterTurns);
        }
      }
      drawRuns(MoveAcross(separatorAt, quarterTurns, separatorHeight), RowRuns(bottom), bottom.height);
      return;
    }
    case kStackedOmni:
      drawRecords(StackedOmniRecords(elements, barHeight, separatorHeight));
      return;
    case kExpanded:
      drawRecords(ExpandedRecords(elements, segmentsPerRow, barHeight, separatorHeight));
      return;
    default: {
      RowRecord row;
      row.data = elements;
      row.height =
          symbology == kTruncated ? ClampDots(kTruncatedModulesHigh * static_cast<std::int64_t>(module)) : barHeight;
      drawRuns(at, RowRuns(row), row.height);
      return;
    }
  }
}

}  // namespace linnet
