#pragma once
// The secondary message: the tilde syntax with its ECIs, and the code set switching that
// turns each stretch of data bytes into codewords.
#include <string_view>

#include "symbology2d/maxicode_codewords.h"

namespace Quillon::BrindleLib::maxicode {

// Reads "~@".."~Z" (bytes 0..26), "~~", "~dNNN" (a byte up to 255) and "~7NNNNNN" (an ECI)
// and encodes the data from code set A on. Throws eci_format_error (60) for a "~7" without
// six digits after it.
Codewords EncodeSecondary(std::string_view text);

// Appends the codewords of `segment` starting in `set` and returns the set in force at its
// end (A or B: a segment never ends in C, D or E).
int EncodeCodeSets(std::string_view segment, int set, Codewords& out);

}  // namespace Quillon::BrindleLib::maxicode
