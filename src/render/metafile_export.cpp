#include "render/metafile_export.h"

#include "control/qln_barcode.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/emf_recorder.h"
#include "platform/gdi/screen.h"
#include "platform/gdi/svg_recorder.h"
#include "platform/gdi/wmf_recorder.h"
#include "render/background.h"
#include "render/draw_control.h"
#include "render/drawing_surface.h"
#include "render/label.h"
#include "render/mappings.h"
#include "render/natural_size.h"
#include "render/units.h"

namespace linnet {

namespace {

constexpr std::u16string_view kApplication = u"QUILLON LINNET";
constexpr std::int32_t kSvgResolution = 1440;

void DrawAll(CQlnBarcode& control, DrawingSurface& surface) {
  DrawBackground(control, surface);
  DrawLabel(control, surface);
}

}  // namespace

bool WriteEmf(CQlnBarcode& control, std::u16string_view title, image::ByteSink& sink) {
  const auto reference = CreatePrinterDCOrScreenDC();
  gdi::DeviceCaps caps = reference->Caps();
  caps.technology = gdi::Technology::EnhancedMetafile;
  gdi::EmfRecorder recorder(kApplication, title);
  gdi::DeviceContext metafile(caps);
  metafile.SetRecorder(&recorder);
  DrawingSurface surface(metafile);
  const SizeL natural = PrepareMetafileMapping(control, surface);
  DrawAll(control, surface);
  return recorder.Finish(natural, sink);
}

bool WriteWmf(CQlnBarcode& control, image::ByteSink& sink) {
  const auto screen = CreatePrinterDCOrScreenDC();
  gdi::WmfRecorder recorder;
  gdi::DeviceContext metafile(gdi::DeviceCaps{gdi::kScreenDpi, gdi::kScreenDpi, gdi::Technology::Metafile});
  metafile.SetRecorder(&recorder);
  {
    const LayoutAtRestOnExit atRest(control);
    DrawingSurface surface(metafile, screen.get());
    PrepareTwipsMapping(control, surface);
    DrawAll(control, surface);
  }
  return recorder.Finish(sink);
}

bool WriteSvg(CQlnBarcode& control, image::ByteSink& sink) {
  gdi::SvgRecorder recorder;
  SizeL natural;
  SizeL dots;
  {
    const LayoutAtRestOnExit atRest(control);
    const auto reference = gdi::CreateReferenceContext(kSvgResolution);
    const auto document = gdi::CreateCompatibleContext(*reference);
    document->SetRecorder(&recorder);
    control.Layout().resolution = kSvgResolution;
    natural = ComputeNaturalSize(control);
    dots = {DotsFromMetric(natural.cx, kSvgResolution), DotsFromMetric(natural.cy, kSvgResolution)};
    DrawingSurface surface(*document);
    PrepareRasterMapping(control, surface, {0, 0, dots.cx, dots.cy}, natural);
    DrawAll(control, surface);
  }
  return recorder.Finish(dots, natural, sink);
}

}  // namespace linnet
