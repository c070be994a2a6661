// The default control kept and restored the ways hosts keep it: the stream form (save and load
// into a fresh control) and a whole compound file in memory.
#include <benchmark/benchmark.h>

#include <vector>

#include "control/qln_barcode.h"
#include "persist/control_persistence.h"

namespace {

void BM_StreamRoundTrip(benchmark::State& state) {
  linnet::CQlnBarcode source;
  linnet::CQlnBarcode target;
  for (auto _ : state) {
    linnet::MemoryStream stream;
    if (linnet::persist::SaveToStream(source, stream, false) != linnet::S_OK) {
      state.SkipWithError("save failed");
    }
    stream.Seek(0, linnet::SeekOrigin::kBegin, nullptr);
    if (linnet::persist::LoadFromStream(target, stream) != linnet::S_OK) {
      state.SkipWithError("load failed");
    }
    benchmark::DoNotOptimize(stream.Bytes().data());
  }
}
BENCHMARK(BM_StreamRoundTrip);

void BM_StreamSave(benchmark::State& state) {
  linnet::CQlnBarcode source;
  for (auto _ : state) {
    linnet::MemoryStream stream;
    linnet::persist::SaveToStream(source, stream, false);
    benchmark::DoNotOptimize(stream.Bytes().data());
  }
}
BENCHMARK(BM_StreamSave);

void BM_CompoundFileRoundTrip(benchmark::State& state) {
  linnet::CQlnBarcode source;
  linnet::CQlnBarcode target;
  std::vector<std::uint8_t> file;
  for (auto _ : state) {
    if (linnet::persist::SaveToCompoundFile(source, file) != linnet::S_OK ||
        linnet::persist::LoadFromCompoundFile(target, file) != linnet::S_OK) {
      state.SkipWithError("compound file failed");
    }
    benchmark::DoNotOptimize(file.data());
  }
  state.SetLabel(std::to_string(file.size()) + " bytes");
}
BENCHMARK(BM_CompoundFileRoundTrip);

}  // namespace
