// Encoding speed of the Code 39 family and of the control's dispatch around it.
#include <benchmark/benchmark.h>

#include "control/qln_barcode.h"
#include "control/symbology_dispatch.h"
#include "symbology/code39.h"

namespace {

using namespace Quillon::BrindleLib;

void BM_Code39Encode(benchmark::State& state) {
  std::string pattern;
  std::string text;
  for (auto _ : state) {
    CCode39Symbol().Encode("QUILLON-2026", true, true, true, pattern, text);
    benchmark::DoNotOptimize(pattern.data());
  }
}
BENCHMARK(BM_Code39Encode);

void BM_Code39FullAsciiEncode(benchmark::State& state) {
  std::string pattern;
  std::string text;
  for (auto _ : state) {
    CCode39ExtendedSymbol().Encode("Quillon Linnet", true, true, true, pattern, text);
    benchmark::DoNotOptimize(pattern.data());
  }
}
BENCHMARK(BM_Code39FullAsciiEncode);

void BM_EncodeLinearSymbolDefaultControl(benchmark::State& state) {
  linnet::CQlnBarcode control;
  for (auto _ : state) {
    auto symbol = linnet::EncodeLinearSymbol(control);
    benchmark::DoNotOptimize(symbol.pattern.data());
  }
}
BENCHMARK(BM_EncodeLinearSymbolDefaultControl);

}  // namespace
