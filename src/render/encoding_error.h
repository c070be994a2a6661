#pragma once
// A symbol that cannot be encoded is replaced, where it would stand, by its error text in
// red, and the control tells its event sinks.
#include <string_view>

#include "platform/com/host_observer.h"
#include "symbology/barlib_error.h"

namespace linnet {

class CQlnBarcode;
class DrawingSurface;

// Draws "<kind> Encoding Error <code>. <message>" at `at` as a left-aligned paragraph one
// inch wide in the error-text font and the control's rotation, in pure red (the previous
// text colour is restored), then fires BarcodeError with the code. `kind` is "Linear",
// "PDF417", "DataMatrix" or "Maxicode". Returns the one-inch square the symbol takes.
SizeL DrawEncodingError(CQlnBarcode& control, DrawingSurface& surface, PointL at, std::string_view kind,
                        const Quillon::BrindleLib::barlib_error& error);

}  // namespace linnet
