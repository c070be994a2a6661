#include "persist/xml_property_bag.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "persist/xml_text.h"
#include "platform/codepage.h"
#include "platform/com/font_persist.h"
#include "support/failing_sink.h"
#include "support/run_command.h"

namespace linnet::persist {
namespace {

// {11111111-2222-3333-4444-555555555555}
constexpr Guid kFakeClass{0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}};

// An object whose bag form is a list of named values; Load reads the same names back and
// records what the bag answered.
class FakeObject final : public PersistPropertyBag {
 public:
  struct ReadBack {
    HRESULT hr;
    Variant value;
  };

  explicit FakeObject(std::vector<std::pair<std::u16string, Variant>> values) : values_(std::move(values)) {}

  [[nodiscard]] Guid ClassId() const override { return kFakeClass; }
  HRESULT InitNew() override { return S_OK; }
  HRESULT Save(PropertyBag& bag, bool clearDirty, bool saveAll) override {
    savedClearing = clearDirty && saveAll;
    for (const auto& [name, value] : values_) {
      writes.push_back(bag.Write(name, value));
      if (Failed(writes.back()) && stopOnFailure) {
        return writes.back();
      }
    }
    return during ? during() : S_OK;
  }
  HRESULT Load(PropertyBag& bag) override {
    ++loads;
    for (const auto& [name, value] : values_) {
      Variant v = value;
      const HRESULT hr = bag.Read(name, v);
      reads.push_back({hr, v});
    }
    return during ? during() : S_OK;
  }

  bool stopOnFailure = true;
  std::function<HRESULT()> during;
  bool savedClearing = false;
  int loads = 0;
  std::vector<HRESULT> writes;
  std::vector<ReadBack> reads;

