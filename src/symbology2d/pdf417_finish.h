#pragma once
// Completes a compacted codeword stream: security level, grid, padding, length descriptor
// and check codewords.
#include "symbology2d/pdf417_codewords.h"
#include "symbology2d/pdf417_geometry.h"

namespace Quillon::BrindleLib::pdf417 {

inline constexpr int kAutomaticSecurityLevel = 9;

struct FinishedCodewords {
  int level = 0;
  Geometry geometry;
};

// The level for an automatic choice with `streamLength` codewords before error correction.
int AutomaticSecurityLevel(std::size_t streamLength);

// Afterwards the stream holds exactly rows * columns codewords. Throws out_of_capacity_error
// (210), pdf417_error (41) or prescribed_size_too_small (30).
FinishedCodewords FinishCodewords(Codewords& stream, int securityLevel, int maxRows, int maxCols, double aspectRatio,
                                  int rowHeight, int moduleWidth);

}  // namespace Quillon::BrindleLib::pdf417
