#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

#include "control/automation.h"
#include "control/error_info.h"
#include "control/qln_barcode.h"
#include "control/symbology_dispatch.h"
#include "render/export_image.h"
#include "render/image_formats.h"
#include "support/metafile_records.h"
#include "support/run_command.h"

namespace linnet {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;

// Record numbers of the two formats, as their public descriptions give them.
constexpr std::uint32_t kEmrHeader = 1, kEmrSetWindowExt = 9, kEmrSetViewportExt = 11, kEmrSetViewportOrg = 12,
                        kEmrEof = 14, kEmrSetMapMode = 17, kEmrSelectObject = 37, kEmrCreatePen = 38,
                        kEmrCreateBrush = 39, kEmrDeleteObject = 40, kEmrRectangle = 43, kEmrCreateFont = 82,
                        kEmrTextOutW = 84, kEmrExtCreatePen = 95;
constexpr std::uint16_t kMetaSetMapMode = 0x0103, kMetaSetWindowOrg = 0x020B, kMetaSetWindowExt = 0x020C,
                        kMetaSelectObject = 0x012D, kMetaDeleteObject = 0x01F0, kMetaCreatePen = 0x02FA,
                        kMetaCreateFont = 0x02FB, kMetaCreateBrush = 0x02FC, kMetaRectangle = 0x041B,
                        kMetaTextOut = 0x0521;
constexpr std::uint32_t kNullPen = 0x80000008;
constexpr int kRefused = 6107;

Bytes ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Bytes ToStream(CQlnBarcode& control, int format) {
  Bytes out;
  EXPECT_EQ(ExportImageToStream(control, out, format), S_OK);
  return out;
}

void Code39(CQlnBarcode& control, int turns) {
  control.put_Symbology(0);
  ASSERT_EQ(control.put_Message(u"CODE39"), S_OK);
  control.put_Rotation(turns);
}

size_t BarsOf(const CQlnBarcode& control) {
  return (EncodeLinearSymbol(control).pattern.size() + 1) / 2;
}

// 9 pt is 180 dots at 1440 per inch (the layout rounds through mils, so within a dot); a
// negative height asks for the character height.
std::int32_t HrFontHeight(const CQlnBarcode& control) {
  return -static_cast<std::int32_t>(std::lround(control.FontRef()->Description().SizePoints() * 20));
}

// What an EMF draws, read back by playing the object table: the bars (rectangles with the
// null pen and a black brush) and each text with the font selected for it.
struct EmfPlay {
  std::vector<testing::EmfRecord> records;
  std::vector<RectL> blackBars;
  struct Text {
    std::u16string text;
    std::int32_t height, escapement;
  };
  std::vector<Text> texts;
  std::uint32_t highestHandle = 0;
};

EmfPlay PlayEmf(const Bytes& bytes) {
  EmfPlay play;
  std::string problem;
  play.records = testing::WalkEmf(bytes, problem);
  EXPECT_EQ(problem, "");
  struct Object {
    char kind;
    std::uint32_t color;
    std::int32_t height, escapement;
  };
  std::map<std::uint32_t, Object> table;
  Object pen{'p', 0, 0, 0}, brush{'b', 0xFFFFFFFF, 0, 0}, font{'f', 0, 0, 0};
  bool nullPen = false;
  for (const auto& r : play.records) {
    switch (r.type) {
      case kEmrCreateBrush:
        table[r.U32(8)] = {'b', r.U32(16), 0, 0};
        break;
      case kEmrCreatePen:
        table[r.U32(8)] = {'p', r.U32(24), 0, 0};
        break;
      case kEmrExtCreatePen:
        table[r.U32(8)] = {'p', r.U32(40), 0, 0};
        break;
      case kEmrCreateFont:
        table[r.U32(8)] = {'f', 0, r.I32(12), r.I32(20)};
        break;
      case kEmrDeleteObject:
        EXPECT_EQ(table.erase(r.U32(8)), 1U) << "deleting an object that does not exist";
        break;
      case kEmrSelectObject: {
        const std::uint32_t ih = r.U32(8);
        if (ih == kNullPen) {
          nullPen = true;
          break;
        }
        if (table.count(ih) == 0) {
          ADD_FAILURE() << "selecting an object that does not exist: " << ih;
          break;
        }
        const Object& o = table[ih];
        (o.kind == 'p' ? pen : o.kind == 'b' ? brush : font) = o;
        nullPen = nullPen && o.kind != 'p';
        break;
      }
      case kEmrRectangle:
        if (nullPen && brush.color == 0) {
          play.blackBars.push_back({r.I32(8), r.I32(12), r.I32(16), r.I32(20)});
        }
        break;
      case kEmrTextOutW:
        play.texts.push_back({r.Utf16(r.U32(48), r.U32(44)), font.height, font.escapement});
        break;
      default:
        break;
    }
    if (r.type == kEmrCreateBrush || r.type == kEmrCreatePen || r.type == kEmrExtCreatePen ||
        r.type == kEmrCreateFont) {
      play.highestHandle = std::max(play.highestHandle, r.U32(8));
    }
  }
  return play;
}

const testing::EmfRecord* FirstEmf(const EmfPlay& play, std::uint32_t type) {
  for (const auto& r : play.records) {
    if (r.type == type) {
      return &r;
    }
  }
  return nullptr;
}

class MetafileExport : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = testing::MakeTempDir(); }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  std::string dir_;
};

