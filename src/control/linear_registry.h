#pragma once
// One entry per linear, postal and DataBar symbology: how to create its encoder for
// `Validate`, and how to call its `Encode` with the options that symbology takes.
#include <cstdint>
#include <memory>
#include <string>

#include "symbology/symbol.h"

namespace linnet {

// The control's properties that reach linear encoders, booleans already made true/false.
struct LinearOptions {
  bool code39CheckDigit = false;  // Code39OptionalCheckDigit
  bool i2of5CheckDigit = false;   // I2of5OptionalCheckDigit
  bool code25CheckDigit = false;  // Code25OptionalCheckDigit
  bool uccEanCheckDigit = false;  // UccEanOptionalCheckDigit
  bool showCheckDigit = false;    // ShowCheckDigit
  bool startStopChars = true;     // Code39StartStopChars
  bool showHRText = true;         // ShowHRText
  std::int32_t maxCols = 0;       // MaxCols (DataBar Expanded segments per row)
};

struct LinearEncoderEntry {
  int symbology;
  std::unique_ptr<Quillon::BrindleLib::CSymbol> (*create)();
  void (*encode)(const std::string& message, const LinearOptions& options, std::string& pattern, std::string& text);
};

// The entry of a symbology, or nullptr when it has no linear encoder (two-dimensional
// symbologies, values outside the enumeration).
const LinearEncoderEntry* FindLinearEncoder(int symbology);

}  // namespace linnet
