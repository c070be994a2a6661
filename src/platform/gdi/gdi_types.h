#pragma once
// Values of the drawing platform: colours, pens, brushes, alignment flags, text metrics and
// device capabilities. Coordinates are the 32-bit points, sizes and rectangles of the
// component layer.
#include <cstdint>

#include "platform/com/host_observer.h"

namespace linnet::gdi {

// 0x00BBGGRR.
using ColorRef = std::uint32_t;

constexpr ColorRef Rgb(int r, int g, int b) {
  return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline constexpr ColorRef kBlack = 0x000000;
inline constexpr ColorRef kWhite = 0xFFFFFF;
inline constexpr ColorRef kRed = 0x0000FF;

// Perceived brightness, 0 (black) to 255000 (white), from the luma weights 299/587/114.
constexpr int Brightness(ColorRef c) {
  const int r = static_cast<int>(c & 0xFF);
  const int g = static_cast<int>((c >> 8) & 0xFF);
  const int b = static_cast<int>((c >> 16) & 0xFF);
  return 299 * r + 587 * g + 114 * b;
}

// A two-colour device on its own shows a colour as white when it is at least half bright.
constexpr bool IsLight(ColorRef c) {
  return Brightness(c) >= 128 * 1000;
}

// The two colours of a label drawn on a two-colour device, decided by contrast rather than
// by each colour's own brightness: the darker of ink and paper becomes black, the lighter
// white, so gold on white prints black on white. Any third colour (the red error text, the
// white cells behind it) takes the tone of whichever of the two it is nearer in brightness,
// the ink's on a tie. Equal brightness of ink and paper draws black on white.
struct TwoTone {
  ColorRef ink = kBlack;
  ColorRef paper = kWhite;

  [[nodiscard]] constexpr bool InkIsWhite() const { return Brightness(ink) > Brightness(paper); }
  [[nodiscard]] constexpr bool Indistinct() const { return Brightness(ink) == Brightness(paper); }
  [[nodiscard]] constexpr bool IsWhite(ColorRef c) const {
    if (c == ink) {
      return InkIsWhite();
    }
    if (c == paper) {
      return !InkIsWhite();
    }
    const int toInk = Brightness(c) - Brightness(ink);
    const int toPaper = Brightness(c) - Brightness(paper);
    const bool nearerInk = (toInk < 0 ? -toInk : toInk) <= (toPaper < 0 ? -toPaper : toPaper);
    return nearerInk == InkIsWhite();
  }
};

enum class MapMode { Text, Anisotropic };
enum class BkMode { Transparent = 1, Opaque = 2 };

// Text alignment flags; horizontal and vertical parts combine with `|`.
inline constexpr std::uint32_t TA_LEFT = 0;
inline constexpr std::uint32_t TA_RIGHT = 2;
inline constexpr std::uint32_t TA_CENTER = 6;
inline constexpr std::uint32_t TA_TOP = 0;
inline constexpr std::uint32_t TA_BOTTOM = 8;
inline constexpr std::uint32_t TA_BASELINE = 24;
inline constexpr std::uint32_t kHorizontalAlignMask = 6;
inline constexpr std::uint32_t kVerticalAlignMask = 24;

enum class PenStyle : std::int32_t {
  Solid = 0,
  Dash = 1,
  Dot = 2,
  DashDot = 3,
  DashDotDot = 4,
  Null = 5,
  InsideFrame = 6,
};

struct Pen {
  PenStyle style = PenStyle::Solid;
  std::int32_t width = 1;  // in logical units; 0 or 1 draws one device pixel wide
  ColorRef color = kBlack;
  bool geometric = false;  // geometric pens scale with the mapping and have flat ends
  bool operator==(const Pen&) const = default;
};

struct Brush {
  ColorRef color = kWhite;
  bool hollow = false;  // a hollow brush fills nothing
  bool operator==(const Brush&) const = default;
};

// In logical units of the context that measured them.
struct TextMetrics {
  std::int32_t tmHeight = 0;
  std::int32_t tmAscent = 0;
  std::int32_t tmDescent = 0;
  std::int32_t tmInternalLeading = 0;
  std::int32_t tmExternalLeading = 0;
  bool operator==(const TextMetrics&) const = default;
};

enum class Technology { RasterDisplay, RasterPrinter, Metafile, EnhancedMetafile };

struct DeviceCaps {
  std::int32_t dpiX = 96;
  std::int32_t dpiY = 96;
  Technology technology = Technology::RasterDisplay;
};

}  // namespace linnet::gdi
