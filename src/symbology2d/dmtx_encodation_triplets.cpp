// C40, Text and X12: three values to two codewords, with their end-of-data rules.
#include "symbology2d/dmtx_charsets.h"
#include "symbology2d/dmtx_encodation_builder.h"

namespace brindle2::dmtxencode {

void EncodationBuilder::TripletStep() {
  const Item item = items_[pos_];
  std::uint8_t values[4];
  int count = 0;
  if (scheme_ == Scheme::X12) {
    if (const int value = X12Value(item); value >= 0) {
      values[count++] = static_cast<std::uint8_t>(value);
    }
  } else {
    count = C40TextValues(scheme_ == Scheme::Text, item, values);
  }
  if (count == 0) {
    FallBackToAscii();
    return;
  }
  for (int i = 0; i < count; ++i) {
    pending_[pendingCount_++] = values[i];
  }
  ++pos_;
  if (pendingCount_ % 3 == 0) {
    WriteTriplets();
    AfterTriplets();
  } else if (AtEnd()) {
    EndTripletsAtEndOfData();
  }
}

void EncodationBuilder::WriteTriplets() {
  for (std::size_t i = 0; i + 2 < pendingCount_; i += 3) {
    const unsigned packed = 1600U * pending_[i] + 40U * pending_[i + 1] + pending_[i + 2] + 1;
    Put(static_cast<std::uint8_t>(packed >> 8));
    Put(static_cast<std::uint8_t>(packed & 0xFF));
  }
  pendingCount_ = 0;
  pendingStart_ = pos_;
}

void EncodationBuilder::AfterTriplets() {
  if (AtEnd() && sizes_.ExactlyFilled(fill_)) {
    ForceSmallestSize();  // the symbol ends here: no unlatch
    return;
  }
  const Scheme next = Ask(scheme_);
  if (next != scheme_) {
    Put(kUnlatchCodeword);
    LatchTo(next);
  }
}

void EncodationBuilder::EndTripletsAtEndOfData() {
  // Two values and a symbol that ends after one more pair: Shift 1 completes the triplet.
  // X12 has no shift, and its value 0 is a carriage return, so X12 takes the fallback.
  if (pendingCount_ == 2 && scheme_ != Scheme::X12 && sizes_.ExactlyFilled(fill_ + 2)) {
    pending_[pendingCount_++] = 0;
    WriteTriplets();
    ForceSmallestSize();
    return;
  }
  if (pendingCount_ == 1) {
    // The last item alone, one value: one ASCII codeword.
    const Item last = items_[pos_ - 1];
    if (sizes_.ExactlyFilled(fill_ + 2)) {
      Put(kUnlatchCodeword);
      PutAscii(last);
      LatchTo(Scheme::Ascii);
      return;
    }
    if (sizes_.ExactlyFilled(fill_ + 1)) {
      // A reader takes a last single codeword as ASCII without the unlatch.
      PutAscii(last);
      ForceSmallestSize();
      LatchTo(Scheme::Ascii);
      return;
    }
  }
  FallBackToAscii();
}

void EncodationBuilder::FallBackToAscii() {
  const Scheme failed = scheme_;
  pos_ = pendingStart_;
  Put(kUnlatchCodeword);
  LatchTo(Scheme::Ascii);
  while (!AtEnd() && Ask(Scheme::Ascii) == failed) {
    PutAscii(items_[pos_++]);
  }
}

}  // namespace brindle2::dmtxencode
