#include "symbology/codabar.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_command.h"
#include "support/symbol_image.h"
#include "symbology/linear_reference.h"
#include "symbology/validation_expectations.h"

namespace Quillon::BrindleLib {
namespace {

std::string PatternsOf(const std::string& characters) {
  std::string p;
  for (const char c : characters) {
    p += CodabarPattern(static_cast<unsigned char>(c));
  }
  return p;
}

TEST(Codabar, FramingWithStartAndStopLetters) {
  const struct {
    std::string message;
    std::string encoded;  // also the text: the start and stop letters are part of it
  } cases[] = {
      {"12345", "A12345B"},
      {"c123d", "C123D"},
      {"C123", "C123B"},
      {"123d", "A123D"},
      {"a-$:/.+b", "A-$:/.+B"},
      {"B", "BB"},  // a lone letter is the start; it still gets a stop
      {"", "AB"},
      {"1e2", "A12B"},  // bypassing Validate: what cannot be encoded is dropped
      {"12E", "A12B"},
      {std::string("D1\0"
                   "2",
                   4),
       "D1B"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    std::string pattern = "stale";
    std::string text = "stale";
    EXPECT_NE(CCodabarSymbol().Encode(c.message, pattern, text), 0);
    EXPECT_EQ(pattern, PatternsOf(c.encoded));
    EXPECT_EQ(text, c.encoded);
  }
}

TEST(Codabar, TableMatchesTheStandard) {
  const auto records = linnet::testing::LinearReference("CODABAR");
  ASSERT_EQ(records.size(), 20U);
  for (const auto& r : records) {
    EXPECT_EQ(CodabarPattern(static_cast<unsigned char>(r[0][0])), linnet::testing::UpperNarrowWide(r[2] + "n"))
        << r[0];
  }
  EXPECT_EQ(CodabarPattern('0'), "NNNNNWWN");
  EXPECT_EQ(CodabarPattern('a'), "");  // upper-casing happens before the lookup
}

TEST(Codabar, ValidateAcceptsTheCodabarSet) {
  const struct {
    std::string message;
    char rejected;
  } cases[] = {{"a0123456789-$:/.+d", 0}, {"ABCDabcd", 0}, {"12E4", 'E'}, {"1 2", ' '}, {"e", 'e'}};
  for (const auto& c : cases) {
    linnet::testing::ExpectValidation(CCodabarSymbol(), c.message, c.rejected);
  }
}

TEST(Codabar, ReadersDecodeTheSymbols) {
  const auto dir = linnet::testing::MakeTempDir();
  const auto path = dir + "/codabar.png";
  for (const std::string message : {"12345", "C31-$:/.+D", "a40156b"}) {
    SCOPED_TRACE(message);
    std::string pattern;
    std::string text;
    CCodabarSymbol().Encode(message, pattern, text);
    linnet::testing::WriteLinearPng(path, linnet::testing::ModulesFromNarrowWide(pattern));
    // zbar reports the start and stop letters with the data, zxing only the data.
    EXPECT_EQ(linnet::testing::ZxingRead(path, "Codabar"), text.substr(1, text.size() - 2));
    EXPECT_EQ(linnet::testing::ZbarRead(path), "Codabar:" + text);
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace Quillon::BrindleLib
