// PDF417 symbols read back by a real reader (zxing-cpp).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "support/run_command.h"
#include "support/symbol_image.h"
#include "symbology2d/pdf417_encoder.h"

namespace Quillon::BrindleLib {
namespace {

struct Options {
  int maxRows = 0;
  int maxCols = 0;
  int level = 9;
  bool truncated = false;
  double aspect = 0.5;
};

class Pdf417Reader : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = linnet::testing::MakeTempDir(); }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Image(const std::string& message, const Options& o = {}) {
    std::vector<std::string> rows;
    CPDF417Encoder2().EncodeToRows(message, rows, 13, 39, o.aspect, o.maxRows, o.maxCols, o.level, o.truncated);
    std::string path = dir_ + "/symbol" + std::to_string(count_++) + ".png";
    linnet::testing::WriteModulePng(path, rows, 2, 3, 10);
    return path;
  }
  std::string Read(const std::string& message, const Options& o = {}) {
    return linnet::testing::ZxingReadBytes(Image(message, o), "PDF417").value_or("<unread>");
  }
  std::string Report(const std::string& message, const Options& o = {}) {
    return linnet::testing::RunCommand({"ZXingReader", "-format", "PDF417", Image(message, o)}).out;
  }

 private:
  std::string dir_;
  int count_ = 0;
};

// Every byte written so that the escape syntax gives it back.
std::string Escaped(const std::string& bytes) {
  std::string message;
  for (const char c : bytes) {
    if (c == '~') {
      message += "~~";
    } else if (c == '\0') {
      message += "~@";
    } else {
      message += c;
    }
  }
  return message;
}

std::string Repeated(const std::string& piece, std::size_t length) {
  std::string text;
  while (text.size() < length) {
    text += piece;
  }
  return text.substr(0, length);
}

TEST_F(Pdf417Reader, MessagesReadBack) {
  std::string allBytes;
  for (int b = 0; b < 256; ++b) {
    allBytes += static_cast<char>(b);
  }
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"text", "Hello, World! 1234567890123 abc"},
      {"punctuation", "The quick brown fox; jumps {over} the lazy dog? 100% [ok] ~ 'quoted' \"too\" @home #1"},
      {"control characters", "Line 1\r\nLine 2\tTab\x1b"},
      {"twelve and thirteen digits", "A123456789012B1234567890123C"},
      {"a thousand digits", Repeated("3141592653589793238462643383279502884197", 1000)},
      {"every byte", allBytes},
      {"latin text",
       "Gr\xfc\xdf"
       "e aus K\xf6ln, \xe9t\xe9 \xe0 Paris"},
      {"near capacity text", Repeated("Near capacity text, MIXED case and 42 digits. ", 1550)},
      {"near capacity digits", Repeated("0123456789", 2600)},
      {"near capacity bytes", Repeated(std::string("\x80\x01\xfe\x7f\x00\x91", 6), 1050)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Read(Escaped(c.bytes)), c.bytes);
  }
}

TEST_F(Pdf417Reader, EverySecurityLevel) {
  for (int level = 0; level <= 8; ++level) {
    SCOPED_TRACE(level);
    const std::string message = "Security level " + std::to_string(level);
    Options o;
    o.level = level;
    const std::string report = Report(message, o);
    EXPECT_NE(report.find("Text:       \"" + message + "\""), std::string::npos) << report;
    EXPECT_NE(report.find("EC Level:   " + std::to_string(level)), std::string::npos) << report;
  }
}

TEST_F(Pdf417Reader, FixedGridsAndTruncatedSymbols) {
  const std::string text = "Fixed grids of PDF417 rows: 0123456789012345 and more text.";
  const struct {
    int maxRows, maxCols;
    bool truncated;
  } cases[] = {{10, 0, false}, {0, 5, false}, {20, 3, false}, {3, 30, false},
               {90, 1, false}, {0, 0, true},  {6, 0, true},   {0, 2, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.maxRows << "x" << c.maxCols << (c.truncated ? " truncated" : ""));
    Options o;
    o.maxRows = c.maxRows;
    o.maxCols = c.maxCols;
    o.truncated = c.truncated;
    EXPECT_EQ(Read(text, o), text);
  }
  Options truncated;
  truncated.truncated = true;
  const std::string longText = Repeated("Truncated near capacity. ", 1500);
  EXPECT_EQ(Read(longText, truncated), longText);
}

TEST_F(Pdf417Reader, GliSegments) {
  const struct {
    std::string message;
    std::string bytes;
  } cases[] = {
      {"abcdefgh~7000003abcdefg", "abcdefghabcdefg"},
      {"AB;;;~7000003;;;CD", "AB;;;;;;CD"},
      {"\x80\x81\x82~7000003\xe4\xe5\xe6\xe7\xe8\xe9", "\x80\x81\x82\xe4\xe5\xe6\xe7\xe8\xe9"},
      {"12345678901234~70000031234567890123456", "123456789012341234567890123456"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(Read(c.message), c.bytes);
  }
}

TEST_F(Pdf417Reader, MacroSegmentsReportIndexAndFileId) {
  // The reader numbers segments from 1 and shows the file ID as its three-digit codewords:
  // "FILE1" is text codewords 158 334 841.
  const struct {
    std::string message;
    std::string data;
    std::string structure;
  } cases[] = {
      {"First part~2[0][FILE1][3]", "First part", "symbol 1 of 0 (parity/id: '158334841')"},
      {"Middle part~2[1][FILE1][3][sc:3|fn:data.txt|ts:20210101|cs:1234]", "Middle part",
       "symbol 2 of 3 (parity/id: '158334841')"},
      {"Last part~2[2][FILE1][3]", "Last part", "symbol 3 of 3 (parity/id: '158334841')"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const std::string report = Report(c.message);
    EXPECT_NE(report.find("Text:       \"" + c.data + "\""), std::string::npos) << report;
    EXPECT_NE(report.find("Structured Append: " + c.structure), std::string::npos) << report;
  }
}

TEST_F(Pdf417Reader, RandomMixturesReadBack) {
  // Runs of every compaction mode and sub-mode next to each other, so that every switch
  // between them is exercised.
  const std::string pieces[] = {
      "0123456789012345678",      "123",  "ABCDE", "Ab",         "xyz", ";;;", "!", " ", ",.", "\r\n", "~", "\x80",
      "\xff\xfe\xfd\xfc\xfb\xfa", "\x01", "Q",     "mixed Case", "99"};
  std::mt19937 random(15438);
  for (int i = 0; i < 24; ++i) {
    std::string bytes;
    const int count = 1 + static_cast<int>(random() % 40);
    for (int p = 0; p < count; ++p) {
      bytes += pieces[random() % std::size(pieces)];
    }
    SCOPED_TRACE(bytes);
    Options o;
    o.level = static_cast<int>(random() % 10);
    EXPECT_EQ(Read(Escaped(bytes), o), bytes);
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib
