#pragma once
// The label's natural size: what the control reports to its host and what its label-size
// getters build on.
#include "platform/com/host_observer.h"

namespace linnet {

class CQlnBarcode;

// Width and height in hundredths of a millimetre, swapped for a quarter-turn rotation,
// measured at the control's current layout resolution. While AutoLabelSize is on it also
// stores the label size it finds (user units) into the control.
SizeL ComputeNaturalSize(CQlnBarcode& control);

}  // namespace linnet