 private:
  std::vector<std::pair<std::u16string, Variant>> values_;
};

std::string SaveText(FakeObject& object, HRESULT expected = S_OK) {
  std::vector<unsigned char> out;
  image::VectorSink sink(out);
  CXMLPropertyBag bag;
  EXPECT_EQ(bag.SaveObject(object, sink), expected);
  return {out.begin(), out.end()};
}

HRESULT LoadText(const std::string& text, FakeObject& object) {
  CXMLPropertyBag bag;
  return bag.LoadObject({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, object);
}

std::string Document(const std::string& body, const std::string& clsid = "{11111111-2222-3333-4444-555555555555}") {
  return "<?xml version=\"1.0\"?>\n<Object clsid=\"" + clsid + "\">" + body + "</Object>";
}

using testing::FailingSink;

TEST(XmlPropertyBag, WritesTheDocumentLayout) {
  FakeObject object({{u"_cx", Variant::UnsignedLong(5080)},
                     {u"AutoSize", Variant::Bool(false)},
                     {u"ZoomRatio", Variant::Double(1.0)},
                     {u"BorderStyle", Variant::Long(-3)},
                     {u"Font", Variant::Font(MakeFont(u"Arial", 9.5, 700))},
                     {u"NoFont", Variant::Font(nullptr)},
                     {u"Comment", Variant::Text(u"two\nlines")},
                     {u"Empty", Variant::Text(u"")}});
  // Reviewed by hand: names encoded, "vt" before "clsid", the font's values nested in its order.
  EXPECT_EQ(SaveText(object),
            "<?xml version=\"1.0\"?>\n"
            "<Object clsid=\"{11111111-2222-3333-4444-555555555555}\">\n"
            "\t<__cx vt=\"19\">5080</__cx>\n"
            "\t<AutoSize vt=\"11\">False</AutoSize>\n"
            "\t<ZoomRatio vt=\"5\">1</ZoomRatio>\n"
            "\t<BorderStyle vt=\"3\">-3</BorderStyle>\n"
            "\t<Font vt=\"9\" clsid=\"{0BE35203-8F91-11CE-9DE3-00AA004BB851}\">\n"
            "\t\t<Name vt=\"8\">Arial</Name>\n"
            "\t\t<Size vt=\"5\">9.5</Size>\n"
            "\t\t<Charset vt=\"2\">0</Charset>\n"
            "\t\t<Weight vt=\"2\">700</Weight>\n"
            "\t\t<Underline vt=\"11\">False</Underline>\n"
            "\t\t<Italic vt=\"11\">False</Italic>\n"
            "\t\t<Strikethrough vt=\"11\">False</Strikethrough>\n"
            "\t</Font>\n"
            "\t<NoFont vt=\"9\" />\n"
            "\t<Comment vt=\"8\">two\nlines</Comment>\n"
            "\t<Empty vt=\"8\" />\n"
            "</Object>\n");
  EXPECT_TRUE(object.savedClearing);
}

TEST(XmlPropertyBag, EncodesElementNames) {
  const struct {
    std::u16string name;
    std::optional<std::string> element;
  } cases[] = {
      {u"_cx", "__cx"},                                           // the extent's leading underscore doubles
      {u"AutoSize", "AutoSize"},                                  // letters stand
      {u"Code39OptionalCheckDigit", "Code39OptionalCheckDigit"},  // digits inside stand
      {u"a.b", "a_2eb"},                                          // other characters: hex without leading zeros
      {u"a b-c", "a_20b_2dc"},                                    // space and hyphen
      {u"\u00e9t\u00e9", "_e9t_e9"},                              // Latin-1 letters are not ASCII letters
      {u"\u20ac", "_20ac"},                                       // four hex digits
      {u"\U0001F600", "_d83d_de00"},                              // UTF-16 code units, one by one
      {u"\x01", "_1"},                                            // a single digit
      {u"", std::nullopt},                                        // no element can be named so
      {u"3D", std::nullopt},                                      // an element name cannot start with a digit
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.element.value_or("(none)"));
    EXPECT_EQ(EncodeElementName(c.name), c.element);
  }
}

// Every value reads back equal, in the file's type, whatever the reader asked for; the text is
// the fixed-locale form, and an outside XML parser reads the same texts.
TEST(XmlPropertyBag, ValuesRoundTripThroughTheirText) {
  const struct {
    Variant value;
    const char* text;  // what the element holds
  } cases[] = {
      {Variant::Long(-2147483647 - 1), "-2147483648"},
      {Variant::UnsignedLong(4294967295U), "4294967295"},
      {Variant::Short(-7), "-7"},
      {Variant::Bool(true), "True"},
      {Variant::Double(2.5), "2.5"},
      {Variant::Double(0.1 + 0.2), "0.30000000000000004"},  // fifteen digits would give 0.3
      {Variant::Double(1e20), "1E+20"},
      {Variant::Double(-1.7976931348623157e308), "-1.7976931348623157E+308"},
      {Variant::Double(5e-324), "5E-324"},
      {Variant::Text(u"QUILLON"), "QUILLON"},
      {Variant::Text(u"  spaces kept  "), "  spaces kept  "},
      {Variant::Text(u" "), " "},                  // whitespace alone is still the value
      {Variant::Text(u"a\r\nb\rc"), "a\r\nb\rc"},  // carriage returns survive
      {Variant::Text(u"Linnet 3.3\ntab\there"), "Linnet 3.3\ntab\there"},
      {Variant::Text(u"&<>\"']]>"), "&<>\"']]>"},
      {Variant::Text(u"\u20ac \U0001F600 \u00ff"), "\xE2\x82\xAC \xF0\x9F\x98\x80 \xC3\xBF"},
  };
  std::vector<std::pair<std::u16string, Variant>> values;
  for (size_t i = 0; i < std::size(cases); ++i) {
    std::string name = "V";
    name += std::to_string(i);
    values.emplace_back(AnsiToWide(name), cases[i].value);
  }
  FakeObject saved(values);
  const std::string text = SaveText(saved);

  std::vector<std::pair<std::u16string, Variant>> asked;
  for (const auto& [name, value] : values) {
    asked.emplace_back(name, Variant::Text(u"asked as text"));
  }
  FakeObject loaded(asked);
  ASSERT_EQ(LoadText(text, loaded), S_OK);

  const std::string dir = testing::MakeTempDir();
  std::ofstream(dir + "/bag.xml", std::ios::binary) << text;
  const auto python =
      testing::RunCommand({"/usr/bin/python3", "-c",
                           "import sys, xml.etree.ElementTree as E\n"
                           "for e in E.parse(sys.argv[1]).getroot(): print((e.text or '').encode().hex())",
                           dir + "/bag.xml"});
  ASSERT_EQ(python.exitCode, 0) << python.err;
  std::vector<std::string> outside;
  for (size_t at = 0, end; (end = python.out.find('\n', at)) != std::string::npos; at = end + 1) {
    std::string bytes;
    for (size_t i = at; i + 1 < end; i += 2) {
      bytes.push_back(static_cast<char>(std::stoi(python.out.substr(i, 2), nullptr, 16)));
    }
    outside.push_back(bytes);
  }
  ASSERT_EQ(outside.size(), std::size(cases));

  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].text);
    const Variant& want = cases[i].value;
    const Variant& got = loaded.reads[i].value;
    EXPECT_EQ(loaded.reads[i].hr, S_OK);
    EXPECT_EQ(outside[i], cases[i].text);
    ASSERT_EQ(got.Type(), want.Type());
    EXPECT_EQ(got.AsLong(), want.AsLong());
    EXPECT_EQ(got.AsWide(), want.AsWide());
    EXPECT_EQ(std::signbit(got.AsDouble()), std::signbit(want.AsDouble()));
    EXPECT_EQ(got.AsDouble(), want.AsDouble());
    EXPECT_EQ(got.AsText(), want.AsText());
  }
}

