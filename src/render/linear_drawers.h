#pragma once
// The family drawers: small records holding a surface, a colour and one symbology family's
// sizes in dots, which measure a pattern (the bars alone) and draw it in a rotation.
#include <cstdint>
#include <string_view>

#include "platform/com/host_observer.h"
#include "platform/gdi/gdi_types.h"

namespace linnet {

class CQlnBarcode;
class DrawingSurface;

// Family 0: 'n'/'w' elements (either case), bars at even positions.
struct DrawTwoWidth {
  DrawingSurface& surface;
  gdi::ColorRef color;
  std::int32_t narrow;
  std::int32_t wide;
  std::int32_t barHeight;

  static DrawTwoWidth For(const CQlnBarcode& control, DrawingSurface& surface);
  [[nodiscard]] SizeL Measure(std::string_view pattern) const;
  void Draw(PointL at, std::string_view pattern, int quarterTurns) const;
};

// Family 1: one letter per module, 'b' dark.
struct DrawModules {
  DrawingSurface& surface;
  gdi::ColorRef color;
  std::int32_t module;
  std::int32_t barHeight;

  static DrawModules For(const CQlnBarcode& control, DrawingSurface& surface);
  [[nodiscard]] SizeL Measure(std::string_view pattern) const;
  void Draw(PointL at, std::string_view pattern, int quarterTurns) const;
};

// Family 2: tall and short bars on one baseline, at fixed physical sizes.
struct DrawPostalHeights {
  DrawingSurface& surface;
  gdi::ColorRef color;
  std::int32_t tallHeight;
  std::int32_t shortHeight;
  std::int32_t barWidth;
  std::int32_t pitch;

  static DrawPostalHeights For(const CQlnBarcode& control, DrawingSurface& surface);
  [[nodiscard]] SizeL Measure(std::string_view pattern) const;
  void Draw(PointL at, std::string_view pattern, int quarterTurns) const;
};

// Family 3: ascender, descender, full and tracker bars, at fixed physical sizes.
struct DrawFourState {
  DrawingSurface& surface;
  gdi::ColorRef color;
  std::int32_t fullHeight;
  std::int32_t trackerHeight;
  std::int32_t ascenderHeight;
  std::int32_t barWidth;
  std::int32_t pitch;

  static DrawFourState For(const CQlnBarcode& control, DrawingSurface& surface);
  [[nodiscard]] SizeL Measure(std::string_view pattern) const;
  void Draw(PointL at, std::string_view pattern, int quarterTurns) const;
};

// Family 4: '|'-separated tokens of modules and digits; the drawer prints its own digits.
struct DrawUpcEan {
  const CQlnBarcode& control;
  DrawingSurface& surface;
  gdi::ColorRef color;
  std::int32_t module;
  std::int32_t barHeight;

  static DrawUpcEan For(const CQlnBarcode& control, DrawingSurface& surface);
  [[nodiscard]] SizeL Measure(std::string_view pattern) const;
  void Draw(PointL at, std::string_view pattern, int quarterTurns) const;
};

// Families 7 and 8: element widths, light first; stacked forms build their rows and
// separators from them.
struct DrawDataBar {
  DrawingSurface& surface;
  gdi::ColorRef color;
  std::int32_t symbology;
  std::int32_t module;
  std::int32_t barHeight;
  std::int32_t separatorHeight;
  std::int32_t segmentsPerRow;  // DataBar Expanded: MaxCols as stored

  static DrawDataBar For(const CQlnBarcode& control, DrawingSurface& surface);
  [[nodiscard]] SizeL Measure(std::string_view pattern) const;
  void Draw(PointL at, std::string_view pattern, int quarterTurns) const;
};

}  // namespace linnet
