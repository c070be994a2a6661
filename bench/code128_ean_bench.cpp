// Encoding cost of typical Code 128, GS1-128 and UPC/EAN messages: every measurement and
// drawing of a label encodes afresh, so each call must stay well under a microsecond.
#include <benchmark/benchmark.h>

#include <string>

#include "symbology/code128.h"
#include "symbology/ean128.h"
#include "symbology/upc_ean.h"

namespace {

using namespace Quillon::BrindleLib;

template <class Encoder>
void EncodeLoop(benchmark::State& state, const std::string& message, Encoder encode) {
  std::string pattern;
  std::string text;
  for (auto _ : state) {
    encode(message, pattern, text);
    benchmark::DoNotOptimize(pattern.data());
    benchmark::DoNotOptimize(text.data());
  }
}

void Code128(benchmark::State& state, const std::string& message) {
  EncodeLoop(state, message,
             [](const std::string& m, std::string& p, std::string& t) { CCode128Symbol().Encode(m, p, t); });
}

void Gs1128(benchmark::State& state, const std::string& message) {
  EncodeLoop(state, message,
             [](const std::string& m, std::string& p, std::string& t) { CEAN128Symbol().Encode(m, false, p, t); });
}

void UpcEan(benchmark::State& state, const CUebSymbol& symbol, const std::string& message) {
  EncodeLoop(state, message,
             [&symbol](const std::string& m, std::string& p, std::string& t) { symbol.Encode(m, true, p, t); });
}

BENCHMARK_CAPTURE(Code128, twelve_characters, std::string("Linnet-12345"));
BENCHMARK_CAPTURE(Code128, mixed_sets, std::string("ab~Icd1234567~d200x"));
BENCHMARK_CAPTURE(Code128, numeric_24, std::string("012345678901234567890123"));
BENCHMARK_CAPTURE(Gs1128, two_ais, std::string("(01)00614141000036(10)ABC123"));
BENCHMARK_CAPTURE(Gs1128, four_ais, std::string("(01)0061 4141 00003(17)991231(10)LOT 7(21)42"));
BENCHMARK_CAPTURE(Gs1128, measure_ai, std::string("(3103)000500(400)PO12345"));
BENCHMARK_CAPTURE(UpcEan, ean13_supplement, CEan13Symbol(), std::string("400638133393|52495"));
BENCHMARK_CAPTURE(UpcEan, ean13, CEan13Symbol(), std::string("400638133393"));
BENCHMARK_CAPTURE(UpcEan, upca, CUpcaSymbol(), std::string("03600029145|12"));
BENCHMARK_CAPTURE(UpcEan, upce, CUpceSymbol(), std::string("123456"));
BENCHMARK_CAPTURE(UpcEan, ean8, CEan8Symbol(), std::string("5512345"));
BENCHMARK_CAPTURE(UpcEan, bookland, CBooklandSymbol(), std::string("0-7356-1967-0|90000"));

}  // namespace
