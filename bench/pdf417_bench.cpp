// PDF417 encoding speed, module rows included.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "symbology2d/pdf417_encoder.h"

namespace {

using Quillon::BrindleLib::CPDF417Encoder2;

std::string Repeated(const std::string& piece, std::size_t length) {
  std::string text;
  while (text.size() < length) {
    text += piece;
  }
  return text.substr(0, length);
}

void EncodeRows(benchmark::State& state, const std::string& message) {
  std::vector<std::string> rows;
  for (auto _ : state) {
    CPDF417Encoder2().EncodeToRows(message, rows, 13, 39, 0.5, 0, 0, 9, false);
    benchmark::DoNotOptimize(rows.data());
  }
}

void BM_Pdf417Text300(benchmark::State& state) {
  EncodeRows(state, Repeated("Quillon Linnet, 1200 Harbour Road, Suite 4; Tel. +1-555-0100. ", 300));
}
BENCHMARK(BM_Pdf417Text300);

void BM_Pdf417Digits1000(benchmark::State& state) {
  EncodeRows(state, Repeated("31415926535897932384626433832795028841971693993751", 1000));
}
BENCHMARK(BM_Pdf417Digits1000);

}  // namespace
