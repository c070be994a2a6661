#pragma once
// The control's side of DataMatrix: its message and size property in, module rows out, and
// the encoder's result codes turned into the engine's errors.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "symbology/barlib_error.h"

namespace linnet {

// A structured-append block ("~2") that is not at the front is moved there: the part from
// the first "~2" on comes first, the part before it follows ("AB~2[1][0][2]CD" becomes
// "~2[1][0][2]CDAB"). Texts that start with "~2", or have none, are unchanged.
std::string RotateStructuredAppend(std::string_view text);

// The encoder's size option for the DataMatrixTargetSize property: 0 is automatic, 30 the
// 12 x 12 size, every other value passes unchanged.
int DataMatrixSizeOption(std::int32_t targetSize);

// The engine error for a failed encoding: codes 29, 30, 51 to 54, and 100 for anything else.
Quillon::BrindleLib::barlib_error DataMatrixError(std::int32_t resultCode);

// Module rows, top row first, '1' dark and '0' light. The message is taken in the ANSI code
// page up to its first zero character. Throws the barlib_error of DataMatrixError.
std::vector<std::string> EncodeDataMatrix(std::u16string_view message, std::int32_t targetSize);

}  // namespace linnet
