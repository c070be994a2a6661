#include "symbology2d/dmtx_symbol_packer.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "symbology2d/dmtx_placement.h"
#include "symbology2d/dmtx_reed_solomon.h"
#include "symbology2d/dmtx_scheme.h"
#include "symbology2d/dmtx_symbol_size.h"

namespace brindle2::dmtxencode {

void PadCodewords(std::span<std::uint8_t> codewords, std::size_t count) {
  for (std::size_t i = count; i < codewords.size(); ++i) {
    if (i == count) {
      codewords[i] = kPadCodewordFirst;
      continue;
    }
    const std::size_t position = i + 1;
    const std::size_t pad = kPadCodewordFirst + (149 * position) % 253 + 1;
    codewords[i] = static_cast<std::uint8_t>(pad <= 254 ? pad : pad - 254);
  }
}

SymbolPacker* SymbolPacker::Create(int sizeIndex, std::span<const std::uint8_t> dataCodewords) {
  return new SymbolPacker(sizeIndex, dataCodewords);
}

SymbolPacker::SymbolPacker(int sizeIndex, std::span<const std::uint8_t> dataCodewords)
    : sizeIndex_(sizeIndex), dataCodewords_(dataCodewords.begin(), dataCodewords.end()) {
  const SymbolSize& size = SymbolSizeAt(sizeIndex);
  if (dataCodewords.size() > static_cast<std::size_t>(size.dataCodewords)) {
    throw std::invalid_argument("more data codewords than the symbol holds");
  }
  rows_ = size.rows;
  columns_ = size.columns;
  std::array<std::uint8_t, kMaxDataCodewords + 620> all{};
  const auto total = static_cast<std::size_t>(size.dataCodewords + size.checkCodewords);
  std::span<std::uint8_t> codewords(all.data(), total);
  std::copy(dataCodewords.begin(), dataCodewords.end(), codewords.begin());
  PadCodewords(codewords.first(static_cast<std::size_t>(size.dataCodewords)), dataCodewords.size());
  AddCheckCodewords(size, codewords);
  modules_ = PlaceModules(size, codewords);
}

HRESULT SymbolPacker::QueryInterface(const InterfaceId& iid, void** object) {
  if (object == nullptr) {
    return kInvalidPointer;
  }
  if (iid == I2DBitPattern::kIid) {
    *object = static_cast<I2DBitPattern*>(this);
  } else if (iid == IDmtxEncodeResult::kIid) {
    *object = static_cast<IDmtxEncodeResult*>(this);
  } else if (iid == IUserData::kIid) {
    *object = static_cast<IUserData*>(this);
  } else {
    *object = nullptr;
    return kNoInterface;
  }
  AddRef();
  return kOk;
}

std::uint32_t SymbolPacker::Release() {
  const std::uint32_t left = InternalRelease();
  if (left == 0) {
    delete this;
  }
  return left;
}

bool SymbolPacker::GetModule(int row, int column) const {
  if (row < 0 || row >= rows_ || column < 0 || column >= columns_) {
    return false;
  }
  return modules_[static_cast<std::size_t>(row * columns_ + column)] != 0;
}

}  // namespace brindle2::dmtxencode
