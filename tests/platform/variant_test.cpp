#include "platform/com/variant.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"

namespace linnet {
namespace {

TEST(Variant, ChangeTypeFollowsThePlatformRules) {
  const struct {
    Variant in;
    VarType to;
    HRESULT hr;
    std::int64_t integer;  // VT_I2/VT_I4/VT_BOOL/VT_UI4 result
  } cases[] = {
      {Variant::Text(u"42"), VT_I4, S_OK, 42},
      {Variant::Text(u" -7 "), VT_I4, S_OK, -7},
      {Variant::Text(u"2.5"), VT_I4, S_OK, 2},  // halves round to even
      {Variant::Text(u"3.5"), VT_I4, S_OK, 4},
      {Variant::Text(u"abc"), VT_I4, DISP_E_TYPEMISMATCH, 0},
      {Variant::Text(u""), VT_I4, DISP_E_TYPEMISMATCH, 0},
      {Variant::Text(u"12abc"), VT_I4, DISP_E_TYPEMISMATCH, 0},
      {Variant::Text(u"3000000000"), VT_I4, DISP_E_OVERFLOW, 0},
      {Variant::Text(u"40000"), VT_I2, DISP_E_OVERFLOW, 0},
      {Variant::Text(u"true"), VT_BOOL, S_OK, -1},
      {Variant::Text(u"False"), VT_BOOL, S_OK, 0},
      {Variant::Text(u"-1"), VT_BOOL, S_OK, -1},
      {Variant::Text(u"0"), VT_BOOL, S_OK, 0},
      {Variant::Text(u"yes"), VT_BOOL, DISP_E_TYPEMISMATCH, 0},
      {Variant::Text(u"true"), VT_I4, DISP_E_TYPEMISMATCH, 0},
      {Variant::Double(2.5), VT_I2, S_OK, 2},
      {Variant::Double(1e300), VT_I4, DISP_E_OVERFLOW, 0},
      {Variant::Bool(true), VT_I4, S_OK, -1},
      {Variant::Long(5), VT_BOOL, S_OK, -1},
      {Variant{}, VT_I4, S_OK, 0},
      {Variant::Text(u"4294967295"), VT_UI4, S_OK, 4294967295LL},
      {Variant::Text(u"-1"), VT_UI4, DISP_E_OVERFLOW, 0},
      {Variant::Font(nullptr), VT_I4, DISP_E_TYPEMISMATCH, 0},
  };
  for (const auto& t : cases) {
    Variant out;
    const HRESULT hr = ChangeType(t.in, out, t.to);
    EXPECT_EQ(hr, t.hr) << WideToUtf8(t.in.AsText());
    if (hr == S_OK) {
      EXPECT_EQ(t.to == VT_UI4 ? out.AsWide() : out.AsLong(), t.integer) << WideToUtf8(t.in.AsText());
      EXPECT_EQ(out.Type(), t.to);
    }
  }
}

TEST(Variant, TextForms) {
  const struct {
    Variant in;
    std::u16string text;
  } cases[] = {{Variant::Double(2.5), u"2.5"},   {Variant::Double(0.1), u"0.1"}, {Variant::Bool(true), u"True"},
               {Variant::Bool(false), u"False"}, {Variant::Long(-12), u"-12"},   {Variant{}, u""},
               {Variant::Double(1e20), u"1E+20"}};
  for (const auto& t : cases) {
    Variant out;
    ASSERT_EQ(ChangeType(t.in, out, VT_BSTR), S_OK);
    EXPECT_EQ(out.AsText(), t.text);
  }
  Variant number;
  ASSERT_EQ(ChangeType(Variant::Text(u"2.345"), number, VT_R8), S_OK);
  EXPECT_DOUBLE_EQ(number.AsDouble(), 2.345);
}

TEST(Variant, ReferencesAreLookedThroughOnce) {
  auto inner = std::make_shared<Variant>(Variant::Text(u"17"));
  Variant out;
  ASSERT_EQ(ChangeType(Variant::Reference(inner), out, VT_I4), S_OK);
  EXPECT_EQ(out.AsLong(), 17);
}

TEST(CodePage, Windows1252RoundTrips) {
  std::string all;
  for (int b = 1; b < 256; ++b) {
    all.push_back(static_cast<char>(b));
  }
  EXPECT_EQ(WideToAnsi(AnsiToWide(all)), all);
  EXPECT_EQ(WideToAnsi(u"\u20ac\u00e9\u0152\u2122"), "\x80\xe9\x8c\x99");
  EXPECT_EQ(WideToAnsi(u"\u4e2d\U0001F600x"), "??x");  // unmapped, a surrogate pair is one character
  EXPECT_EQ(AnsiToWide("\x80"), u"\u20ac");
}

TEST(CodePage, Utf8) {
  EXPECT_EQ(Utf8ToWide("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"), u"caf\u00e9 \u20ac \U0001F600");
  EXPECT_EQ(Utf8ToWide("\xff\xc3"), u"\ufffd\ufffd");  // invalid bytes, truncated sequence
  EXPECT_EQ(Utf8ToWide("\xc0\xaf"), u"\ufffd\ufffd");  // overlong
  EXPECT_EQ(WideToUtf8(u"caf\u00e9 \U0001F600"), "caf\xc3\xa9 \xf0\x9f\x98\x80");
  EXPECT_EQ(WideToUtf8(std::u16string(1, u'\xd800')), "\xef\xbf\xbd");  // lone surrogate
}

}  // namespace
}  // namespace linnet
