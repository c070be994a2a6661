// DataMatrix: the encodation tournament and the symbol, from a fuzzed size option and text.
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "symbology2d/dmtx_encode.h"

namespace dm = brindle2::dmtxencode;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  linnet::fuzz::FuzzInput in(data, size);
  // Every size index, both automatic orders, and a few values outside them.
  const int sizeOption = in.Pick(36) - 4;
  const bool grow = in.Flag();
  const std::string text = in.Rest();
  dm::ComPtr<dm::IDmtxEncodeResult> result;
  if (dm::EncodeBest(text.data(), text.size(), sizeOption, grow, result.Put()) == dm::kOk) {
    if (const auto modules = result.As<dm::I2DBitPattern>()) {
      volatile bool sink = false;
      for (int r = 0; r < modules->GetRowCount(); ++r) {
        for (int c = 0; c < modules->GetColumnCount(); ++c) {
          sink = modules->GetModule(r, c);
        }
      }
      (void)sink;
    }
  }
  return 0;
}
