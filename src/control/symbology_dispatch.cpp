#include "control/symbology_dispatch.h"

#include "control/linear_registry.h"
#include "control/qln_barcode.h"
#include "platform/codepage.h"

namespace linnet {

std::string AnsiMessage(const CQlnBarcode& control) {
  std::string bytes = WideToAnsi(control.Properties().message);
  bytes.resize(bytes.find('\0') == std::string::npos ? bytes.size() : bytes.find('\0'));
  return bytes;
}

EncodedSymbol EncodeLinearSymbol(const CQlnBarcode& control) {
  const auto& p = control.Properties();
  const LinearEncoderEntry* entry = FindLinearEncoder(p.symbology);
  EncodedSymbol symbol;
  if (entry == nullptr) {
    return symbol;
  }
  LinearOptions options;
  options.code39CheckDigit = p.code39OptionalCheckDigit != 0;
  options.i2of5CheckDigit = p.i2of5OptionalCheckDigit != 0;
  options.code25CheckDigit = p.code25OptionalCheckDigit != 0;
  options.uccEanCheckDigit = p.uccEanOptionalCheckDigit != 0;
  options.showCheckDigit = p.showCheckDigit != 0;
  options.startStopChars = p.code39StartStopChars != 0;
  options.showHRText = p.showHRText != 0;
  options.maxCols = p.maxCols;
  try {
    entry->encode(AnsiMessage(control), options, symbol.pattern, symbol.text);
  } catch (const Quillon::BrindleLib::barlib_error&) {
    throw;
  } catch (const std::bad_alloc&) {
    throw;
  } catch (...) {
    return {};
  }
  return symbol;
}

}  // namespace linnet
