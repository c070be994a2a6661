#pragma once
// How the renderer measures and draws a symbology's encoded symbol.

namespace linnet {

enum class Family : int {
  TwoWidth = 0,         // 'n'/'w' and 'N'/'W' elements
  Module = 1,           // 'b'/'s' per module
  HeightModulated = 2,  // Postnet, Planet
  FourState = 3,        // Royal Mail
  UpcEan = 4,           // '|'-separated tokens
  Matrix = 5,           // PDF417, DataMatrix
  MaxiCode = 6,
  DataBar = 7,
  DataBarExpanded = 8,
};

// Any value that is not a symbology of another family is two-width.
Family SymbologyFamily(int symbology);

}  // namespace linnet
