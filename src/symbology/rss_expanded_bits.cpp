#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/log.h"
#include "symbology/rss_expanded_detail.h"

namespace Quillon::BrindleLib::detail {

namespace {

constexpr std::uint32_t kPadding = 0b00100;

}  // namespace

void LogStageFailure(std::string_view stage, int line, std::string_view message) {
  if (!linnet::log::Enabled()) {
    return;
  }
  char where[160];
  std::snprintf(where, sizeof where, "%-22.*s(%d): ", static_cast<int>(stage.size()), stage.data(), line);
  linnet::log::Write("[rss-detail]", std::string(where).append(message));
}

int ExpandedDataCharacters(int bitCount, int segmentsPerRow) {
  int characters = std::max(3, (bitCount + 11) / 12);
  if ((characters + 1) % segmentsPerRow == 1) {
    ++characters;
  }
  return characters;
}

int putBits(ExpandedState& state, std::uint32_t value, int count) {
  if (state.bitCount + count > kExpandedMaxBits) {
    if (!state.error) {
      char message[64];
      std::snprintf(message, sizeof message, "\nputBits error, %d, %d\n", state.bitCount, count);
      LogStageFailure("Quillon::BrindleLib::detail::putBits", __LINE__, message);
    }
    state.error = true;
    return -1;
  }
  for (int i = count - 1; i >= 0; --i) {
    state.bits[static_cast<size_t>(state.bitCount++)] = static_cast<std::uint8_t>((value >> i) & 1U);
  }
  return count;
}

int pack(std::string_view data, ExpandedState& state) {
  state.bitCount = 0;
  state.lengthField = -1;
  state.error = false;
  putBits(state, 0, 1);  // no composite component is linked
  encodeGeneralField(data, encodeMethod(data, state), state);
  if (state.error) {
    return -1;
  }
  const int symbolBits = 12 * ExpandedDataCharacters(state.bitCount, state.segmentsPerRow);
  while (state.bitCount < symbolBits) {
    const int bits = std::min(5, symbolBits - state.bitCount);
    putBits(state, kPadding >> (5 - bits), bits);
  }
  if (state.lengthField >= 0) {
    const int symbolCharacters = symbolBits / 12 + 1;
    state.bits[static_cast<size_t>(state.lengthField)] = symbolCharacters % 2 == 1 ? 1 : 0;
    state.bits[static_cast<size_t>(state.lengthField) + 1] = symbolCharacters > 14 ? 1 : 0;
  }
  return state.bitCount;
}

}  // namespace Quillon::BrindleLib::detail
