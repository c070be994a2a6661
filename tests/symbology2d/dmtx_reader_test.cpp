// Symbols read back by a real reader (zxing-cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "control/datamatrix_entry.h"
#include "platform/codepage.h"
#include "support/run_command.h"
#include "support/symbol_image.h"
#include "symbology2d/dmtx_placement.h"
#include "symbology2d/dmtx_symbol_packer.h"
#include "symbology2d/dmtx_symbol_size.h"
#include "symbology2d/dmtx_test_helpers.h"

namespace brindle2::dmtxencode {
namespace {

using linnet::testing::ModuleRows;
using testing::Encode;

struct Reading {
  bool found = false;
  std::string bytes;       // the content, ECI markers left out
  std::string eciBytes;    // the content with the symbology identifier and ECI designators
  std::string identifier;  // "]d1", "]d2" ...
  std::string structuredAppend;
  bool readerInit = false;
};

std::string HexToBytes(const std::string& hex) {
  std::string out;
  std::istringstream in(hex);
  unsigned value = 0;
  while (in >> std::hex >> value) {
    out.push_back(static_cast<char>(value));
  }
  return out;
}

std::string FieldOf(const std::string& output, const std::string& name) {
  const auto at = output.find("\n" + name);
  const auto start = at == std::string::npos ? (output.rfind(name, 0) == 0 ? 0 : std::string::npos) : at + 1;
  if (start == std::string::npos) {
    return {};
  }
  const auto end = output.find('\n', start);
  std::string value = output.substr(start + name.size(), end - start - name.size());
  value.erase(0, value.find_first_not_of(' '));
  return value;
}

Reading Read(const ModuleRows& rows) {
  static int serial = 0;
  static const std::string dir = linnet::testing::MakeTempDir();
  const std::string path = dir + "/dm" + std::to_string(serial++) + ".png";
  linnet::testing::WriteModulePng(path, rows, 4, 1, 4);
  const auto result = linnet::testing::RunCommand({"ZXingReader", "-format", "DataMatrix", path});
  std::remove(path.c_str());
  Reading r;
  const std::string& out = result.out;
  if (result.exitCode != 0 || out.find("Bytes:") == std::string::npos) {
    return r;
  }
  r.found = true;
  r.bytes = HexToBytes(FieldOf(out, "Bytes:"));
  r.eciBytes = HexToBytes(FieldOf(out, "BytesECI:"));
  r.identifier = FieldOf(out, "Identifier:");
  r.structuredAppend = FieldOf(out, "Structured Append:");
  r.readerInit = out.find("Reader Initialisation") != std::string::npos;
  return r;
}

bool Contains(const std::vector<std::uint8_t>& codewords, std::uint8_t value) {
  return std::find(codewords.begin(), codewords.end(), value) != codewords.end();
}

std::string HighBytes() {
  std::string s;
  for (int i = 128; i < 256; i += 3) {
    s.push_back(static_cast<char>(i));
  }
  return s;
}

TEST(DataMatrixReader, EverySchemeReadsBack) {
  const struct {
    const char* what;
    std::string message;
    std::string content;
    int latch;  // the latch the automatic encodation must use (0: ASCII only)
  } cases[] = {
      {"digits", "12345678901234567890", "12345678901234567890", 0},
      {"upper case (C40)", "HELLO WORLD 2024 FROM LINNET", "HELLO WORLD 2024 FROM LINNET", 230},
      {"lower case (Text)", "hello world and more lower case", "hello world and more lower case", 239},
      {"X12", "ABC*DEF>GHI*JKL>MNO*PQR\r", "ABC*DEF>GHI*JKL>MNO*PQR\r", 238},
      {"EDIFACT", "A=B;C:D?E<F=G;H:I?", "A=B;C:D?E<F=G;H:I?", 240},
      {"binary (Base 256)", HighBytes(), HighBytes(), 231},
      {"control bytes", "~@~A~B~Z", std::string("\0\1\2\32", 4), 0},
      {"decimal escapes", "~d200~d001x", "\xC8\x01x", 0},
      {"tilde", "a~~b~", "a~b~", 0},
      {"FNC1 inside", "AB~1CD",
       "AB\x1D"
       "CD",
       0},
      {"mixed", "Order 4711: 12 x WIDGET-A, 3 x widget-b; total EUR 99.50", "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto encoded = Encode(c.message);
    ASSERT_EQ(encoded.code, kOk);
    if (c.latch != 0) {
      EXPECT_TRUE(Contains(encoded.codewords, static_cast<std::uint8_t>(c.latch)));
    }
    const auto reading = Read(encoded.rows);
    ASSERT_TRUE(reading.found);
    EXPECT_EQ(reading.bytes, c.content.empty() ? c.message : c.content);
  }
}

TEST(DataMatrixReader, EveryFixedPolicyReadsBack) {
  const std::string messages[] = {
      "HELLO WORLD 123",
      "hello world abc",
      "ABC*DEF>GHI",
      "A=B;C:D?E",
      "Hello, World!",
      "12345678901234567890",
      "AB",
      "ABCD",
      "a",
      "ABCDEFGHIJKL",
      "Zz9\xE9\xFF",
      "AB~1CD",
      "~7000003\xE9xyz",
      "AAAAAAAAAAAAAA*B",
  };
  for (const auto& policy : Policies()) {
    for (const auto& message : messages) {
      SCOPED_TRACE(std::string(policy.name) + ": " + message);
      const auto encoded = Encode(message, kSquaresFirst, std::string(policy.name).c_str());
      if (encoded.code != kOk) {
        EXPECT_EQ(encoded.code, kNoProgress);  // a fixed scheme that cannot take the data
        continue;
      }
      const auto reading = Read(encoded.rows);
      ASSERT_TRUE(reading.found);
      std::string expected;
      for (std::size_t i = 0; i < message.size(); ++i) {
        if (message.compare(i, 2, "~1") == 0) {
          expected.push_back('\x1D');
          ++i;
        } else if (message.compare(i, 8, "~7000003") == 0) {
          i += 7;
        } else {
          expected.push_back(message[i]);
        }
      }
      EXPECT_EQ(reading.bytes, expected);
    }
  }
}

TEST(DataMatrixReader, HeaderFunctions) {
  {
    const auto reading = Read(Encode("~101012345678901281517251231").rows);
    EXPECT_EQ(reading.identifier, "]d2");
    EXPECT_EQ(reading.bytes, "01012345678901281517251231");
  }
  {
    const auto reading = Read(Encode("~2[2][300][3]ABC").rows);
    EXPECT_EQ(reading.structuredAppend, "symbol 2 of 3 (parity/id: '300')");
    EXPECT_EQ(reading.bytes, "ABC");
  }
  {
    const auto reading = Read(Encode("~3hello").rows);
    EXPECT_TRUE(reading.readerInit);
    EXPECT_EQ(reading.bytes, "hello");
  }
  {
    EXPECT_EQ(Read(Encode("~5ABC").rows).bytes,
              "[)>\x1E"
              "05\x1D"
              "ABC\x1E\x04");
    EXPECT_EQ(Read(Encode("~6ABC").rows).bytes,
              "[)>\x1E"
              "06\x1D"
              "ABC\x1E\x04");
  }
}

TEST(DataMatrixReader, EciDesignatorsInAllThreeRanges) {
  const struct {
    std::string message;
    std::string eciBytes;
  } cases[] = {
      {"~7000003~d233abc",
       "]d4\\000003\xE9"
       "abc"},
      {"~7000900HELLO WORLD HELLO", "]d4\\000900HELLO WORLD HELLO"},
      {"~7016383xyz", "]d4\\016383xyz"},
      {"~7123456xyz", "]d4\\123456xyz"},
      {"~7999999xyz", "]d4\\999999xyz"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const auto reading = Read(Encode(c.message).rows);
    ASSERT_TRUE(reading.found);
    EXPECT_EQ(reading.eciBytes, c.eciBytes);
  }
}

TEST(DataMatrixReader, EverySizeFixedByTheControlProperty) {
  // The property's 0 is automatic (10 x 10 for a short message), 30 is 12 x 12; the others
  // are size indices.
  for (int property = 0; property <= 30; ++property) {
    SCOPED_TRACE(property);
    const auto rows = linnet::EncodeDataMatrix(u"A1B", property);
    const int index = property == 0 ? 0 : linnet::DataMatrixSizeOption(property);
    const SymbolSize& size = SymbolSizeAt(index);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(size.rows));
    ASSERT_EQ(rows[0].size(), static_cast<std::size_t>(size.columns));
    EXPECT_EQ(Read(rows).bytes, "A1B");
  }
}

TEST(DataMatrixReader, LargestSymbolAtCapacity) {
  const struct {
    const char* what;
    std::string message;
  } cases[] = {
      {"3116 digits", std::string(3116, '7')},
      {"2334 upper case", std::string(2334, 'Q')},
      {"1555 bytes", std::string(1555, '\xA5')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto encoded = Encode(c.message);
    ASSERT_EQ(encoded.code, kOk);
    EXPECT_EQ(encoded.size, 23);
    EXPECT_EQ(Read(encoded.rows).bytes, c.message);
  }
}

TEST(DataMatrixReader, RectangularSizesFirst) {
  for (const char* message : {"AB", "HELLO WORLD", "hello world, hello world", "0123456789012345678901234567890123"}) {
    SCOPED_TRACE(message);
    const auto encoded = Encode(message, kRectanglesFirst);
    ASSERT_EQ(encoded.code, kOk);
    EXPECT_TRUE(IsRectangularSize(encoded.size));
    EXPECT_EQ(Read(encoded.rows).bytes, message);
  }
}

}  // namespace
}  // namespace brindle2::dmtxencode
