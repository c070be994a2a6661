#include "platform/gdi/screen.h"

namespace linnet::gdi {

std::unique_ptr<DeviceContext> CreateScreenContext() {
  return std::make_unique<DeviceContext>(DeviceCaps{kScreenDpi, kScreenDpi, Technology::RasterDisplay});
}

std::unique_ptr<DeviceContext> CreateReferenceContext(std::int32_t dpi) {
  if (dpi > 0 && kScreenDpi % dpi == 0) {
    return CreateScreenContext();
  }
  return std::make_unique<DeviceContext>(DeviceCaps{dpi, dpi, Technology::RasterPrinter});
}

std::unique_ptr<DeviceContext> CreateCompatibleContext(const DeviceContext& reference) {
  DeviceCaps caps = reference.Caps();
  caps.technology = Technology::RasterDisplay;
  return std::make_unique<DeviceContext>(caps);
}

}  // namespace linnet::gdi
