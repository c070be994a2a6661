#pragma once
// The modulo-10 check digit shared by the GTIN family: UPC/EAN symbols, the check-digit
// application identifiers and DataBar.
#include <string_view>

namespace Quillon::BrindleLib {

// From the rightmost digit leftwards the weights are 3, 1, 3, 1 ...; the check digit is
// (10 - sum mod 10) mod 10, returned as '0'..'9'. A character that is not a digit counts
// as 0 but keeps its place in the weighting.
char GtinCheckDigit(std::string_view digits);

}  // namespace Quillon::BrindleLib
