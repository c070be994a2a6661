#pragma once
// The five MaxiCode code sets: what each of the 64 codeword values means in each set, and
// the reverse lookups the encoder needs (a byte's value in a set, the value of a function).
#include <array>
#include <cstddef>
#include <cstdint>

namespace Quillon::BrindleLib::maxicode {

enum CodeSet : int { kSetA = 0, kSetB = 1, kSetC = 2, kSetD = 3, kSetE = 4 };
inline constexpr int kCodeSetCount = 5;
inline constexpr int kCodewordValues = 64;

// A cell of the character table is a byte (0..255) or one of these functions.
enum CodeSetFunction : std::int16_t {
  kEci = 256,
  kNumericShift,
  kPad,
  kShiftA,
  kShiftB,
  kShiftC,
  kShiftD,
  kShiftE,
  kTwoShiftA,
  kThreeShiftA,
  kLatchA,
  kLatchB,
  kLockC,
  kLockD,
  kLockE,
  kFunctionEnd
};

using CodeSetRow = std::array<std::int16_t, kCodeSetCount>;

// Row v: the meaning of codeword value v in sets A to E.
const std::array<CodeSetRow, kCodewordValues>& CodeSetTable();

namespace detail {
// Byte -> value in each set (-1: not there), derived from the table.
extern const std::array<std::array<std::int8_t, 256>, kCodeSetCount> kByteValues;
}  // namespace detail

// The value of `byte` in `set`, or -1 when the set does not hold it.
inline int ValueInSet(int set, unsigned char byte) {
  return detail::kByteValues[static_cast<std::size_t>(set)][byte];
}

inline bool InSet(int set, unsigned char byte) {
  return ValueInSet(set, byte) >= 0;
}

// The value that stands for `function` in `set`, or -1 when the set lacks it.
int FunctionValue(int set, CodeSetFunction function);

// The codeword that, written in `from`, selects `to` (one of C, D, E) for the next value:
// its shift, or its lock-in when `from` is already that set.
int ShiftValue(int from, int to);

// Values that mean the same in every set.
inline constexpr std::uint8_t kEciCodeword = 27;
inline constexpr std::uint8_t kNumericShiftCodeword = 31;
inline constexpr std::uint8_t kPadCodeword = 33;

}  // namespace Quillon::BrindleLib::maxicode
