#pragma once
// The control's MaxiCode: its message and MaxiCode properties turned into module rows. The
// renderer calls this every time it measures or draws the symbol.
#include <string>
#include <vector>

#include "control/control_properties.h"

namespace linnet {

// Modes 2 and 3 use the carrier encoding with MaxicodeClass, MaxicodeCountryCode and
// MaxicodeZipCode; every other mode the plain one. Texts go to the engine in the ANSI code
// page. Clears `rows` first; throws the engine's barlib_error when the data cannot be encoded.
void EncodeMaxiCode(const ControlProperties& properties, std::vector<std::string>& rows);

}  // namespace linnet
