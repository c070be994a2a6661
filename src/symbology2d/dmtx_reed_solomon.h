#pragma once
// Reed-Solomon check codewords over GF(256) with the field polynomial 0x12D, and the block
// interleaving of ECC 200.
#include <cstdint>
#include <span>

#include "symbology2d/dmtx_symbol_size.h"

namespace brindle2::dmtxencode {

// The check codewords of one block (its data in order) into `check` (its size is the check
// count: one of 5, 7, 10, 11, 12, 14, 18, 20, 24, 28, 36, 42, 48, 56, 62, 68).
void ReedSolomonBlock(std::span<const std::uint8_t> data, std::span<std::uint8_t> check);

// `codewords` holds the size's data codewords followed by room for its check codewords.
// Data codeword i belongs to block i mod blocks; check codeword j of block b is stored at
// dataCodewords + j * blocks + b.
void AddCheckCodewords(const SymbolSize& size, std::span<std::uint8_t> codewords);

// a * b in the field (exposed for tests).
std::uint8_t GaloisMultiply(std::uint8_t a, std::uint8_t b);

}  // namespace brindle2::dmtxencode
