#pragma once
// The codeword stream of a PDF417 symbol and the codeword values with a fixed meaning.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Quillon::BrindleLib::pdf417 {

using Codewords = std::vector<std::uint16_t>;

// kUnsettled follows a GLI: readers differ in the mode and text sub-mode they carry across
// it, so the next run latches its mode explicitly.
enum class CompactionMode : std::uint8_t { kText, kNumeric, kByte, kUnsettled };

inline constexpr std::uint16_t kLatchText = 900;
inline constexpr std::uint16_t kPadCodeword = 900;
inline constexpr std::uint16_t kLatchByte = 901;  // byte count not a multiple of 6
inline constexpr std::uint16_t kLatchNumeric = 902;
inline constexpr std::uint16_t kShiftByte = 913;     // one byte, then back to text
inline constexpr std::uint16_t kLatchByteSix = 924;  // byte count a multiple of 6
inline constexpr std::uint16_t kGliUserDefined = 925;
inline constexpr std::uint16_t kGliGeneralPurpose = 926;
inline constexpr std::uint16_t kGliCharacterSet = 927;
inline constexpr std::uint16_t kMacroControlBlock = 928;
inline constexpr std::uint16_t kMacroOptionalField = 923;
inline constexpr std::uint16_t kMacroLastSegment = 922;

// One segment (the data between two GLIs) holds at most this many codewords, the whole
// stream before error correction at most kMaxStreamCodewords.
inline constexpr std::size_t kMaxSegmentCodewords = 926;
inline constexpr std::size_t kMaxStreamCodewords = 928;

}  // namespace Quillon::BrindleLib::pdf417
