#pragma once
// Reads messages written as parenthesised application identifiers, "(01)00614141000036(10)ABC",
// one element at a time, checking and normalising each data field against the AI table.
// Shared by the GS1-128 and DataBar Expanded encoders.
#include <cstddef>
#include <string>
#include <string_view>

#include "symbology/ai_table.h"

namespace Quillon::BrindleLib {

// Problems found in an element, as bits of the flags that `NextElement` returns.
enum AiFlag : int {
  kAiFlagAiNotNumeric = 1,     // the AI is empty or holds a non-digit
  kAiFlagNotAlphanumeric = 2,  // an alphanumeric field holds something other than a letter or digit
  kAiFlagNoParentheses = 4,    // no "(AI)" where one was expected
  kAiFlagNotNumeric = 8,       // a numeric field holds a non-digit
  kAiFlagLength = 16,          // the field had the wrong length (it was padded or cut)
  kAiFlagEnd = 32,             // no more elements: the end of the message
};

// Tolerance bits: the flags they name are repaired silently instead of reported.
enum AiTolerance : int {
  kAiTolerateLength = 1,      // drop kAiFlagLength
  kAiTolerateCharacters = 2,  // drop kAiFlagNotAlphanumeric and kAiFlagNotNumeric
};
inline constexpr int kAiStrict = 0;                                            // GS1-128
inline constexpr int kAiTolerant = kAiTolerateLength | kAiTolerateCharacters;  // DataBar Expanded

struct AiParser {
  AiParser(std::string_view text, int mask) : message(text), toleranceMask(mask) {}

  std::string_view message;  // up to its terminator, see UpToTerminator
  std::size_t cursor = 0;
  int toleranceMask;  // AiTolerance bits
};

struct AiElement {
  std::string ai;            // the digits between the parentheses
  std::string data;          // the normalised field: what the symbol carries after the AI
  std::string written;       // the field as the user wrote it, spaces kept, the '~'/'!' marker removed
  std::string text;          // "(" AI ")" and `written`, see FormatElementText
  bool found = false;        // the AI matched a record of the table
  bool noSeparator = false;  // the field is closed without an FNC1 separator
  int flags = 0;             // AiFlag bits, before the tolerance mask
};

// Reads the next element into `element` (its strings are reused, so a caller that keeps one
// element for a whole message does not allocate per element). Returns the element's flags
// with the tolerated ones removed, or kAiFlagEnd when the cursor is at the end. Text before
// the first '(' is skipped. A field written with a trailing '~' is closed without a
// separator, one with a trailing '!' with a separator; otherwise a separator follows every
// field except a fixed-length one whose AI has a predefined length (HasPredefinedLength).
int NextElement(AiParser& parser, AiElement& element);

// Keeps the characters that `record` allows and brings the field to a length it accepts,
// recomputing the check digit of the AIs that carry one. Returns the AiFlag bits of the
// problems repaired (kAiFlagNotNumeric, kAiFlagNotAlphanumeric, kAiFlagLength).
int NormalizeField(std::string_view data, const AiRecord& record, std::string& normalized);

// The element's human-readable text, keeping the user's grouping with spaces: "(" ai ")"
// and `written`, with the computed check digit appended (when the field is one longer than
// `written` without spaces) or put in place of a wrong one. `checkDigit` tells whether the
// field ends with a computed check digit; other fields show `written` unchanged.
void FormatElementText(std::string_view ai, std::string_view field, std::string_view written, bool checkDigit,
                       std::string& text);

// Throws invalid_ean128_format_error for the first problem flag set, checked in the order
// 1, 2, 4, 8, 16 (codes 10 to 14). Returns when no problem flag is set (0 or kAiFlagEnd).
void ThrowEan128Error(int flags);

}  // namespace Quillon::BrindleLib
