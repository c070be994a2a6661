// The embedded tables against the reference transcription of the standard, and the
// Reed-Solomon code and padding against the standard's arithmetic.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_command.h"
#include "symbology2d/dmtx_charsets.h"
#include "symbology2d/dmtx_reed_solomon.h"
#include "symbology2d/dmtx_symbol_packer.h"
#include "symbology2d/dmtx_symbol_size.h"

namespace brindle2::dmtxencode {
namespace {

std::vector<std::vector<std::string>> ReferenceRecords(const std::string& kind) {
  std::ifstream in(linnet::testing::SharedDir() + "/reference/datamatrix-tables.txt");
  EXPECT_TRUE(in.good());
  std::vector<std::vector<std::string>> records;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::vector<std::string> record;
    for (std::string f; fields >> f;) {
      record.push_back(f);
    }
    if (!record.empty() && record[0] == kind) {
      records.push_back(record);
    }
  }
  return records;
}

TEST(DataMatrixTables, SymbolSizesMatchTheReference) {
  const auto records = ReferenceRecords("SIZE");
  ASSERT_EQ(records.size(), static_cast<std::size_t>(kSymbolSizeCount));
  for (const auto& r : records) {
    const int index = std::stoi(r[1]);
    SCOPED_TRACE(index);
    const SymbolSize& s = SymbolSizeAt(index);
    EXPECT_EQ(s.rows, std::stoi(r[2]));
    EXPECT_EQ(s.columns, std::stoi(r[3]));
    EXPECT_EQ(s.regionRows, std::stoi(r[4]));
    EXPECT_EQ(s.regionColumns, std::stoi(r[5]));
    EXPECT_EQ(s.regionsVertical, std::stoi(r[6]));
    EXPECT_EQ(s.regionsHorizontal, std::stoi(r[7]));
    EXPECT_EQ(s.dataCodewords, std::stoi(r[8]));
    EXPECT_EQ(s.checkCodewords, std::stoi(r[9]));
    EXPECT_EQ(s.blocks, std::stoi(r[10]));
    EXPECT_EQ(s.checkCodewordsPerBlock, std::stoi(r[12]));
    // Data per block: the reference writes the uneven 144 x 144 split as "8*156+2*155".
    const std::string perBlock = s.dataCodewords % s.blocks == 0
                                     ? std::to_string(s.dataCodewords / s.blocks)
                                     : std::to_string(s.dataCodewords % s.blocks) + "*" +
                                           std::to_string(s.dataCodewords / s.blocks + 1) + "+" +
                                           std::to_string(s.blocks - s.dataCodewords % s.blocks) + "*" +
                                           std::to_string(s.dataCodewords / s.blocks);
    EXPECT_EQ(perBlock, r[11]);
    EXPECT_EQ(s.checkCodewords, s.blocks * s.checkCodewordsPerBlock);
  }
}

TEST(DataMatrixTables, C40AndTextValuesMatchTheReference) {
  for (const auto& [kind, text] : {std::pair{"C40", false}, std::pair{"TEXT", true}}) {
    const auto records = ReferenceRecords(kind);
    ASSERT_EQ(records.size(), 128U) << kind;
    for (const auto& r : records) {
      const auto byte = static_cast<std::uint8_t>(std::stoi(r[1]));
      const ShiftedValue& v = C40TextValue(text, byte);
      EXPECT_EQ(v.set, std::stoi(r[2])) << kind << " " << int{byte};
      EXPECT_EQ(v.value, std::stoi(r[3])) << kind << " " << int{byte};
    }
  }
}

TEST(DataMatrixTables, ValuesOfItems) {
  const struct {
    bool text;
    Item item;
    std::vector<std::uint8_t> values;
  } cases[] = {
      {false, 'A', {14}},          {true, 'a', {14}},
      {false, 'a', {2, 1}},  // Shift 3
      {false, '!', {1, 0}},        {false, '\x01', {0, 1}},
      {false, kFnc1Item, {1, 27}}, {false, 0xC1, {1, 30, 14}},
      {true, 0xE1, {1, 30, 14}},   {false, 0xA1, {1, 30, 1, 0}},
      {false, kEciItem, {}},       {true, EciValueItem(232), {}},
  };
  for (const auto& c : cases) {
    std::uint8_t out[4];
    const int n = C40TextValues(c.text, c.item, out);
    EXPECT_EQ(std::vector<std::uint8_t>(out, out + n), c.values) << c.item;
  }
  EXPECT_EQ(X12Value('\r'), 0);
  EXPECT_EQ(X12Value('>'), 2);
  EXPECT_EQ(X12Value('9'), 13);
  EXPECT_EQ(X12Value('Z'), 39);
  EXPECT_EQ(X12Value('a'), -1);
  EXPECT_EQ(X12Value(kFnc1Item), -1);
  EXPECT_EQ(EdifactValue('@'), 0);
  EXPECT_EQ(EdifactValue('^'), 30);
  EXPECT_FALSE(IsEdifactItem('_'));
}

std::vector<std::uint8_t> Stream(int sizeIndex, const std::vector<std::uint8_t>& data) {
  const SymbolSize& s = SymbolSizeAt(sizeIndex);
  std::vector<std::uint8_t> stream(static_cast<std::size_t>(s.dataCodewords + s.checkCodewords));
  BuildCodewordStream(sizeIndex, data, stream);
  return stream;
}

TEST(DataMatrixTables, WorkedExamplesOfTheStandard) {
  // "123456" in 10 x 10: three digit pairs and five check codewords.
  EXPECT_EQ(Stream(0, {142, 164, 186}), (std::vector<std::uint8_t>{142, 164, 186, 114, 25, 5, 88, 102}));
  // "A": the first pad is 129, the next the randomised pad of position 3.
  const auto a = Stream(0, {66});
  EXPECT_EQ(std::vector<std::uint8_t>(a.begin(), a.begin() + 3), (std::vector<std::uint8_t>{66, 129, 70}));
}

TEST(DataMatrixTables, PadIsRandomisedByPosition) {
  const auto s = Stream(8, {});
  for (int position = 2; position <= 44; ++position) {
    const int pad = 129 + (149 * position) % 253 + 1;
    EXPECT_EQ(s[static_cast<std::size_t>(position - 1)], pad <= 254 ? pad : pad - 254) << position;
  }
  EXPECT_EQ(s[0], 129);
}

// The value at 2^i of the block polynomial, highest coefficient first.
std::uint8_t Syndrome(const std::vector<std::uint8_t>& block, int i) {
  std::uint8_t x = 1;
  for (int k = 0; k < i; ++k) {
    x = GaloisMultiply(x, 2);
  }
  std::uint8_t sum = 0;
  for (const std::uint8_t c : block) {
    sum = static_cast<std::uint8_t>(GaloisMultiply(sum, x) ^ c);
  }
  return sum;
}

TEST(DataMatrixTables, EveryBlockOfEverySizeIsACodeword) {
  for (int index = 0; index < kSymbolSizeCount; ++index) {
    SCOPED_TRACE(index);
    const SymbolSize& s = SymbolSizeAt(index);
    std::vector<std::uint8_t> data;
    for (int i = 0; i < s.dataCodewords / 2; ++i) {
      data.push_back(static_cast<std::uint8_t>(i * 37 + 11));
    }
    const auto stream = Stream(index, data);
    // 144 x 144 writes the check codewords of its two shorter blocks first.
    const int slotShift = s.rows == 144 ? 2 : 0;
    for (int b = 0; b < s.blocks; ++b) {
      std::vector<std::uint8_t> block;
      for (int i = b; i < s.dataCodewords; i += s.blocks) {
        block.push_back(stream[static_cast<std::size_t>(i)]);
      }
      for (int j = 0; j < s.checkCodewordsPerBlock; ++j) {
        block.push_back(stream[static_cast<std::size_t>(s.dataCodewords + j * s.blocks + (b + slotShift) % s.blocks)]);
      }
      for (int i = 1; i <= s.checkCodewordsPerBlock; ++i) {
        ASSERT_EQ(Syndrome(block, i), 0) << "block " << b << " root " << i;
      }
    }
  }
}

TEST(DataMatrixTables, MultiplicationUsesTheFieldPolynomial) {
  EXPECT_EQ(GaloisMultiply(0x80, 2), 0x2D);  // x^8 = x^5 + x^3 + x^2 + 1
  EXPECT_EQ(GaloisMultiply(0, 0x57), 0);
  EXPECT_EQ(GaloisMultiply(1, 0x57), 0x57);
  std::uint8_t x = 1;
  for (int i = 0; i < 255; ++i) {
    x = GaloisMultiply(x, 2);
  }
  EXPECT_EQ(x, 1);  // 2 generates the multiplicative group
}

}  // namespace
}  // namespace brindle2::dmtxencode