TEST_F(MetafileExport, EmfRecordsTheLabelInEveryRotation) {
  for (int turns = 0; turns < 4; ++turns) {
    SCOPED_TRACE(turns);
    CQlnBarcode control;
    Code39(control, turns);
    const std::string path = dir_ + "/label.emf";
    ASSERT_EQ(ExportImageToFile(control, path, qlxFormatEMF), S_OK);
    const Bytes bytes = ReadAll(path);
    const EmfPlay play = PlayEmf(bytes);
    ASSERT_GE(play.records.size(), 3U);
    const testing::EmfRecord& header = play.records.front();
    ASSERT_EQ(header.type, kEmrHeader);
    // Totals of what was written.
    EXPECT_EQ(header.U32(48), bytes.size());
    EXPECT_EQ(header.U32(52), play.records.size());
    EXPECT_EQ(header.U32(56) & 0xFFFF, play.highestHandle + 1);
    EXPECT_EQ(header.U32(40), 0x464D4520U);
    EXPECT_EQ(header.Utf16(header.U32(64), header.U32(60)), std::u16string(u"QUILLON LINNET\0EXPORT EMF\0\0", 27));
    // The frame is the natural size; the bounds the same in pixels of the 96-dot screen.
    const SizeL natural = control.NaturalSize();
    EXPECT_EQ((PointL{header.I32(32) + 1, header.I32(36) + 1}), (PointL{natural.cx, natural.cy}));
    EXPECT_EQ(header.I32(16) + 1, natural.cx * 96 / 2540);
    EXPECT_EQ(play.records.back().type, kEmrEof);

    // Mapping: 1440 layout dots to 96 screen pixels, the origin at the corner the turned
    // label grows from.
    ASSERT_NE(FirstEmf(play, kEmrSetMapMode), nullptr);
    EXPECT_EQ(FirstEmf(play, kEmrSetMapMode)->U32(8), 8U);
    EXPECT_EQ(FirstEmf(play, kEmrSetWindowExt)->I32(8), 1440);
    EXPECT_EQ(FirstEmf(play, kEmrSetViewportExt)->I32(8), 96);
    const std::int32_t w = natural.cx * 96 / 2540;
    const std::int32_t h = natural.cy * 96 / 2540;
    const PointL origins[] = {{0, 0}, {0, h}, {w, h}, {w, 0}};
    const auto* org = FirstEmf(play, kEmrSetViewportOrg);
    ASSERT_NE(org, nullptr);
    EXPECT_EQ((PointL{org->I32(8), org->I32(12)}), origins[turns]);

    // One black rectangle per bar, each as long as the bar height across the turned axis.
    ASSERT_EQ(play.blackBars.size(), BarsOf(control));
    for (const RectL& bar : play.blackBars) {
      const std::int32_t narrow = turns % 2 == 0 ? bar.right - bar.left : bar.bottom - bar.top;
      EXPECT_TRUE(narrow == 19 || narrow == 46) << narrow;  // 13 mils, and 32 (2.5 times, truncated)
    }
    // The human-readable text in the label's font, turned with the label.
    bool found = false;
    for (const auto& t : play.texts) {
      if (t.text == u"*CODE39*") {
        found = true;
        EXPECT_EQ(t.escapement, 900 * turns);
        EXPECT_NEAR(t.height, HrFontHeight(control), 1);
      }
    }
    EXPECT_TRUE(found);
  }
}

