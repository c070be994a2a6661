#pragma once
// A drawing surface that records every call, for layout assertions without pixels.
#include <cstdint>
#include <vector>

#include "platform/gdi/device_context.h"
#include "platform/gdi/gdi_recorder.h"
#include "render/drawing_surface.h"

namespace linnet::testing {

struct RecordingSurface {
  explicit RecordingSurface(std::int32_t dpi = 300)
      : context(gdi::DeviceCaps{dpi, dpi, gdi::Technology::RasterDisplay}), surface(context) {
    context.SetRecorder(&log);
  }

  [[nodiscard]] std::vector<gdi::GdiCall> Calls(gdi::GdiOp op) const { return log.Of(op); }

  gdi::DeviceContext context;
  gdi::CallLog log;
  DrawingSurface surface;
};

}  // namespace linnet::testing
