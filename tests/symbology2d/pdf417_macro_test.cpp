// Macro PDF417 control blocks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "symbology2d/pdf417_encoder.h"

namespace Quillon::BrindleLib {
namespace {

using Stream = std::vector<std::uint16_t>;

Stream Encode(const std::string& message) {
  Stream stream;
  CPDF417Encoder2::CDataEncodationBuilder().EncodeMessage(message.data(), message.size(), stream);
  return stream;
}

TEST(Pdf417Macro, ControlBlocks) {
  const struct {
    std::string message;
    Stream stream;  // position 0 stays 0 until the grid is known
  } cases[] = {
      {"~2[0][ID][1]", {0, 928, 111, 100, 901, 73, 68, 922}},
      {"~2[99998][ID][99999]", {0, 928, 222, 198, 901, 73, 68, 922}},
      // The index keeps its last five digits; the file ID is compacted like data.
      {"~2[123456][FILE1][99999]", {0, 928, 137, 156, 158, 334, 841}},
      {"~2[0][][ID]][[1]", {0, 928, 111, 100, 901, 73, 68, 922}},
      {"~2[0][ID][99999999999999999999]", {0, 928, 111, 100, 901, 73, 68}},
      {"~2[0][ID][1][][x][y]", {0, 928, 111, 100, 901, 73, 68, 922}},
      {"~2[0][ID][2][FN:a.txt|ts:20210101|x]",
       {0, 928, 111, 100, 901, 73, 68, 923, 0, 810, 857, 829, 709, 923, 2, 137, 181, 666, 701}},
      // Designator order, the last of a name wins, values trimmed, names of any case.
      {"~2[0][ID][2][ts:1|sd: Bob |filename:b|FN:A|cs:42|sc:12|fs:1234|ad:Z|zz:9|sc]",
       {0,   928, 111, 100, 901, 73,  68,  923, 0,   29,  923, 1,  111, 112, 923, 2,   137, 156,
        711, 101, 923, 3,   57,  421, 923, 4,   779, 923, 5,   12, 434, 923, 6,   111, 142}},
      {"~2[0][ID][1][fn:]", {0, 928, 111, 100, 901, 73, 68, 923, 0, 922}},
      // Data before the block is compacted first; the block ends the message.
      {"AB~2[0][A][1]tail", {0, 901, 65, 66, 928, 111, 100, 913, 65, 922}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(Encode(c.message), c.stream);
  }
}

TEST(Pdf417Macro, Failures) {
  const struct {
    std::string message;
    int code;
  } cases[] = {
      {"~2", 20},
      {"~2[0]", 20},
      {"~2[][0]", 20},
      {"~2abc[0][ID][1]", 21},
      {"~2 [0][ID][1]", 21},
      {"~2[x][ID][1]", 22},
      {"~2[-1][ID][1]", 22},
      {"~2[0][ID][1x]", 23},
      {"~2[1][ID][1]", 23},
      {"~2[0][ID]", 23},
      {"~2[5][ID][3]", 23},
      {"~2[0][ID][00]", 23},
      {"~2[0][ID][2][sc:1a]", 24},
      {"~2[0][ID][2][ts:x]", 24},
      {"~2[0][ID][2][cs:1 2]", 24},
      {"~2[0][ID][2][fs:]", 24},  // a file size without digits
      {"~2[0][ID][2][fn:caf\xe9]", 24},
      {"~2[0][ID][2][sd:a\x01]", 24},
      {"~2[0][ID][0][sc:x]", 24},  // fields are checked before the count against the index
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    try {
      Encode(c.message);
      ADD_FAILURE() << "no failure";
    } catch (const invalid_macropdf417_format_error& e) {
      EXPECT_EQ(e.code, c.code);
    }
  }
}

TEST(Pdf417Macro, FailureMessages) {
  const struct {
    std::string message;
    std::string text;
  } cases[] = {
      {"~2[0]", "A required MacroPDF417 field is not present in the message."},
      {"~2x[0][ID][1]", "No control block was found in the message."},
      {"~2[x][ID][1]",
       "Error in the segment index. Either the segment index is not numeric, or the index is bigger than the total "
       "segment count."},
      {"~2[1][ID][1]", "Error in total segment count field."},
      {"~2[0][ID][2][sc:x]", "Incorrect MacroPDF417 optional field format."},
  };
  for (const auto& c : cases) {
    try {
      Encode(c.message);
      ADD_FAILURE() << c.message;
    } catch (const barlib_error& e) {
      EXPECT_EQ(e.message, c.text);
    }
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib
