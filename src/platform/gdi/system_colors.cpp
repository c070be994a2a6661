#include "platform/gdi/system_colors.h"

#include <array>

namespace linnet::gdi {

namespace {

// Indices 0 to 30: scroll bar, desktop, captions, menus, window, frame, menu and window
// text, borders, application workspace, highlight, button face and shadow, grey text,
// button text, inactive caption text, button highlight, 3D dark shadow and light, tooltip,
// hot light and caption gradients.
constexpr std::array<ColorRef, 31> kSystemColors = {
    Rgb(200, 200, 200), Rgb(0, 128, 128),   Rgb(0, 0, 128),     Rgb(128, 128, 128), Rgb(192, 192, 192),
    Rgb(255, 255, 255), Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(255, 255, 255),
    Rgb(192, 192, 192), Rgb(192, 192, 192), Rgb(128, 128, 128), Rgb(0, 0, 128),     Rgb(255, 255, 255),
    Rgb(192, 192, 192), Rgb(128, 128, 128), Rgb(128, 128, 128), Rgb(0, 0, 0),       Rgb(192, 192, 192),
    Rgb(255, 255, 255), Rgb(0, 0, 0),       Rgb(223, 223, 223), Rgb(0, 0, 0),       Rgb(255, 255, 225),
    Rgb(180, 180, 180), Rgb(0, 0, 255),     Rgb(16, 132, 208),  Rgb(181, 181, 181), Rgb(49, 106, 197),
    Rgb(236, 233, 216),
};

}  // namespace

ColorRef TranslateColor(std::uint32_t oleColor) {
  if ((oleColor >> 24) == 0x80) {
    const std::uint32_t index = oleColor & 0xFFFF;
    return index < kSystemColors.size() ? kSystemColors[index] : kBlack;
  }
  return oleColor & 0x00FFFFFF;
}

}  // namespace linnet::gdi
