#pragma once
// The standard's fixed PDF417 tables, embedded as data: codeword bar-space patterns of the
// three row clusters, start and stop patterns, Reed-Solomon generator coefficients and the
// text compaction sub-mode tables.
#include <cstdint>

namespace Quillon::BrindleLib::pdf417 {

inline constexpr int kCodewordCount = 929;  // codeword values 0..928
inline constexpr int kClusterCount = 3;     // rows use cluster (row mod 3): the standard's 0, 3, 6

// 17-bit patterns, the most significant bit is the leftmost module, 1 = dark.
extern const std::uint32_t kCodewordPatterns[kClusterCount][kCodewordCount];
extern const std::uint32_t kStartPattern;  // 17 modules
extern const std::uint32_t kStopPattern;   // 18 modules
inline constexpr int kPatternModules = 17;
inline constexpr int kStopModules = 18;

// Generator coefficients a_0 .. a_(k-1) of every level 0..8 (k = 2^(level+1)), one level
// after the other: level L starts at index 2^(L+1) - 2.
inline constexpr int kMaxSecurityLevel = 8;
inline constexpr int kGeneratorCoefficientCount = 1022;
extern const std::uint16_t kGeneratorCoefficients[kGeneratorCoefficientCount];

// Sub-mode tables in the order alpha, lower, mixed, punctuation: value -> byte, or -1 where
// the value is a sub-mode switch.
inline constexpr int kTextSubmodeCount = 4;
inline constexpr int kTextValuesPerSubmode = 30;
extern const std::int16_t kTextSubmodeTables[kTextSubmodeCount][kTextValuesPerSubmode];

}  // namespace Quillon::BrindleLib::pdf417
