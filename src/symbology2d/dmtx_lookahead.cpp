#include "symbology2d/dmtx_lookahead.h"

#include <algorithm>
#include <cstdint>

#include "symbology2d/dmtx_charsets.h"

namespace brindle2::dmtxencode {

namespace {

// Counts are kept in twelfths, which holds every step (1/2, 2/3, 3/4, 1/4 ...) exactly.
using Count = std::int32_t;
constexpr Count kOne = 12;

constexpr Count Thirds(int n) {
  return n * 4;
}
constexpr Count Quarters(int n) {
  return n * 3;
}

// ceil(count - 1/2) as a whole number: rounds a half down.
constexpr Count RoundHalfDown(Count count) {
  const Count shifted = count - kOne / 2;
  return shifted >= 0 ? (shifted + kOne - 1) / kOne : -(-shifted / kOne);
}

enum Slot : std::size_t { kAscii, kC40, kText, kX12, kEdifact, kBase256, kSlots };

constexpr Scheme kSchemeOfSlot[kSlots] = {Scheme::Ascii, Scheme::C40,     Scheme::Text,
                                          Scheme::X12,   Scheme::Edifact, Scheme::Base256};

bool IsUpper(Item item) {
  return item >= 'A' && item <= 'Z';
}
bool IsLower(Item item) {
  return item >= 'a' && item <= 'z';
}

void AddItem(std::array<Count, kSlots>& n, Item item) {
  const bool codeword = IsCodewordItem(item);
  const bool high = !codeword && item >= 128;
  const bool digit = IsDigitItem(item);

  if (digit) {
    n[kAscii] += kOne / 2;
  } else {
    n[kAscii] = RoundHalfDown(n[kAscii]) * kOne + (high ? 2 * kOne : kOne);
  }

  const auto c40Like = [&](bool native) -> Count {
    if (codeword) {
      return item == kFnc1Item ? Thirds(4) : 4 * kOne;
    }
    if (high) {
      return Thirds(8);
    }
    return native ? Thirds(2) : Thirds(4);
  };
  const bool space = item == ' ';
  n[kC40] += c40Like(space || digit || IsUpper(item));
  n[kText] += c40Like(space || digit || IsLower(item));

  if (codeword) {
    n[kX12] += 4 * kOne;
  } else if (high) {
    n[kX12] += Thirds(13);
  } else {
    n[kX12] += X12Value(item) >= 0 ? Thirds(2) : Thirds(10);
  }

  if (codeword) {
    n[kEdifact] += 4 * kOne;
  } else if (high) {
    n[kEdifact] += Quarters(17);
  } else {
    n[kEdifact] += IsEdifactItem(item) ? Quarters(3) : Quarters(13);
  }

  n[kBase256] += codeword ? 4 * kOne : kOne;
}

// The smallest count among the slots other than `self` and `also` (kSlots for none).
Count MinOfOthers(const std::array<Count, kSlots>& n, Slot self, Slot also = kSlots) {
  Count m = INT32_MAX;
  for (std::size_t s = 0; s < kSlots; ++s) {
    if (s != self && s != also) {
      m = std::min(m, n[s]);
    }
  }
  return m;
}

// After the items ran out: whole counts, and the first of ASCII, Base 256, EDIFACT, Text,
// X12 that is no dearer than every other; else C40.
Scheme FinalChoice(std::array<Count, kSlots> n) {
  for (Count& c : n) {
    c = RoundHalfDown(c);
  }
  for (const Slot s : {kAscii, kBase256, kEdifact, kText, kX12}) {
    if (n[s] <= MinOfOthers(n, s)) {
      return kSchemeOfSlot[s];
    }
  }
  return Scheme::C40;
}

}  // namespace

void TieBreaks::Build(std::span<const Item> items) {
  count_ = items.size();
  Scheme next = Scheme::C40;
  for (std::size_t i = items.size(); i-- > 0;) {
    const Item item = items[i];
    if (item == '\r' || item == '*' || item == '>') {
      next = Scheme::X12;
    } else if (!IsCodewordItem(item) && item > 'Z') {
      next = Scheme::C40;
    }
    winners_[i] = next;
  }
}

Scheme LookaheadScheme(std::span<const Item> items, const TieBreaks& ties, Scheme current, std::size_t pos) {
  std::array<Count, kSlots> n{};
  if (current == Scheme::Ascii) {
    n = {0, kOne, kOne, kOne, kOne, kOne + Quarters(1)};
  } else {
    n = {kOne, 2 * kOne, 2 * kOne, 2 * kOne, 2 * kOne, 2 * kOne + Quarters(1)};
    n[static_cast<std::size_t>(current)] = 0;
  }
  for (std::size_t i = pos; i < items.size(); ++i) {
    AddItem(n, items[i]);
    if (i - pos + 1 < 4) {
      continue;
    }
    if (n[kAscii] + kOne <= MinOfOthers(n, kAscii)) {
      return Scheme::Ascii;
    }
    if (n[kBase256] + kOne <= MinOfOthers(n, kBase256)) {
      return Scheme::Base256;
    }
    if (n[kEdifact] + kOne < MinOfOthers(n, kEdifact)) {
      return Scheme::Edifact;
    }
    if (n[kText] + kOne < MinOfOthers(n, kText)) {
      return Scheme::Text;
    }
    if (n[kX12] + kOne < MinOfOthers(n, kX12)) {
      return Scheme::X12;
    }
    if (n[kC40] + kOne < MinOfOthers(n, kC40, kX12)) {
      if (n[kC40] < n[kX12]) {
        return Scheme::C40;
      }
      if (n[kC40] == n[kX12]) {
        return ties.From(i + 2);
      }
    }
  }
  return FinalChoice(n);
}

}  // namespace brindle2::dmtxencode
