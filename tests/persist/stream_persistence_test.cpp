#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "control/error_info.h"
#include "persist/control_persistence.h"
#include "persist/persist_fixtures.h"
#include "platform/com/font_persist.h"

namespace linnet {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::EveryPersistedPropertyChanged;

Bytes Saved(CQlnBarcode& control) {
  MemoryStream stream;
  EXPECT_EQ(persist::SaveToStream(control, stream, false), S_OK);
  return stream.Bytes();
}

HRESULT LoadBytes(CQlnBarcode& control, const Bytes& bytes) {
  MemoryStream stream(bytes);
  return persist::LoadFromStream(control, stream);
}

void Put16(Bytes& b, std::uint16_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v) {
  Put16(b, static_cast<std::uint16_t>(v));
  Put16(b, static_cast<std::uint16_t>(v >> 16));
}
void PutAscii(Bytes& b, const char* text) {
  b.insert(b.end(), text, text + std::strlen(text));
}

Bytes Utf16(const char* ascii) {
  Bytes b;
  for (const char* p = ascii; *p != '\0'; ++p) {
    Put16(b, static_cast<std::uint8_t>(*p));
  }
  return b;
}

constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

// The offset of the first occurrence of `needle` at or after `from`.
std::size_t Find(const Bytes& haystack, const Bytes& needle, std::size_t from = 0) {
  const auto it =
      std::search(haystack.begin() + static_cast<std::ptrdiff_t>(from), haystack.end(), needle.begin(), needle.end());
  return it == haystack.end() ? kNotFound : static_cast<std::size_t>(it - haystack.begin());
}

// Header (12) + AutoSize (4) + AutoLabelSize (4) + ZoomRatio (10) + four colour and integer
// records (6 each) + Enabled (4): the Font record starts here.
constexpr std::size_t kFontRecordOffset = 12 + 4 + 4 + 10 + 4 * 6 + 4;

TEST(StreamForm, PersistedOrderAndNames) {
  // The order hosts' stored streams have, entry 3 onwards.
  const char* expected[] = {"AutoSize",
                            "AutoLabelSize",
                            "ZoomRatio",
                            "BackColor",
                            "BorderColor",
                            "BorderStyle",
                            "BorderWidth",
                            "Enabled",
                            "Font",
                            "ForeColor",
                            "Symbology",
                            "BarHeight",
                            "BarWidthDection",
                            "BearerBars",
                            "Measurement",
                            "Message",
                            "NarrowBarWidth",
                            "NarrowToWideRatio",
                            "QuietZones",
                            "Code39OptionalCheckDigit",
                            "I2of5OptionalCheckDigit",
                            "Code25OptionalCheckDigit",
                            "UccEanOptionalCheckDigit",
                            "Comment",
                            "CommentFont",
                            "CommentAlignment",
                            "ShowComment",
                            "CommentOnTop",
                            "CommentMarginLeft",
                            "CommentMarginRight",
                            "CommentMarginTop",
                            "CommentMarginBottom",
                            "SymbolMarginLeft",
                            "SymbolMarginRight",
                            "SymbolMarginTop",
                            "SymbolMarginBottom",
                            "LabelHeight",
                            "LabelWidth",
                            "Rotation",
                            "ShowHRText",
                            "TextAlignment",
                            "Code39StartStopChars",
                            "TextOnTop",
                            "ShowCheckDigit",
                            "RasterImageResolution"};
  const auto set = persist::PersistedProperties();
  ASSERT_EQ(set.size(), std::size(expected));
  for (std::size_t i = 0; i < set.size(); ++i) {
    EXPECT_STREQ(set[i]->persistedName, expected[i]) << i;
  }
}

TEST(StreamForm, NewControlBytes) {
  CQlnBarcode control;
  const Bytes bytes = Saved(control);
  const struct {
    const char* what;
    std::size_t offset;
    Bytes expected;
  } cases[] = {
      {"version", 0, {0x00, 0x30, 0x00, 0x00}},
      // AutoSize false, AutoLabelSize true (0xFFFF), ZoomRatio the double 1.0.
      {"AutoSize", 12, {0x0B, 0x00, 0x00, 0x00}},
      {"AutoLabelSize", 16, {0x0B, 0x00, 0xFF, 0xFF}},
      {"ZoomRatio", 20, {0x05, 0x00, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},
      // BackColor white as an unsigned 32-bit, BorderStyle a signed one.
      {"BackColor", 30, {0x13, 0x00, 0xFF, 0xFF, 0xFF, 0x00}},
      {"BorderStyle", 42, {0x03, 0x00, 0, 0, 0, 0}},
      // The font: its object type, then the font class identifier in the binary layout.
      {"Font",
       kFontRecordOffset,
       {0x09, 0x00, 0x03, 0x52, 0xE3, 0x0B, 0x91, 0x8F, 0xCE, 0x11, 0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}},
      // Version 1, charset 0, no flags, weight 400, 9 pt = 90000, "Arial".
      {"Font record",
       kFontRecordOffset + 18,
       {0x01, 0x00, 0x00, 0x00, 0x90, 0x01, 0x90, 0x5F, 0x01, 0x00, 0x05, 'A', 'r', 'i', 'a', 'l'}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_LE(c.offset + c.expected.size(), bytes.size());
    EXPECT_EQ(Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(c.offset),
                    bytes.begin() + static_cast<std::ptrdiff_t>(c.offset + c.expected.size())),
              c.expected);
  }
  // The extent is the natural size.
  EXPECT_EQ(bytes[4] | (bytes[5] << 8) | (bytes[6] << 16) | (bytes[7] << 24), control.NaturalSize().cx);
  // Measurement (English), then Message: type 8, count 16, "QUILLON" and the terminator.
  Bytes message = {0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x10, 0x00, 0x00, 0x00};
  const Bytes text = Utf16("QUILLON");
  message.insert(message.end(), text.begin(), text.end());
  message.insert(message.end(), {0x00, 0x00, 0x03, 0x00});  // NarrowBarWidth follows
  EXPECT_NE(Find(bytes, message), kNotFound);

  std::uint64_t size = 0;
  EXPECT_EQ(persist::MaxStreamSize(control, &size), S_OK);
  EXPECT_EQ(size, bytes.size());
  EXPECT_EQ(persist::MaxStreamSize(control, nullptr), E_POINTER);
}

TEST(StreamForm, RoundTripsEveryPersistedProperty) {
  CQlnBarcode original;
  testing::Apply(original, EveryPersistedPropertyChanged());
  // Every persisted property is away from its value at creation, so a lost entry shows.
  CQlnBarcode fresh;
  for (const AutomationMember* member : persist::PersistedProperties()) {
    SCOPED_TRACE(member->name);
    EXPECT_NE(testing::Describe(testing::Get(original, *member)), testing::Describe(testing::Get(fresh, *member)));
  }
  const Bytes bytes = Saved(original);
  std::uint64_t size = 0;
  ASSERT_EQ(persist::MaxStreamSize(original, &size), S_OK);
  EXPECT_EQ(size, bytes.size());

  CQlnBarcode loaded;
  loaded.SetModified(true);
  ASSERT_EQ(LoadBytes(loaded, bytes), S_OK);
  testing::ExpectSamePersistedValues(original, loaded);
  testing::ExpectExtensionsAtCreation(loaded);
  // The label is measured from the loaded values once the load is over.
  EXPECT_EQ(loaded.NaturalSize(), original.NaturalSize());
  EXPECT_EQ(loaded.Extent(), original.Extent());
  EXPECT_EQ(persist::IsDirty(loaded), S_FALSE);
  EXPECT_FALSE(loaded.IsLoading());
  // Saving again gives the same bytes.
  EXPECT_EQ(Saved(loaded), bytes);
}

TEST(StreamForm, EverySymbologyKeepsItsMessage) {
  // Every sample message survives a round trip under its own symbology.
  for (int symbology : {0, 3, 5, 8, 10, 20, 22, 33, 38, 40, 41, 42}) {
    SCOPED_TRACE(symbology);
    CQlnBarcode original;
    original.put_Symbology(symbology);
    std::u16string sample;
    original.get_Message(&sample);
    CQlnBarcode loaded;
    ASSERT_EQ(LoadBytes(loaded, Saved(original)), S_OK);
    std::u16string message;
    loaded.get_Message(&message);
    EXPECT_EQ(message, sample);
    EXPECT_EQ(loaded.Properties().symbology, symbology);
  }
  // Symbology loads before Message: the other order would leave the sample message.
  CQlnBarcode original;
  original.put_Symbology(10);
  ASSERT_EQ(original.put_Message(u"400638133393"), S_OK);
  CQlnBarcode loaded;
  ASSERT_EQ(LoadBytes(loaded, Saved(original)), S_OK);
  EXPECT_EQ(loaded.Properties().message, u"400638133393");
}

TEST(StreamForm, CommentsReloadAsStored) {
  // The comment at creation holds a literal backslash and n; a comment set later holds the line
  // break its escape became. Both come back as they were, not escaped a second time.
  CQlnBarcode fresh;
  CQlnBarcode set;
  ASSERT_EQ(set.put_Comment(u"one\\ntwo \\ three"), S_OK);
  for (CQlnBarcode* original : {&fresh, &set}) {
    CQlnBarcode loaded;
    ASSERT_EQ(LoadBytes(loaded, Saved(*original)), S_OK);
    EXPECT_EQ(loaded.Properties().comment, original->Properties().comment);
  }
  EXPECT_EQ(set.Properties().comment, u"one\ntwo \\ three");
  EXPECT_NE(fresh.Properties().comment.find(u"enter \\n at"), std::u16string::npos);
}

TEST(StreamForm, MetricLengthsReloadUnconverted) {
  CQlnBarcode original;
  original.put_Measurement(qlxMeasureMetrics);
  EXPECT_EQ(original.Properties().barHeight, 2540);
  CQlnBarcode loaded;
  ASSERT_EQ(LoadBytes(loaded, Saved(original)), S_OK);
  EXPECT_EQ(loaded.Properties().measurement, qlxMeasureMetrics);
  EXPECT_EQ(loaded.Properties().barHeight, 2540);
  EXPECT_EQ(loaded.Properties().narrowBarWidth, 33);
}

TEST(StreamForm, Versions) {
  CQlnBarcode source;
  source.put_BarHeight(1234);
  const Bytes saved = Saved(source);
  const struct {
    std::uint32_t version;
    HRESULT expected;
  } cases[] = {
      {0x00003000, S_OK},   {0x00000710, S_OK},  // the earlier form reads the same
      {0x00000E00, E_FAIL}, {0x00003001, E_FAIL}, {0, E_FAIL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version);
    Bytes bytes = saved;
    bytes[0] = static_cast<std::uint8_t>(c.version);
    bytes[1] = static_cast<std::uint8_t>(c.version >> 8);
    bytes[2] = static_cast<std::uint8_t>(c.version >> 16);
    bytes[3] = static_cast<std::uint8_t>(c.version >> 24);
    CQlnBarcode control;
    control.SetExtent({1, 2});
    EXPECT_EQ(LoadBytes(control, bytes), c.expected);
    EXPECT_EQ(control.Properties().barHeight, c.expected == S_OK ? 1234 : 1000);
    // A refused version changes nothing, not even the extent.
    if (c.expected != S_OK) {
      EXPECT_EQ(control.Extent(), (SizeL{1, 2}));
    }
    EXPECT_FALSE(control.IsLoading());
  }
}

TEST(StreamForm, RefusedEntryStopsTheLoadWhereItIs) {
  CQlnBarcode source;
  source.put_Symbology(5);
  source.put_NarrowBarWidth(40);
  Bytes bytes = Saved(source);
  // The BarHeight record follows ForeColor; a hand-made stream sets it to 0.
  const Bytes barHeight = {0x03, 0x00, 0xE8, 0x03, 0x00, 0x00};
  const std::size_t at = Find(bytes, barHeight, kFontRecordOffset);
  ASSERT_NE(at, kNotFound);
  bytes[at + 2] = 0;
  bytes[at + 3] = 0;

  CQlnBarcode control;
  control.SetModified(true);
  EXPECT_EQ(LoadBytes(control, bytes), E_FAIL);
  EXPECT_EQ(control.Properties().symbology, 5);        // before it: loaded
  EXPECT_EQ(control.Properties().barHeight, 1000);     // refused
  EXPECT_EQ(control.Properties().narrowBarWidth, 13);  // after it: untouched
  EXPECT_FALSE(control.IsLoading());
  EXPECT_TRUE(control.IsModified());
  EXPECT_EQ(ControlErrorNumber(ControlErrorHResult(6116)), 6116);
}

TEST(StreamForm, EveryTruncationFails) {
  CQlnBarcode source;
  testing::Apply(source, EveryPersistedPropertyChanged());
  const Bytes bytes = Saved(source);
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    SCOPED_TRACE(length);
    CQlnBarcode control;
    const HRESULT hr = LoadBytes(control, Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)));
    ASSERT_TRUE(Failed(hr));
    ASSERT_FALSE(control.IsLoading());
  }
}

