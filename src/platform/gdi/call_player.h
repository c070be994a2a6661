#pragma once
// Plays a recording back into another context, stretched so that the recording's device
// rectangle (0, 0, `from`) lands on `into` (device units of the target): the way a metafile
// recorded in memory is played into a host's context. Every call is repeated in order; the
// mapping calls are rescaled (window extents multiplied by the recorded width, viewport
// extents by the target's, so the ratio stays exact), the others pass through unchanged.
#include <span>

#include "platform/gdi/device_context.h"
#include "platform/gdi/gdi_recorder.h"

namespace linnet::gdi {

void PlayCalls(std::span<const GdiCall> calls, DeviceContext& target, SizeL from, const RectL& into);

}  // namespace linnet::gdi
