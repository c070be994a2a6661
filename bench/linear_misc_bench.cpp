// Encoding speed of the two-of-five, Code 93, Codabar, Code 11, MSI, postal and Telepen
// symbologies with typical messages; the target is at most a microsecond per symbol.
#include <benchmark/benchmark.h>

#include <string>

#include "symbology/codabar.h"
#include "symbology/code11.h"
#include "symbology/code93.h"
#include "symbology/msi.h"
#include "symbology/postal.h"
#include "symbology/telepen.h"
#include "symbology/two_of_five.h"

namespace {

using namespace Quillon::BrindleLib;

template <class Encode>
void Run(benchmark::State& state, Encode encode) {
  std::string pattern;
  std::string text;
  for (auto _ : state) {
    encode(pattern, text);
    benchmark::DoNotOptimize(pattern.data());
    benchmark::DoNotOptimize(text.data());
  }
}

void BM_Itf25(benchmark::State& s) {
  Run(s, [](auto& p, auto& t) { CItf25Symbol().Encode("1234567890123", false, true, p, t); });
}
void BM_Code25(benchmark::State& s) {
  Run(s, [](auto& p, auto& t) { CCode25Symbol().Encode("1234567890", true, true, p, t); });
}
void BM_Code93(benchmark::State& s) {
  Run(s, [](auto& p, auto& t) { CCode93Symbol().Encode("Code 93 Sample", true, p, t); });
}
void BM_Codabar(benchmark::State& s) {
  Run(s, [](auto& p, auto& t) { CCodabarSymbol().Encode("A40156-7890B", p, t); });
}
void BM_Code11(benchmark::State& s) {
  Run(s, [](auto& p, auto& t) { CCode11Symbol().Encode("123-4567-890", true, p, t); });
}
void BM_Msi(benchmark::State& s) {
  Run(s, [](auto& p, auto& t) { CMSISymbol().Encode("1234567890", true, p, t); });
}
void BM_Postnet(benchmark::State& s) {
  Run(s, [](auto& p, auto& t) { CPostnetSymbol().Encode("12345-6789", true, p, t); });
}
void BM_Planet(benchmark::State& s) {
  Run(s, [](auto& p, auto& t) { CPlanetSymbol().Encode("12345678901", true, p, t); });
}
void BM_RoyalMail(benchmark::State& s) {
  Run(s, [](auto& p, auto& t) { CRoyalMailSymbol().Encode("SN34RD1A", true, p, t); });
}
void BM_Telepen(benchmark::State& s) {
  Run(s, [](auto& p, auto& t) { CTelepenSymbol().Encode("Telepen ABC-123", true, p, t); });
}
void BM_TelepenNumeric(benchmark::State& s) {
  Run(s, [](auto& p, auto& t) { CTelepenNumericSymbol().Encode("1234567890", true, p, t); });
}

}  // namespace

BENCHMARK(BM_Itf25);
BENCHMARK(BM_Code25);
BENCHMARK(BM_Code93);
BENCHMARK(BM_Codabar);
BENCHMARK(BM_Code11);
BENCHMARK(BM_Msi);
BENCHMARK(BM_Postnet);
BENCHMARK(BM_Planet);
BENCHMARK(BM_RoyalMail);
BENCHMARK(BM_Telepen);
BENCHMARK(BM_TelepenNumeric);
