#pragma once
// A test-side picture of MaxiCode module rows (hexagons on offset rows around a bullseye),
// independent of the product's renderer, and zxing-cpp reading it back.
#include <optional>
#include <string>
#include <vector>

namespace linnet::testing {

// Writes a grey-scale PNG of the 33 rows: hexagons `modulePixels` wide, odd rows shifted by
// half a module, three bullseye rings in the centre and `quietModules` of light border.
void WriteMaxiCodePng(const std::string& path, const std::vector<std::string>& rows, int modulePixels = 12,
                      int quietModules = 2);

struct MaxiCodeReading {
  std::string bytes;             // the decoded content, carrier fields put back by the reader
  std::string bytesWithEci;      // the same with the reader's "]U" identifier and ECI marks
  int mode = 0;                  // the reader reports the mode as its error-correction level
  std::string structuredAppend;  // "symbol 2 of 3 ...", or empty
};

// What ZXingReader reads from an upright MaxiCode picture, or nothing; `pure` tells the
// reader that the picture holds nothing but the symbol and its margin.
std::optional<MaxiCodeReading> ZxingReadMaxiCode(const std::string& path, bool pure = true);

}  // namespace linnet::testing
