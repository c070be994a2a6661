#pragma once
// Which text compaction sub-modes hold a byte, and its value there.
#include <array>
#include <cstdint>

namespace Quillon::BrindleLib::pdf417 {

enum TextSubmode : std::uint8_t { kAlpha = 0, kLower = 1, kMixed = 2, kPunctuation = 3 };

// Sub-mode switch values.
inline constexpr std::uint8_t kLatchLower = 27;                 // ll, in alpha and mixed
inline constexpr std::uint8_t kShiftAlpha = 27;                 // as, in lower
inline constexpr std::uint8_t kLatchMixed = 28;                 // ml, in alpha and lower
inline constexpr std::uint8_t kLatchAlphaFromMixed = 28;        // al, in mixed
inline constexpr std::uint8_t kLatchPunctuation = 25;           // pl, in mixed
inline constexpr std::uint8_t kShiftPunctuation = 29;           // ps, in alpha, lower and mixed
inline constexpr std::uint8_t kLatchAlphaFromPunctuation = 29;  // al, in punctuation
// Completes an odd number of values: ps in alpha, lower and mixed, al in punctuation.
inline constexpr std::uint8_t kTextFiller = 29;

struct TextClassEntry {
  std::uint8_t submodes = 0;  // bit (1 << TextSubmode) for every sub-mode that holds the byte
  std::uint8_t value = 0;     // the byte's value, the same in each of those sub-modes

  [[nodiscard]] bool Holds(TextSubmode s) const { return (submodes & (1U << s)) != 0; }
  [[nodiscard]] bool Compactible() const { return submodes != 0; }
};

// Built from the sub-mode tables; read it through TextClassOf.
extern const std::array<TextClassEntry, 256> kTextClasses;

// The class of a byte; a byte that text compaction cannot hold has no sub-mode.
inline const TextClassEntry& TextClassOf(unsigned char byte) {
  return kTextClasses[byte];
}

}  // namespace Quillon::BrindleLib::pdf417
