#include "render/units.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "control/qln_barcode.h"

namespace linnet {

namespace {

// A resolution of at least one dot per inch; a dot of at least a hundredth of a mil.
std::int64_t HundredthsOfMilPerDot(std::int32_t resolution) {
  return std::max<std::int64_t>(100000 / std::max(resolution, 1), 1);
}

std::int32_t RoundedToInt(double value) {
  const double r = std::floor(value + 0.5);
  return static_cast<std::int32_t>(std::clamp(r, -2147483648.0, 2147483647.0));
}

}  // namespace

std::int32_t ClampUser(std::int64_t length) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(length, INT32_MIN, INT32_MAX));
}

std::int32_t DotsFromMils(std::int32_t mils, std::int32_t resolution) {
  if (mils == 0) {
    return 0;
  }
  const std::int64_t length = 100 * std::abs(static_cast<std::int64_t>(mils));
  const std::int64_t p = HundredthsOfMilPerDot(resolution);
  if (length <= p) {
    return 1;
  }
  const std::int64_t n = length / p;
  const std::int64_t r = length % p;
  return ClampDots(2 * r >= p ? n + 1 : n);
}

std::int32_t DotsFromMetric(std::int32_t hundredthsOfMm, std::int32_t resolution) {
  return DotsFromMils(RoundedToInt(hundredthsOfMm / 2.54), resolution);
}

std::int32_t MilsFromDots(std::int32_t dots, std::int32_t resolution) {
  return RoundedToInt(static_cast<double>(dots) * 1000.0 / std::max(resolution, 1));
}

std::int32_t MetricFromDots(std::int32_t dots, std::int32_t resolution) {
  return RoundedToInt(static_cast<double>(dots) * 1000.0 * 2.54 / std::max(resolution, 1));
}

std::int32_t DotsFromUser(const CQlnBarcode& control, std::int32_t length) {
  const std::int32_t r = control.Layout().resolution;
  return control.Properties().measurement == qlxMeasureMetrics ? DotsFromMetric(length, r) : DotsFromMils(length, r);
}

std::int32_t DotsFromMils(const CQlnBarcode& control, std::int32_t mils) {
  return DotsFromMils(mils, control.Layout().resolution);
}

std::int32_t DotsFromMetric(const CQlnBarcode& control, std::int32_t hundredthsOfMm) {
  return DotsFromMetric(hundredthsOfMm, control.Layout().resolution);
}

}  // namespace linnet