TEST_F(MetafileExport, WmfRecordsTheLabelInTwipsInEveryRotation) {
  for (int turns = 0; turns < 4; ++turns) {
    SCOPED_TRACE(turns);
    CQlnBarcode control;
    Code39(control, turns);
    const Bytes bytes = ToStream(control, qlxFormatWMF);
    testing::WmfHeader header;
    std::string problem;
    const auto records = testing::WalkWmf(bytes, header, problem);
    ASSERT_EQ(problem, "");
    EXPECT_EQ(header.headerWords, 9);
    EXPECT_EQ(header.version, 0x0300);
    EXPECT_EQ(size_t{header.sizeWords} * 2, bytes.size());
    // No placeable header: the file starts with the standard one.
    EXPECT_NE(testing::ReadU32(bytes, 0), 0x9AC6CDD7U);

    // The window is the label in twips, its origin where the turned drawing starts.
    const SizeL natural = control.NaturalSize();
    const std::int32_t w = static_cast<std::int32_t>(natural.cx * 1.44 / 2.54);
    const std::int32_t h = static_cast<std::int32_t>(natural.cy * 1.44 / 2.54);
    const PointL origins[] = {{0, 0}, {0, -h}, {-w, -h}, {-w, 0}};
    std::uint32_t largest = 0;
    std::map<int, bool> slots;
    int highest = -1;
    std::vector<std::int32_t> brushColours(64, -1);
    int brush = -1;
    bool nullPen = false;
    std::map<int, std::pair<std::int16_t, std::int16_t>> fonts;
    std::pair<std::int16_t, std::int16_t> font{0, 0};
    size_t bars = 0;
    bool text = false;
    std::map<int, char> kinds;
    std::map<int, bool> penIsNull;
    for (const auto& r : records) {
      largest = std::max(largest, r.words);
      if (r.function == kMetaCreatePen || r.function == kMetaCreateBrush || r.function == kMetaCreateFont) {
        int slot = 0;
        while (slots[slot]) {
          ++slot;
        }
        slots[slot] = true;
        highest = std::max(highest, slot);
        kinds[slot] = r.function == kMetaCreatePen ? 'p' : r.function == kMetaCreateBrush ? 'b' : 'f';
        if (r.function == kMetaCreateBrush) {
          brushColours[slot] = r.Param(0) == 0 ? (static_cast<std::uint16_t>(r.Param(1)) | (r.Param(2) << 16)) : -1;
        }
        if (r.function == kMetaCreatePen) {
          penIsNull[slot] = r.Param(0) == 5;
        }
        if (r.function == kMetaCreateFont) {
          fonts[slot] = {r.Param(0), r.Param(2)};
        }
      } else if (r.function == kMetaDeleteObject) {
        EXPECT_TRUE(slots[r.Param(0)]);
        slots[r.Param(0)] = false;
      } else if (r.function == kMetaSelectObject) {
        const int slot = r.Param(0);
        ASSERT_TRUE(slots[slot]);
        if (kinds[slot] == 'b') {
          brush = slot;
        } else if (kinds[slot] == 'p') {
          nullPen = penIsNull[slot];
        } else {
          font = fonts[slot];
        }
      } else if (r.function == kMetaRectangle && nullPen && brush >= 0 && brushColours[brush] == 0) {
        ++bars;
      } else if (r.function == kMetaTextOut) {
        const std::string s(r.bytes.begin() + 8, r.bytes.begin() + 8 + r.Param(0));
        if (s == "*CODE39*") {
          text = true;
          EXPECT_NEAR(font.first, HrFontHeight(control), 1);
          EXPECT_EQ(font.second, 900 * turns);
        }
      } else if (r.function == kMetaSetMapMode) {
        EXPECT_EQ(r.Param(0), 8);
      } else if (r.function == kMetaSetWindowExt) {
        EXPECT_EQ((PointL{r.Param(1), r.Param(0)}), (PointL{w, h}));
      } else if (r.function == kMetaSetWindowOrg) {
        EXPECT_EQ((PointL{r.Param(1), r.Param(0)}), origins[turns]);
      }
    }
    EXPECT_EQ(bars, BarsOf(control));
    EXPECT_TRUE(text);
    EXPECT_EQ(header.objects, highest + 1);
    EXPECT_EQ(header.largestRecordWords, largest);
  }
}

