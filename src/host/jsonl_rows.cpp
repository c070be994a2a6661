#include <nlohmann/json.hpp>

#include "host/row_reader.h"

namespace linnet::host {

namespace {

class JsonLinesRows : public RowReader {
 public:
  explicit JsonLinesRows(std::istream& input) : in_(input) {}

  bool Next(DataRow& row) override {
    std::string text;
    for (;;) {
      if (!std::getline(in_, text)) {
        return false;
      }
      ++line_;
      if (text.find_first_not_of(" \t\r") != std::string::npos) {
        break;
      }
    }
    row = DataRow{};
    row.number = ++rows_;
    row.line = line_;
    const auto object = nlohmann::ordered_json::parse(text, nullptr, false);
    if (object.is_discarded() || !object.is_object()) {
      row.error = "the line is no JSON object";
      return true;
    }
    for (const auto& [name, value] : object.items()) {
      if (value.is_string()) {
        row.fields.emplace_back(name, value.get<std::string>());
      } else if (value.is_number() || value.is_boolean()) {
        row.fields.emplace_back(name, value.dump());
      } else if (!value.is_null()) {
        row.error = "the value of '" + name + "' is no string, number or boolean";
        return true;
      }
    }
    return true;
  }

  [[nodiscard]] const std::vector<std::string>& Columns() const override { return columns_; }

 private:
  std::istream& in_;
  std::vector<std::string> columns_;
  std::size_t rows_ = 0;
  std::size_t line_ = 0;
};

}  // namespace

std::unique_ptr<RowReader> OpenJsonLinesRows(std::istream& input) {
  return std::make_unique<JsonLinesRows>(input);
}

}  // namespace linnet::host
