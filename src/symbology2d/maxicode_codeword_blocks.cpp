#include "symbology2d/maxicode_codeword_blocks.h"

#include <algorithm>
#include <span>

#include "symbology2d/maxicode_code_sets.h"
#include "symbology2d/maxicode_errors.h"
#include "symbology2d/maxicode_reed_solomon.h"

namespace Quillon::BrindleLib::maxicode {

namespace {

constexpr std::size_t kPrimaryData = 10;
constexpr std::size_t kCapacity = 94;
constexpr std::size_t kCapacityMode5 = 78;
constexpr std::size_t kSecondaryStart = kPrimaryData + kPrimaryCheckCodewords;
constexpr std::size_t kHalves = 2;
// Enough for the larger half (mode 5: 34 data codewords).
constexpr std::size_t kLargestHalf = 48;

// Data codewords a mode holds, primary part included.
std::size_t DataCapacity(int mode) {
  return mode == 5 ? kCapacityMode5 : kCapacity;
}

}  // namespace

SymbolCodewords FinishMaxiCode(const Codewords& data, int mode) {
  const std::size_t capacity = DataCapacity(mode);
  if (data.size() > capacity) {
    ThrowCapacityError();
  }
  std::array<std::uint8_t, kCapacity> padded{};
  std::copy(data.begin(), data.end(), padded.begin());
  std::fill(padded.begin() + static_cast<std::ptrdiff_t>(data.size()),
            padded.begin() + static_cast<std::ptrdiff_t>(capacity), kPadCodeword);

  SymbolCodewords symbol{};
  std::copy_n(padded.begin(), kPrimaryData, symbol.begin());
  ReedSolomonCheck(std::span(padded).first(kPrimaryData),
                   std::span(symbol).subspan(kPrimaryData, kPrimaryCheckCodewords));

  const std::size_t secondaryData = capacity - kPrimaryData;
  const std::size_t halfData = secondaryData / kHalves;
  const std::size_t halfCheck = (kSymbolCodewords - kSecondaryStart - secondaryData) / kHalves;
  std::copy_n(padded.begin() + kPrimaryData, secondaryData, symbol.begin() + kSecondaryStart);
  for (std::size_t half = 0; half < kHalves; ++half) {
    std::array<std::uint8_t, kLargestHalf> halfCodewords{};
    for (std::size_t i = 0; i < halfData; ++i) {
      halfCodewords[i] = padded[kPrimaryData + kHalves * i + half];
    }
    std::array<std::uint8_t, kLargestHalf> check{};
    ReedSolomonCheck(std::span(halfCodewords).first(halfData), std::span(check).first(halfCheck));
    for (std::size_t i = 0; i < halfCheck; ++i) {
      symbol[kSecondaryStart + secondaryData + kHalves * i + half] = check[i];
    }
  }
  return symbol;
}

}  // namespace Quillon::BrindleLib::maxicode