TEST(XmlPropertyBag, RefusesValuesItCannotWrite) {
  const struct {
    const char* why;
    std::u16string name;
    Variant value;
    HRESULT expected;
  } cases[] = {
      {"XML 1.0 has no form for most control characters", u"Message",
       Variant::Text(u"A\x1d"
                     "B"),
       E_INVALIDARG},
      {"nor for an unpaired surrogate", u"Comment", Variant::Text(std::u16string(1, char16_t{0xD800})), E_INVALIDARG},
      {"a reference is never written", u"Ref", Variant::Reference(std::make_shared<Variant>(Variant::Long(1))),
       E_INVALIDARG},
      {"an object without a bag form", u"Stream", Variant::Stream(std::make_shared<MemoryStream>()), E_NOINTERFACE},
      {"no element name", u"9lives", Variant::Long(9), E_INVALIDARG},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    FakeObject object({{u"Before", Variant::Long(1)}, {c.name, c.value}, {u"After", Variant::Long(2)}});
    object.stopOnFailure = false;
    const std::string text = SaveText(object);
    EXPECT_EQ(object.writes[1], c.expected);
    // The refused value leaves no element behind; its neighbours are written.
    EXPECT_EQ(text, Document("\n\t<Before vt=\"3\">1</Before>\n\t<After vt=\"3\">2</After>\n") + "\n");
  }
}

