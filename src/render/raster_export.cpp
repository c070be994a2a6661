#include "render/raster_export.h"

#include <cmath>

#include "control/qln_barcode.h"
#include "platform/gdi/screen.h"
#include "platform/gdi/system_colors.h"
#include "render/background.h"
#include "render/draw_control.h"
#include "render/drawing_surface.h"
#include "render/label.h"
#include "render/mappings.h"
#include "render/natural_size.h"
#include "render/symbol_encoding_cache.h"

namespace linnet {

SizeL RasterSize(SizeL natural, std::int32_t resolution) {
  const double width = std::trunc(natural.cx / 2540.0 * resolution);
  const double height = std::trunc(natural.cy / 2540.0 * resolution);
  if (width < 1 || height < 1 || width * height > static_cast<double>(gdi::kMaxBitmapPixels)) {
    return {0, 0};
  }
  return {static_cast<std::int32_t>(width), static_cast<std::int32_t>(height)};
}

gdi::TwoTone LabelTwoTone(const CQlnBarcode& control) {
  return {gdi::TranslateColor(control.Properties().foreColor), gdi::TranslateColor(control.Properties().backColor)};
}

std::unique_ptr<gdi::MonoBitmap> DrawRasterLabel(CQlnBarcode& control) {
  const SymbolEncodingScope oneEncoding;
  const std::int32_t resolution = control.Properties().rasterImageResolution;
  std::unique_ptr<gdi::MonoBitmap> bitmap;
  {
    const LayoutAtRestOnExit atRest(control);
    const auto reference = FindRasterReferenceDC(resolution);
    const auto memory = gdi::CreateCompatibleContext(*reference);
    control.Layout().resolution = resolution;
    const SizeL natural = ComputeNaturalSize(control);
    const SizeL pixels = RasterSize(natural, resolution);
    bitmap = gdi::MonoBitmap::Create(pixels.cx, pixels.cy);
    if (bitmap) {
      memory->SelectBitmap(bitmap.get());
      memory->SetTwoTone(LabelTwoTone(control));
      DrawingSurface surface(*memory);
      PrepareRasterMapping(control, surface, {0, 0, pixels.cx, pixels.cy}, natural);
      DrawBackground(control, surface);
      DrawLabel(control, surface);
      memory->SelectBitmap(nullptr);
      bitmap->resolution = resolution;
    }
  }
  // The label size the drawing stored was measured at the raster's resolution; whoever asks
  // for it next measures again at rest (the getters and the natural size do), so there is
  // no need to measure here.
  return bitmap;
}

}  // namespace linnet
