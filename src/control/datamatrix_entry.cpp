#include "control/datamatrix_entry.h"

#include <new>

#include "platform/codepage.h"
#include "symbology2d/dmtx_encode.h"
#include "symbology2d/dmtx_symbol_size.h"

namespace linnet {

namespace {

namespace dm = brindle2::dmtxencode;

struct FailureRow {
  int number;  // n of the result code 0x80510000 + n
  int code;
  const char* message;
};

constexpr FailureRow kFailures[] = {
    {1, 29, "Too much data in data encoded."},
    {3, 30, "The size required is too small to hold the data."},
    {9, 51, "missing field in SA block."},
    {10, 51, "invalid SA block."},
    {11, 52, "invalid sequence indicator value (SA)."},
    {12, 53, "invalid total count value (SA)."},
    {13, 54, "invalid File ID value (SA)."},
};

constexpr int kUnspecifiedCode = 100;
constexpr const char* kUnspecifiedMessage = "unspecified error";

}  // namespace

std::string RotateStructuredAppend(std::string_view text) {
  const auto at = text.find("~2");
  if (at == std::string_view::npos || at == 0) {
    return std::string(text);
  }
  std::string rotated(text.substr(at));
  rotated.append(text.substr(0, at));
  return rotated;
}

int DataMatrixSizeOption(std::int32_t targetSize) {
  if (targetSize == 0) {
    return dm::kSquaresFirst;
  }
  return targetSize == 30 ? 1 : targetSize;
}

Quillon::BrindleLib::barlib_error DataMatrixError(std::int32_t resultCode) {
  const int number = dm::EncoderFailureNumber(resultCode);
  for (const FailureRow& row : kFailures) {
    if (row.number == number) {
      return {row.code, row.message};
    }
  }
  return {kUnspecifiedCode, kUnspecifiedMessage};
}

std::vector<std::string> EncodeDataMatrix(std::u16string_view message, std::int32_t targetSize) {
  std::string text = WideToAnsi(message);
  text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
  text = RotateStructuredAppend(text);

  dm::ComPtr<dm::IDmtxEncodeResult> result;
  const dm::HRESULT hr =
      dm::EncodeBest(text.data(), text.size(), DataMatrixSizeOption(targetSize), false, result.Put());
  if (hr == dm::kOutOfMemory) {
    throw std::bad_alloc();
  }
  if (hr != dm::kOk) {
    throw DataMatrixError(hr);
  }
  const auto modules = result.As<dm::I2DBitPattern>();
  if (!modules) {
    throw DataMatrixError(dm::kNoInterface);
  }
  const int rowCount = modules->GetRowCount();
  const int columnCount = modules->GetColumnCount();
  std::vector<std::string> rows(static_cast<std::size_t>(rowCount),
                                std::string(static_cast<std::size_t>(columnCount), '0'));
  for (int r = 0; r < rowCount; ++r) {
    auto& row = rows[static_cast<std::size_t>(r)];
    for (int c = 0; c < columnCount; ++c) {
      if (modules->GetModule(r, c)) {
        row[static_cast<std::size_t>(c)] = '1';
      }
    }
  }
  return rows;
}

}  // namespace linnet
