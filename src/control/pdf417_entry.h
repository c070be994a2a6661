#pragma once
// The control's PDF417: its message and PDF417 properties turned into module rows. The
// renderer calls this every time it measures or draws the symbol.
#include <string>
#include <vector>

#include "control/control_properties.h"

namespace linnet {

// The message goes to the engine in the ANSI code page, with PDF417ModuleWidth,
// PDF417RowHeight, PDF417AspectRatio, MaxRows, MaxCols, PDF417SecurityLevel and
// PDF417Truncated. Fills `rows`, top row first; throws the engine's barlib_error (and leaves
// `rows` alone) when the data cannot be encoded.
void EncodePdf417(const ControlProperties& properties, std::vector<std::string>& rows);

}  // namespace linnet
