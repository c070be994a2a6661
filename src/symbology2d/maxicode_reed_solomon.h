#pragma once
// Reed-Solomon check codewords over GF(64) with the field polynomial x^6 + x + 1 and the
// generator roots alpha^1 .. alpha^n.
#include <cstdint>
#include <span>

namespace Quillon::BrindleLib::maxicode {

// The check counts MaxiCode uses: 10 for the primary block, 20 or 28 for each half of the
// secondary message.
inline constexpr int kPrimaryCheckCodewords = 10;
inline constexpr int kSecondaryHalfCheckCodewords = 20;
inline constexpr int kSecondaryHalfCheckCodewordsMode5 = 28;

// Writes check.size() check codewords of `data`, highest-order coefficient first.
// check.size() must be one of the three counts above.
void ReedSolomonCheck(std::span<const std::uint8_t> data, std::span<std::uint8_t> check);

}  // namespace Quillon::BrindleLib::maxicode
