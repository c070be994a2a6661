#pragma once
// The rows of a batch input, read one at a time so that memory stays flat however long the
// input is: CSV (a header row of names, then one record per row) or JSON Lines (one object
// per line, names as keys). Both give a row as (name, value) pairs in the order given; the
// batch command does not know which reader it has.
//
// CSV follows RFC 4180: fields separated by commas, records by CRLF or LF (a lone CR too),
// a field in double quotes may hold commas, line breaks and doubled quotes. A UTF-8 byte
// order mark before the header is skipped. Blank lines are no rows. A record shorter than
// the header leaves the missing columns out (the property keeps its value); a longer one, a
// character after a closing quote and an unterminated quote are errors of that row.
//
// JSON Lines: every non-blank line one object whose values are strings, numbers or
// booleans (numbers and booleans as JSON writes them, null leaves the name out); anything
// else is an error of that row. Not shared between threads.
#include <cstddef>
#include <istream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace linnet::host {

struct DataRow {
  std::size_t number = 0;  // 1-based among the data rows
  std::size_t line = 0;    // the input line the row starts on
  std::vector<std::pair<std::string, std::string>> fields;
  std::string error;  // non-empty: the row could not be read, and says why
};

class RowReader {
 public:
  virtual ~RowReader() = default;
  // The next row; false at the end of the input.
  virtual bool Next(DataRow& row) = 0;
  // The names every row has (the CSV header); empty for JSON Lines.
  [[nodiscard]] virtual const std::vector<std::string>& Columns() const = 0;
};

enum class RowFormat { Csv, JsonLines };

// Reads the header at once: nullptr with `error` set for an input without one (an empty
// file) or with an unnamed column. `input` must outlive the reader.
std::unique_ptr<RowReader> OpenCsvRows(std::istream& input, std::string& error);
std::unique_ptr<RowReader> OpenJsonLinesRows(std::istream& input);
std::unique_ptr<RowReader> OpenRows(RowFormat format, std::istream& input, std::string& error);

}  // namespace linnet::host
