#include "symbology2d/dmtx_encode.h"

#include <algorithm>
#include <array>
#include <memory>
#include <new>
#include <span>
#include <string_view>

#include "symbology2d/dmtx_encodation_builder.h"
#include "symbology2d/dmtx_symbol_packer.h"
#include "symbology2d/dmtx_symbol_size.h"

namespace brindle2::dmtxencode {

namespace {

struct RunOutcome {
  HRESULT code = kOk;
  int sizeIndex = -1;
  std::array<std::uint8_t, kMaxDataCodewords> codewords;
  std::size_t count = 0;
};

void RunPolicy(const EncodationInput& input, const SizeSearch& sizes, const EncodationPolicy& policy,
               RunOutcome& outcome) {
  outcome.sizeIndex = -1;
  EncodationBuilder builder(input, sizes, policy);
  try {
    builder.Encode();
  } catch (const EncodationBuilder::out_of_capacity_error&) {
    outcome.code = kTooMuchData;
    return;
  } catch (const EncodationBuilder::policy_toomany_retries&) {
    outcome.code = kNoProgress;
    return;
  }
  const auto codewords = builder.Codewords();
  const int size = builder.ForcedSizeIndex() >= 0 ? builder.ForcedSizeIndex() : sizes.SmallestHolding(codewords.size());
  if (size < 0) {
    outcome.code = kNoSizeHoldsData;
    return;
  }
  outcome.code = kOk;
  outcome.sizeIndex = size;
  outcome.count = codewords.size();
  std::copy(codewords.begin(), codewords.end(), outcome.codewords.begin());
}

// True when a symbol of size `a` ranks before one of size `b`.
bool RanksBefore(int a, int b) {
  if (IsRectangularSize(a) != IsRectangularSize(b)) {
    return IsRectangularSize(a);
  }
  return a < b;
}

// Shared by both entry points: `policy` null runs the tournament.
HRESULT Encode(const char* text, std::size_t length, int sizeOption, bool grow, IDmtxEncodeResult** result,
               const EncodationPolicy* policy) {
  if (result == nullptr || (text == nullptr && length > 0)) {
    return kInvalidPointer;
  }
  *result = nullptr;
  // The message, its tables and the runs' codewords are large: keep them off the stack.
  auto input = std::make_unique<EncodationInput>();
  if (const HRESULT hr = input->Prepare(std::string_view(text == nullptr ? "" : text, length)); hr != kOk) {
    // A message that does not parse fails every run alike, and stops the tournament.
    return hr;
  }
  const SizeSearch sizes(sizeOption, grow);
  const std::span<const EncodationPolicy> runs =
      policy != nullptr ? std::span<const EncodationPolicy>(policy, 1) : std::span<const EncodationPolicy>(Policies());
  auto best = std::make_unique<RunOutcome>();
  auto run = std::make_unique<RunOutcome>();
  HRESULT firstCode = kOk;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    // A run fails only with kTooMuchData, kNoSizeHoldsData or kNoProgress: the others go on.
    RunPolicy(*input, sizes, runs[i], *run);
    if (i == 0) {
      firstCode = run->code;
    }
    // Replacing only a strictly better symbol keeps the earlier policy among equals.
    if (run->code == kOk && (best->sizeIndex < 0 || RanksBefore(run->sizeIndex, best->sizeIndex))) {
      std::swap(best, run);
    }
  }
  if (best->sizeIndex < 0) {
    return firstCode;
  }
  *result = SymbolPacker::Create(best->sizeIndex, {best->codewords.data(), best->count});
  return kOk;
}

// Results are codes: running out of memory is one too.
HRESULT EncodeGuarded(const char* text, std::size_t length, int sizeOption, bool grow, IDmtxEncodeResult** result,
                      const EncodationPolicy* policy) {
  try {
    return Encode(text, length, sizeOption, grow, result, policy);
  } catch (const std::bad_alloc&) {
    return kOutOfMemory;
  }
}

}  // namespace

HRESULT EncodeWithPolicy(const char* text, std::size_t length, int sizeOption, bool grow, IDmtxEncodeResult** result,
                         const EncodationPolicy& policy) {
  return EncodeGuarded(text, length, sizeOption, grow, result, &policy);
}

HRESULT EncodeBest(const char* text, std::size_t length, int sizeOption, bool grow, IDmtxEncodeResult** result,
                   const EncodationPolicy* policy) {
  return EncodeGuarded(text, length, sizeOption, grow, result, policy);
}

}  // namespace brindle2::dmtxencode
