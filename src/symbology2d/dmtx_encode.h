#pragma once
// The encoder's entry points: a message in, a symbol out, as a result object.
#include <cstddef>

#include "symbology2d/dmtx_component.h"
#include "symbology2d/dmtx_policy.h"

namespace brindle2::dmtxencode {

// Encodes `text` (`length` bytes, tilde escapes resolved) under one policy. `sizeOption` is
// a size index 0..29, -1 (automatic, squares first) or -2 (rectangles first); `grow` lets a
// fixed index grow to larger sizes. On success `*result` holds the symbol with one
// reference, which the caller releases; on failure it is null.
HRESULT EncodeWithPolicy(const char* text, std::size_t length, int sizeOption, bool grow, IDmtxEncodeResult** result,
                         const EncodationPolicy& policy);

// Without a policy: runs every policy in table order and keeps the smallest symbol
// (rectangles before squares, then the smaller index; the earlier policy among equals).
// When every run fails the code of the first run is returned.
HRESULT EncodeBest(const char* text, std::size_t length, int sizeOption, bool grow, IDmtxEncodeResult** result,
                   const EncodationPolicy* policy = nullptr);

}  // namespace brindle2::dmtxencode
