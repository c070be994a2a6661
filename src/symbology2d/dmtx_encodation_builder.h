#pragma once
// One encoding of a message into data codewords under one policy: the scheme encoders with
// their end-of-data rules, and the symbol size those rules may force.
#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <span>

#include "symbology2d/dmtx_message.h"
#include "symbology2d/dmtx_policy.h"
#include "symbology2d/dmtx_symbol_size.h"

namespace brindle2::dmtxencode {

class EncodationBuilder {
 public:
  // The codeword buffer would pass the data capacity of the largest symbol.
  class out_of_capacity_error : public std::exception {
   public:
    [[nodiscard]] const char* what() const noexcept override { return "out of capacity"; }
  };
  // The policy keeps latching without reading anything.
  class policy_toomany_retries : public std::exception {
   public:
    [[nodiscard]] const char* what() const noexcept override { return "policy makes no progress"; }
  };

  EncodationBuilder(const EncodationInput& input, SizeSearch sizes, const EncodationPolicy& policy);

  // Writes the header codewords and encodes every item; throws the two errors above.
  void Encode();

  [[nodiscard]] std::span<const std::uint8_t> Codewords() const { return {codewords_.data(), fill_}; }
  // The size an end-of-data rule relied on, or -1 when the size is free.
  [[nodiscard]] int ForcedSizeIndex() const { return forcedSize_; }

 private:
  static constexpr int kStallLimit = 8;

  void Put(std::uint8_t codeword);
  // An item as ASCII writes it on its own: one or two codewords.
  void PutAscii(Item item);
  // The items [from, to) in ASCII, digit pairs joined.
  void PutAsciiRun(std::size_t from, std::size_t to);
  [[nodiscard]] std::size_t AsciiLength(std::size_t from, std::size_t to) const;
  [[nodiscard]] Scheme Ask(Scheme current) const { return policy_.next(input_, current, pos_); }
  // Writes the latch of `next` (none for ASCII) and starts an empty group there.
  void LatchTo(Scheme next);
  void ForceSmallestSize() { forcedSize_ = sizes_.SmallestHolding(fill_); }
  [[nodiscard]] bool AtEnd() const { return pos_ == items_.size(); }

  void AsciiStep();
  void Base256Step();

  // C40, Text and X12: values in groups of three, two codewords per group.
  void TripletStep();
  void WriteTriplets();
  void AfterTriplets();
  void EndTripletsAtEndOfData();
  // Gives back the pending group, unlatches, and writes in ASCII what the policy would
  // otherwise send straight back to the scheme that failed.
  void FallBackToAscii();

  // EDIFACT: values in groups of four, three codewords per group.
  void EdifactStep();
  // Writes the pending values, with the unlatch value after them when asked, six bits each.
  void PackEdifact(bool unlatch);
  // Writes the rest of the data in ASCII without unlatching when it is one or two codewords
  // that end within the last two codewords of the smallest symbol; true when it did.
  bool TryEdifactAsciiTail();

  // What the scheme in effect needs once every item is written.
  void Finish();

  const EncodationInput& input_;
  std::span<const Item> items_;
  SizeSearch sizes_;
  const EncodationPolicy& policy_;

  std::array<std::uint8_t, kMaxDataCodewords> codewords_;
  std::size_t fill_ = 0;
  Scheme scheme_ = Scheme::Ascii;
  std::size_t pos_ = 0;
  int forcedSize_ = -1;

  // Values read but not yet written, and the item where they start.
  std::array<std::uint8_t, 4 * kMaxItems + 4> pending_;
  std::size_t pendingCount_ = 0;
  std::size_t pendingStart_ = 0;
};

}  // namespace brindle2::dmtxencode
