#pragma once
// The contexts a platform without printers offers: the screen, of 96 dots per inch, and
// contexts of a chosen resolution that stand in for a printer's.
#include <cstdint>
#include <memory>

#include "platform/gdi/device_context.h"

namespace linnet::gdi {

inline constexpr std::int32_t kScreenDpi = 96;

// A measuring context of the screen: default mapping, nothing drawn.
std::unique_ptr<DeviceContext> CreateScreenContext();

// A context of `dpi` dots per inch; the screen itself when its resolution is a whole
// multiple of `dpi`.
std::unique_ptr<DeviceContext> CreateReferenceContext(std::int32_t dpi);

// A memory context compatible with `reference`: same resolution, two colours; select a
// bitmap into it to draw.
std::unique_ptr<DeviceContext> CreateCompatibleContext(const DeviceContext& reference);

}  // namespace linnet::gdi
