// The Macro PDF417 control block: "~2[index][file id][total][name:value|...]".
#include <algorithm>
#include <array>
#include <boost/tokenizer.hpp>
#include <optional>

#include "symbology2d/pdf417_encoder.h"

namespace Quillon::BrindleLib {

namespace {

using Pieces = std::vector<std::string>;

Pieces Split(std::string_view text, const char* separators) {
  const boost::char_separator<char> separator(separators);  // drops empty pieces
  const boost::tokenizer<boost::char_separator<char>, std::string_view::const_iterator, std::string> tokens(
      text.begin(), text.end(), separator);
  return {tokens.begin(), tokens.end()};
}

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Exactly `width` digits: left-padded with zeros, or cut to the last `width`.
std::string FixedWidth(const std::string& digits, std::size_t width) {
  if (digits.size() >= width) {
    return digits.substr(digits.size() - width);
  }
  return std::string(width - digits.size(), '0') + digits;
}

bool IsWhiteSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string Trimmed(std::string_view text) {
  while (!text.empty() && IsWhiteSpace(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsWhiteSpace(text.back())) {
    text.remove_suffix(1);
  }
  return std::string(text);
}

std::string Lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return text;
}

enum class FieldKind { kText, kNumeric };

struct OptionalField {
  const char* shortName;
  const char* longName;
  FieldKind kind;
  std::size_t width;  // digits a numeric value is made to; 0 keeps its own length
};

// Indexed by designator.
constexpr std::array<OptionalField, 7> kOptionalFields = {{
    {"fn", "filename", FieldKind::kText, 0},
    {"sc", "segmentcount", FieldKind::kNumeric, 5},
    {"ts", "timestamp", FieldKind::kNumeric, 11},
    {"sd", "sender", FieldKind::kText, 0},
    {"ad", "addressee", FieldKind::kText, 0},
    {"fs", "filesize", FieldKind::kNumeric, 0},
    {"cs", "checksum", FieldKind::kNumeric, 5},
}};

[[noreturn]] void ThrowMacro(int code, const char* message) {
  throw invalid_macropdf417_format_error(code, message);
}

constexpr const char* kBadOptionalField = "Incorrect MacroPDF417 optional field format.";
constexpr const char* kBadTotal = "Error in total segment count field.";

// Values by designator; a later field of the same name replaces an earlier one.
std::array<std::optional<std::string>, kOptionalFields.size()> ParseOptionalFields(std::string_view text) {
  std::array<std::optional<std::string>, kOptionalFields.size()> values;
  for (const auto& piece : Split(text, "|")) {
    const auto colon = piece.find(':');
    if (colon == std::string::npos) {
      continue;
    }
    const std::string name = Lowered(piece.substr(0, colon));
    for (std::size_t designator = 0; designator < kOptionalFields.size(); ++designator) {
      if (name == kOptionalFields[designator].shortName || name == kOptionalFields[designator].longName) {
        values[designator] = Trimmed(std::string_view(piece).substr(colon + 1));
      }
    }
  }
  return values;
}

// A decimal count compared without overflow: true when `total` <= `index`.
bool TotalNotAbove(const std::string& total, long index) {
  const auto first = total.find_first_not_of('0');
  if (first == std::string::npos) {
    return true;  // zero, or empty
  }
  if (total.size() - first > 9) {
    return false;
  }
  return std::stol(total.substr(first)) <= index;
}

}  // namespace

void CPDF417Encoder2::CDataEncodationBuilder::EncodeControlBlock(std::string_view text) {
  const Pieces pieces = Split(text, "[]");
  if (pieces.size() < 3) {
    ThrowMacro(20, "A required MacroPDF417 field is not present in the message.");
  }
  if (pieces[0] != "~2") {
    ThrowMacro(21, "No control block was found in the message.");
  }
  if (!AllDigits(pieces[1])) {
    ThrowMacro(22,
               "Error in the segment index. Either the segment index is not numeric, or the index is bigger than the "
               "total segment count.");
  }
  const std::string total = pieces.size() > 3 ? pieces[3] : std::string();
  if (!AllDigits(total)) {
    ThrowMacro(23, kBadTotal);
  }

  const auto append = [this](const CDataEncodationBuilder& part) {
    codewords.insert(codewords.end(), part.codewords.begin(), part.codewords.end());
  };
  Emit(pdf417::kMacroControlBlock);
  const std::string index = FixedWidth(pieces[1], 5);
  CDataEncodationBuilder field;
  field.SetData(index);
  field.CompactNumeric(0, index.size());
  append(field);

  field = {};
  field.SetData(pieces[2]);
  field.CompactSegment(pdf417::CompactionMode::kText);
  append(field);

  if (pieces.size() > 4) {
    const auto values = ParseOptionalFields(pieces[4]);
    for (std::size_t designator = 0; designator < values.size(); ++designator) {
      if (!values[designator]) {
        continue;
      }
      const OptionalField& kind = kOptionalFields[designator];
      std::string value = *values[designator];
      field = {};
      if (kind.kind == FieldKind::kNumeric) {
        // An empty file size would be a number without digits.
        if (!AllDigits(value) || (kind.width == 0 && value.empty())) {
          ThrowMacro(24, kBadOptionalField);
        }
        if (kind.width != 0) {
          value = FixedWidth(value, kind.width);
        }
        field.SetData(value);
        field.CompactNumeric(0, value.size());
      } else {
        field.SetData(value);
        for (std::size_t i = 0; i < value.size(); ++i) {
          if (!field.TextClass(i).Compactible()) {
            ThrowMacro(24, kBadOptionalField);
          }
        }
        field.CompactText(0, value.size(), pdf417::kAlpha);
      }
      Emit(pdf417::kMacroOptionalField);
      Emit(static_cast<std::uint16_t>(designator));
      append(field);
    }
  }

  const long segmentIndex = std::stol(index);
  if (TotalNotAbove(total, segmentIndex)) {
    ThrowMacro(23, kBadTotal);
  }
  if (TotalNotAbove(total, segmentIndex + 1)) {  // above the index and not above index + 1
    Emit(pdf417::kMacroLastSegment);
  }
}

}  // namespace Quillon::BrindleLib