// A stream gets the bytes a file gets; only the enhanced metafile's title differs.
TEST_F(MetafileExport, FileBytesEqualStreamBytes) {
  for (const int rotation : {0, 1}) {
    for (const char* name : {"emf", "wmf", "svg"}) {
      SCOPED_TRACE(std::string(name) + " " + std::to_string(rotation));
      CQlnBarcode control;
      control.put_Rotation(rotation);
      const ImageFormatInfo& format = *ImageFormatNamed(name);
      const std::string path = dir_ + "/label." + name;
      ASSERT_EQ(ExportFormatToFile(control, path, format), S_OK);
      Bytes stream{'x'};  // appended after what the stream holds
      ASSERT_EQ(ExportFormatToStream(control, stream, format), S_OK);
      stream.erase(stream.begin());
      Bytes file = ReadAll(path);
      if (format.writer == ImageWriter::Emf) {
        const std::uint32_t fileHeader = testing::ReadU32(file, 4);
        const std::uint32_t streamHeader = testing::ReadU32(stream, 4);
        EXPECT_EQ(testing::ReadU32(file, 48) - fileHeader, testing::ReadU32(stream, 48) - streamHeader);
        file.erase(file.begin(), file.begin() + fileHeader);
        stream.erase(stream.begin(), stream.begin() + streamHeader);
      }
      EXPECT_TRUE(file == stream);
    }
  }
}

