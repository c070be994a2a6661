#pragma once
// A symbol that cannot be encoded is replaced, where it would stand, by its error text in
// red, and the control tells its event sinks.
#include "platform/com/host_observer.h"
#include "symbology/barlib_error.h"

namespace linnet {

class CQlnBarcode;
class DrawingSurface;

// Draws the symbology's error text (EncodingErrorText) at `at` as a left-aligned paragraph
// one inch wide in the error-text font and the control's rotation, in pure red (the previous
// text colour is restored), then fires BarcodeError with the code. Returns the one-inch
// square the symbol takes.
SizeL DrawEncodingError(CQlnBarcode& control, DrawingSurface& surface, PointL at,
                        const Quillon::BrindleLib::barlib_error& error);

}  // namespace linnet
