// The codewords of one run in numeric, byte or text compaction.
#include <array>

#include "symbology2d/pdf417_encoder.h"

namespace Quillon::BrindleLib {

using pdf417::TextSubmode;

namespace {

constexpr std::size_t kNumericGroupDigits = 44;  // at most 15 codewords per group
constexpr std::size_t kByteGroup = 6;            // six bytes make five codewords
constexpr std::uint32_t kLimbBase = 1000000000;  // nine decimal digits per limb
constexpr std::size_t kLimbDigits = 9;

std::size_t NumericCodewordCount(std::size_t digits) {
  const std::size_t rest = digits % kNumericGroupDigits;
  return 15 * (digits / kNumericGroupDigits) + (rest == 0 ? 0 : rest / 3 + 1);
}

}  // namespace

void CPDF417Encoder2::CDataEncodationBuilder::EnsureSegmentRoom(std::size_t more) const {
  if (codewords.size() + more > pdf417::kMaxSegmentCodewords) {
    throw out_of_capacity_error(210,
                                "Data is too big to be encoded with the current symbology. Reduce the data, or reduce "
                                "the security level if permitted.");
  }
}

void CPDF417Encoder2::CDataEncodationBuilder::CompactNumeric(std::size_t start, std::size_t count) {
  EnsureSegmentRoom(NumericCodewordCount(count));
  for (std::size_t group = start; group < start + count; group += kNumericGroupDigits) {
    const std::size_t digits = std::min(kNumericGroupDigits, start + count - group);
    // "1" followed by the group's digits, as base-10^9 limbs, most significant first.
    std::array<std::uint32_t, 5> limbs{};
    std::size_t limbCount = 0;
    std::size_t taken = 0;
    std::size_t firstLimbDigits = (digits + 1) % kLimbDigits;
    if (firstLimbDigits == 0) {
      firstLimbDigits = kLimbDigits;
    }
    std::uint32_t limb = 1;
    for (std::size_t i = 1; i < firstLimbDigits; ++i) {
      limb = limb * 10 + (data[group + taken++] - '0');
    }
    limbs[limbCount++] = limb;
    while (taken < digits) {
      limb = 0;
      for (std::size_t i = 0; i < kLimbDigits; ++i) {
        limb = limb * 10 + (data[group + taken++] - '0');
      }
      limbs[limbCount++] = limb;
    }
    // Repeated division by 900 gives the codewords, least significant first.
    std::array<std::uint16_t, 15> base900{};
    std::size_t produced = 0;
    std::size_t leading = 0;  // limbs that are already zero
    while (leading < limbCount) {
      std::uint64_t remainder = 0;
      for (std::size_t i = leading; i < limbCount; ++i) {
        const std::uint64_t value = remainder * kLimbBase + limbs[i];
        limbs[i] = static_cast<std::uint32_t>(value / 900);
        remainder = value % 900;
      }
      base900[produced++] = static_cast<std::uint16_t>(remainder);
      while (leading < limbCount && limbs[leading] == 0) {
        ++leading;
      }
    }
    while (produced > 0) {
      Emit(base900[--produced]);
    }
  }
}

void CPDF417Encoder2::CDataEncodationBuilder::CompactBytes(std::size_t start, std::size_t count) {
  EnsureSegmentRoom(count - count / kByteGroup);
  std::size_t i = start;
  for (; i + kByteGroup <= start + count; i += kByteGroup) {
    std::uint64_t value = 0;
    for (std::size_t j = 0; j < kByteGroup; ++j) {
      value = (value << 8) | data[i + j];
    }
    std::array<std::uint16_t, 5> group{};
    for (std::size_t j = group.size(); j-- > 0;) {
      group[j] = static_cast<std::uint16_t>(value % 900);
      value /= 900;
    }
    codewords.insert(codewords.end(), group.begin(), group.end());
  }
  for (; i < start + count; ++i) {
    Emit(data[i]);
  }
}

bool CPDF417Encoder2::CDataEncodationBuilder::HoldsNextTwo(std::size_t position, TextSubmode submode) const {
  return TextClass(position + 1).Holds(submode) && TextClass(position + 2).Holds(submode);
}

TextSubmode CPDF417Encoder2::CDataEncodationBuilder::CompactText(std::size_t start, std::size_t count,
                                                                 TextSubmode submode) {
  using namespace pdf417;
  int high = -1;  // the first value of a pair still waiting for its second
  const auto put = [&](std::uint8_t value) {
    if (high < 0) {
      high = value;
      return;
    }
    EnsureSegmentRoom(1);
    Emit(static_cast<std::uint16_t>(30 * high + value));
    high = -1;
  };
  for (std::size_t q = start; q < start + count; ++q) {
    const TextClassEntry entry = TextClass(q);
    if (submode == kPunctuation && !entry.Holds(kPunctuation)) {
      put(kLatchAlphaFromPunctuation);
      submode = kAlpha;
    }
    if (!entry.Holds(submode)) {
      switch (submode) {
        case kAlpha:
          if (entry.Holds(kLower)) {
            put(kLatchLower);
            submode = kLower;
          } else if (entry.Holds(kMixed)) {
            put(kLatchMixed);
            submode = kMixed;
          } else if (HoldsNextTwo(q, kPunctuation)) {
            put(kLatchMixed);
            put(kLatchPunctuation);
            submode = kPunctuation;
          } else {
            put(kShiftPunctuation);
          }
          break;
        case kLower:
          if (entry.Holds(kAlpha)) {
            if (HoldsNextTwo(q, kAlpha)) {
              put(kLatchMixed);
              put(kLatchAlphaFromMixed);
              submode = kAlpha;
            } else {
              put(kShiftAlpha);
            }
          } else if (entry.Holds(kMixed)) {
            put(kLatchMixed);
            submode = kMixed;
          } else if (HoldsNextTwo(q, kPunctuation)) {
            put(kLatchMixed);
            put(kLatchPunctuation);
            submode = kPunctuation;
          } else {
            put(kShiftPunctuation);
          }
          break;
        case kMixed:
          if (entry.Holds(kLower)) {
            put(kLatchLower);
            submode = kLower;
          } else if (entry.Holds(kAlpha)) {
            put(kLatchAlphaFromMixed);
            submode = kAlpha;
          } else if (HoldsNextTwo(q, kPunctuation)) {
            put(kLatchPunctuation);
            submode = kPunctuation;
          } else {
            put(kShiftPunctuation);
          }
          break;
        case kPunctuation:
          break;  // left for alpha above
      }
    }
    put(entry.value);
  }
  if (high >= 0) {
    put(kTextFiller);
    // In punctuation the filler is a latch to alpha, which the next text run must follow.
    if (submode == kPunctuation) {
      submode = kAlpha;
    }
  }
  return submode;
}

}  // namespace Quillon::BrindleLib
