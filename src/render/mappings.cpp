#include "render/mappings.h"

#include <algorithm>
#include <cmath>

#include "control/qln_barcode.h"
#include "platform/gdi/screen.h"
#include "render/drawing_surface.h"
#include "render/natural_size.h"
#include "render/rotation.h"
#include "render/units.h"

namespace linnet {

namespace {

constexpr std::int32_t kTwipsPerInch = 1440;

std::int32_t Trunc32(double v) {
  return static_cast<std::int32_t>(std::clamp(std::trunc(v), -2147483648.0, 2147483647.0));
}

// The platform's MulDiv: a * b / c rounded half away from zero.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
  if (c == 0) {
    return -1;
  }
  const std::int64_t n = static_cast<std::int64_t>(a) * b;
  std::int64_t q = n / c;
  if (2 * std::abs(n % c) >= std::abs(static_cast<std::int64_t>(c))) {
    q += (n < 0) != (c < 0) ? -1 : 1;
  }
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(q, INT32_MIN, INT32_MAX));
}

// Extents of zero are refused by the platform; the smallest viewport is one pixel.
SizeL AtLeastOne(SizeL s) {
  return {s.cx == 0 ? 1 : s.cx, s.cy == 0 ? 1 : s.cy};
}

void Anisotropic(DrawingSurface& surface, SizeL window, SizeL viewport) {
  surface.SetMapMode(gdi::MapMode::Anisotropic);
  surface.SetWindowExt(AtLeastOne(window));
  surface.SetViewportExt(AtLeastOne(viewport));
}

void FinishSetUp(CQlnBarcode& control, SizeL natural) {
  LayoutState& layout = control.Layout();
  layout.origin = {0, 0};
  layout.naturalDots = {DotsFromMetric(natural.cx, layout.resolution), DotsFromMetric(natural.cy, layout.resolution)};
}

}  // namespace

LayoutAtRestOnExit::~LayoutAtRestOnExit() {
  control_.Layout().resolution = kRestLayoutResolution;
  control_.Layout().origin = {0, 0};
}

std::int32_t LayoutResolutionFor(std::int32_t dpi) {
  return dpi == gdi::kScreenDpi ? kRestLayoutResolution : dpi;
}

SizeL PrepareViewMapping(CQlnBarcode& control, DrawingSurface& surface, const RectL& bounds) {
  const gdi::DeviceCaps caps = surface.Caps();
  control.Layout().resolution = LayoutResolutionFor(caps.dpiX);
  const SizeL natural = ComputeNaturalSize(control);
  if (control.Properties().autoSize == 0 && natural.cx > 0 && natural.cy > 0) {
    const SizeL extent = control.Extent();
    const double zoom =
        std::min(static_cast<double>(extent.cx) / natural.cx, static_cast<double>(extent.cy) / natural.cy);
    if (zoom != control.Properties().zoomRatio) {
      control.StoreFittedZoom(zoom);
    }
  }
  const double zoom = control.Properties().zoomRatio;
  const std::int32_t r = control.Layout().resolution;
  Anisotropic(surface, {r, r}, {Trunc32(caps.dpiX * zoom), Trunc32(caps.dpiY * zoom)});
  const std::int32_t nw = MulDiv(caps.dpiX, natural.cx, 2540);
  const std::int32_t nh = MulDiv(caps.dpiY, natural.cy, 2540);
  const std::int64_t dx = (static_cast<std::int64_t>(bounds.right) - bounds.left - Trunc32(nw * zoom)) / 2;
  const std::int64_t dy = (static_cast<std::int64_t>(bounds.bottom) - bounds.top - Trunc32(nh * zoom)) / 2;
  auto clamp = [](std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
  };
  PointL origin;
  switch (QuarterTurns(control.Properties().rotation)) {
    case 1:
      origin = {clamp(bounds.left + dx), clamp(bounds.bottom - dy)};
      break;
    case 2:
      origin = {clamp(bounds.right - dx), clamp(bounds.bottom - dy)};
      break;
    case 3:
      origin = {clamp(bounds.right - dx), clamp(bounds.top + dy)};
      break;
    default:
      origin = {clamp(bounds.left + dx), clamp(bounds.top + dy)};
      break;
  }
  surface.SetViewportOrg(origin);
  FinishSetUp(control, natural);
  return natural;
}

SizeL PrepareMetafileMapping(CQlnBarcode& control, DrawingSurface& surface) {
  const gdi::DeviceCaps caps = surface.Caps();
  const std::int32_t r = LayoutResolutionFor(caps.dpiX);
  control.Layout().resolution = r;
  Anisotropic(surface, {r, r}, {caps.dpiX, caps.dpiY});
  const SizeL natural = ComputeNaturalSize(control);
  const std::int32_t w = Trunc32(static_cast<double>(caps.dpiX) * natural.cx / 2540);
  const std::int32_t h = Trunc32(static_cast<double>(caps.dpiY) * natural.cy / 2540);
  PointL origin;
  switch (QuarterTurns(control.Properties().rotation)) {
    case 1:
      origin = {0, h};
      break;
    case 2:
      origin = {w, h};
      break;
    case 3:
      origin = {w, 0};
      break;
    default:
      break;
  }
  surface.SetViewportOrg(origin);
  FinishSetUp(control, natural);
  return natural;
}

void PrepareRasterMapping(CQlnBarcode& control, DrawingSurface& surface, const RectL& rect, SizeL natural) {
  const std::int32_t r = control.Layout().resolution;
  Anisotropic(surface, {r, r}, {r, r});
  PointL origin{rect.left, rect.top};
  switch (QuarterTurns(control.Properties().rotation)) {
    case 1:
      origin = {rect.left, rect.bottom};
      break;
    case 2:
      origin = {rect.right, rect.bottom};
      break;
    case 3:
      origin = {rect.right, rect.top};
      break;
    default:
      break;
  }
  surface.SetViewportOrg(origin);
  FinishSetUp(control, natural);
}

void PrepareTwipsMapping(CQlnBarcode& control, DrawingSurface& surface) {
  control.Layout().resolution = kTwipsPerInch;
  const SizeL natural = ComputeNaturalSize(control);
  const int turns = QuarterTurns(control.Properties().rotation);
  const bool quarter = turns == 1 || turns == 3;
  // Twips of the unrotated label.
  const SizeL unrotated = quarter ? SizeL{natural.cy, natural.cx} : natural;
  std::int32_t w = Trunc32(unrotated.cx * 1.44 / 2.54);
  std::int32_t h = Trunc32(unrotated.cy * 1.44 / 2.54);
  PointL origin;
  switch (turns) {
    case 1:
      origin = {0, -w};
      std::swap(w, h);
      break;
    case 2:
      origin = {-w, -h};
      break;
    case 3:
      origin = {-h, 0};
      std::swap(w, h);
      break;
    default:
      break;
  }
  const gdi::DeviceCaps caps = surface.Caps();
  surface.SetMapMode(gdi::MapMode::Anisotropic);
  surface.SetWindowOrg(origin);
  surface.SetWindowExt(AtLeastOne({w, h}));
  surface.SetViewportExt(AtLeastOne({ClampUser(static_cast<std::int64_t>(w) * caps.dpiX / kTwipsPerInch),
                                     ClampUser(static_cast<std::int64_t>(h) * caps.dpiY / kTwipsPerInch)}));
  FinishSetUp(control, natural);
}

}  // namespace linnet
