#include "symbology/rss_limited.h"

#include <gtest/gtest.h>

#include <random>

#include "support/databar_rows.h"

namespace Quillon::BrindleLib {
namespace {

using linnet::testing::ModuleCount;
using linnet::testing::WidthsFromModules;

struct Encoded {
  std::string pattern, text;
};

Encoded Encode(const std::string& message) {
  Encoded e{"stale", "stale"};
  EXPECT_NE(CRSSLimitedEncoder().Encode(message, e.pattern, e.text), 0);
  return e;
}

TEST(RSSLimited, StandardWorkedExamples) {
  // Module rows of the published example symbols, guards included, without the clear area.
  const struct {
    std::string message, modules, text;
  } cases[] = {
      {"1501234567890", "01000110011000110110101001110100101011010011010010010110001101110011001101",
       "(01) 1 5012345 67890 7"},
      {"0031234567890", "01010100000100100010000101110010101101101001010110000010100100101100000101",
       "(01) 0 0312345 67890 6"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const auto e = Encode(c.message);
    EXPECT_EQ(e.pattern, WidthsFromModules(c.modules));
    EXPECT_EQ(e.text, c.text);
  }
}

TEST(RSSLimited, IndicatorDigitMustBeZeroOrOne) {
  const struct {
    std::string message;
    bool valid;
  } cases[] = {{"1501234567890", true},
               {"0501234567890", true},
               {"2501234567890", false},
               {"(01)9", true} /* the AI digits are data */,
               {"3", false},
               {"", true},
               {"x1", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    if (c.valid) {
      EXPECT_NO_THROW(CRSSLimitedEncoder().Validate(c.message));
      continue;
    }
    try {
      CRSSLimitedEncoder().Validate(c.message);
      ADD_FAILURE() << "accepted";
    } catch (const invalid_character_error& e) {
      EXPECT_EQ(e.code, 1);
      EXPECT_EQ(e.message,
                "A character that the current symbology can not encode was found in the data to be encoded.");
    }
  }
  // Encoding anyway repairs the indicator to 0.
  const auto repaired = Encode("2501234567890");
  EXPECT_EQ(repaired.pattern, Encode("0501234567890").pattern);
  EXPECT_EQ(repaired.text, "(01) 0 5012345 67890 0");
}

TEST(RSSLimited, EveryMessageGivesAWellFormedSymbol) {
  std::mt19937 random(37);
  std::vector<std::string> messages = {"1999999999999", "0000002013570", "0000002013571", "9999999999999"};
  for (int i = 0; i < 300; ++i) {
    std::string m(random() % 40, '\0');
    for (char& c : m) {
      c = static_cast<char>(random() % 256);
    }
    messages.push_back(m);
  }
  for (const auto& m : messages) {
    const auto e = Encode(m);
    ASSERT_EQ(e.pattern.size(), 46U) << m;
    EXPECT_EQ(ModuleCount(e.pattern), 74) << m;
    EXPECT_EQ(e.pattern.substr(0, 2), "11");
    EXPECT_EQ(e.pattern.substr(44), "11");
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib
