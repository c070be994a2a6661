#include "cli/batch_template.h"

#include <charconv>

namespace linnet::cli {

std::optional<OutputTemplate> OutputTemplate::Parse(const std::string& text, std::string& error) {
  OutputTemplate t;
  std::string literal;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if ((c == '{' || c == '}') && i + 1 < text.size() && text[i + 1] == c) {
      literal.push_back(c);
      ++i;
      continue;
    }
    if (c == '}') {
      error = "a '}' without '{' in the output template (write }} for a brace)";
      return std::nullopt;
    }
    if (c != '{') {
      literal.push_back(c);
      continue;
    }
    const auto close = text.find('}', i);
    if (close == std::string::npos) {
      error = "a '{' without '}' in the output template (write {{ for a brace)";
      return std::nullopt;
    }
    const std::string field = text.substr(i + 1, close - i - 1);
    if (field.empty()) {
      error = "an empty {} in the output template";
      return std::nullopt;
    }
    if (!literal.empty()) {
      t.parts_.push_back({Part::Kind::Text, std::move(literal)});
      literal.clear();
    }
    if (field == "row") {
      t.parts_.push_back({Part::Kind::Row, {}});
    } else if (field.starts_with("row:")) {
      unsigned width = 0;
      const char* end = field.data() + field.size();
      const auto [ptr, ec] = std::from_chars(field.data() + 4, end, width);
      if (ec != std::errc() || ptr != end || width == 0 || width > 20) {
        error = "{" + field + "} in the output template: the width is 1 to 20 digits, as in {row:06}";
        return std::nullopt;
      }
      t.parts_.push_back({Part::Kind::Row, {}, width});
    } else {
      t.parts_.push_back({Part::Kind::Value, field});
    }
    i = close;
  }
  if (!literal.empty()) {
    t.parts_.push_back({Part::Kind::Text, std::move(literal)});
  }
  return t;
}

std::vector<std::string> OutputTemplate::Names() const {
  std::vector<std::string> names;
  for (const auto& p : parts_) {
    if (p.kind == Part::Kind::Value) {
      names.push_back(p.text);
    }
  }
  return names;
}

std::optional<std::string> OutputTemplate::Expand(std::size_t row,
                                                  const std::vector<std::pair<std::string, std::string>>& fields,
                                                  std::string& error) const {
  std::string name;
  for (const auto& p : parts_) {
    switch (p.kind) {
      case Part::Kind::Text:
        name += p.text;
        break;
      case Part::Kind::Row: {
        const std::string digits = std::to_string(row);
        if (digits.size() < p.width) {
          name.append(p.width - digits.size(), '0');
        }
        name += digits;
        break;
      }
      case Part::Kind::Value: {
        const std::pair<std::string, std::string>* found = nullptr;
        for (const auto& f : fields) {
          if (f.first == p.text) {
            found = &f;
          }
        }
        if (found == nullptr) {
          error = "the row has no value for {" + p.text + "} of the output template";
          return std::nullopt;
        }
        name += SafeFileNamePart(found->second);
        break;
      }
    }
  }
  return name;
}

std::string SafeFileNamePart(const std::string& value) {
  std::string safe;
  for (const char c : value) {
    const auto u = static_cast<unsigned char>(c);
    safe.push_back(c == '/' || u < 0x20 || u == 0x7F ? '_' : c);
  }
  if (safe.size() > kSafeValueBytes) {
    std::size_t cut = kSafeValueBytes;
    while (cut > 0 && (static_cast<unsigned char>(safe[cut]) & 0xC0) == 0x80) {
      --cut;  // not inside a UTF-8 sequence
    }
    safe.resize(cut);
  }
  if (safe.empty()) {
    return "_";
  }
  if (safe[0] == '.') {
    safe[0] = '_';
  }
  return safe;
}

}  // namespace linnet::cli
