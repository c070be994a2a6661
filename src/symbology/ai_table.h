#pragma once
// The GS1 application identifiers known to the engine: lengths, character classes and
// check-digit flags of their data fields.
#include <span>
#include <string_view>

namespace Quillon::BrindleLib {

enum AiKeyMatch : int {
  kAiExactKey = 0,    // the AI must equal the key
  kAiPatternKey = 1,  // the key is a regular expression (digits and [a-b] ranges) matched over the whole AI
};

enum AiCharacters : int {
  kAiNumeric = 0,       // digits only
  kAiAlphanumeric = 1,  // letters and digits only
};

inline constexpr int kAiFixedLength = -1;

struct AiRecord {
  const char* key;
  int match;          // AiKeyMatch
  int minLength;      // the length itself for a fixed-length AI
  int maxLength;      // kAiFixedLength (-1) for a fixed-length AI
  int characters;     // AiCharacters
  int checkDigit;     // 1: the field ends with a GTIN-style modulo-10 check digit
  const char* title;  // informative only

  [[nodiscard]] bool IsFixedLength() const { return maxLength == kAiFixedLength; }
};

// The 64 records in search order.
std::span<const AiRecord> AiTable();

// The first record whose key matches `ai`, or nullptr for an AI the table does not know.
// Pattern keys are compiled once, on first use.
const AiRecord* FindAiRecord(std::string_view ai);

// True when the first two digits of `ai` belong to the GS1 list of AIs whose data length
// every reader knows in advance (00-04, 11-20, 23, 31-36, 41). Only after these may an
// element end without an FNC1 separator: after any other AI a reader cannot tell where the
// field stops and would read the next element into it.
bool HasPredefinedLength(std::string_view ai);

}  // namespace Quillon::BrindleLib