TEST_F(MetafileExport, FailuresLeaveNothingBehind) {
  const std::string temporary = dir_ + "/tmp";
  fs::create_directory(temporary);
  const char* previous = std::getenv("TMPDIR");
  const std::string saved = previous != nullptr ? previous : "";
  const struct {
    const char* why;
    const char* format;
    bool toFile;
    const char* tmpdir;       // nullptr: the test's own, which must stay empty
    std::int32_t labelWidth;  // mils; 0 keeps the label automatic
    int expected;             // 0 or the control's error number
  } cases[] = {
      {"no such directory", "emf", true, nullptr, 0, kRefused},
      {"no such directory", "wmf", true, nullptr, 0, kRefused},
      {"no such directory", "svg", true, nullptr, 0, kRefused},
      {"the temporary file cannot be created", "wmf", false, "/nonexistent/linnet", 0, kRefused},
      {"40 inches are beyond 16-bit twips", "wmf", true, nullptr, 40000, kRefused},
      {"40 inches are beyond 16-bit twips", "wmf", false, nullptr, 40000, kRefused},
      {"a plain stream export cleans its temporary file", "wmf", false, nullptr, 0, 0},
      {"enhanced metafiles hold 32-bit coordinates", "emf", true, nullptr, 40000, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.why) + " " + c.format);
    setenv("TMPDIR", c.tmpdir != nullptr ? c.tmpdir : temporary.c_str(), 1);
    CQlnBarcode control;
    if (c.labelWidth != 0) {
      ASSERT_EQ(control.put_AutoLabelSize(VARIANT_FALSE), S_OK);
      ASSERT_EQ(control.put_LabelWidth(c.labelWidth), S_OK);
    }
    const ImageFormatInfo& format = *ImageFormatNamed(c.format);
    const std::string path = c.expected == 0     ? dir_ + "/ok." + c.format
                             : c.labelWidth != 0 ? dir_ + "/huge." + c.format
                                                 : dir_ + "/missing/label." + c.format;
    HRESULT hr = S_OK;
    Bytes out{'s', 't', 'a', 'l', 'e'};
    if (c.toFile) {
      hr = ExportFormatToFile(control, path, format);
      EXPECT_EQ(fs::exists(path), hr == S_OK);
    } else {
      hr = ExportFormatToStream(control, out, format);
      if (hr != S_OK) {
        EXPECT_TRUE(out == (Bytes{'s', 't', 'a', 'l', 'e'}));
      }
    }
    EXPECT_EQ(hr == S_OK ? 0 : ControlErrorNumber(hr), c.expected);
    EXPECT_TRUE(fs::is_empty(temporary));
  }
  if (previous != nullptr) {
    setenv("TMPDIR", saved.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
}

// Existing files are replaced only when named like an image of the table, SVG included.
TEST_F(MetafileExport, OverwriteGuardKnowsTheNewExtensions) {
  const struct {
    const char* name;
    bool replaced;
  } cases[] = {{"old.svg", true}, {"old.EMF", true}, {"old.wmf", true}, {"old.sv", false}, {"old.txt", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir_ + "/" + c.name;
    std::ofstream(path) << "keep";
    CQlnBarcode control;
    const HRESULT hr = ExportFormatToFile(control, path, *ImageFormatNamed("svg"));
    EXPECT_EQ(hr == S_OK, c.replaced);
    EXPECT_EQ(ReadAll(path) == (Bytes{'k', 'e', 'e', 'p'}), !c.replaced);
  }
}

TEST_F(MetafileExport, PictureHoldsTheWholeEnhancedMetafile) {
  const struct {
    const char* why;
    size_t commentWords;
  } cases[] = {{"the default label", 0}, {"a comment that takes the metafile past 640 KiB", 60000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    CQlnBarcode control;
    if (c.commentWords != 0) {
      std::u16string comment;
      for (size_t i = 0; i < c.commentWords; ++i) {
        comment += u"word ";
      }
      ASSERT_EQ(control.put_Comment(comment), S_OK);
    }
    PicturePtr picture;
    ASSERT_EQ(control.get_Picture(&picture), S_OK);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Type(), PictureObject::kTypeEnhancedMetafile);
    const Bytes exported = ToStream(control, qlxFormatEMF);
    EXPECT_TRUE(picture->MetafileBytes() == exported);
    EXPECT_EQ(picture->Size(), control.NaturalSize());
    if (c.commentWords != 0) {
      EXPECT_GT(exported.size(), 655360U);
    }
    // The automation getter hands out the same snapshot as an object.
    Variant viaAutomation;
    ASSERT_EQ(FindAutomationMember("Picture", false)->get(control, viaAutomation), S_OK);
    EXPECT_EQ(viaAutomation.Type(), VT_DISPATCH);
    ASSERT_NE(viaAutomation.AsPicture(), nullptr);
    EXPECT_TRUE(viaAutomation.AsPicture()->MetafileBytes() == exported);
  }
}

// Snapshots taken at the same time on two threads are each their own control's label.
TEST_F(MetafileExport, PicturesOnTwoThreadsShareNothing) {
  CQlnBarcode first;
  CQlnBarcode second;
  ASSERT_EQ(second.put_Message(u"OTHER"), S_OK);
  const Bytes firstAlone = ToStream(first, qlxFormatEMF);
  const Bytes secondAlone = ToStream(second, qlxFormatEMF);
  ASSERT_FALSE(firstAlone == secondAlone);
  for (int round = 0; round < 5; ++round) {
    PicturePtr a;
    PicturePtr b;
    std::thread one([&] { first.get_Picture(&a); });
    std::thread two([&] { second.get_Picture(&b); });
    one.join();
    two.join();
    ASSERT_TRUE(a && b);
    EXPECT_TRUE(a->MetafileBytes() == firstAlone);
    EXPECT_TRUE(b->MetafileBytes() == secondAlone);
  }
}

}  // namespace
}  // namespace linnet
