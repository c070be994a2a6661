#pragma once
// DataBar Expanded: GS1 application-identifier data, written with parenthesised AIs, in one
// row or stacked in rows of an even number of segments.
#include <string>

#include "symbology/symbol.h"

namespace Quillon::BrindleLib {

// Segments per row from the control's MaxCols: odd values go up to the next even one, and
// anything outside 1..22 becomes 22 (one row for every symbol size).
int NormalizeSegmentsPerRow(int maxCols);

class CRSSExpandedEncoder : public CSymbol {
 public:
  // The AI structure is checked when encoding.
  void Validate(const std::string& /*message*/) const override {}

  // `segmentsPerRow` is the raw MaxCols value. The pattern holds the symbol characters and
  // finders only; guards, rows and separators are the renderer's. Throws
  // invalid_ean128_format_error (code 10) for a message without the "(AI)" structure or with
  // a non-numeric AI, and out_of_capacity_error (code 210) when the data does not fit.
  // Encodings are serialised process-wide.
  virtual int Encode(const std::string& message, int segmentsPerRow, std::string& pattern, std::string& text) const;
};

}  // namespace Quillon::BrindleLib
