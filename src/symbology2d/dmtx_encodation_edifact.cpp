// EDIFACT: four six-bit values to three codewords, with its end-of-data rules.
#include "symbology2d/dmtx_charsets.h"
#include "symbology2d/dmtx_encodation_builder.h"

namespace brindle2::dmtxencode {

void EncodationBuilder::EdifactStep() {
  if (pendingCount_ == 0 && items_.size() - pos_ <= 2 && TryEdifactAsciiTail()) {
    return;
  }
  const Item item = items_[pos_];
  if (!IsEdifactItem(item)) {
    PackEdifact(true);
    LatchTo(Scheme::Ascii);
    return;
  }
  pending_[pendingCount_++] = EdifactValue(item);
  ++pos_;
  if (pendingCount_ == 4) {
    PackEdifact(false);
    if (AtEnd() || (items_.size() - pos_ <= 2 && TryEdifactAsciiTail())) {
      return;
    }
    const Scheme next = Ask(Scheme::Edifact);
    if (next != Scheme::Edifact) {
      PackEdifact(true);
      LatchTo(next);
    }
  } else if (AtEnd() && !TryEdifactAsciiTail()) {
    PackEdifact(true);
    LatchTo(Scheme::Ascii);
  }
}

void EncodationBuilder::PackEdifact(bool unlatch) {
  if (unlatch) {
    pending_[pendingCount_++] = kEdifactUnlatchValue;
  }
  unsigned bits = 0;
  int bitCount = 0;
  for (std::size_t i = 0; i < pendingCount_; ++i) {
    bits = (bits << 6) | pending_[i];
    bitCount += 6;
    if (bitCount >= 8) {
      bitCount -= 8;
      Put(static_cast<std::uint8_t>(bits >> bitCount));
      bits &= (1U << bitCount) - 1;
    }
  }
  if (bitCount > 0) {
    Put(static_cast<std::uint8_t>(bits << (8 - bitCount)));
  }
  pendingCount_ = 0;
  pendingStart_ = pos_;
}

bool EncodationBuilder::TryEdifactAsciiTail() {
  // A reader switches to ASCII by itself when fewer than three codewords are left; the
  // data after the last whole group may use that when it ends the symbol.
  const std::size_t from = pendingStart_;
  const std::size_t length = AsciiLength(from, items_.size());
  if (length == 0 || length > 2) {
    return false;
  }
  const int size = sizes_.SmallestHolding(fill_ + length);
  if (size < 0 || static_cast<std::size_t>(SymbolSizeAt(size).dataCodewords) > fill_ + 2) {
    return false;
  }
  PutAsciiRun(from, items_.size());
  pos_ = items_.size();
  forcedSize_ = size;
  LatchTo(Scheme::Ascii);
  return true;
}

}  // namespace brindle2::dmtxencode
