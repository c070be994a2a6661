#pragma once
// The primary message of the carrier modes 2 and 3: class of service, country code and
// postal code packed into ten codewords.
#include <array>
#include <cstdint>
#include <string_view>

namespace Quillon::BrindleLib::maxicode {

inline constexpr std::size_t kPrimaryDataCodewords = 10;
using PrimaryMessage = std::array<std::uint8_t, kPrimaryDataCodewords>;

// Checks the three fields for the mode (2: up to nine digits; 3: printable, the first six
// upper-cased in code set A) and packs them with the mode into the standard's 60-bit
// layout, codeword 1 holding the last six bits. Throws invalid_carrier_message_format_error
// (201 postal code, 202 country, 203 class). `mode` must be 2 or 3.
PrimaryMessage BuildPrimaryMessage(int mode, int country, int serviceClass, std::string_view postalCode);

}  // namespace Quillon::BrindleLib::maxicode
