// DataMatrix encoding speed: the seven-policy tournament on typical texts, and one policy.
#include <benchmark/benchmark.h>

#include <string>

#include "symbology2d/dmtx_encode.h"
#include "symbology2d/dmtx_symbol_size.h"

namespace {

namespace dm = brindle2::dmtxencode;

std::string Text300() {
  std::string text;
  const std::string sentence = "The quick brown fox jumps over the lazy dog, order 4711 of 2024-06-11. ";
  while (text.size() < 300) {
    text += sentence;
  }
  text.resize(300);
  return text;
}

void Run(benchmark::State& state, const std::string& text, const dm::EncodationPolicy* policy) {
  for (auto _ : state) {
    dm::ComPtr<dm::IDmtxEncodeResult> result;
    const dm::HRESULT hr = dm::EncodeBest(text.data(), text.size(), dm::kSquaresFirst, false, result.Put(), policy);
    benchmark::DoNotOptimize(hr);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_TournamentText300(benchmark::State& state) {
  Run(state, Text300(), nullptr);
}
BENCHMARK(BM_TournamentText300);

void BM_TournamentUpperCase300(benchmark::State& state) {
  Run(state, std::string(300, 'Q'), nullptr);
}
BENCHMARK(BM_TournamentUpperCase300);

void BM_TournamentBytes300(benchmark::State& state) {
  std::string bytes;
  for (int i = 0; i < 300; ++i) {
    bytes.push_back(static_cast<char>(128 + i % 128));
  }
  Run(state, bytes, nullptr);
}
BENCHMARK(BM_TournamentBytes300);

void BM_LookaheadOnlyText300(benchmark::State& state) {
  Run(state, Text300(), dm::FindPolicy("0auto"));
}
BENCHMARK(BM_LookaheadOnlyText300);

void BM_TournamentLargestSymbol(benchmark::State& state) {
  Run(state, std::string(3116, '7'), nullptr);
}
BENCHMARK(BM_TournamentLargestSymbol);

}  // namespace
