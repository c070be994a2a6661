// The vector formats beside PNG at 300 dots per inch, for the default label and a 300-byte
// PDF417 label, all exported to memory in one run so the ratios compare like with like. The
// classic metafile's stream export includes its temporary file.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "control/qln_barcode.h"
#include "render/export_image.h"
#include "render/image_formats.h"

namespace {

enum Label { kDefault, kPdf417 };

void Prepare(linnet::CQlnBarcode& control, int label) {
  if (label == kPdf417) {
    control.put_Symbology(40);
    std::u16string message;
    for (int i = 0; message.size() < 300; ++i) {
      message += u"Linnet label " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) + u", ";
    }
    message.resize(300);
    control.put_Message(message);
  }
}

void BM_Export(benchmark::State& state, const char* format) {
  linnet::CQlnBarcode control;
  Prepare(control, static_cast<int>(state.range(0)));
  const linnet::ImageFormatInfo& info = *linnet::ImageFormatNamed(format);
  std::vector<unsigned char> out;
  for (auto _ : state) {
    out.clear();
    if (linnet::ExportFormatToStream(control, out, info) != linnet::S_OK) {
      state.SkipWithError("export failed");
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetLabel(std::string(state.range(0) == kDefault ? "default" : "pdf417-300") + ", " +
                 std::to_string(out.size()) + " bytes");
}
BENCHMARK_CAPTURE(BM_Export, png, "png")->Arg(kDefault)->Arg(kPdf417);
BENCHMARK_CAPTURE(BM_Export, emf, "emf")->Arg(kDefault)->Arg(kPdf417);
BENCHMARK_CAPTURE(BM_Export, wmf, "wmf")->Arg(kDefault)->Arg(kPdf417);
BENCHMARK_CAPTURE(BM_Export, svg, "svg")->Arg(kDefault)->Arg(kPdf417);

void BM_Picture(benchmark::State& state) {
  linnet::CQlnBarcode control;
  Prepare(control, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    linnet::PicturePtr picture;
    if (control.get_Picture(&picture) != linnet::S_OK) {
      state.SkipWithError("picture failed");
    }
    benchmark::DoNotOptimize(picture.get());
  }
}
BENCHMARK(BM_Picture)->Arg(kDefault)->Arg(kPdf417);

}  // namespace
