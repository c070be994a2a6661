// Security level, grid, padding and length descriptor.
#include "symbology2d/pdf417_finish.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "symbology2d/pdf417_encoder.h"

namespace Quillon::BrindleLib::pdf417 {
namespace {

// A stream of `length` codewords: the length descriptor and plain text codewords.
Codewords StreamOfLength(std::size_t length) {
  Codewords stream(length, 1);
  stream[0] = static_cast<std::uint16_t>(length);
  return stream;
}

FinishedCodewords Finish(Codewords& stream, int level, int maxRows = 0, int maxCols = 0, double aspect = 0.5) {
  return FinishCodewords(stream, level, maxRows, maxCols, aspect, 39, 13);
}

template <typename Call>
void ExpectFailure(Call call, int code, const std::string& message = {}) {
  try {
    call();
    ADD_FAILURE() << "no failure";
  } catch (const barlib_error& e) {
    EXPECT_EQ(e.code, code);
    if (!message.empty()) {
      EXPECT_EQ(e.message, message);
    }
  }
}

TEST(Pdf417Finish, AutomaticLevelAtEachBoundary) {
  const struct {
    std::size_t length;
    int level;
  } cases[] = {{1, 2}, {40, 2}, {41, 3}, {160, 3}, {161, 4}, {320, 4}, {321, 5}, {900, 5}, {928, 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    Codewords stream = StreamOfLength(c.length);
    const FinishedCodewords finished = Finish(stream, kAutomaticSecurityLevel);
    EXPECT_EQ(finished.level, c.level);
    EXPECT_EQ(stream.size(), static_cast<std::size_t>(finished.geometry.rows * finished.geometry.columns));
    EXPECT_LE(stream[0], 928);
  }
}

TEST(Pdf417Finish, ExplicitLevels) {
  const struct {
    std::size_t length;
    int level;
    int code;  // 0: accepted
  } cases[] = {{416, 8, 0}, {417, 8, 41}, {417, 7, 0}, {927, 0, 0}, {928, 0, 0}, {928, 1, 41}, {1, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    Codewords stream = StreamOfLength(c.length);
    if (c.code != 0) {
      ExpectFailure([&] { Finish(stream, c.level); }, c.code);
    } else {
      EXPECT_EQ(Finish(stream, c.level).level, c.level);
      EXPECT_EQ(stream.size() - stream[0], std::size_t{2} << c.level);
    }
  }
  Codewords stream = StreamOfLength(417);
  ExpectFailure([&] { Finish(stream, 8); }, 41,
                "The current security level (8) is too high to encode all the data. Maximum 7 to encode the current "
                "data.");
  stream = StreamOfLength(929);
  ExpectFailure([&] { Finish(stream, kAutomaticSecurityLevel); }, 210,
                "Data is too big to be encoded with the current symbology. Reduce the data, or reduce the security "
                "level if permitted.");
}

TEST(Pdf417Finish, GeometryChoices) {
  const struct {
    const char* name;
    std::size_t codewords;
    int maxRows, maxCols;
    double aspect;
    Geometry expected;
  } cases[] = {
      {"fixed grid", 6, 3, 2, 0.5, {3, 2}},
      {"three rows need thirty columns", 90, 3, 0, 0.5, {3, 30}},
      {"fixed columns", 151, 0, 5, 0.5, {31, 5}},
      {"empty message with the default ratio", 9, 0, 0, 0.5, {14, 1}},
      {"no ratio aims at a third", 9, 0, 0, 0, {9, 1}},
      {"no ratio, more data", 90, 0, 0, 0, {18, 5}},
      {"tie: fewer rows win", 9, 0, 0, 0.25, {8, 2}},
      {"tie without ratio", 27, 0, 0, 0, {9, 3}},
      {"tie without ratio, next", 19, 0, 0, 0, {10, 2}},
      {"no cost under the bound: the lowest wins", 9, 0, 0, 1000, {90, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Geometry g = ChooseGeometry(c.codewords, 936, c.maxRows, c.maxCols, c.aspect, 39, 13);
    EXPECT_EQ(g.rows, c.expected.rows);
    EXPECT_EQ(g.columns, c.expected.columns);
  }
}

TEST(Pdf417Finish, GeometryFailures) {
  const struct {
    std::size_t codewords, gridLimit;
    int maxRows, maxCols;
    std::string message;
  } cases[] = {
      {91, 936, 3, 0,
       "The size required is too small to hold all the codewords(91). Try increasing MaxRows(3) and MaxCols(0) "
       "properties, or reducing the data encoded."},
      {7, 936, 3, 2,
       "The size required is too small to hold all the codewords(7). Try increasing MaxRows(3) and MaxCols(2) "
       "properties, or reducing the data encoded."},
      {451, 936, 0, 5, ""},
      // The length descriptor could not count what such a grid holds before its check codewords.
      {10, 936, 90, 30,
       "The size required is too large for the codewords(10): a symbol holds at most 928 codewords besides its error "
       "correction. Try reducing MaxRows(90) and MaxCols(30) properties."},
      {992, 992, 90, 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.codewords);
    ExpectFailure([&] { ChooseGeometry(c.codewords, c.gridLimit, c.maxRows, c.maxCols, 0.5, 39, 13); }, 30, c.message);
  }
}

TEST(Pdf417Finish, OddOptionsStillGiveAGrid) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double aspect;
    int rowHeight, moduleWidth;
  } cases[] = {{nan, 39, 13},
               {inf, 39, 13},
               {-inf, 39, 13},
               {-3, 39, 13},
               {0.5, 0, 0},
               {0.5, -7, -1},
               {0.5, std::numeric_limits<int>::max(), 1}};
  for (const auto& c : cases) {
    const Geometry g = ChooseGeometry(100, 936, 0, 0, c.aspect, c.rowHeight, c.moduleWidth);
    EXPECT_GE(g.rows * g.columns, 100);
    EXPECT_LE(g.rows * g.columns, 936);
  }
}

TEST(Pdf417Finish, PaddingGoesBeforeTheControlBlock) {
  Codewords stream;
  const std::string message = "DATA~2[0][ID][1]";
  CPDF417Encoder2::CDataEncodationBuilder().EncodeMessage(message.data(), message.size(), stream);
  const FinishedCodewords finished = Finish(stream, 0, 5, 4);
  EXPECT_EQ(finished.level, 0);
  ASSERT_EQ(stream.size(), 20U);
  const Codewords beforeCheck(stream.begin(), stream.end() - 2);
  EXPECT_EQ(beforeCheck,
            (Codewords{18, 901, 'D', 'A', 'T', 'A', 900, 900, 900, 900, 900, 928, 111, 100, 901, 73, 68, 922}));
}

TEST(Pdf417Finish, EmptyMessage) {
  Codewords stream{1};
  const FinishedCodewords finished = Finish(stream, kAutomaticSecurityLevel);
  EXPECT_EQ(finished.level, 2);
  EXPECT_EQ(finished.geometry.rows, 14);
  EXPECT_EQ(finished.geometry.columns, 1);
  EXPECT_EQ(stream[0], 6);  // descriptor and five pads before the eight check codewords
  EXPECT_EQ(stream.size(), 14U);
}

}  // namespace
}  // namespace Quillon::BrindleLib::pdf417
