#include "symbology2d/pdf417_finish.h"

#include <algorithm>
#include <cstdio>

#include "symbology/barlib_error.h"
#include "symbology2d/pdf417_ecc.h"

namespace Quillon::BrindleLib::pdf417 {

int AutomaticSecurityLevel(std::size_t streamLength) {
  if (streamLength <= 40) {
    return 2;
  }
  if (streamLength <= 160) {
    return 3;
  }
  if (streamLength <= 320) {
    return 4;
  }
  return 5;
}

FinishedCodewords FinishCodewords(Codewords& stream, int securityLevel, int maxRows, int maxCols, double aspectRatio,
                                  int rowHeight, int moduleWidth) {
  const std::size_t length = stream.size();
  if (length > kMaxStreamCodewords) {
    throw out_of_capacity_error(210,
                                "Data is too big to be encoded with the current symbology. Reduce the data, or reduce "
                                "the security level if permitted.");
  }
  FinishedCodewords finished;
  const int highest = MaxSecurityLevel(kMaxStreamCodewords - length);
  if (securityLevel == kAutomaticSecurityLevel) {
    finished.level = AutomaticSecurityLevel(length);
  } else if (securityLevel > highest) {
    char message[200];
    std::snprintf(message, sizeof message,
                  "The current security level (%d) is too high to encode all the data. Maximum %d to encode the "
                  "current data.",
                  securityLevel, highest);
    throw pdf417_error(41, message);
  } else {
    finished.level = securityLevel;
  }
  const std::size_t checkCodewords = CheckCodewordCount(finished.level);
  const std::size_t needed = length + checkCodewords;
  // The length descriptor counts every codeword before the check codewords, and must
  // itself be a codeword value.
  finished.geometry = ChooseGeometry(needed, kMaxStreamCodewords + checkCodewords, maxRows, maxCols, aspectRatio,
                                     rowHeight, moduleWidth);

  // Padding goes between the data and a Macro PDF417 control block.
  const auto block = std::find(stream.rbegin(), stream.rend() - 1, kMacroControlBlock);
  const auto blockStart = block == stream.rend() - 1 ? stream.end() : block.base() - 1;
  const std::size_t pads =
      static_cast<std::size_t>(finished.geometry.rows) * static_cast<std::size_t>(finished.geometry.columns) - needed;
  stream.insert(blockStart, pads, kPadCodeword);
  stream[0] = static_cast<std::uint16_t>(length + pads);
  AppendPdf417Ecc(stream, finished.level);
  return finished;
}

}  // namespace Quillon::BrindleLib::pdf417
