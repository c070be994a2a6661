#pragma once
// Reed-Solomon error correction of PDF417 over GF(929).
#include <cstddef>

#include "symbology2d/pdf417_codewords.h"

namespace Quillon::BrindleLib::pdf417 {

// 2^(level+1), for level 0..8.
std::size_t CheckCodewordCount(int level);

// The highest level whose check codewords fit into `freeCodewords`; 0 when none fits.
int MaxSecurityLevel(std::size_t freeCodewords);

// Appends the check codewords of `level` computed over the whole stream.
void AppendPdf417Ecc(Codewords& stream, int level);

}  // namespace Quillon::BrindleLib::pdf417
