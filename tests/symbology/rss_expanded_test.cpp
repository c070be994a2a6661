#include "symbology/rss_expanded.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "platform/log.h"
#include "support/databar_rows.h"
#include "support/run_command.h"
#include "support/symbol_image.h"

namespace Quillon::BrindleLib {
namespace {

using linnet::testing::ModuleCount;
using linnet::testing::WidthsFromModules;

struct Encoded {
  std::string pattern, text;
};

Encoded Encode(const std::string& message, int segmentsPerRow = 0) {
  Encoded e{"stale", "stale"};
  EXPECT_NE(CRSSExpandedEncoder().Encode(message, segmentsPerRow, e.pattern, e.text), 0);
  return e;
}

// Symbol characters in a pattern: 21 widths per pair with its finder, 13 for a last one.
int SymbolCharacters(const std::string& pattern) {
  return static_cast<int>(2 * (pattern.size() / 21) + (pattern.size() % 21 == 0 ? 0 : 1));
}

TEST(RSSExpanded, StandardWorkedExamples) {
  // Module rows of the published example symbols, guards included.
  const struct {
    std::string message, modules;
  } cases[] = {
      {"(01)98898765432106(3202)012345(15)991231",
       "010010000110001101101111111100001011100001100101000110100000011000101011111100001110100111000000100101001111101"
       "11001100011111100001011101100000100100100011110010110001011111111001110001101111010000101"},
      {"(01)90012345678908(3103)001750",
       "010111001000001001101111111100001011100001001100010101111011100110001011110000001110010111000111011101111010111"
       "1000110001111110000101011000010011111010"},
      {"(01)90614141000015(3202)000150",
       "010110001100110000101111111100001010010001000011110111001110001010001011110000001110011101011111101101010000010"
       "0000110001111110000101000000100011010010"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const auto e = Encode(c.message);
    const auto widths = WidthsFromModules(c.modules);
    EXPECT_EQ(e.pattern, widths.substr(2, widths.size() - 4));
    EXPECT_EQ(e.text, c.message);
  }
}

TEST(RSSExpanded, SegmentsPerRowAreNormalised) {
  const struct {
    int maxCols, segments;
  } cases[] = {{0, 22},  {1, 2},   {2, 2},   {3, 4},   {4, 4},        {21, 22},     {22, 22},
               {23, 22}, {30, 22}, {-1, 22}, {-2, 22}, {INT_MAX, 22}, {INT_MIN, 22}};
  for (const auto& c : cases) {
    EXPECT_EQ(NormalizeSegmentsPerRow(c.maxCols), c.segments) << c.maxCols;
  }
  // The raw value reaches the encoder: 3 rows up like 4.
  EXPECT_EQ(Encode("(01)00012345678905", 3).pattern, Encode("(01)00012345678905", 4).pattern);
  EXPECT_EQ(SymbolCharacters(Encode("(01)00012345678905", 0).pattern), 5);
  EXPECT_EQ(SymbolCharacters(Encode("(01)00012345678905", 3).pattern), 6);
}

TEST(RSSExpanded, RepairsFieldsButRefusesAStructureWithoutAIs) {
  const auto repaired = Encode("(10)AB-C");
  EXPECT_EQ(repaired.text, "(10)AB-C");
  EXPECT_EQ(repaired.pattern, Encode("(10)ABC").pattern);
  EXPECT_EQ(Encode("(01)0061414100003").text, "(01)00614141000036");
  for (const std::string message : {"no parentheses", "(0A)123", "01)123", "(10)A(21"}) {
    try {
      std::string pattern;
      std::string text;
      CRSSExpandedEncoder().Encode(message, 0, pattern, text);
      ADD_FAILURE() << message << " accepted";
    } catch (const invalid_ean128_format_error& e) {
      EXPECT_EQ(e.code, 10) << message;
      EXPECT_EQ(e.message, "The AI portion of an EAN-128 structure must be numeric.");
    }
  }
  EXPECT_NO_THROW(CRSSExpandedEncoder().Validate("no parentheses"));
}

TEST(RSSExpanded, TooMuchDataRaisesOutOfCapacityAndLogsIt) {
  const std::string tooMuch = "(90)" + std::string(30, 'a') + "(91)" + std::string(30, 'b');
  const std::string cutAt80 = "(90)" + std::string(30, '1') + "(91)" + std::string(30, '2') + "(92)" + "333";
  for (const auto& message : {tooMuch, cutAt80}) {
    for (const bool logging : {false, true}) {
      linnet::log::SetEnabled(logging);
      ::testing::internal::CaptureStderr();
      std::string pattern = "stale";
      std::string text;
      try {
        CRSSExpandedEncoder().Encode(message, 0, pattern, text);
        ADD_FAILURE() << "no exception";
      } catch (const out_of_capacity_error& e) {
        EXPECT_EQ(e.code, 210);
        EXPECT_EQ(e.message,
                  "Data is too big to be encoded with the current symbology. Reduce the data, or reduce the security "
                  "level if permitted.");
      }
      const auto log = ::testing::internal::GetCapturedStderr();
      if (logging) {
        EXPECT_NE(log.find("[rss-detail]Quillon::BrindleLib::detail::RSS14Eenc("), std::string::npos) << log;
        EXPECT_NE(log.find("\ndata error"), std::string::npos) << log;
      } else {
        EXPECT_EQ(log, "");
      }
    }
  }
  linnet::log::SetEnabled(false);
  // Logging never changes a result.
  const auto quiet = Encode("(01)98898765432106(3202)012345(15)991231");
  linnet::log::SetEnabled(true);
  const auto logged = Encode("(01)98898765432106(3202)012345(15)991231");
  linnet::log::SetEnabled(false);
  EXPECT_EQ(quiet.pattern, logged.pattern);
}

TEST(RSSExpanded, NoByteStringCrashes) {
  std::mt19937 random(38);
  const std::string alphabet = "()0123456789#~! aZ-^$\x7f\x80\xff";
  for (int i = 0; i < 2000; ++i) {
    std::string message(random() % 90, '\0');
    for (char& c : message) {
      c = random() % 3 == 0 ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];
    }
    std::string pattern;
    std::string text;
    try {
      CRSSExpandedEncoder().Encode(message, static_cast<int>(random() % 40) - 5, pattern, text);
    } catch (const barlib_error& e) {
      EXPECT_TRUE(e.code == 10 || e.code == 210) << e.code;
      continue;
    }
    // Pairs of 17-module characters around 15-module finders, a lone last one with its finder.
    const int characters = SymbolCharacters(pattern);
    ASSERT_GE(characters, 4);
    ASSERT_LE(characters, 22);
    EXPECT_EQ(ModuleCount(pattern), 17 * characters + 15 * ((characters + 1) / 2));
  }
}

TEST(RSSExpanded, ReadersDecodeOneRowAndStackedSymbols) {
  using namespace linnet::testing;
  const auto dir = MakeTempDir();
  // zxing-cpp reads one row and prints the AIs in parentheses.
  const struct {
    std::string message, read;
  } oneRow[] = {
      {"(01)98898765432106(3202)012345(15)991231", "(01)98898765432106(3202)012345(15)991231"},
      {"(01)98898765432106(3103)040000", "(01)98898765432106(3103)040000"},
      {"(01)98898765432106(3922)12345", "(01)98898765432106(3922)12345"},
      {"(01)98898765432106(3932)978123", "(01)98898765432106(3932)978123"},
      {"(01)00012345678905(10)12345678901", "(01)00012345678905(10)12345678901"},
      {"(10)abc(21)XYZ", "(10)abc(21)XYZ"},
      {"(10)A1B2C3D4E5F6(21)12345", "(10)A1B2C3D4E5F6(21)12345"},
      {"(10)aABCDE(21)a1234", "(10)aABCDE(21)a1234"},
      {"(4300)a-b.c/d*e,f", "(4300)a-b.c/d*e,f"},
      {"(4300)!\"%&'+:;<=>?_ x", "(4300)!\"%&'+:;<=>?_x"},  // spaces never reach the data
  };
  for (const auto& c : oneRow) {
    const auto e = Encode(c.message);
    auto modules = "01" + ModulesFromWidths(e.pattern, false) + (e.pattern.size() % 2 == 0 ? "01" : "10");
    const auto path = dir + "/expanded.png";
    WriteLinearPng(path, modules, 3, 34);
    EXPECT_EQ(ZxingRead(path, "DataBarExpanded"), c.read) << c.message;
  }
  // zxing-cpp aborts on stacked DataBar: zbar reads those (the raw data, FNC1 left out).
  // zbar joins the rows of a symbol only within a short height, so the rows are low.
  const struct {
    std::string message, read;
  } stacked[] = {
      {"(01)98898765432106(3202)012345(15)991231", "0198898765432106320201234515991231"},
      {"(01)90614141000015(3202)000150", "01906141410000153202000150"},
      {"(10)abcdefghij1234567890ABCD", "10abcdefghij1234567890"},  // AI 10 holds 20 at most
  };
  for (const auto& c : stacked) {
    for (const int segments : {2, 4, 6}) {
      const auto e = Encode(c.message, segments);
      const auto path = dir + "/stacked.png";
      WriteModulePng(path, DataBarExpandedRows(e.pattern, segments, 4), 3);
      EXPECT_EQ(ZbarRead(path), "DataBar-Exp:" + c.read) << c.message << " in rows of " << segments;
    }
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib
