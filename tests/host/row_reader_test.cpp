// The row readers of batch inputs: what a CSV or JSON Lines text gives as rows.
#include "host/row_reader.h"

#include <gtest/gtest.h>

#include <sstream>

namespace linnet::host {
namespace {

// Rows written as "line:name=value|name=value" or "line:!error" for a row that failed.
std::vector<std::string> ReadAll(RowFormat format, const std::string& text, std::string& error) {
  std::istringstream in(text);
  const auto rows = OpenRows(format, in, error);
  std::vector<std::string> out;
  if (!rows) {
    return out;
  }
  DataRow row;
  std::size_t expected = 0;
  while (rows->Next(row)) {
    EXPECT_EQ(row.number, ++expected);
    std::string shown = std::to_string(row.line) + ":";
    if (!row.error.empty()) {
      shown += "!" + row.error;
    } else {
      for (std::size_t i = 0; i < row.fields.size(); ++i) {
        shown += (i > 0 ? "|" : "") + row.fields[i].first + "=" + row.fields[i].second;
      }
    }
    out.push_back(shown);
  }
  return out;
}

TEST(RowReaderTest, Csv) {
  const struct {
    const char* what;
    std::string text;
    std::vector<std::string> rows;
    std::string error;  // of the input as a whole
  } cases[] = {
      {"plain", "Message,BarHeight\nA,1\nB,2\n", {"2:Message=A|BarHeight=1", "3:Message=B|BarHeight=2"}, ""},
      {"no final line break", "Message\nA", {"2:Message=A"}, ""},
      {"CRLF", "Message,Caption\r\nA,x\r\nB,y\r\n", {"2:Message=A|Caption=x", "3:Message=B|Caption=y"}, ""},
      {"lone CR", "Message\rA\rB", {"2:Message=A", "3:Message=B"}, ""},
      {"byte order mark", "\xEF\xBB\xBFMessage\nA\n", {"2:Message=A"}, ""},
      {"quoted comma and quotes",
       "Message,Caption\n\"a,b\",\"say \"\"hi\"\"\"\n",
       {"2:Message=a,b|Caption=say \"hi\""},
       ""},
      {"embedded line breaks keep the line count",
       "Message,Caption\n\"one\ntwo\",\"x\r\ny\"\nC,z\n",
       {"2:Message=one\ntwo|Caption=x\r\ny", "5:Message=C|Caption=z"},
       ""},
      {"empty quoted and unquoted fields",
       "Message,Caption\n\"\",\nA,\"\"\n",
       {"2:Message=|Caption=", "3:Message=A|Caption="},
       ""},
      {"blank lines are no rows", "Message\n\nA\n\r\n\nB\n", {"3:Message=A", "6:Message=B"}, ""},
      {"missing columns are left out",
       "Message,BarHeight,Caption\nA\nB,2\n",
       {"2:Message=A", "3:Message=B|BarHeight=2"},
       ""},
      {"extra columns fail the row only",
       "Message\nA,1\nB\n",
       {"2:!the row has 2 fields, the header 1", "3:Message=B"},
       ""},
      {"a character after a closing quote",
       "Message\n\"A\"x,1\nB\n",
       {"2:!a character after a closing quote (a quote inside a quoted field is doubled)", "3:Message=B"},
       ""},
      {"a quote inside an unquoted field is text", "Message\nsay \"hi\"\n", {"2:Message=say \"hi\""}, ""},
      {"an unclosed quote fails the last row",
       "Message\nA\n\"B\nC\n",
       {"2:Message=A", "3:!a quoted field is not closed"},
       ""},
      {"header only", "Message,BarHeight\n", {}, ""},
      {"empty file", "", {}, "the input is empty: a header row of property names comes first"},
      {"only a byte order mark", "\xEF\xBB\xBF", {}, "the input is empty: a header row of property names comes first"},
      {"unnamed column", "Message,,Caption\nA,B,C\n", {}, "column 2 of the header row has no name"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string error;
    EXPECT_EQ(ReadAll(RowFormat::Csv, c.text, error), c.rows);
    EXPECT_EQ(error, c.error);
  }
}

TEST(RowReaderTest, JsonLines) {
  const struct {
    const char* what;
    std::string text;
    std::vector<std::string> rows;
  } cases[] = {
      {"keys in the order given", "{\"Symbology\":\"code128\",\"Message\":\"A\"}\n", {"1:Symbology=code128|Message=A"}},
      {"numbers and booleans as JSON writes them, null left out",
       "{\"BarHeight\":1.5,\"Orientation\":2,\"ShowText\":false,\"Caption\":null}\n",
       {"1:BarHeight=1.5|Orientation=2|ShowText=false"}},
      {"unicode escapes become UTF-8", "{\"Message\":\"\\u00e9\\n\"}\r\n", {"1:Message=\xC3\xA9\n"}},
      {"blank lines are no rows", "\n{\"Message\":\"A\"}\n  \n{\"Message\":\"B\"}", {"2:Message=A", "4:Message=B"}},
      {"a broken line fails its row only",
       "{\"Message\":\"A\"\n{\"Message\":\"B\"}\n",
       {"1:!the line is no JSON object", "2:Message=B"}},
      {"no object", "[1,2]\n\"text\"\n", {"1:!the line is no JSON object", "2:!the line is no JSON object"}},
      {"nested values", "{\"Message\":{\"a\":1}}\n", {"1:!the value of 'Message' is no string, number or boolean"}},
      {"empty input", "", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string error;
    EXPECT_EQ(ReadAll(RowFormat::JsonLines, c.text, error), c.rows);
    EXPECT_EQ(error, "");
  }
}

}  // namespace
}  // namespace linnet::host
