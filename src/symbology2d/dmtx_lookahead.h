#pragma once
// The look-ahead test that picks the encodation scheme for what follows a read position.
#include <array>
#include <cstddef>
#include <span>

#include "symbology2d/dmtx_message.h"
#include "symbology2d/dmtx_scheme.h"

namespace brindle2::dmtxencode {

// When C40 and X12 cost the same, the items from some position on decide between them: the
// first CR, "*" or ">" names X12, the first byte above "Z" (or the end) names C40. One pass
// from the back answers that for every position, so no look-ahead rescans the message.
class TieBreaks {
 public:
  void Build(std::span<const Item> items);
  // The scheme for a scan that starts at `pos` (any position, past the end included).
  [[nodiscard]] Scheme From(std::size_t pos) const { return pos < count_ ? winners_[pos] : Scheme::C40; }

 private:
  std::array<Scheme, kMaxItems> winners_;
  std::size_t count_ = 0;
};

// The scheme for the items from `pos` on when the encoder is in `current`.
Scheme LookaheadScheme(std::span<const Item> items, const TieBreaks& ties, Scheme current, std::size_t pos);

}  // namespace brindle2::dmtxencode
