// The carrier message prefix and the primary message of modes 2 and 3.
#include "symbology2d/maxicode_primary.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "symbology/barlib_error.h"
#include "symbology2d/maxicode_carrier.h"

namespace Quillon::BrindleLib::maxicode {
namespace {

const std::string kPrefix =
    "[)>\x1e"
    "01\x1d";
const std::string GS = "\x1d";

struct PrimaryCase {
  int mode;
  int country;
  int serviceClass;
  std::string postalCode;
  std::optional<PrimaryMessage> expected;  // nothing: fails with `code`
  int code;
};

TEST(MaxiCodePrimary, LayoutAndChecks) {
  const PrimaryCase cases[] = {
      {2, 840, 1, "152382802", PrimaryMessage{34, 20, 45, 20, 17, 18, 2, 18, 7, 0}, 0},
      {2, 0, 0, "", PrimaryMessage{2, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0},
      {2, 999, 999, "999999999", PrimaryMessage{50, 63, 9, 43, 57, 30, 50, 57, 31, 62}, 0},
      {3, 1, 1, "B01056", PrimaryMessage{35, 29, 13, 28, 12, 44, 16, 0, 4, 0}, 0},
      {3, 826, 1, "ab1", PrimaryMessage{3, 8, 8, 24, 44, 16, 32, 14, 7, 0}, 0},
      {3, 826, 1, "AB1   ", PrimaryMessage{3, 8, 8, 24, 44, 16, 32, 14, 7, 0}, 0},
      {3, 826, 1, "AB1   !~", PrimaryMessage{3, 8, 8, 24, 44, 16, 32, 14, 7, 0}, 0},  // only six count
      {2, 1, 1, "1234567890", std::nullopt, 201},
      {2, 1, 1, "12A45", std::nullopt, 201},
      {2, 1, 1, "123 5", std::nullopt, 201},
      {3, 1, 1, "AB!", std::nullopt, 201},
      {3, 1, 1, "AB\x01", std::nullopt, 201},
      {3, 1, 1, "ABCDEF\x7f", std::nullopt, 201},
      {3, 1, 1, "\xc9", std::nullopt, 201},
      {2, 1, 1000, "1", std::nullopt, 203},
      {2, 1, -1, "1", std::nullopt, 203},
      {2, 1000, 1, "1", std::nullopt, 202},
      {2, -5, 1, "1", std::nullopt, 202},
      {2, 1000, 1000, "X", std::nullopt, 203},  // class is checked first, the postal code last
      {3, 1000, 1, "!", std::nullopt, 202},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " " << c.country << " " << c.serviceClass << " "
                                    << testing::PrintToString(c.postalCode));
    if (c.expected) {
      EXPECT_EQ(BuildPrimaryMessage(c.mode, c.country, c.serviceClass, c.postalCode), *c.expected);
      continue;
    }
    try {
      BuildPrimaryMessage(c.mode, c.country, c.serviceClass, c.postalCode);
      ADD_FAILURE() << "no error";
    } catch (const invalid_carrier_message_format_error& e) {
      EXPECT_EQ(e.code, c.code);
    }
  }
}

struct CarrierCase {
  std::string message;
  std::string postalCode;
  int country;
  int serviceClass;
  std::string rest;
};

TEST(MaxiCodeCarrier, Fields) {
  const CarrierCase cases[] = {
      {kPrefix + "96152382802" + GS + "840" + GS + "001" + GS + "1Z00004951" + GS + "UPSN", "152382802", 840, 1,
       "1Z00004951" + GS + "UPSN"},
      {kPrefix + "99" + GS + "12345" + GS + GS + "840" + GS + "001" + GS + "rest", "12345", 840, 1, "rest"},
      {kPrefix + "0012345" + GS + "840" + GS + "7", "12345", 840, 7, ""},
      {kPrefix + "0012345" + GS + "840" + GS + "7" + GS, "12345", 840, 7, ""},
      // Only the separator closing the class of service goes; an empty field after it stays.
      {kPrefix + "00A" + GS + "0840" + GS + "007" + GS + GS + "Y" + GS, "A", 840, 7, GS + "Y" + GS},
      {kPrefix + "00A" + GS + "0000000000000000000001" + GS + "123456789012", "A", 1, 1000, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.message));
    ASSERT_TRUE(StartsWithCarrierPrefix(c.message));
    const CarrierFields fields = SplitCarrierMessage(c.message);
    EXPECT_EQ(fields.postalCode, c.postalCode);
    EXPECT_EQ(fields.country, c.country);
    EXPECT_EQ(fields.serviceClass, c.serviceClass);
    EXPECT_EQ(fields.rest, c.rest);
  }
  EXPECT_FALSE(
      StartsWithCarrierPrefix("[)>\x1e"
                              "01"));
  EXPECT_FALSE(
      StartsWithCarrierPrefix("[)>\x1e"
                              "02\x1d"
                              "96"));
}

TEST(MaxiCodeCarrier, Failures) {
  const std::pair<std::string, int> cases[] = {
      {kPrefix + "9X12345" + GS + "840" + GS + "001", 204},
      {kPrefix + "X912345" + GS + "840" + GS + "001", 204},
      {kPrefix, 204},
      {kPrefix + "9", 204},
      {kPrefix + "96", 200},
      {kPrefix + "9612345" + GS + "840", 200},
      {kPrefix + "9612345" + GS + "840" + GS + GS, 200},
      {kPrefix + "9612345" + GS + "84O" + GS + "001", 202},
      {kPrefix + "9612345" + GS + "-1" + GS + "001", 202},
      {kPrefix + "9612345" + GS + "840" + GS + "0 1", 203},
      {kPrefix + "9612345" + GS + "8 0" + GS + "x", 202},
  };
  for (const auto& [message, code] : cases) {
    SCOPED_TRACE(testing::PrintToString(message));
    try {
      SplitCarrierMessage(message);
      ADD_FAILURE() << "no error";
    } catch (const invalid_carrier_message_format_error& e) {
      EXPECT_EQ(e.code, code);
    }
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib::maxicode
