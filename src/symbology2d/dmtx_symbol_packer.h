#pragma once
// The finished symbol: padded, checked, placed. It is the result object of an encoding.
#include <cstdint>
#include <span>
#include <vector>

#include "symbology2d/dmtx_component.h"

namespace brindle2::dmtxencode {

class SymbolPacker final : public I2DBitPattern, public IDmtxEncodeResult, public IUserData, public ComObjectRoot {
 public:
  // Builds the symbol of size `sizeIndex` from data codewords that it holds. The new object
  // has one reference, the caller's.
  static SymbolPacker* Create(int sizeIndex, std::span<const std::uint8_t> dataCodewords);

  HRESULT QueryInterface(const InterfaceId& iid, void** object) override;
  std::uint32_t AddRef() override { return InternalAddRef(); }
  std::uint32_t Release() override;

  [[nodiscard]] int GetRowCount() const override { return rows_; }
  [[nodiscard]] int GetColumnCount() const override { return columns_; }
  [[nodiscard]] bool GetModule(int row, int column) const override;

  [[nodiscard]] int GetSizeIndex() const override { return sizeIndex_; }
  [[nodiscard]] const std::uint8_t* GetDataCodewords() const override { return dataCodewords_.data(); }
  [[nodiscard]] int GetDataCodewordCount() const override { return static_cast<int>(dataCodewords_.size()); }

  [[nodiscard]] void* GetUserData() const override { return userData_; }
  void SetUserData(void* data) override { userData_ = data; }

 private:
  SymbolPacker(int sizeIndex, std::span<const std::uint8_t> dataCodewords);
  ~SymbolPacker() = default;

  int sizeIndex_;
  int rows_;
  int columns_;
  std::vector<std::uint8_t> dataCodewords_;  // as encoded, before padding
  std::vector<std::uint8_t> modules_;        // rows from the top, 1 dark
  void* userData_ = nullptr;
};

// Every codeword of a symbol of size `sizeIndex` into `stream` (data plus check codewords
// long): the data, the pad up to the data capacity (129 first, then the 253-state
// randomised pad of each 1-based position), and the interleaved check codewords.
void BuildCodewordStream(int sizeIndex, std::span<const std::uint8_t> data, std::span<std::uint8_t> stream);

}  // namespace brindle2::dmtxencode
