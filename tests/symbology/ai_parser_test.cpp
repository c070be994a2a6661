#include "symbology/ai_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "symbology/barlib_error.h"

namespace Quillon::BrindleLib {
namespace {

struct Parsed {
  std::vector<AiElement> elements;
  int last = 0;  // the value that ended the loop
};

Parsed ParseAll(const std::string& message, int mask) {
  Parsed parsed;
  AiParser parser(message, mask);
  AiElement element;
  while ((parsed.last = NextElement(parser, element)) == 0) {
    parsed.elements.push_back(element);
  }
  return parsed;
}

TEST(AiParser, ElementsOfWellFormedMessages) {
  const struct {
    std::string message;
    std::string ai, data, text;
    bool found, noSeparator;
  } cases[] = {
      {"(01)00614141000036", "01", "00614141000036", "(01)00614141000036", true, true},
      {"(01)0061414100003", "01", "00614141000036", "(01)00614141000036", true, true},
      {"(01)00614141000039", "01", "00614141000036", "(01)00614141000036", true, true},
      {"(01)0061 4141 00003", "01", "00614141000036", "(01)0061 4141 00003 6", true, true},
      {"(01)0061 4141 00003 ", "01", "00614141000036", "(01)0061 4141 00003 6", true, true},
      {"(01)0061 4141 0000 39", "01", "00614141000036", "(01)0061 4141 0000 36", true, true},
      {"(00)10614141123456789", "00", "106141411234567897", "(00)106141411234567897", true, true},
      {"(10)ABC123", "10", "ABC123", "(10)ABC123", true, false},
      {"(10)ABC 123", "10", "ABC123", "(10)ABC 123", true, false},
      {"(10)", "10", "", "(10)", true, false},
      {"(3103)000500", "3103", "000500", "(3103)000500", true, true},
      {"(01)00614141000036!", "01", "00614141000036", "(01)00614141000036", true, false},
      {"(10)ABC~", "10", "ABC", "(10)ABC", true, true},
      {"(10)ABC ~ ", "10", "ABC", "(10)ABC  ", true, true},
      {"(4300)ANY-THING", "4300", "ANY-THING", "(4300)ANY-THING", false, false},
      {"(4300)A~B", "4300", "A~B", "(4300)A~B", false, false},  // only a final marker is one
      {"(4300)X~", "4300", "X", "(4300)X", false, true},
      {"abc(10)X", "10", "X", "(10)X", true, false},
      // Fixed length, but readers do not know it: a separator must follow.
      {"(402)12345678901234567", "402", "12345678901234567", "(402)12345678901234567", true, false},
      {"(8018)123456789012345678", "8018", "123456789012345675", "(8018)123456789012345675", true, false},
      {"(422)250", "422", "250", "(422)250", true, false},
      {"(8102)03~", "8102", "03", "(8102)03", true, true},
      {"(410)123456789012", "410", "1234567890128", "(410)1234567890128", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const Parsed parsed = ParseAll(c.message, kAiStrict);
    EXPECT_EQ(parsed.last, kAiFlagEnd);
    ASSERT_EQ(parsed.elements.size(), 1U);
    const AiElement& e = parsed.elements[0];
    EXPECT_EQ(e.ai, c.ai);
    EXPECT_EQ(e.data, c.data);
    EXPECT_EQ(e.text, c.text);
    EXPECT_EQ(e.found, c.found);
    EXPECT_EQ(e.noSeparator, c.noSeparator);
  }
}

TEST(AiParser, MessagesAreSplitAtEachParenthesis) {
  const Parsed parsed = ParseAll("(01)00614141000036(17)991231(10)ABC 123(21)X", kAiStrict);
  ASSERT_EQ(parsed.elements.size(), 4U);
  EXPECT_EQ(parsed.last, kAiFlagEnd);
  const char* ais[] = {"01", "17", "10", "21"};
  const char* data[] = {"00614141000036", "991231", "ABC123", "X"};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(parsed.elements[i].ai, ais[i]);
    EXPECT_EQ(parsed.elements[i].data, data[i]);
  }
  EXPECT_EQ(ParseAll("", kAiStrict).last, kAiFlagEnd);
}

TEST(AiParser, ProblemFlagsStrictAndTolerant) {
  const struct {
    std::string message;
    int strict;    // flags returned with the strict mask
    int tolerant;  // with the DataBar Expanded mask (kAiFlagEnd: parsed to the end)
    std::string tolerantData;
  } cases[] = {
      {"(11)9912", kAiFlagLength, kAiFlagEnd, "009912"},
      {"(11)99123A", kAiFlagNotNumeric | kAiFlagLength, kAiFlagEnd, "099123"},
      {"(10)AB-C", kAiFlagNotAlphanumeric, kAiFlagEnd, "ABC"},
      {"(20)123", kAiFlagLength, kAiFlagEnd, "12"},
      {"(421)12", kAiFlagLength, kAiFlagEnd, "012"},
      {"(10)123456789012345678901", kAiFlagLength, kAiFlagEnd, "12345678901234567890"},
      {"(01)123", kAiFlagLength, kAiFlagEnd, "00000000001236"},
      {"01)123", kAiFlagNoParentheses, kAiFlagNoParentheses, ""},
      {"(01", kAiFlagNoParentheses, kAiFlagNoParentheses, ""},
      {"no parentheses", kAiFlagNoParentheses, kAiFlagNoParentheses, ""},
      {"(0A)123", kAiFlagAiNotNumeric, kAiFlagAiNotNumeric, ""},
      {"()123", kAiFlagAiNotNumeric, kAiFlagAiNotNumeric, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(ParseAll(c.message, kAiStrict).last, c.strict);
    const Parsed tolerant = ParseAll(c.message, kAiTolerant);
    EXPECT_EQ(tolerant.last, c.tolerant);
    if (c.tolerant == kAiFlagEnd) {
      ASSERT_EQ(tolerant.elements.size(), 1U);
      EXPECT_EQ(tolerant.elements[0].data, c.tolerantData);
      EXPECT_EQ(tolerant.elements[0].flags, c.strict);  // the element still records what was repaired
    }
  }
  // The tolerant text keeps what the user wrote.
  EXPECT_EQ(ParseAll("(10)AB-C", kAiTolerant).elements.at(0).text, "(10)AB-C");
}

TEST(AiParser, FormatElementTextOnlyAdjustsCheckDigitFields) {
  const struct {
    std::string field, written;
    bool checkDigit;
    std::string text;
  } cases[] = {
      {"00614141000036", "0061414100003", true, "(01)00614141000036"},
      {"00614141000036", "0061 4141 00003", true, "(01)0061 4141 00003 6"},
      {"00614141000036", "0061 4141 00003 ", true, "(01)0061 4141 00003 6"},
      {"00614141000036", "00614141000039", true, "(01)00614141000036"},
      {"00614141000036", "0061414100003 9 ", true, "(01)0061414100003 6 "},
      {"00614141000036", "00614141000036", true, "(01)00614141000036"},
      {"00614141000036", "", true, "(01)"},
      {"05", "5", false, "(01)5"},  // padded, not a check digit: shown as written
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.written);
    std::string text = "stale";
    FormatElementText("01", c.field, c.written, c.checkDigit, text);
    EXPECT_EQ(text, c.text);
  }
}

TEST(AiParser, ThrowEan128ErrorTakesTheFirstFlagInOrder) {
  const struct {
    int flags;
    int code;  // 0: nothing thrown
    std::string message;
  } cases[] = {
      {0, 0, ""},
      {kAiFlagEnd, 0, ""},
      {kAiFlagAiNotNumeric, 10, "The AI portion of an EAN-128 structure must be numeric."},
      {kAiFlagNotAlphanumeric, 11, "The data portion of the EAN-128 data must be alpha-numeric."},
      {kAiFlagNoParentheses, 12,
       "Invalid UCC/EAN-128 structure. Check whether the AI and field ID are enclosed with parenthesis. "},
      {kAiFlagNotNumeric, 13,
       "Based on the AI, the data portion must be numeric. However, this is not the case in the message encoded."},
      {kAiFlagLength, 14, "The length of the data portion of the EAN-128 is incorrect."},
      {kAiFlagNotNumeric | kAiFlagLength, 13, ""},
      {kAiFlagLength | kAiFlagAiNotNumeric, 10, ""},
      {kAiFlagLength | kAiFlagEnd, 14, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.flags);
    if (c.code == 0) {
      EXPECT_NO_THROW(ThrowEan128Error(c.flags));
      continue;
    }
    try {
      ThrowEan128Error(c.flags);
      ADD_FAILURE() << "nothing thrown";
    } catch (const invalid_ean128_format_error& e) {
      EXPECT_EQ(e.code, c.code);
      if (!c.message.empty()) {
        EXPECT_EQ(e.message, c.message);
      }
    }
  }
}

TEST(AiParser, NormalizeFieldRepairs) {
  const AiRecord& gtin = *FindAiRecord("01");
  const AiRecord& batch = *FindAiRecord("10");
  const AiRecord& count = *FindAiRecord("30");
  const struct {
    const AiRecord* record;
    std::string data, normalized;
    int flags;
  } cases[] = {
      {&gtin, "0061414100003", "00614141000036", 0},
      {&gtin, "00614141000031", "00614141000036", 0},
      {&gtin, "006141410000312", "00614141000036", kAiFlagLength},
      {&gtin, "", "00000000000000", kAiFlagLength},
      {&batch, "a1-B2", "a1B2", kAiFlagNotAlphanumeric},
      {&count, "12x", "12", kAiFlagNotNumeric},
      {&count, "123456789", "12345678", kAiFlagLength},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.data);
    std::string normalized = "stale";
    EXPECT_EQ(NormalizeField(c.data, *c.record, normalized), c.flags);
    EXPECT_EQ(normalized, c.normalized);
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib
