// A small RFC 4180 state machine: no CSV library packaged for the system takes quoted line
// breaks, a byte order mark and per-row errors without reading the whole file first.
#include <streambuf>

#include "host/row_reader.h"

namespace linnet::host {

namespace {

class CsvRows : public RowReader {
 public:
  explicit CsvRows(std::istream& input) : in_(*input.rdbuf()) {}

  // Reads the header; false (with `error`) when there is none.
  bool ReadHeader(std::string& error) {
    SkipByteOrderMark();
    std::vector<std::string> fields;
    std::string recordError;
    if (!ReadRecord(fields, recordError)) {
      error = "the input is empty: a header row of property names comes first";
      return false;
    }
    if (!recordError.empty()) {
      error = "the header row: " + recordError;
      return false;
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (fields[i].empty()) {
        error = "column " + std::to_string(i + 1) + " of the header row has no name";
        return false;
      }
    }
    columns_ = std::move(fields);
    return true;
  }

  bool Next(DataRow& row) override {
    std::vector<std::string> fields;
    row = DataRow{};
    if (!ReadRecord(fields, row.error)) {
      return false;
    }
    row.number = ++rows_;
    row.line = recordLine_;
    if (row.error.empty() && fields.size() > columns_.size()) {
      row.error =
          "the row has " + std::to_string(fields.size()) + " fields, the header " + std::to_string(columns_.size());
    }
    for (std::size_t i = 0; i < fields.size() && i < columns_.size(); ++i) {
      row.fields.emplace_back(columns_[i], std::move(fields[i]));
    }
    return true;
  }

  [[nodiscard]] const std::vector<std::string>& Columns() const override { return columns_; }

 private:
  using Traits = std::char_traits<char>;

  void SkipByteOrderMark() {
    static constexpr char kMark[] = "\xEF\xBB\xBF";
    for (int i = 0; i < 3; ++i) {
      if (in_.sgetc() != Traits::to_int_type(kMark[i])) {
        // Only a whole mark is skipped; a partial one cannot be put back but is no valid
        // UTF-8 start of a name either.
        return;
      }
      in_.sbumpc();
    }
  }

  // Takes a line break (CRLF, LF or CR) if one comes next.
  bool TakeLineBreak(int c) {
    if (c == '\r') {
      in_.sbumpc();
      if (in_.sgetc() == '\n') {
        in_.sbumpc();
      }
      ++line_;
      return true;
    }
    if (c == '\n') {
      in_.sbumpc();
      ++line_;
      return true;
    }
    return false;
  }

  // One record, skipping blank lines; false at the end of the input. On a malformed
  // record `error` is set and the rest of its line is skipped.
  bool ReadRecord(std::vector<std::string>& fields, std::string& error) {
    const int eof = Traits::eof();
    while (TakeLineBreak(in_.sgetc())) {
    }
    if (in_.sgetc() == eof) {
      return false;
    }
    recordLine_ = line_;
    fields.assign(1, std::string());
    for (;;) {
      int c = in_.sgetc();
      if (c == eof || TakeLineBreak(c)) {
        return true;
      }
      if (c == ',') {
        in_.sbumpc();
        fields.emplace_back();
        continue;
      }
      std::string& field = fields.back();
      if (c != '"' || !field.empty()) {
        field.push_back(Traits::to_char_type(in_.sbumpc()));
        continue;
      }
      in_.sbumpc();  // the opening quote
      for (;;) {
        c = in_.sbumpc();
        if (c == eof) {
          error = "a quoted field is not closed";
          return true;
        }
        if (c == '"') {
          if (in_.sgetc() != '"') {
            break;
          }
          in_.sbumpc();
        } else if (c == '\n' || (c == '\r' && in_.sgetc() != '\n')) {
          ++line_;
        }
        field.push_back(Traits::to_char_type(c));
      }
      c = in_.sgetc();
      if (c != ',' && c != eof && c != '\r' && c != '\n') {
        error = "a character after a closing quote (a quote inside a quoted field is doubled)";
        while ((c = in_.sgetc()) != eof && !TakeLineBreak(c)) {
          in_.sbumpc();
        }
        return true;
      }
    }
  }

  std::streambuf& in_;
  std::vector<std::string> columns_;
  std::size_t rows_ = 0;
  std::size_t line_ = 1;
  std::size_t recordLine_ = 1;
};

}  // namespace

std::unique_ptr<RowReader> OpenCsvRows(std::istream& input, std::string& error) {
  auto rows = std::make_unique<CsvRows>(input);
  if (!rows->ReadHeader(error)) {
    return nullptr;
  }
  return rows;
}

std::unique_ptr<RowReader> OpenRows(RowFormat format, std::istream& input, std::string& error) {
  return format == RowFormat::Csv ? OpenCsvRows(input, error) : OpenJsonLinesRows(input);
}

}  // namespace linnet::host
