#pragma once
// The light margins a symbol needs before and after it (along) and above and below it
// (across), in layout dots of the unrotated frame.
#include "platform/com/host_observer.h"

namespace linnet {

class CQlnBarcode;

// (qx, qy); (0, 0) while QuietZones is off. Each is placed on both ends.
SizeL QuietZone(const CQlnBarcode& control);

// The size a symbol that cannot be encoded takes: one inch square, with both quiet zones.
SizeL FailedSymbolSize(const CQlnBarcode& control);

}  // namespace linnet
