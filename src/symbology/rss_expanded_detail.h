#pragma once
// The stages of a DataBar Expanded encoding: the data string becomes a bit string (`pack`,
// writing through `putBits`), the bit string becomes symbol characters with their check
// character and finders (`RSS14Eenc`). Each stage reports failure as a negative result and
// logs it with the tag "[rss-detail]".
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace Quillon::BrindleLib::detail {

inline constexpr int kExpandedMaxBits = 252;       // 21 data characters of 12 bits
inline constexpr int kExpandedMaxDataLength = 80;  // characters of the data string encoded
inline constexpr int kExpandedMaxSegmentsPerRow = 22;
inline constexpr char kExpandedFnc1 = '#';  // stands for FNC1 in the data string

// The working state of one encoding, set afresh by `pack`.
struct ExpandedState {
  int segmentsPerRow = kExpandedMaxSegmentsPerRow;    // normalised, even
  std::array<std::uint8_t, kExpandedMaxBits> bits{};  // one bit per entry
  int bitCount = 0;                                   // bits written so far
  int lengthField = -1;  // position of the two variable-length bits, -1 when the method has none
  bool error = false;    // a write did not fit
};

// Reads the parenthesised AI message with the tolerant AI parser into the data string (AI
// digits and normalised fields, '#' for each FNC1 separator, characters without a value in
// the general-purpose field left out, cut to 80 characters) and the human-readable text.
// Returns -1 when the message lacks the "(AI)" structure or an AI is not numeric.
int ParseElements(std::string_view message, std::string& data, std::string& text);

// Whether the general-purpose field has a value for `c` ('#' standing for FNC1).
bool HasGeneralFieldValue(char c);

// Data characters of a symbol holding `bitCount` bits: whole 12-bit characters, at least 3,
// one more when the last row would otherwise hold a single symbol character.
int ExpandedDataCharacters(int bitCount, int segmentsPerRow);

// Appends the `count` low bits of `value`, most significant first. A write beyond the
// capacity stores nothing, flags the state and returns -1.
int putBits(ExpandedState& state, std::uint32_t value, int count);

// Writes the encodation method chosen by the leading data (a compressed GTIN, weight and
// date, or none) with its compressed fields. Returns the index in `data` where the
// general-purpose field starts.
size_t encodeMethod(std::string_view data, ExpandedState& state);

// Writes `data` from `start` on in the numeric, alphanumeric and ISO/IEC 646 modes of the
// general-purpose field.
void encodeGeneralField(std::string_view data, size_t start, ExpandedState& state);

// Encodes the data string (FNC1 written as '#') into `state.bits`: linkage bit, encodation
// method, general-purpose field and padding to whole symbol characters. Returns the bit
// count, or -1 when the data does not fit.
int pack(std::string_view data, ExpandedState& state);

// The element widths of the symbol `state` holds: pairs of symbol characters around their
// finders, the check character first. Returns the number of symbol characters, or -1 (and
// an empty pattern) when `state` holds no valid bit string.
int RSS14Eenc(const ExpandedState& state, std::string& pattern);

// Writes "[rss-detail]" with the stage's name and source line, then `message`.
void LogStageFailure(std::string_view stage, int line, std::string_view message);

}  // namespace Quillon::BrindleLib::detail
