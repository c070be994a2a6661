// The embedded code set table and module grid, checked cell by cell against the reference
// transcriptions of the standard.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_command.h"
#include "symbology2d/maxicode_code_sets.h"
#include "symbology2d/maxicode_grid.h"

namespace Quillon::BrindleLib::maxicode {
namespace {

std::vector<std::vector<std::string>> ReferenceRecords(const std::string& file) {
  std::ifstream in(linnet::testing::SharedDir() + "/reference/" + file);
  EXPECT_TRUE(in.good()) << file;
  std::vector<std::vector<std::string>> records;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') {
      continue;
    }
    std::istringstream fields(line);
    std::vector<std::string> record;
    for (std::string f; fields >> f;) {
      record.push_back(f);
    }
    records.push_back(record);
  }
  return records;
}

TEST(MaxiCodeTables, CodeSetsMatchTheReference) {
  const std::map<std::string, int> functions = {
      {"ECI", kEci},           {"NS", kNumericShift},     {"PAD", kPad},       {"SHIFTA", kShiftA},
      {"SHIFTB", kShiftB},     {"SHIFTC", kShiftC},       {"SHIFTD", kShiftD}, {"SHIFTE", kShiftE},
      {"2SHIFTA", kTwoShiftA}, {"3SHIFTA", kThreeShiftA}, {"LATCHA", kLatchA}, {"LATCHB", kLatchB},
      {"LOCKC", kLockC},       {"LOCKD", kLockD},         {"LOCKE", kLockE}};
  const auto records = ReferenceRecords("maxicode-charsets.txt");
  ASSERT_EQ(records.size(), 64U);
  for (const auto& record : records) {
    ASSERT_EQ(record.size(), 6U);
    const int value = std::stoi(record[0]);
    for (int set = 0; set < kCodeSetCount; ++set) {
      const std::string& cell = record[static_cast<size_t>(set) + 1];
      const int expected = functions.count(cell) != 0 ? functions.at(cell) : std::stoi(cell);
      EXPECT_EQ(CodeSetTable()[static_cast<size_t>(value)][static_cast<size_t>(set)], expected)
          << "value " << value << " set " << set;
    }
  }
}

TEST(MaxiCodeTables, EveryByteLiesInSomeSetAndLooksUpBack) {
  for (int byte = 0; byte < 256; ++byte) {
    bool found = false;
    for (int set = 0; set < kCodeSetCount; ++set) {
      const int value = ValueInSet(set, static_cast<unsigned char>(byte));
      if (value >= 0) {
        found = true;
        EXPECT_EQ(CodeSetTable()[static_cast<size_t>(value)][static_cast<size_t>(set)], byte);
      }
    }
    EXPECT_TRUE(found) << byte;
  }
}

TEST(MaxiCodeTables, SwitchValues) {
  struct Case {
    int set;
    CodeSetFunction function;
    int value;
  };
  const Case cases[] = {
      {kSetA, kShiftB, 59},    {kSetA, kLatchB, 63},      {kSetA, kShiftC, 60}, {kSetA, kShiftE, 62},
      {kSetB, kTwoShiftA, 56}, {kSetB, kThreeShiftA, 57}, {kSetB, kShiftA, 59}, {kSetB, kLatchA, 63},
      {kSetC, kLatchA, 58},    {kSetD, kLatchB, 63},      {kSetE, kLockE, 62},  {kSetC, kShiftA, -1},
      {kSetB, kPad, 33},       {kSetE, kPad, 28},         {kSetD, kEci, 27},    {kSetE, kNumericShift, 31},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FunctionValue(c.set, c.function), c.value) << c.set << " " << c.function;
  }
  for (int set = 0; set < kCodeSetCount; ++set) {
    EXPECT_EQ(FunctionValue(set, kEci), kEciCodeword);
    EXPECT_EQ(FunctionValue(set, kNumericShift), kNumericShiftCodeword);
  }
  EXPECT_EQ(FunctionValue(kSetA, kPad), kPadCodeword);
  EXPECT_EQ(ShiftValue(kSetA, kSetD), 61);
  EXPECT_EQ(ShiftValue(kSetD, kSetD), 61);  // the lock-in value
  EXPECT_EQ(ShiftValue(kSetE, kSetC), 60);
}

TEST(MaxiCodeTables, GridMatchesTheReference) {
  const auto records = ReferenceRecords("maxicode-grid.txt");
  ASSERT_EQ(records.size(), 990U);
  const std::map<std::string, int> kinds = {
      {"O1", kFixedDark}, {"F1", kFixedDark}, {"O0", kFixedLight}, {"C", kCentre}, {"X", kAbsent}};
  for (const auto& record : records) {
    ASSERT_EQ(record.size(), 5U);
    const int row = std::stoi(record[0]);
    const int col = std::stoi(record[1]);
    const int expected =
        record[2] == "D" ? 6 * (std::stoi(record[3]) - 1) + std::stoi(record[4]) - 1 : kinds.at(record[2]);
    EXPECT_EQ(ModuleGrid()[static_cast<size_t>(row)][static_cast<size_t>(col)], expected) << row << "," << col;
  }
}

// Each bit of each codeword lands on exactly its module of the reference map.
TEST(MaxiCodeTables, LayoutPlacesEveryBitOnItsModule) {
  const auto records = ReferenceRecords("maxicode-grid.txt");
  SymbolCodewords none{};
  const auto blank = LayOutMaxiCode(none);
  ASSERT_EQ(blank.size(), 33U);
  int fixedDark = 0;
  for (size_t r = 0; r < blank.size(); ++r) {
    EXPECT_EQ(blank[r].size(), r % 2 == 0 ? 30U : 29U) << r;
    fixedDark += static_cast<int>(std::count(blank[r].begin(), blank[r].end(), '1'));
  }
  EXPECT_EQ(fixedDark, 13);
  EXPECT_EQ(blank[0].substr(28), "11");
  for (const auto& record : records) {
    if (record[2] != "D") {
      continue;
    }
    SymbolCodewords one{};
    const int codeword = std::stoi(record[3]);
    const int bit = std::stoi(record[4]);
    one[static_cast<size_t>(codeword - 1)] = static_cast<std::uint8_t>(1 << (6 - bit));
    auto rows = LayOutMaxiCode(one);
    const auto row = static_cast<size_t>(std::stoi(record[0]));
    const auto col = static_cast<size_t>(std::stoi(record[1]));
    EXPECT_EQ(rows[row][col], '1') << codeword << "." << bit;
    rows[row][col] = '0';
    EXPECT_EQ(rows, blank) << codeword << "." << bit;
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib::maxicode
