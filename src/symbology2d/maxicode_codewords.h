#pragma once
// A list of MaxiCode codewords: 6-bit values kept in bytes.
#include <cstdint>
#include <vector>

namespace Quillon::BrindleLib::maxicode {

using Codewords = std::vector<std::uint8_t>;

}  // namespace Quillon::BrindleLib::maxicode
