#pragma once
// What the DataMatrix tests share: one call that encodes and unpacks the result object.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/symbol_image.h"
#include "symbology2d/dmtx_encode.h"

namespace brindle2::dmtxencode::testing {

struct Encoded {
  HRESULT code = kOk;
  int size = -1;
  std::vector<std::uint8_t> codewords;  // data codewords before padding
  linnet::testing::ModuleRows rows;
};

inline Encoded Encode(std::string_view text, int sizeOption = kSquaresFirst, const char* policy = nullptr,
                      bool grow = false) {
  Encoded out;
  ComPtr<IDmtxEncodeResult> result;
  out.code = EncodeBest(text.data(), text.size(), sizeOption, grow, result.Put(),
                        policy == nullptr ? nullptr : FindPolicy(policy));
  if (out.code != kOk) {
    return out;
  }
  out.size = result->GetSizeIndex();
  out.codewords.assign(result->GetDataCodewords(), result->GetDataCodewords() + result->GetDataCodewordCount());
  const auto modules = result.As<I2DBitPattern>();
  for (int r = 0; r < modules->GetRowCount(); ++r) {
    std::string row;
    for (int c = 0; c < modules->GetColumnCount(); ++c) {
      row.push_back(modules->GetModule(r, c) ? '1' : '0');
    }
    out.rows.push_back(row);
  }
  return out;
}

inline std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<std::uint8_t> out;
  for (const int v : values) {
    out.push_back(static_cast<std::uint8_t>(v));
  }
  return out;
}

}  // namespace brindle2::dmtxencode::testing
