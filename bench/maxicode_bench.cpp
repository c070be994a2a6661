// MaxiCode encoding of the control's sample carrier message and of a full mode 4 symbol, and
// the whole PNG export of the sample label.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "control/qln_barcode.h"
#include "render/export_image.h"
#include "symbology2d/maxicode_encoder.h"

namespace {

const std::string kSampleCarrierMessage =
    "[)>\x1e"
    "01\x1d"
    "96152382802\x1d"
    "840\x1d"
    "001\x1d"
    "1Z00004951\x1d"
    "UPSN\x1d"
    "06X610\x1d"
    "159\x1d"
    "1234567\x1d"
    "1/1\x1d\x1d"
    "Y\x1d"
    "634 ALPHA DRIVE\x1d"
    "PITTSBURGH\x1d"
    "PA\x04";

void BM_MaxiCodeSampleCarrier(benchmark::State& state) {
  const Quillon::BrindleLib::CMaxiCodeEncoder2 encoder;
  std::vector<std::string> rows;
  for (auto _ : state) {
    encoder.EncodeCarrier(2, 1, 1, "B01056", kSampleCarrierMessage, rows);
    benchmark::DoNotOptimize(rows.data());
  }
}
BENCHMARK(BM_MaxiCodeSampleCarrier);

void BM_MaxiCodeMode4Mixed(benchmark::State& state) {
  const Quillon::BrindleLib::CMaxiCodeEncoder2 encoder;
  const std::string message =
      "Mixed case Text, digits 123456789012345678 and \xC0\xC1\xC2\xC3 accents ~7000003\xE9t\xE9";
  std::vector<std::string> rows;
  for (auto _ : state) {
    encoder.EncodeNonCarrier(4, message, rows);
    benchmark::DoNotOptimize(rows.data());
  }
}
BENCHMARK(BM_MaxiCodeMode4Mixed);

// Choosing MaxiCode brings the sample carrier message; the label is measured, laid out,
// drawn at the raster resolution and encoded as PNG into memory.
void BM_MaxiCodeSampleLabelPngExport(benchmark::State& state) {
  linnet::CQlnBarcode control;
  control.put_Symbology(42);
  control.put_ShowComment(linnet::VARIANT_FALSE);
  control.put_QuietZones(linnet::VARIANT_TRUE);
  std::vector<unsigned char> png;
  for (auto _ : state) {
    png.clear();
    if (linnet::ExportImageToStream(control, png, linnet::qlxFormatPNG) != linnet::S_OK) {
      state.SkipWithError("export failed");
      break;
    }
    benchmark::DoNotOptimize(png.data());
  }
}
BENCHMARK(BM_MaxiCodeSampleLabelPngExport)->Unit(benchmark::kMicrosecond);

}  // namespace
