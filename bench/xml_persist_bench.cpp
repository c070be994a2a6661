// The default control saved as an XML property file in memory and loaded back from it, as
// Save and Load do with a host's stream (the document built, written, parsed and applied
// through every setter). The binary stream form beside it for comparison, and the XML bag's
// own share of a load: parsing the document and reading every persisted value, applying none.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "control/qln_barcode.h"
#include "persist/persisted_set.h"
#include "persist/property_file.h"
#include "persist/save_load.h"
#include "persist/xml_property_bag.h"

namespace {

constexpr int kBinary = 0;

void BM_SaveToStream(benchmark::State& state) {
  const int format = static_cast<int>(state.range(0));
  linnet::CQlnBarcode control;
  std::size_t bytes = 0;
  for (auto _ : state) {
    auto stream = std::make_shared<linnet::MemoryStream>();
    if (linnet::persist::Save(control, linnet::Variant::Stream(stream), format) != linnet::S_OK) {
      state.SkipWithError("save failed");
    }
    bytes = stream->Bytes().size();
    benchmark::DoNotOptimize(stream->Bytes().data());
  }
  state.SetLabel(std::to_string(bytes) + " bytes");
}
BENCHMARK(BM_SaveToStream)->Arg(linnet::persist::kPersistXml)->Arg(kBinary);

void BM_LoadFromStream(benchmark::State& state) {
  const int format = static_cast<int>(state.range(0));
  linnet::CQlnBarcode control;
  auto saved = std::make_shared<linnet::MemoryStream>();
  if (linnet::persist::Save(control, linnet::Variant::Stream(saved), format) != linnet::S_OK) {
    state.SkipWithError("save failed");
    return;
  }
  for (auto _ : state) {
    auto stream = std::make_shared<linnet::MemoryStream>(saved->Bytes());
    if (linnet::persist::Load(control, linnet::Variant::Stream(stream), format) != linnet::S_OK) {
      state.SkipWithError("load failed");
    }
  }
}
BENCHMARK(BM_LoadFromStream)->Arg(linnet::persist::kPersistXml)->Arg(kBinary);

// Reads what the control's bag load reads, and keeps nothing.
class ReadingOnly final : public linnet::PersistPropertyBag {
 public:
  [[nodiscard]] linnet::Guid ClassId() const override { return {}; }
  linnet::HRESULT InitNew() override { return linnet::S_OK; }
  linnet::HRESULT Save(linnet::PropertyBag&, bool, bool) override { return linnet::E_NOTIMPL; }
  linnet::HRESULT Load(linnet::PropertyBag& bag) override {
    for (const char16_t* name : {linnet::persist::kExtentWidthName, linnet::persist::kExtentHeightName}) {
      linnet::Variant value;
      bag.Read(name, value);
    }
    for (const auto* member : linnet::persist::PersistedProperties()) {
      linnet::Variant value;
      bag.Read(linnet::persist::PersistedName(*member), value);
      benchmark::DoNotOptimize(value);
    }
    return linnet::S_OK;
  }
};

void BM_XmlBagReadsOnly(benchmark::State& state) {
  linnet::CQlnBarcode control;
  std::vector<std::uint8_t> document;
  if (linnet::persist::SavePropertyFile(control, linnet::persist::kPersistXml, document) != linnet::S_OK) {
    state.SkipWithError("save failed");
    return;
  }
  ReadingOnly object;
  for (auto _ : state) {
    linnet::persist::CXMLPropertyBag bag;
    if (bag.LoadObject(document, object) != linnet::S_OK) {
      state.SkipWithError("load failed");
    }
  }
}
BENCHMARK(BM_XmlBagReadsOnly);

}  // namespace
