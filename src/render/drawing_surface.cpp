#include "render/drawing_surface.h"

namespace linnet {

void DrawingSurface::SetMapMode(gdi::MapMode mode) {
  ApplyToBoth([&](gdi::DeviceContext& dc) { dc.SetMapMode(mode); });
}

void DrawingSurface::SetWindowExt(SizeL extent) {
  ApplyToBoth([&](gdi::DeviceContext& dc) { dc.SetWindowExt(extent); });
}

void DrawingSurface::SetViewportExt(SizeL extent) {
  ApplyToBoth([&](gdi::DeviceContext& dc) { dc.SetViewportExt(extent); });
}

void DrawingSurface::SetWindowOrg(PointL origin) {
  ApplyToBoth([&](gdi::DeviceContext& dc) { dc.SetWindowOrg(origin); });
}

void DrawingSurface::SetViewportOrg(PointL origin) {
  ApplyToBoth([&](gdi::DeviceContext& dc) { dc.SetViewportOrg(origin); });
}

gdi::FontHandle DrawingSurface::SelectFont(gdi::FontHandle font) {
  return ApplyToBoth([&](gdi::DeviceContext& dc) { return dc.SelectFont(font); });
}

gdi::ColorRef DrawingSurface::SetTextColor(gdi::ColorRef color) {
  return ApplyToBoth([&](gdi::DeviceContext& dc) { return dc.SetTextColor(color); });
}

gdi::ColorRef DrawingSurface::SetBkColor(gdi::ColorRef color) {
  return ApplyToBoth([&](gdi::DeviceContext& dc) { return dc.SetBkColor(color); });
}

gdi::BkMode DrawingSurface::SetBkMode(gdi::BkMode mode) {
  return ApplyToBoth([&](gdi::DeviceContext& dc) { return dc.SetBkMode(mode); });
}

std::uint32_t DrawingSurface::SetTextAlign(std::uint32_t align) {
  return ApplyToBoth([&](gdi::DeviceContext& dc) { return dc.SetTextAlign(align); });
}

std::int32_t DrawingSurface::SetTextCharacterExtra(std::int32_t extra) {
  return ApplyToBoth([&](gdi::DeviceContext& dc) { return dc.SetTextCharacterExtra(extra); });
}

void DrawingSurface::SetTextJustification(std::int32_t breakExtra, std::int32_t breakCount) {
  ApplyToBoth([&](gdi::DeviceContext& dc) { dc.SetTextJustification(breakExtra, breakCount); });
}

}  // namespace linnet
