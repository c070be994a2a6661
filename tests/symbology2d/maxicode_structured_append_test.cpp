#include "symbology2d/maxicode_structured_append.h"

#include <gtest/gtest.h>

#include <string>

#include "symbology/barlib_error.h"

namespace Quillon::BrindleLib::maxicode {
namespace {

TEST(MaxiCodeStructuredAppend, BlockIsTheTextFromTheFirstMarker) {
  const std::array<std::array<std::string, 3>, 6> cases = {{
      {"abc~2[1][2]", "abc", "~2[1][2]"},
      {"~2[1][2]", "", "~2[1][2]"},
      {"a~2[1][2]~2[2][2]", "a", "~2[1][2]~2[2][2]"},
      {"a~~2[1][2]", "a~~2[1][2]", ""},  // an escaped tilde followed by a 2 is data
      {"~~~2[1][2]", "~~", "~2[1][2]"},
      {"no block~", "no block~", ""},
  }};
  for (const auto& [text, data, block] : cases) {
    SCOPED_TRACE(text);
    const auto split = SplitStructuredAppend(text);
    EXPECT_EQ(split.data, data);
    EXPECT_EQ(split.block, block);
  }
}

TEST(MaxiCodeStructuredAppend, Codewords) {
  const std::pair<std::string, Codewords> cases[] = {
      {"~2[1][2]", {33, 1}},
      {"~2[2][3]", {33, 10}},
      {"~2[8][8]", {33, 63}},
      {"~2[1][1]", {33, 0}},
      {"~2[01][002]", {33, 1}},
      {"~2[[1]][2]", {33, 1}},
      {"~2[0000000000000003][4]", {33, 19}},
  };
  for (const auto& [block, expected] : cases) {
    SCOPED_TRACE(block);
    EXPECT_EQ(EncodeStructuredAppend(block), expected);
  }
}

TEST(MaxiCodeStructuredAppend, Failures) {
  const std::pair<std::string, int> cases[] = {
      {"~2", 50},
      {"~2[]", 50},
      {"~2[][]", 50},
      {"~2x[1][2]", 51},
      {"~2 [1][2]", 51},
      {"~2[0][2]", 52},
      {"~2[9][9]", 52},
      {"~2[a][2]", 52},
      {"~2[3][2]", 52},
      {"~2[-1][2]", 52},
      {"~2[1]", 53},
      {"~2[1][9]", 53},
      {"~2[1][0]", 53},
      {"~2[1][b]", 53},
      {"~2[1][ 2]", 53},
      {"~2[99999999999999999999][2]", 52},
      // Nothing may follow the block: that text would be lost.
      {"~2[1][2][more]", 50},
      {"~2[1][2]more", 50},
      {"~2[1][2]~2[2][2]", 50},
  };
  for (const auto& [block, code] : cases) {
    SCOPED_TRACE(block);
    try {
      EncodeStructuredAppend(block);
      ADD_FAILURE() << "no error";
    } catch (const invalid_structuralappend_format_error& e) {
      EXPECT_EQ(e.code, code);
      EXPECT_FALSE(e.message.empty());
    }
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib::maxicode
