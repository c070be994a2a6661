#pragma once
// Encodation policies: given the current scheme and the read position, the scheme for what
// follows. One looks ahead; the others always name their own scheme.
#include <cstddef>
#include <span>
#include <string_view>

#include "symbology2d/dmtx_lookahead.h"
#include "symbology2d/dmtx_message.h"

namespace brindle2::dmtxencode {

// What every policy may read: the parsed message and its tie-break table.
struct EncodationInput {
  ParsedMessage message;
  TieBreaks ties;

  // Parses `text` and prepares the tables; returns ParseMessage's result.
  HRESULT Prepare(std::string_view text);
};

struct EncodationPolicy {
  std::string_view name;
  Scheme (*next)(const EncodationInput& input, Scheme current, std::size_t position);
};

inline constexpr std::size_t kPolicyCount = 7;

// "0auto", "1ascii", "2c40", "3edf", "4text", "5b256", "6x12", in this order.
std::span<const EncodationPolicy, kPolicyCount> Policies();

// The policy of that name, or nullptr.
const EncodationPolicy* FindPolicy(std::string_view name);

}  // namespace brindle2::dmtxencode
