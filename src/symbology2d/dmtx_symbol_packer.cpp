#include "symbology2d/dmtx_symbol_packer.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "symbology2d/dmtx_placement.h"
#include "symbology2d/dmtx_reed_solomon.h"
#include "symbology2d/dmtx_scheme.h"
#include "symbology2d/dmtx_symbol_size.h"

namespace brindle2::dmtxencode {

namespace {

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

}  // namespace

void BuildCodewordStream(int sizeIndex, std::span<const std::uint8_t> data, std::span<std::uint8_t> stream) {
  const SymbolSize& size = SymbolSizeAt(sizeIndex);
  if (data.size() > static_cast<std::size_t>(size.dataCodewords) ||
      stream.size() != static_cast<std::size_t>(size.dataCodewords) + static_cast<std::size_t>(size.checkCodewords)) {
    throw std::invalid_argument("codewords do not match the symbol size");
  }
  std::copy(data.begin(), data.end(), stream.begin());
  PadCodewords(stream.first(static_cast<std::size_t>(size.dataCodewords)), data.size());
  AddCheckCodewords(size, stream);
}

SymbolPacker* SymbolPacker::Create(int sizeIndex, std::span<const std::uint8_t> dataCodewords) {
  return new SymbolPacker(sizeIndex, dataCodewords);
}

SymbolPacker::SymbolPacker(int sizeIndex, std::span<const std::uint8_t> dataCodewords)
    : sizeIndex_(sizeIndex), dataCodewords_(dataCodewords.begin(), dataCodewords.end()) {
  const SymbolSize& size = SymbolSizeAt(sizeIndex);
  rows_ = size.rows;
  columns_ = size.columns;
  std::array<std::uint8_t, kMaxDataCodewords + kMaxCheckCodewords> all;
  const std::span<std::uint8_t> stream(all.data(), static_cast<std::size_t>(size.dataCodewords + size.checkCodewords));
  BuildCodewordStream(sizeIndex, dataCodewords, stream);
  modules_ = PlaceModules(size, stream);
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
  return modules_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
                  static_cast<std::size_t>(column)] != 0;
}

}  // namespace brindle2::dmtxencode
