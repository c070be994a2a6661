#include "render/units.h"

#include <gtest/gtest.h>

#include <climits>

namespace linnet {
namespace {

struct Conversion {
  std::int32_t value;
  std::int32_t resolution;
  std::int32_t expected;
};

TEST(Units, DotsFromMils) {
  const Conversion cases[] = {
      {0, 1440, 0},
      {-13, 1440, 19},
      {13, 1440, 19},
      {1, 96, 1},
      {1000, 1440, 1449},
      {1000, 300, 300},
      {1000, 96, 96},
      {20, 1440, 29},
      {45, 1440, 65},
      {50, 1440, 72},
      {125, 1440, 181},
      {13, 96, 1},
      {20, 96, 2},
      {45, 96, 4},
      {125, 96, 12},
      {2000, 300, 601},
      // A dot of less than a hundredth of a mil still counts as one hundredth.
      {1, 200000, 100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.value << " mils at " << c.resolution);
    EXPECT_EQ(DotsFromMils(c.value, c.resolution), c.expected);
  }
}

TEST(Units, DotsFromMetricRoundsToWholeMilsFirst) {
  for (const std::int32_t r : {96, 300, 1440}) {
    EXPECT_EQ(DotsFromMetric(254, r), DotsFromMils(100, r));
    EXPECT_EQ(DotsFromMetric(1, r), 0);
    EXPECT_EQ(DotsFromMetric(2, r), DotsFromMils(1, r));  // 0.787 mils round up
    EXPECT_EQ(DotsFromMetric(-2540, r), DotsFromMils(1000, r));
  }
}

TEST(Units, BackToUserUnits) {
  const Conversion mils[] = {{1449, 1440, 1006}, {300, 300, 1000}, {1, 1440, 1}, {0, 300, 0}, {-300, 300, -1000}};
  for (const auto& c : mils) {
    EXPECT_EQ(MilsFromDots(c.value, c.resolution), c.expected) << c.value;
  }
  const Conversion metric[] = {{300, 300, 2540}, {1440, 1440, 2540}, {1, 1440, 2}, {7, 300, 59}};
  for (const auto& c : metric) {
    EXPECT_EQ(MetricFromDots(c.value, c.resolution), c.expected) << c.value;
  }
}

// Lengths and resolutions are not bounded by their setters: results stay in range.
TEST(Units, ExtremesStayInRange) {
  const std::int32_t extremes[] = {INT32_MIN, INT32_MIN + 1, -1, 1, INT32_MAX};
  for (const std::int32_t length : extremes) {
    for (const std::int32_t r : {INT32_MIN, -5, 0, 1, 50, 1440, INT32_MAX}) {
      const std::int32_t dots = DotsFromMils(length, r);
      EXPECT_GE(dots, 1);
      EXPECT_LE(dots, kMaxLayoutDots);
      EXPECT_GE(DotsFromMetric(length, r), 0);
      (void)MilsFromDots(length, r);
      (void)MetricFromDots(length, r);
    }
  }
  EXPECT_EQ(MilsFromDots(INT32_MAX, 1), INT32_MAX);
  EXPECT_EQ(ClampDots(std::int64_t{1} << 40), kMaxLayoutDots);
  EXPECT_EQ(ClampUser(-(std::int64_t{1} << 40)), INT32_MIN);
}

}  // namespace
}  // namespace linnet
