#include "render/databar_rows.h"

#include <gtest/gtest.h>

#include <numeric>

#include "control/qln_barcode.h"
#include "control/symbology_dispatch.h"

namespace linnet {
namespace {

std::vector<bool> Modules(const RowRecord& row) {
  std::vector<bool> modules;
  for (const ModuleRun& run : RowRuns(row)) {
    modules.insert(modules.end(), static_cast<size_t>(run.modules), run.dark);
  }
  return modules;
}

std::vector<int> OmniElements() {
  CQlnBarcode control;
  control.put_Symbology(36);
  return ElementWidths(EncodeLinearSymbol(control).pattern);
}

RowRecord Row(std::vector<int> data, int parity, bool reversed, bool guards = false, int lead = 0, int trail = 0) {
  RowRecord row;
  row.data = std::move(data);
  row.parity = parity;
  row.reversed = reversed;
  row.guards = guards;
  row.lead = lead;
  row.trail = trail;
  return row;
}

TEST(DataBarRows, RunsFollowParityGuardsAndDirection) {
  using Runs = std::vector<ModuleRun>;
  EXPECT_EQ(RowRuns(Row({3, 2}, 1, false)), (Runs{{3, false}, {2, true}}));
  EXPECT_EQ(RowRuns(Row({3, 2}, 0, false)), (Runs{{3, true}, {2, false}}));
  EXPECT_EQ(
      RowRuns(Row({3, 2, 1}, 1, false, true, 2, 1)),
      (Runs{{2, false}, {1, false}, {1, true}, {3, false}, {2, true}, {1, false}, {1, true}, {1, false}, {1, false}}));
  // Reversed with an even count: the first drawn module flips colour.
  EXPECT_EQ(RowRuns(Row({3, 2}, 1, true)), (Runs{{2, true}, {3, false}}));
  EXPECT_EQ(RowRuns(Row({3, 2, 1}, 1, true)), (Runs{{1, false}, {2, true}, {3, false}}));
}

TEST(DataBarRows, MiddleSeparator) {
  const RowRecord even = MiddleSeparator(50, 7);
  std::vector<int> expected{5};
  expected.insert(expected.end(), 41, 1);
  expected.push_back(4);
  EXPECT_EQ(even.data, expected);
  EXPECT_EQ(even.parity, 1);
  EXPECT_EQ(even.height, 7);
  EXPECT_FALSE(even.guards);
  const RowRecord odd = MiddleSeparator(49, 7);
  EXPECT_EQ(odd.data.front(), 5);
  EXPECT_EQ(odd.data.back(), 5);
  EXPECT_EQ(std::accumulate(odd.data.begin(), odd.data.end(), 0), 49);
}

TEST(DataBarRows, StackedSeparatorOppositeWhereRowsAgreeAlternatingWhereTheyDiffer) {
  const std::vector<int> ones(11, 1);
  // Rows differing everywhere: the separator alternates from light; the ends are light.
  EXPECT_EQ(StackedSeparator(ones, ones),
            (std::vector<bool>{false, false, false, false, false, true, false, false, false, false, false}));
  // Rows light everywhere: the separator is dark between its light ends.
  EXPECT_EQ(StackedSeparator({11}, {0, 11}),
            (std::vector<bool>{false, false, false, false, true, true, true, false, false, false, false}));
}

// The separator spans the row, is light over the guards and the modules next to them, and
// is the row's complement over the data characters.
TEST(DataBarRows, RowSeparatorsComplementTheDataCharacters) {
  const std::vector<int> elements = OmniElements();
  ASSERT_EQ(elements.size(), 46U);
  const auto records = StackedOmniRecords(elements, 33, 1);
  ASSERT_EQ(records.size(), 5U);
  for (const size_t rowIndex : {size_t{0}, size_t{4}}) {
    SCOPED_TRACE(rowIndex);
    const RowRecord& row = records[rowIndex];
    const RowRecord& separator = records[rowIndex == 0 ? 1 : 3];
    EXPECT_EQ(separator.height, 1);
    const std::vector<bool> r = Modules(row);
    const std::vector<bool> s = Modules(separator);
    ASSERT_EQ(r.size(), 50U);
    ASSERT_EQ(s.size(), r.size());
    for (size_t i = 0; i < 4; ++i) {
      EXPECT_FALSE(s[i]);
      EXPECT_FALSE(s[s.size() - 1 - i]);
    }
    // Guards and the first character: 2 + 15 modules; the last character and guards: 15 + 2.
    for (size_t i = 4; i < 17; ++i) {
      EXPECT_NE(s[i], r[i]) << i;
    }
    for (size_t i = 33; i < 46; ++i) {
      EXPECT_NE(s[i], r[i]) << i;
    }
  }
  EXPECT_EQ(records[2], MiddleSeparator(50, 1));
  EXPECT_EQ(records[0].parity, 1);
  EXPECT_EQ(records[4].parity, 0);
}

TEST(DataBarRows, ExpandedSegmentsPerRow) {
  struct Case {
    std::int32_t maxCols;
    int perRow;
  };
  const Case cases[] = {{0, 22}, {23, 22}, {-1, 22}, {3, 4}, {4, 4}, {1, 2}, {22, 22}, {21, 22}, {INT32_MAX, 22}};
  for (const auto& c : cases) {
    EXPECT_EQ(ExpandedSegmentsPerRow(c.maxCols), c.perRow) << c.maxCols;
  }
  EXPECT_EQ(ExpandedSegmentCount(0), 0);
  EXPECT_EQ(ExpandedSegmentCount(13), 1);
  EXPECT_EQ(ExpandedSegmentCount(21), 2);
  EXPECT_EQ(ExpandedSegmentCount(34), 3);
}

TEST(DataBarRows, ExpandedRowsAndSeparatorsFromTheTop) {
  const std::vector<int> elements(21 * 4 + 13, 1);  // nine segments
  const auto records = ExpandedRecords(elements, 4, 40, 2);
  // First row and its separator; the middle row between separators; the last row below its own.
  ASSERT_EQ(records.size(), 9U);
  const std::vector<std::int32_t> heights{40, 2, 2, 2, 40, 2, 2, 2, 40};
  for (size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(records[i].height, heights[i]) << i;
  }
  EXPECT_EQ(records[2], MiddleSeparator(102, 2));
  const RowRecord& first = records[0];
  EXPECT_EQ(first.data.size(), 42U);
  EXPECT_TRUE(first.guards);
  EXPECT_EQ(first.parity, 1);
  EXPECT_FALSE(first.reversed);
  EXPECT_TRUE(records[4].reversed);  // every other row runs backwards
  const RowRecord& last = records[8];
  EXPECT_EQ(last.data.size(), 13U);
  EXPECT_FALSE(last.reversed);
  EXPECT_EQ(last.trail, 102 - 4 - 32);
  EXPECT_TRUE(ExpandedRecords({}, 4, 40, 2).empty());
}

TEST(DataBarRows, ExpandedLastRowThatWouldRunBackwardsWithAnOddCount) {
  // Five segments at four per row: the last row holds one segment of 13 elements.
  const auto odd = ExpandedRecords(std::vector<int>(21 * 2 + 13, 1), 4, 40, 2);
  ASSERT_EQ(odd.size(), 5U);
  EXPECT_FALSE(odd[4].reversed);
  EXPECT_EQ(odd[4].lead, 1);
  EXPECT_EQ(odd[4].trail, 102 - 4 - 32 - 1);
  // Seven segments: 34 elements, an even count less four, so it stays reversed.
  const auto even = ExpandedRecords(std::vector<int>(21 * 3 + 13, 1), 4, 40, 2);
  EXPECT_TRUE(even[4].reversed);
  EXPECT_EQ(even[4].lead, 0);
}

}  // namespace
}  // namespace linnet