TEST(StreamForm, DamagedStreamsNeverCrash) {
  CQlnBarcode source;
  testing::Apply(source, EveryPersistedPropertyChanged());
  const Bytes saved = Saved(source);
  std::mt19937 random(14);
  std::uniform_int_distribution<std::size_t> at(0, saved.size() - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 400; ++round) {
    Bytes bytes = saved;
    for (int i = 0; i < 1 + round % 8; ++i) {
      bytes[at(random)] = static_cast<std::uint8_t>(byte(random));
    }
    CQlnBarcode control;
    const HRESULT hr = LoadBytes(control, bytes);
    // Whatever the damage, the answer is a result and the control is usable afterwards.
    EXPECT_TRUE(hr == S_OK || Failed(hr));
    EXPECT_FALSE(control.IsLoading());
    Saved(control);
  }
}

// A stream that is valid up to Message, whose record is replaced by `record`.
Bytes WithMessageRecord(const Bytes& record) {
  CQlnBarcode source;
  Bytes bytes = Saved(source);
  Bytes message = {0x08, 0x00, 0x10, 0x00, 0x00, 0x00};
  const std::size_t at = Find(bytes, message);
  EXPECT_NE(at, kNotFound);
  Bytes result(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
  result.insert(result.end(), record.begin(), record.end());
  return result;
}

TEST(StreamForm, MalformedValueRecords) {
  Bytes hugeText = {0x08, 0x00};
  Put32(hugeText, 0x00100001);
  Bytes maxText = {0x08, 0x00};
  Put32(maxText, 0x00100000);  // allowed, but the bytes are not there
  Bytes allOnes = {0x08, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
  Bytes noTerminator = {0x08, 0x00, 0x04, 0x00, 0x00, 0x00, 'A', 0x00, 'B', 0x00};
  Bytes unknownObject = {0x09, 0x00};
  for (int i = 0; i < 16; ++i) {
    unknownObject.push_back(static_cast<std::uint8_t>(0x11 * i));
  }
  Bytes badFontVersion = {0x0D, 0x00, 0x03, 0x52, 0xE3, 0x0B, 0x91, 0x8F, 0xCE, 0x11,
                          0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51, 0x02};
  Bytes fontNameCut = {0x09, 0x00, 0x03, 0x52, 0xE3, 0x0B, 0x91, 0x8F, 0xCE, 0x11, 0x9D, 0xE3, 0x00, 0xAA, 0x00,
                       0x4B, 0xB8, 0x51, 0x01, 0,    0,    0,    0x90, 0x01, 0,    0,    1,    0,    0xFF, 'A'};
  const struct {
    const char* what;
    Bytes record;
    HRESULT expected;
  } cases[] = {
      {"text count 1", {0x08, 0x00, 0x01, 0x00, 0x00, 0x00}, E_FAIL},
      {"text count odd", {0x08, 0x00, 0x03, 0x00, 0x00, 0x00, 'A', 0x00, 0x00}, E_FAIL},
      {"text above 1 MiB", hugeText, E_ACCESSDENIED},
      {"text count all ones", allOnes, E_ACCESSDENIED},
      {"text of 1 MiB cut short", maxText, E_FAIL},
      {"terminator not zero", noTerminator, E_FAIL},
      // Message is text: an object record or an unknown class is refused by its setter.
      {"object where text belongs", unknownObject, E_FAIL},
      {"font record of another version", badFontVersion, E_FAIL},
      {"font name longer than the stream", fontNameCut, E_FAIL},
      {"type without its value", {0x03, 0x00, 0x01}, E_FAIL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CQlnBarcode control;
    EXPECT_EQ(LoadBytes(control, WithMessageRecord(c.record)), c.expected);
    EXPECT_EQ(control.Properties().message, u"QUILLON");
    EXPECT_FALSE(control.IsLoading());
  }
}

TEST(StreamForm, OtherRecordTypesConvertToTheProperty) {
  // Hosts may store a value under another type; the setter's conversion takes it.
  const struct {
    const char* what;
    Bytes record;
    std::u16string message;
  } cases[] = {
      {"32-bit integer becomes text", {0x03, 0x00, 0x39, 0x30, 0x00, 0x00}, u"12345"},
      {"unsigned 8-bit", {0x11, 0x00, 0xFE}, u"254"},
      {"empty text", {0x08, 0x00, 0x00, 0x00, 0x00, 0x00}, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CQlnBarcode control;
    // The rest of the stream is missing: the load fails after Message, which is loaded.
    EXPECT_TRUE(Failed(LoadBytes(control, WithMessageRecord(c.record))));
    EXPECT_EQ(control.Properties().message, c.message);
  }
}

// The record the platform's font object writes, built from its public layout.
Bytes PlatformFontRecord(std::uint16_t charset, std::uint8_t flags, std::uint16_t weight, std::uint32_t size,
                         const char* name) {
  Bytes b = {0x09, 0x00};
  const auto id = GuidToBytes(kFontClassId);
  b.insert(b.end(), id.begin(), id.end());
  b.push_back(0x01);
  Put16(b, charset);
  b.push_back(flags);
  Put16(b, weight);
  Put32(b, size);
  b.push_back(static_cast<std::uint8_t>(std::strlen(name)));
  PutAscii(b, name);
  return b;
}

TEST(StreamForm, PlatformFontRecordsLoad) {
  CQlnBarcode source;
  Bytes bytes = Saved(source);
  const Bytes defaultFont = PlatformFontRecord(0, 0, 400, 90000, "Arial");
  const Bytes defaultCommentFont = PlatformFontRecord(0, 0, 400, 80000, "Arial");
  // Font: Tahoma 12 pt bold, italic and underline, charset 2; CommentFont: 7.5 pt strikethrough.
  const Bytes font = PlatformFontRecord(2, 0x02 | 0x04, 700, 120000, "Tahoma");
  const Bytes commentFont = PlatformFontRecord(0xA1, 0x08, 400, 75000, "Times New Roman");
  const auto replace = [&bytes](const Bytes& from, const Bytes& to) {
    const std::size_t at = Find(bytes, from);
    ASSERT_NE(at, kNotFound);
    bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                bytes.begin() + static_cast<std::ptrdiff_t>(at + from.size()));
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), to.begin(), to.end());
  };
  replace(defaultFont, font);
  replace(defaultCommentFont, commentFont);

  CQlnBarcode control;
  ASSERT_EQ(LoadBytes(control, bytes), S_OK);
  const FontDescription& f = control.FontRef()->Description();
  EXPECT_EQ(f.name, u"Tahoma");
  EXPECT_EQ(f.sizeTenThousandths, 120000);
  EXPECT_EQ(f.weight, 700);
  EXPECT_EQ(f.charset, 2);
  EXPECT_TRUE(f.italic);
  EXPECT_TRUE(f.underline);
  EXPECT_FALSE(f.strikethrough);
  const FontDescription& c = control.CommentFontRef()->Description();
  EXPECT_EQ(c.name, u"Times New Roman");
  EXPECT_EQ(c.sizeTenThousandths, 75000);
  EXPECT_EQ(c.charset, 0xA1);
  EXPECT_TRUE(c.strikethrough);
  EXPECT_FALSE(c.italic);
}

TEST(StreamForm, AbsentFontIsSixteenZeroBytesAndLoadsAsNone) {
  CQlnBarcode source;
  source.putref_CommentFont(nullptr);
  const Bytes bytes = Saved(source);
  Bytes absent = {0x09, 0x00};
  absent.insert(absent.end(), 16, 0x00);
  absent.insert(absent.end(), {0x03, 0x00});  // CommentAlignment follows
  EXPECT_NE(Find(bytes, absent), kNotFound);
  CQlnBarcode control;
  ASSERT_EQ(LoadBytes(control, bytes), S_OK);
  EXPECT_EQ(control.CommentFontRef(), nullptr);
}

TEST(StreamForm, InitNewAndDirty) {
  CQlnBarcode control;
  EXPECT_EQ(persist::IsDirty(control), S_FALSE);
  EXPECT_EQ(persist::InitNew(control), S_OK);
  EXPECT_EQ(persist::IsDirty(control), S_OK);
  EXPECT_EQ(control.Properties().barHeight, 1000);
  // Saving keeps the modified flag, whatever the host asks.
  MemoryStream stream;
  EXPECT_EQ(persist::SaveToStream(control, stream, true), S_OK);
  EXPECT_EQ(persist::IsDirty(control), S_OK);
}

// A stream that takes `budget` bytes and then reports the medium full, as a full disk does.
class FullStream final : public ByteStream {
 public:
  explicit FullStream(std::uint32_t budget) : budget_(budget) {}
  HRESULT Read(void*, std::uint32_t, std::uint32_t* done) override {
    if (done != nullptr) {
      *done = 0;
    }
    return S_OK;
  }
  HRESULT Write(const void*, std::uint32_t size, std::uint32_t* done) override {
    const std::uint32_t taken = std::min(size, budget_);
    budget_ -= taken;
    if (done != nullptr) {
      *done = taken;
    }
    return taken == size ? S_OK : kMediumFull;
  }
  HRESULT Seek(std::int64_t, SeekOrigin, std::uint64_t*) override { return S_OK; }

  static constexpr HRESULT kMediumFull = static_cast<HRESULT>(0x80030070U);

 private:
  std::uint32_t budget_;
};

TEST(StreamForm, WriteFailureEndsTheSaveWithItsResult) {
  CQlnBarcode control;
  const std::size_t size = Saved(control).size();
  for (std::size_t budget : {std::size_t{0}, std::size_t{3}, std::size_t{12}, size / 2, size - 1, size}) {
    SCOPED_TRACE(budget);
    FullStream stream(static_cast<std::uint32_t>(budget));
    EXPECT_EQ(persist::SaveToStream(control, stream, false), budget < size ? FullStream::kMediumFull : S_OK);
  }
}

}  // namespace
}  // namespace linnet
