// The default label as batch jobs produce it: measured, and exported in memory at the
// default 300 dots per inch in every raster format.
#include <benchmark/benchmark.h>

#include <vector>

#include "control/qln_barcode.h"
#include "render/export_image.h"
#include "render/natural_size.h"

namespace {

void BM_NaturalSize(benchmark::State& state) {
  linnet::CQlnBarcode control;
  for (auto _ : state) {
    benchmark::DoNotOptimize(linnet::ComputeNaturalSize(control));
  }
}
BENCHMARK(BM_NaturalSize);

void BM_ExportInMemory(benchmark::State& state) {
  linnet::CQlnBarcode control;
  std::vector<unsigned char> out;
  for (auto _ : state) {
    out.clear();
    if (linnet::ExportImageToStream(control, out, static_cast<int>(state.range(0))) != linnet::S_OK) {
      state.SkipWithError("export failed");
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetLabel(std::to_string(out.size()) + " bytes");
}
// 5 PNG (the default label's path), 0 BMP, 1 JPEG, 2 GIF, 3 TIFF.
BENCHMARK(BM_ExportInMemory)->Arg(5)->Arg(0)->Arg(1)->Arg(2)->Arg(3);

// Images whose runs are short (tall narrow bars) and long (a large, mostly blank label):
// GIF and TIFF compress the first per sample and the second per run.
void BM_ExportTallBars(benchmark::State& state) {
  linnet::CQlnBarcode control;
  control.put_BarHeight(20000);
  std::vector<unsigned char> out;
  for (auto _ : state) {
    out.clear();
    linnet::ExportImageToStream(control, out, static_cast<int>(state.range(0)));
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_ExportTallBars)->Arg(5)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

void BM_ExportLargeBlankLabel(benchmark::State& state) {
  linnet::CQlnBarcode control;
  control.put_RasterImageResolution(1200);
  control.put_AutoLabelSize(linnet::VARIANT_FALSE);
  control.put_LabelWidth(6000);
  control.put_LabelHeight(6000);
  std::vector<unsigned char> out;
  for (auto _ : state) {
    out.clear();
    linnet::ExportImageToStream(control, out, static_cast<int>(state.range(0)));
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_ExportLargeBlankLabel)->Arg(5)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace
