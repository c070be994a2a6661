#pragma once
// Lengths between user units (mils or hundredths of a millimetre) and layout dots of 1/R
// inch, with the rounding every drawing of the label relies on.
#include <algorithm>
#include <cstdint>

namespace linnet {

class CQlnBarcode;

// Layout lengths are kept within this many dots, so that sums of a label's parts stay
// inside 32 bits whatever lengths and resolution the properties hold.
inline constexpr std::int64_t kMaxLayoutDots = std::int64_t{1} << 26;

// A 64-bit layout computation brought back into the layout's range. Inline: every module
// drawn goes through it several times.
inline std::int32_t ClampDots(std::int64_t dots) {
  return static_cast<std::int32_t>(std::clamp(dots, -kMaxLayoutDots, kMaxLayoutDots));
}
// A 64-bit sum or multiple of user units kept within 32 bits.
std::int32_t ClampUser(std::int64_t length);

// The sign is dropped; a non-zero length is at least one dot.
std::int32_t DotsFromMils(std::int32_t mils, std::int32_t resolution);
std::int32_t DotsFromMetric(std::int32_t hundredthsOfMm, std::int32_t resolution);
std::int32_t MilsFromDots(std::int32_t dots, std::int32_t resolution);
std::int32_t MetricFromDots(std::int32_t dots, std::int32_t resolution);

// A length property in the control's `Measurement` unit, at its current layout resolution.
std::int32_t DotsFromUser(const CQlnBarcode& control, std::int32_t length);
// Mils at the control's current layout resolution.
std::int32_t DotsFromMils(const CQlnBarcode& control, std::int32_t mils);
// Hundredths of a millimetre at the control's current layout resolution.
std::int32_t DotsFromMetric(const CQlnBarcode& control, std::int32_t hundredthsOfMm);

}  // namespace linnet
