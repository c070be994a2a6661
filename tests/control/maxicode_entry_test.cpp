#include "control/maxicode_entry.h"

#include <gtest/gtest.h>

#include "symbology/barlib_error.h"
#include "symbology2d/maxicode_encoder.h"

namespace linnet {
namespace {

using Quillon::BrindleLib::CMaxiCodeEncoder2;
using Rows = std::vector<std::string>;

struct EntryCase {
  std::int16_t mode;
  std::u16string message;
  std::u16string zipCode;
  std::string ansiMessage;  // what the encoder must receive
  std::string ansiZipCode;
};

// The entry hands the encoder the mode, the MaxiCode properties (carrier modes only) and the
// texts in the ANSI code page.
TEST(MaxiCodeEntry, CallsTheEncodingOfTheMode) {
  const EntryCase cases[] = {
      {2, u"Hello", u"12345", "Hello", "12345"},
      {3, u"Caf\u00e9 \u20ac \u03a9", u"b01056", "Caf\xe9 \x80 ?", "b01056"},
      {3, u"x", u"\u00e91", "x",
       "\xe9"
       "1"},  // not in code set A: 201 either way
      {4, u"Plain \u00fc", u"B01056", "Plain \xfc", ""},
      {5, u"Five", u"", "Five", ""},
      {6, u"Six", u"123", "Six", ""},
      {2, u"Hello", u"B01056", "Hello", "B01056"},  // a letter in mode 2: 201 either way
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " " << c.ansiMessage);
    ControlProperties properties;
    properties.maxicodeMode = c.mode;
    properties.maxicodeClass = 42;
    properties.maxicodeCountryCode = 276;
    properties.maxicodeZipCode = c.zipCode;
    properties.message = c.message;

    Rows expected;
    int expectedCode = 0;
    try {
      if (c.mode == 2 || c.mode == 3) {
        CMaxiCodeEncoder2().EncodeCarrier(c.mode, 42, 276, c.ansiZipCode, c.ansiMessage, expected);
      } else {
        CMaxiCodeEncoder2().EncodeNonCarrier(c.mode, c.ansiMessage, expected);
      }
    } catch (const Quillon::BrindleLib::barlib_error& e) {
      expectedCode = e.code;
    }

    Rows rows = {"stale"};
    int code = 0;
    try {
      EncodeMaxiCode(properties, rows);
    } catch (const Quillon::BrindleLib::barlib_error& e) {
      code = e.code;
    }
    EXPECT_EQ(code, expectedCode);
    EXPECT_EQ(rows, expected);
  }
}

TEST(MaxiCodeEntry, TheDefaultPropertiesWithTheSampleMessageEncode) {
  ControlProperties properties;
  properties.message =
      u"[)>\u001e01\u001d96152382802\u001d840\u001d001\u001d1Z00004951\u001dUPSN\u001d06X610\u001d159"
      u"\u001d1234567\u001d1/1\u001d\u001dY\u001d634 ALPHA DRIVE\u001dPITTSBURGH\u001dPA\u0004";
  Rows rows;
  EncodeMaxiCode(properties, rows);
  EXPECT_EQ(rows.size(), 33U);
}

}  // namespace
}  // namespace linnet
