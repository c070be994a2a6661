#pragma once
// The output template of `linnet batch`: literal text with fields in braces. {row} is the
// 1-based row number, {row:06} the same zero-padded to six digits (any width 1..20), {NAME}
// the row's value of the column (or key) NAME, made safe for a file name: '/', NUL and other
// control characters become '_', a leading '.' becomes '_', an empty value is "_", and the
// value is cut to kSafeValueBytes bytes at a UTF-8 boundary. "{{" and "}}" stand for braces.
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace linnet::cli {

inline constexpr std::size_t kSafeValueBytes = 100;

class OutputTemplate {
 public:
  // nullopt with `error` for an unclosed brace or a bad {row:...} width.
  static std::optional<OutputTemplate> Parse(const std::string& text, std::string& error);

  // The names of the {NAME} fields, in order.
  [[nodiscard]] std::vector<std::string> Names() const;

  // The file name of a row; nullopt with `error` when the row lacks a named value.
  [[nodiscard]] std::optional<std::string> Expand(std::size_t row,
                                                  const std::vector<std::pair<std::string, std::string>>& fields,
                                                  std::string& error) const;

 private:
  struct Part {
    enum class Kind { Text, Row, Value } kind;
    std::string text;    // Text: the text; Value: the name
    unsigned width = 0;  // Row: the zero-padded width, 0 for none
  };
  std::vector<Part> parts_;
};

// A value as a file name may hold it (see above).
std::string SafeFileNamePart(const std::string& value);

}  // namespace linnet::cli
