// The whole encoder: module rows that a real reader decodes back to the message, the
// failures with empty rows, and no crash on any byte string.
#include "symbology2d/maxicode_encoder.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/maxicode_image.h"
#include "support/run_command.h"
#include "symbology/barlib_error.h"

namespace Quillon::BrindleLib {
namespace {

using Rows = std::vector<std::string>;

const std::string GS = "\x1d";
const std::string kPrefix =
    "[)>\x1e"
    "01" +
    GS;
const std::string kSample = kPrefix + "96152382802" + GS + "840" + GS + "001" + GS + "1Z00004951" + GS + "UPSN" + GS +
                            "06X610" + GS + "159" + GS + "1234567" + GS + "1/1" + GS + GS + "Y" + GS +
                            "634 ALPHA DRIVE" + GS + "PITTSBURGH" + GS + "PA\x04";

// One call of either operation; modes 2 and 3 take the carrier fields.
struct Input {
  int mode;
  std::string message;
  int serviceClass = 1;
  int country = 1;
  std::string postalCode = "12345";
};

Rows Encode(const Input& in) {
  Rows rows = {"stale"};
  if (in.mode == 2 || in.mode == 3) {
    CMaxiCodeEncoder2().EncodeCarrier(in.mode, in.serviceClass, in.country, in.postalCode, in.message, rows);
  } else {
    CMaxiCodeEncoder2().EncodeNonCarrier(in.mode, in.message, rows);
  }
  return rows;
}

void ExpectSymbolShape(const Rows& rows) {
  ASSERT_EQ(rows.size(), 33U);
  for (size_t r = 0; r < rows.size(); ++r) {
    EXPECT_EQ(rows[r].size(), r % 2 == 0 ? 30U : 29U);
    EXPECT_EQ(rows[r].find_first_not_of("01"), std::string::npos);
  }
  EXPECT_EQ(rows[0].substr(28), "11");
}

struct ReaderCase {
  const char* name;
  Input input;
  std::string decoded;  // the reader's content bytes
  std::string structuredAppend = {};
  std::string eciMark = {};  // expected among the reader's bytes with ECI marks
};

TEST(MaxiCodeEncoder, ReaderDecodesTheMessage) {
  const std::string header = kPrefix + "96";
  const ReaderCase cases[] = {
      // A carrier message comes back as given, less its final EOT.
      {"carrier-mode2", {2, kSample}, kSample.substr(0, kSample.size() - 1)},
      {"carrier-mode3",
       {3, kPrefix + "96B1A2C3" + GS + "826" + GS + "042" + GS + "Parcel 7 of 9" + GS + "Leeds\x04"},
       kPrefix + "96B1A2C3" + GS + "826" + GS + "042" + GS + "Parcel 7 of 9" + GS + "Leeds"},
      {"carrier-structured-append",
       {2, kPrefix + "01999" + GS + "4" + GS + "15" + GS + "First of two\x04~2[1][2]"},
       kPrefix + "96999" + GS + "004" + GS + "015" + GS + "First of two",  // the year becomes 96
       "symbol 1 of 2"},
      // Otherwise the fields come from the arguments and the header goes in front.
      {"fields-mode2", {2, "Hello", 1, 840, "00123"}, header + "00123" + GS + "840" + GS + "001" + GS + "Hello"},
      {"fields-mode3", {3, "Hello\x04", 7, 250, "ab1"}, header + "AB1   " + GS + "250" + GS + "007" + GS + "Hello"},
      {"fields-mode2-full",
       {2, std::string(72, 'A'), 999, 999, "999999999"},
       header + "999999999" + GS + "999" + GS + "999" + GS + std::string(72, 'A')},
      {"mode4", {4, "Hello World! 1234567890 a,b.c/d:e"}, "Hello World! 1234567890 a,b.c/d:e"},
      {"mode4-eot-kept", {4, "End\x04"}, "End\x04"},
      {"mode4-code-sets",
       {4, "\xC0\xC1\xC2\xC3\xE0\xE1\xE2\xE3 ~d001~d200\x80\x9f\xa0\xff~@~A~~\r\x1c"},
       std::string("\xC0\xC1\xC2\xC3\xE0\xE1\xE2\xE3 \x01\xC8\x80\x9f\xa0\xff\x00\x01~\r\x1c", 20)},
      {"mode4-full", {4, std::string(93, 'A')}, std::string(93, 'A')},
      {"mode4-digits", {4, std::string(135, '7')}, std::string(135, '7')},
      {"mode5", {5, "Mode five: more error correction"}, "Mode five: more error correction"},
      {"mode5-full", {5, std::string(77, 'Z')}, std::string(77, 'Z')},
      {"mode6", {6, "Reader programming"}, "Reader programming"},
      {"eci", {4, "ABC~7000003\xE9t\xE9"}, "ABC\xE9t\xE9", "", "\\000003"},
      {"structured-append", {4, "Part two~2[2][3]"}, "Part two", "symbol 2 of 3"},
      {"structured-append-last", {5, "Last~2[8][8]"}, "Last", "symbol 8 of 8"},
  };
  const std::string dir = linnet::testing::MakeTempDir();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Rows rows;
    try {
      rows = Encode(c.input);
    } catch (const barlib_error& e) {
      ADD_FAILURE() << e.code << " " << e.message;
      continue;
    }
    ExpectSymbolShape(rows);
    const std::string path = dir + "/" + c.name + ".png";
    linnet::testing::WriteMaxiCodePng(path, rows);
    const auto reading = linnet::testing::ZxingReadMaxiCode(path);
    ASSERT_TRUE(reading.has_value());
    EXPECT_EQ(reading->bytes, c.decoded);
    EXPECT_EQ(reading->mode, c.input.mode);
    EXPECT_EQ(reading->structuredAppend.substr(0, c.structuredAppend.size()), c.structuredAppend);
    EXPECT_NE(reading->bytesWithEci.find(c.eciMark), std::string::npos);
  }
}

struct FailureCase {
  Input input;
  int code;
};

TEST(MaxiCodeEncoder, FailuresLeaveNoRows) {
  const FailureCase cases[] = {
      {{2, "x", 1, 1, "123456789"}, -1},  // encodes: the control case of the table
      {{2, "x", 1, 1, "1234567890"}, 201},
      {{2, "x", 1, 1, "B01056"}, 201},
      {{3, "x", 1, 1, "ab!"}, 201},
      {{2, "x", 1000, 1, "1"}, 203},
      {{2, "x", 1, 999, "1"}, -1},
      {{2, "x", 1, 1000, "1"}, 202},
      {{2, kPrefix + "9X12345" + GS + "840" + GS + "001" + GS + "x"}, 204},
      {{2, kPrefix + "9612345" + GS + "840"}, 200},
      {{2, kPrefix + "961234A" + GS + "840" + GS + "001"}, 201},
      {{3, kPrefix + "96AB1" + GS + "840" + GS + "1000"}, 203},
      {{4, "~2[1]"}, 53},
      {{4, "~2[0][2]"}, 52},
      {{4, "~2"}, 50},
      {{4, "A~2b[1][2]"}, 51},
      {{6, "~70001"}, 60},
      {{4, std::string(94, 'A')}, 210},
      {{6, std::string(94, 'A')}, 210},
      {{5, std::string(78, 'A')}, 210},
      {{5, std::string(77, 'A')}, -1},
      {{2, std::string(73, 'A')}, 210},
      {{3, std::string(73, 'A'), 1, 1, "AB"}, 210},
      {{2, std::string(90, '1')}, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.input.mode << " " << testing::PrintToString(c.input.message));
    Rows rows = {"stale"};
    try {
      rows = Encode(c.input);
      EXPECT_EQ(c.code, -1) << "no error";
      ExpectSymbolShape(rows);
    } catch (const barlib_error& e) {
      EXPECT_EQ(e.code, c.code);
      EXPECT_FALSE(e.message.empty());
    }
  }
  Rows rows = {"stale"};
  EXPECT_THROW(CMaxiCodeEncoder2().EncodeNonCarrier(4, std::string(94, 'A'), rows), out_of_capacity_error);
  EXPECT_TRUE(rows.empty());
  rows = {"stale"};
  EXPECT_THROW(CMaxiCodeEncoder2().EncodeCarrier(2, 1, 1, "X", "", rows), invalid_carrier_message_format_error);
  EXPECT_TRUE(rows.empty());
}

TEST(MaxiCodeEncoder, ModesOutsideAnOperationAreRefused) {
  Rows rows;
  for (const int mode : {0, 1, 4, 7, -2}) {
    EXPECT_THROW(CMaxiCodeEncoder2().EncodeCarrier(mode, 1, 1, "1", "x", rows), std::invalid_argument) << mode;
  }
  for (const int mode : {0, 2, 3, 7, 64}) {
    EXPECT_THROW(CMaxiCodeEncoder2().EncodeNonCarrier(mode, "x", rows), std::invalid_argument) << mode;
  }
}

TEST(MaxiCodeEncoder, MessageEndsAtItsFirstZeroByte) {
  EXPECT_EQ(Encode({4, std::string("AB\0CD", 5)}), Encode({4, "AB"}));
  EXPECT_EQ(Encode({2, "x", 1, 1,
                    std::string("12\0"
                                "AB",
                                5)}),
            Encode({2, "x", 1, 1, "12"}));
}

// Random bytes, heavy in the syntax's own characters, in every mode: a symbol or an
// engine error, never anything else.
TEST(MaxiCodeEncoder, AnyByteStringEncodesOrFailsCleanly) {
  // The terminating zero is part of the alphabet: a message ends at its first zero byte.
  const char kAlphabet[] = "~27d[]@AZaz09 \x1d\x1e\x04\r\xC0\xE0\xFF\x80";
  const std::string alphabet(kAlphabet, sizeof kAlphabet);
  std::mt19937 random(2024);
  int encoded = 0;
  for (int trial = 0; trial < 3000; ++trial) {
    Input in{static_cast<int>(2 + random() % 5), ""};
    const size_t length = random() % 140;
    if (random() % 4 == 0) {
      in.message = kPrefix + "96";
    }
    for (size_t i = 0; i < length; ++i) {
      in.message.push_back(random() % 3 == 0 ? static_cast<char>(random() % 256)
                                             : alphabet[random() % alphabet.size()]);
    }
    try {
      const Rows rows = Encode(in);
      ExpectSymbolShape(rows);
      ++encoded;
    } catch (const barlib_error& e) {
      EXPECT_TRUE(e.code == 50 || e.code == 51 || e.code == 52 || e.code == 53 || e.code == 60 ||
                  (e.code >= 200 && e.code <= 204) || e.code == 210)
          << e.code;
    }
  }
  EXPECT_GT(encoded, 300);
}

}  // namespace
}  // namespace Quillon::BrindleLib
