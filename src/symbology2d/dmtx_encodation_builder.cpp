#include "symbology2d/dmtx_encodation_builder.h"

namespace brindle2::dmtxencode {

namespace {

// The 255-state randomising of Base 256 for a codeword at a 1-based position.
std::uint8_t Randomize255(std::size_t value, std::size_t position) {
  const std::size_t pseudo = (149 * position) % 255 + 1;
  const std::size_t sum = value + pseudo;
  return static_cast<std::uint8_t>(sum <= 255 ? sum : sum - 256);
}

}  // namespace

EncodationBuilder::EncodationBuilder(const EncodationInput& input, SizeSearch sizes, const EncodationPolicy& policy)
    : input_(input), items_(input.message.Items()), sizes_(sizes), policy_(policy) {}

void EncodationBuilder::Encode() {
  for (const std::uint8_t codeword : input_.message.Header()) {
    Put(codeword);
  }
  int stalls = 0;
  while (!AtEnd()) {
    const std::size_t before = pos_;
    switch (scheme_) {
      case Scheme::Ascii:
        AsciiStep();
        break;
      case Scheme::C40:
      case Scheme::Text:
      case Scheme::X12:
        TripletStep();
        break;
      case Scheme::Edifact:
        EdifactStep();
        break;
      case Scheme::Base256:
        Base256Step();
        break;
    }
    if (pos_ > before) {
      stalls = 0;
    } else if (++stalls == kStallLimit) {
      throw policy_toomany_retries();
    }
  }
  Finish();
}

void EncodationBuilder::Put(std::uint8_t codeword) {
  if (fill_ == codewords_.size()) {
    throw out_of_capacity_error();
  }
  codewords_[fill_++] = codeword;
}

void EncodationBuilder::PutAscii(Item item) {
  if (IsCodewordItem(item)) {
    Put(CodewordOf(item));
  } else if (item >= 128) {
    Put(kUpperShiftCodeword);
    Put(static_cast<std::uint8_t>(item - 127));
  } else {
    Put(static_cast<std::uint8_t>(item + 1));
  }
}

void EncodationBuilder::PutAsciiRun(std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; ++i) {
    if (IsDigitItem(items_[i]) && i + 1 < to && IsDigitItem(items_[i + 1])) {
      Put(static_cast<std::uint8_t>(kDigitPairBase + (items_[i] - '0') * 10 + (items_[i + 1] - '0')));
      ++i;
    } else {
      PutAscii(items_[i]);
    }
  }
}

std::size_t EncodationBuilder::AsciiLength(std::size_t from, std::size_t to) const {
  std::size_t length = 0;
  for (std::size_t i = from; i < to; ++i) {
    if (IsDigitItem(items_[i]) && i + 1 < to && IsDigitItem(items_[i + 1])) {
      ++i;
      length += 1;
    } else {
      length += !IsCodewordItem(items_[i]) && items_[i] >= 128 ? 2 : 1;
    }
  }
  return length;
}

void EncodationBuilder::LatchTo(Scheme next) {
  if (next != Scheme::Ascii) {
    Put(LatchCodeword(next));
  }
  scheme_ = next;
  pendingCount_ = 0;
  pendingStart_ = pos_;
}

void EncodationBuilder::AsciiStep() {
  const Item item = items_[pos_];
  if (IsDigitItem(item) && pos_ + 1 < items_.size() && IsDigitItem(items_[pos_ + 1])) {
    Put(static_cast<std::uint8_t>(kDigitPairBase + (item - '0') * 10 + (items_[pos_ + 1] - '0')));
    pos_ += 2;
    return;
  }
  const Scheme next = Ask(Scheme::Ascii);
  if (next != Scheme::Ascii) {
    LatchTo(next);
    return;
  }
  PutAscii(item);
  ++pos_;
}

void EncodationBuilder::Base256Step() {
  const std::size_t start = pos_;
  Scheme next = Scheme::Base256;
  while (!AtEnd()) {
    next = Ask(Scheme::Base256);
    if (next != Scheme::Base256 || IsCodewordItem(items_[pos_])) {
      break;
    }
    ++pos_;
  }
  const std::size_t length = pos_ - start;
  if (length == 0) {
    // An empty field would read as "to the end of the symbol": take the latch back instead.
    --fill_;
  } else {
    if (fill_ + (length < 250 ? 1 : 2) + length > codewords_.size()) {
      throw out_of_capacity_error();
    }
    if (length < 250) {
      Put(Randomize255(length, fill_ + 1));
    } else {
      Put(Randomize255(length / 250 + 249, fill_ + 1));
      Put(Randomize255(length % 250, fill_ + 1));
    }
    for (std::size_t i = start; i < pos_; ++i) {
      Put(Randomize255(items_[i], fill_ + 1));
    }
  }
  // The field ends by its length; only a scheme other than ASCII needs a latch.
  LatchTo(next == Scheme::Base256 ? Scheme::Ascii : next);
}

void EncodationBuilder::Finish() {
  switch (scheme_) {
    case Scheme::C40:
    case Scheme::Text:
    case Scheme::X12:
      // Padding is ASCII: unlatch unless the symbol is full, or so nearly full that a
      // reader takes the one codeword left as ASCII anyway.
      if (forcedSize_ < 0 && sizes_.Left(fill_) >= 2) {
        Put(kUnlatchCodeword);
      }
      break;
    case Scheme::Edifact:
      if (forcedSize_ < 0) {
        const int left = sizes_.Left(fill_);
        if (left >= 0 && left <= 2) {
          ForceSmallestSize();  // the last one or two codewords are read as ASCII padding
        } else if (left > 2) {
          PackEdifact(true);
        }
      }
      break;
    case Scheme::Ascii:
    case Scheme::Base256:
      break;
  }
}

}  // namespace brindle2::dmtxencode
