#include "render/draw_control.h"

#include <cmath>

#include "control/qln_barcode.h"
#include "platform/gdi/call_player.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/screen.h"
#include "render/background.h"
#include "render/drawing_surface.h"
#include "render/label.h"
#include "render/mappings.h"

namespace linnet {

namespace {

// The host draws into its metafile through a recording of its own, played into its bounds.
HRESULT DrawThroughRecording(CQlnBarcode& control, gdi::DeviceContext& target, const RectL& bounds) {
  const auto reference = CreatePrinterDCOrScreenDC();
  gdi::DeviceCaps caps = reference->Caps();
  caps.technology = gdi::Technology::EnhancedMetafile;
  gdi::CallLog recording;
  gdi::DeviceContext metafile(caps);
  metafile.SetRecorder(&recording);
  DrawingSurface surface(metafile);
  const SizeL natural = PrepareMetafileMapping(control, surface);
  DrawBackground(control, surface);
  DrawLabel(control, surface);
  const SizeL pixels{static_cast<std::int32_t>(std::trunc(static_cast<double>(caps.dpiX) * natural.cx / 2540)),
                     static_cast<std::int32_t>(std::trunc(static_cast<double>(caps.dpiY) * natural.cy / 2540))};
  gdi::PlayCalls(recording.Calls(), target, pixels, bounds);
  return S_OK;
}

}  // namespace

std::unique_ptr<gdi::DeviceContext> CreatePrinterDCOrScreenDC() {
  return gdi::CreateScreenContext();
}

std::unique_ptr<gdi::DeviceContext> FindRasterReferenceDC(std::int32_t resolution) {
  return gdi::CreateReferenceContext(resolution);
}

HRESULT DrawControl(CQlnBarcode& control, gdi::DeviceContext& target, const RectL& bounds, const RectL* windowBounds) {
  const gdi::Technology technology = target.Caps().technology;
  if (technology == gdi::Technology::EnhancedMetafile && windowBounds != nullptr) {
    return DrawThroughRecording(control, target, bounds);
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
