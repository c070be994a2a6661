#include "symbology/gtin.h"

#include <gtest/gtest.h>

#include <string>

namespace Quillon::BrindleLib {
namespace {

TEST(GtinCheckDigit, KnownNumbers) {
  const struct {
    std::string digits;
    char check;
  } cases[] = {
      {"400638133393", '1'},       // EAN-13
      {"03600029145", '2'},        // UPC-A
      {"0061414100003", '6'},      // GTIN-14
      {"10614141123456789", '7'},  // SSCC
      {"978073561967", '8'},       // Bookland
      {"55", '0'},                 // 15 + 5: already a multiple of ten
      {"", '0'},
      {"7", '9'},   // 7 x 3 = 21
      {"1x", '9'},  // a non-digit counts as 0 but keeps its weight: 1 x 1
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GtinCheckDigit(c.digits), c.check) << c.digits;
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib
