#include "symbology/ai_table.h"

#include <gtest/gtest.h>

#include <string>

namespace Quillon::BrindleLib {
namespace {

TEST(AiTable, LookupFindsTheFirstMatchingRecord) {
  const struct {
    std::string ai;
    const char* key;  // nullptr: not in the table
  } cases[] = {
      {"00", "00"},
      {"01", "01"},
      {"10", "10"},
      {"3103", "3[1-6][0-9][0-9]"},
      {"3692", "3[1-6][0-9][0-9]"},
      {"3370", "3[1-6][0-9][0-9]"},  // the general measure record comes first
      {"3900", "390[0-9]"},
      {"3932", "393[0-9]"},
      {"7003", "7003"},
      {"7030", "703[0-9]"},
      {"8018", "8018"},
      {"90", "90"},
      {"91", "9[1-9]"},
      {"99", "9[1-9]"},
      {"4300", nullptr},
      {"3", nullptr},
      {"31030", nullptr},  // the pattern must match the whole AI
      {"310", nullptr},
      {"9", nullptr},
      {"", nullptr},
      {"0A", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ai);
    const AiRecord* record = FindAiRecord(c.ai);
    if (c.key == nullptr) {
      EXPECT_EQ(record, nullptr);
    } else {
      ASSERT_NE(record, nullptr);
      EXPECT_STREQ(record->key, c.key);
    }
  }
}

TEST(AiTable, RecordsAreConsistent) {
  ASSERT_EQ(AiTable().size(), 64U);
  int checkDigitRecords = 0;
  for (const AiRecord& r : AiTable()) {
    SCOPED_TRACE(r.key);
    if (r.IsFixedLength()) {
      EXPECT_GT(r.minLength, 1);
    } else {
      EXPECT_GE(r.minLength, 0);
      EXPECT_GE(r.maxLength, r.minLength);
    }
    if (r.checkDigit != 0) {
      ++checkDigitRecords;
      EXPECT_TRUE(r.IsFixedLength());
      EXPECT_EQ(r.characters, kAiNumeric);
    }
    EXPECT_NE(std::string(r.title), "");
    // Every exact key finds its own record.
    if (r.match == kAiExactKey) {
      EXPECT_EQ(FindAiRecord(r.key), &r);
    }
  }
  EXPECT_EQ(checkDigitRecords, 10);  // 00, 01, 02, 410-415, 8018
}

TEST(AiTable, PredefinedLengthList) {
  const struct {
    std::string ai;
    bool predefined;
  } cases[] = {
      {"00", true},    {"01", true},    {"04", true},    {"05", false}, {"10", false},  {"11", true},
      {"17", true},    {"20", true},    {"21", false},   {"23", true},  {"3103", true}, {"3370", true},
      {"37", false},   {"3922", false}, {"402", false},  {"410", true}, {"415", true},  {"422", false},
      {"7001", false}, {"8018", false}, {"8102", false}, {"0", false},  {"", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HasPredefinedLength(c.ai), c.predefined) << c.ai;
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib
