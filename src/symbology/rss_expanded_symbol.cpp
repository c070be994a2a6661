#include "symbology/databar_tables.h"
#include "symbology/databar_widths.h"
#include "symbology/rss_expanded_detail.h"

namespace Quillon::BrindleLib::detail {

namespace {

constexpr int kChecksumModulus = 211;
constexpr int kCharacterBits = 12;
constexpr int kCharacterWidths = 8;

const std::array<int, 8>& WeightsBeside(const ExpandedFinder& finder, bool rightOfFinder) {
  for (const auto& row : kExpandedWeights) {
    if (row.finder == finder && row.rightOfFinder == rightOfFinder) {
      return row.weights;
    }
  }
  // Only the check character, left of A1, has no weights; it is never looked up.
  return kExpandedWeights.front().weights;
}

void AppendCharacter(const DataBarCharacter& widths, bool reversed, std::string& pattern) {
  for (int i = 0; i < kCharacterWidths; ++i) {
    pattern.push_back(static_cast<char>('0' + widths[reversed ? kCharacterWidths - 1 - i : i]));
  }
}

void AppendFinder(const ExpandedFinder& finder, std::string& pattern) {
  const std::string_view widths = kExpandedFinders[static_cast<size_t>(finder.letter)];
  if (finder.reversed) {
    pattern.append(widths.rbegin(), widths.rend());
  } else {
    pattern.append(widths);
  }
}

}  // namespace

int RSS14Eenc(const ExpandedState& state, std::string& pattern) {
  pattern.clear();
  if (state.error || state.bitCount > kExpandedMaxBits || state.bitCount < 3 * kCharacterBits ||
      state.bitCount % kCharacterBits != 0) {
    LogStageFailure("Quillon::BrindleLib::detail::RSS14Eenc", __LINE__, "\ndata error");
    return -1;
  }
  const int dataCharacters = state.bitCount / kCharacterBits;
  const int symbolCharacters = dataCharacters + 1;
  const ExpandedSequence& sequence = kExpandedSequences[static_cast<size_t>((symbolCharacters + 1) / 2 - 2)];

  // Position 0 is the check character; data character p - 1 stands at position p.
  std::array<DataBarCharacter, 22> characters{};
  int checksum = 0;
  for (int p = 1; p < symbolCharacters; ++p) {
    int value = 0;
    const size_t first = static_cast<size_t>(p - 1) * static_cast<size_t>(kCharacterBits);
    for (size_t b = first; b < first + static_cast<size_t>(kCharacterBits); ++b) {
      value = value * 2 + state.bits[b];
    }
    characters[p] = DataBarCharacterWidths(value, kExpandedRules);
    const auto& weights = WeightsBeside(sequence.finders[static_cast<size_t>(p / 2)], p % 2 == 1);
    for (int i = 0; i < kCharacterWidths; ++i) {
      checksum += characters[p][i] * weights[i];
    }
  }
  characters[0] =
      DataBarCharacterWidths(kChecksumModulus * (symbolCharacters - 4) + checksum % kChecksumModulus, kExpandedRules);

  // Each finder has its left character read forwards and its right one reversed.
  pattern.reserve(21 * static_cast<size_t>(sequence.count));
  for (size_t pair = 0; pair < static_cast<size_t>(sequence.count); ++pair) {
    AppendCharacter(characters[2 * pair], false, pattern);
    AppendFinder(sequence.finders[pair], pattern);
    if (2 * pair + 1 < static_cast<size_t>(symbolCharacters)) {
      AppendCharacter(characters[2 * pair + 1], true, pattern);
    }
  }
  return symbolCharacters;
}

}  // namespace Quillon::BrindleLib::detail
