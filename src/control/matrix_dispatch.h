#pragma once
// The module rows of the two-dimensional symbologies, encoded from the control's properties
// with the options each one takes.
#include <string>
#include <string_view>
#include <vector>

namespace linnet {

class CQlnBarcode;

// One string of '0'/'1' per module row, top row first. Throws the engine's barlib_error
// when the symbol cannot be encoded; empty for a symbology that is not two-dimensional.
std::vector<std::string> EncodeMatrixRows(const CQlnBarcode& control);

// The prefix of the error text drawn for a failed symbol of this symbology:
// "Linear", "PDF417", "DataMatrix" or "Maxicode".
const char* EncodingErrorKind(int symbology);

// The error text drawn for a failed symbol, in the engine's (ANSI) characters:
// "<kind> Encoding Error <code>. <message>".
std::string EncodingErrorText(int symbology, int code, std::string_view message);

}  // namespace linnet
