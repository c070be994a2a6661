// Check codewords over GF(64) and the symbol's codeword order, verified with field
// arithmetic of the test's own: every block must be a codeword of the generator, that is,
// vanish at alpha^1 .. alpha^n.
#include "symbology2d/maxicode_codeword_blocks.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "symbology/barlib_error.h"
#include "symbology2d/maxicode_reed_solomon.h"

namespace Quillon::BrindleLib::maxicode {
namespace {

// Shift-and-add product modulo x^6 + x + 1.
int Multiply(int a, int b) {
  int product = 0;
  for (int i = 0; i < 6; ++i) {
    if ((b >> i) & 1) {
      product ^= a << i;
    }
  }
  for (int bit = 11; bit >= 6; --bit) {
    if ((product >> bit) & 1) {
      product ^= 0x43 << (bit - 6);
    }
  }
  return product;
}

int Alpha(int exponent) {
  int value = 1;
  for (int i = 0; i < exponent; ++i) {
    value = Multiply(value, 2);
  }
  return value;
}

// The block (data then check, highest order first) evaluated at alpha^1..alpha^n.
bool VanishesAtRoots(const std::vector<int>& block, int n) {
  for (int root = 1; root <= n; ++root) {
    const int x = Alpha(root);
    int value = 0;
    for (const int c : block) {
      value = Multiply(value, x) ^ c;
    }
    if (value != 0) {
      return false;
    }
  }
  return true;
}

TEST(MaxiCodeReedSolomon, FieldIsPrimitive) {
  EXPECT_EQ(Alpha(63), 1);
  for (int e = 1; e < 63; ++e) {
    EXPECT_NE(Alpha(e), 1) << e;
  }
}

TEST(MaxiCodeReedSolomon, CheckCodewordsMakeCodewordsOfTheGenerator) {
  std::mt19937 random(7);
  for (const auto& [dataSize, checkSize] : {std::pair{10, 10}, {42, 20}, {34, 28}, {1, 10}}) {
    for (int trial = 0; trial < 20; ++trial) {
      std::vector<std::uint8_t> data(static_cast<size_t>(dataSize));
      for (auto& d : data) {
        d = static_cast<std::uint8_t>(random() % 64);
      }
      std::vector<std::uint8_t> check(static_cast<size_t>(checkSize));
      ReedSolomonCheck(data, check);
      std::vector<int> block(data.begin(), data.end());
      block.insert(block.end(), check.begin(), check.end());
      EXPECT_TRUE(VanishesAtRoots(block, checkSize)) << dataSize << "+" << checkSize;
    }
  }
  std::vector<std::uint8_t> zeros(10);
  std::vector<std::uint8_t> check(10, 99);
  ReedSolomonCheck(zeros, check);
  EXPECT_EQ(check, std::vector<std::uint8_t>(10, 0));
}

TEST(MaxiCodeCodewordBlocks, CapacityEdges) {
  struct Case {
    int mode;
    size_t size;
    bool fits;
  };
  const Case cases[] = {{2, 94, true}, {2, 95, false}, {3, 94, true}, {4, 94, true},  {4, 95, false},
                        {6, 94, true}, {6, 95, false}, {5, 78, true}, {5, 79, false}, {5, 0, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", " << c.size << " codewords");
    const Codewords data(c.size, 1);
    if (c.fits) {
      EXPECT_NO_THROW(FinishMaxiCode(data, c.mode));
      continue;
    }
    try {
      FinishMaxiCode(data, c.mode);
      ADD_FAILURE() << "no error";
    } catch (const out_of_capacity_error& e) {
      EXPECT_EQ(e.code, 210);
      EXPECT_EQ(e.message,
                "Data is too big to be encoded with the current symbology. Reduce the data, or reduce the security "
                "level if permitted.");
    }
  }
}

// Primary data and check, secondary data in order, then the two halves' check codewords
// alternating; padding with 33.
TEST(MaxiCodeCodewordBlocks, OrderAndInterleaving) {
  for (const auto& [mode, secondaryData, halfCheck] : {std::tuple{4, 84, 20}, {5, 68, 28}}) {
    SCOPED_TRACE(mode);
    Codewords data;
    for (int i = 0; i < 50; ++i) {
      data.push_back(static_cast<std::uint8_t>((i * 7 + 3) % 64));
    }
    const SymbolCodewords symbol = FinishMaxiCode(data, mode);
    std::vector<int> primary(symbol.begin(), symbol.begin() + 20);
    EXPECT_TRUE(VanishesAtRoots(primary, 10));
    for (size_t i = 0; i < 10 + static_cast<size_t>(secondaryData); ++i) {
      const int expected = i < data.size() ? data[i] : 33;
      EXPECT_EQ(symbol[i < 10 ? i : i + 10], expected) << i;
    }
    for (int half = 0; half < 2; ++half) {
      std::vector<int> block;
      for (size_t i = 20 + static_cast<size_t>(half); i < symbol.size(); i += 2) {
        block.push_back(symbol[i]);
      }
      EXPECT_EQ(block.size(), static_cast<size_t>(secondaryData / 2 + halfCheck));
      EXPECT_TRUE(VanishesAtRoots(block, halfCheck)) << half;
    }
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib::maxicode
