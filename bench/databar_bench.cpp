#include <benchmark/benchmark.h>

#include <string>

#include "symbology/rss14.h"
#include "symbology/rss_expanded.h"
#include "symbology/rss_limited.h"

namespace {

using namespace Quillon::BrindleLib;

template <class Encoder>
void BM_DataBar14(benchmark::State& state) {
  const std::string message = "0061414199999";
  std::string pattern;
  std::string text;
  for (auto _ : state) {
    Encoder().Encode(message, pattern, text);
    benchmark::DoNotOptimize(pattern.data());
  }
}
BENCHMARK(BM_DataBar14<CRSS14Encoder>)->Name("DataBar");
BENCHMARK(BM_DataBar14<CRSS14TruncatedEncoder>)->Name("DataBarTruncated");
BENCHMARK(BM_DataBar14<CRSS14StackedEncoder>)->Name("DataBarStacked");
BENCHMARK(BM_DataBar14<CRSS14StackedOmniEncoder>)->Name("DataBarStackedOmni");
BENCHMARK(BM_DataBar14<CRSSLimitedEncoder>)->Name("DataBarLimited");

// A two-AI message; from two threads at once the process-wide lock serialises the encodings.
void BM_DataBarExpanded(benchmark::State& state) {
  const std::string message = "(01)98898765432106(3202)012345(15)991231";
  std::string pattern;
  std::string text;
  for (auto _ : state) {
    CRSSExpandedEncoder().Encode(message, 0, pattern, text);
    benchmark::DoNotOptimize(pattern.data());
  }
}
BENCHMARK(BM_DataBarExpanded)->Name("DataBarExpanded")->Threads(1)->Threads(2)->UseRealTime();

void BM_DataBarExpandedGeneralField(benchmark::State& state) {
  const std::string message = "(01)00012345678905(10)ABC123abc(21)XYZ";
  std::string pattern;
  std::string text;
  for (auto _ : state) {
    CRSSExpandedEncoder().Encode(message, 4, pattern, text);
    benchmark::DoNotOptimize(pattern.data());
  }
}
BENCHMARK(BM_DataBarExpandedGeneralField)->Name("DataBarExpandedGeneralField");

}  // namespace
