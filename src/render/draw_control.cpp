#include "render/draw_control.h"

#include "control/qln_barcode.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/screen.h"
#include "render/background.h"
#include "render/drawing_surface.h"
#include "render/label.h"
#include "render/mappings.h"

namespace linnet {

std::unique_ptr<gdi::DeviceContext> CreatePrinterDCOrScreenDC() {
  return gdi::CreateScreenContext();
}

std::unique_ptr<gdi::DeviceContext> FindRasterReferenceDC(std::int32_t resolution) {
  return gdi::CreateReferenceContext(resolution);
}

HRESULT DrawControl(CQlnBarcode& control, gdi::DeviceContext& target, const RectL& bounds, const RectL* windowBounds) {
  const gdi::Technology technology = target.Caps().technology;
  if (technology == gdi::Technology::EnhancedMetafile && windowBounds != nullptr) {
    // Recording a fresh metafile to play into the host's needs the metafile recorder.
    return E_NOTIMPL;
  }
  std::unique_ptr<gdi::DeviceContext> reference;
  if (technology == gdi::Technology::Metafile) {
    reference = CreatePrinterDCOrScreenDC();
  }
  const LayoutAtRestOnExit atRest(control);
  DrawingSurface surface(target, reference ? reference.get() : &target);
  switch (technology) {
    case gdi::Technology::Metafile:
      PrepareTwipsMapping(control, surface);
      break;
    case gdi::Technology::EnhancedMetafile:
      PrepareMetafileMapping(control, surface);
      break;
    default:
      PrepareViewMapping(control, surface, bounds);
      break;
  }
  DrawBackground(control, surface);
  DrawLabel(control, surface);
  return S_OK;
}

}  // namespace linnet
