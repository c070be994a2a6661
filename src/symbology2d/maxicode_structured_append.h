#pragma once
// Structured append: "~2[position][total]" at the end of a message places the symbol in a
// set of up to eight.
#include <string_view>

#include "symbology2d/maxicode_codewords.h"

namespace Quillon::BrindleLib::maxicode {

struct StructuredAppendSplit {
  std::string_view data;   // the message before the block
  std::string_view block;  // from the first "~2" on, or empty
};

// Finds the first "~2" that is not the second half of a "~~" escape.
StructuredAppendSplit SplitStructuredAppend(std::string_view text);

// The block's two codewords: the marker (the pad value) and (position - 1) * 8 + (total - 1).
// Throws invalid_structuralappend_format_error: 50 fewer than two fields, 51 the marker is
// not "~2", 52 position not a number from 1 to 8 or above the total, 53 total missing or not
// a number from 1 to 8.
Codewords EncodeStructuredAppend(std::string_view block);

}  // namespace Quillon::BrindleLib::maxicode