TEST(XmlPropertyBag, ReadsWhatTheFileSays) {
  const struct {
    const char* why;
    std::string element;
    HRESULT hr;
    VarType type;
    std::int64_t number;
  } cases[] = {
      {"missing element: an empty value", "", S_OK, VT_EMPTY, 0},
      {"the file's type, not the one asked for", "<X vt=\"3\">42</X>", S_OK, VT_I4, 42},
      {"booleans by their words", "<X vt=\"11\">True</X>", S_OK, VT_BOOL, -1},
      {"a first element of that name wins", "<X vt=\"3\">1</X><X vt=\"3\">2</X>", S_OK, VT_I4, 1},
      {"names are case-sensitive", "<x vt=\"3\">1</x>", S_OK, VT_EMPTY, 0},
      {"no vt: the read fails", "<X>10</X>", DISP_E_TYPEMISMATCH, VT_EMPTY, 0},
      {"vt not a number", "<X vt=\"three\">10</X>", DISP_E_TYPEMISMATCH, VT_EMPTY, 0},
      {"vt out of 16 bits", "<X vt=\"70000\">10</X>", DISP_E_OVERFLOW, VT_EMPTY, 0},
      {"vt names no type we convert to", "<X vt=\"99\">10</X>", DISP_E_BADVARTYPE, VT_EMPTY, 0},
      {"a text that does not convert", "<X vt=\"3\">ten</X>", DISP_E_TYPEMISMATCH, VT_EMPTY, 0},
      {"out of range for the type", "<X vt=\"19\">-1</X>", DISP_E_OVERFLOW, VT_EMPTY, 0},
      {"no record type is registered", "<X vt=\"36\" uuid=\"{00000000-0000-0000-0000-000000000001}\"/>",
       static_cast<HRESULT>(0x8002801DU), VT_EMPTY, 0},
      {"an object needs a clsid", "<X vt=\"9\"/>", DISP_E_TYPEMISMATCH, VT_EMPTY, 0},
      {"only a font is ever created", "<X vt=\"9\" clsid=\"{11111111-2222-3333-4444-555555555555}\"/>", S_OK,
       VT_DISPATCH, 0},
      {"an all-zero clsid: an empty object", "<X vt=\"13\" clsid=\"{00000000-0000-0000-0000-000000000000}\"/>", S_OK,
       VT_DISPATCH, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    FakeObject object({{u"X", Variant::Long(-5)}});
    ASSERT_EQ(LoadText(Document(c.element), object), S_OK);
    const auto& read = object.reads.at(0);
    EXPECT_EQ(read.hr, c.hr);
    if (Succeeded(read.hr)) {
      EXPECT_EQ(read.value.Type(), c.type);
      EXPECT_EQ(read.value.AsLong(), c.number);
      EXPECT_EQ(read.value.AsFont(), nullptr);
    }
  }
}

// Documents that must load nothing, or load from the right place, and never crash.
TEST(XmlPropertyBag, LoadsOnlyFromAWellFormedObject) {
  std::string nested;
  for (int i = 0; i < 10000; ++i) {
    nested += "<n>";
  }
  std::string closing;
  for (int i = 0; i < 10000; ++i) {
    closing += "</n>";
  }
  const std::string laughs =
      "<?xml version=\"1.0\"?><!DOCTYPE Object [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">"
      "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;\">]>";
  const std::string body = "<X vt=\"8\">found</X>";
  std::string many;
  for (int i = 0; i < 70000; ++i) {
    many += "<a/>";
  }
  const struct {
    const char* why;
    std::string text;
    HRESULT hr;
    int loads;
    std::u16string found;  // what X reads as, when loaded
  } cases[] = {
      {"not XML", "QLNX\x01\x02 binary", E_FAIL, 0, u""},
      {"no Object", "<Root><object/></Root>", E_FAIL, 0, u""},
      {"no clsid", "<Object>" + body + "</Object>", DISP_E_TYPEMISMATCH, 0, u""},
      {"clsid without braces", Document(body, "11111111-2222-3333-4444-555555555555"), DISP_E_TYPEMISMATCH, 0, u""},
      {"all-zero clsid loads nothing", Document(body, "{00000000-0000-0000-0000-000000000000}"), S_OK, 0, u""},
      {"another class's clsid is not checked", Document(body, "{CE4E8A38-9FB0-408E-B2DF-FEDC1E5086B4}"), S_OK, 1,
       u"found"},
      {"the first Object anywhere", "<a><b>" + Document(body) + "</b>" + Document("") + "</a>", S_OK, 1, u"found"},
      {"under 10,000 levels", nested + Document(body) + closing, S_OK, 1, u"found"},
      {"10,000 levels inside a value", Document("<X vt=\"8\">" + nested + closing + "</X>"), S_OK, 1, u""},
      {"a file of little but tags", Document(body) + many, E_FAIL, 0, u""},
      {"entities are not expanded", laughs + Document("<X vt=\"8\">&d;</X>"), S_OK, 1, u"&d;"},
      {"an entity is no clsid", laughs + Document(body, "&d;"), DISP_E_TYPEMISMATCH, 0, u""},
      {"nothing external is read",
       "<!DOCTYPE Object [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>" + Document("<X vt=\"8\">&e;</X>"), S_OK, 1,
       u"&e;"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    FakeObject object({{u"X", Variant::Text(u"")}});
    EXPECT_EQ(LoadText(c.text, object), c.hr);
    EXPECT_EQ(object.loads, c.loads);
    if (c.loads > 0) {
      EXPECT_EQ(object.reads.at(0).value.AsText(), c.found);
    }
  }
}

TEST(XmlPropertyBag, OneDocumentAtATime) {
  CXMLPropertyBag bag;
  Variant v;
  EXPECT_EQ(bag.Read(u"X", v), E_UNEXPECTED);
  EXPECT_EQ(bag.Write(u"X", Variant::Long(1)), E_UNEXPECTED);

  FakeObject inner({});
  FakeObject outer({{u"X", Variant::Long(1)}});
  std::vector<unsigned char> out;
  image::VectorSink sink(out);
  const std::string text = Document("<X vt=\"3\">1</X>");
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  outer.during = [&] { return bag.SaveObject(inner, sink); };
  EXPECT_EQ(bag.SaveObject(outer, sink), E_UNEXPECTED);
  outer.during = [&] { return bag.LoadObject(bytes, inner); };
  EXPECT_EQ(bag.LoadObject(bytes, outer), E_UNEXPECTED);
  // The document went with the failed call: the bag works again.
  outer.during = nullptr;
  EXPECT_EQ(bag.LoadObject(bytes, outer), S_OK);
  EXPECT_EQ(inner.loads, 0);
}

TEST(XmlPropertyBag, AFailingSinkFailsTheSave) {
  FakeObject object({{u"Comment", Variant::Text(u"one\r\ntwo")}, {u"Font", Variant::Font(MakeFont(u"Arial", 9))}});
  const size_t full = SaveText(object).size();
  for (size_t budget = 0; budget < full; budget += 7) {
    FailingSink sink(budget);
    CXMLPropertyBag bag;
    EXPECT_EQ(bag.SaveObject(object, sink), E_FAIL) << budget;
  }
  FailingSink enough(full);
  CXMLPropertyBag bag;
  EXPECT_EQ(bag.SaveObject(object, enough), S_OK);
}

}  // namespace
}  // namespace linnet::persist
