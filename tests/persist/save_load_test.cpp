#include "persist/save_load.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "control/error_info.h"
#include "control/qln_barcode.h"
#include "persist/persist_fixtures.h"
#include "persist/property_file.h"
#include "platform/codepage.h"
#include "platform/com/error_object.h"
#include "support/run_command.h"

namespace linnet::persist {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::RunCommand;

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

Variant FileName(const std::string& path) {
  return Variant::Text(Utf8ToWide(path));
}

std::string Entries(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) {
    names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  std::string all;
  for (const auto& n : names) {
    all += n + " ";
  }
  return all;
}

// Every persisted value, as text, for comparing a control with a snapshot of itself.
std::string Snapshot(CQlnBarcode& control) {
  std::string all = std::to_string(control.Extent().cx) + "x" + std::to_string(control.Extent().cy);
  for (const AutomationMember* member : PersistedProperties()) {
    all += std::string(" ") + member->name + "=" + testing::Describe(testing::Get(control, *member));
  }
  return all;
}

std::string XmlOfNewControl() {
  CQlnBarcode control;
  auto stream = std::make_shared<MemoryStream>();
  EXPECT_EQ(Save(control, Variant::Stream(stream), kPersistXml), S_OK);
  return {stream->Bytes().begin(), stream->Bytes().end()};
}

std::string Replace(std::string text, const std::string& pattern, const std::string& with) {
  return std::regex_replace(text, std::regex(pattern), with, std::regex_constants::format_first_only);
}

// A host stream that refuses every write.
class FullStream final : public ByteStream {
 public:
  HRESULT Read(void*, std::uint32_t, std::uint32_t*) override { return E_FAIL; }
  HRESULT Write(const void*, std::uint32_t, std::uint32_t* done) override {
    if (done != nullptr) {
      *done = 0;
    }
    return static_cast<HRESULT>(0x80030070U);  // the medium is full
  }
  HRESULT Seek(std::int64_t, SeekOrigin, std::uint64_t*) override { return S_OK; }
};

class SaveLoad : public ::testing::Test {
 protected:
  std::string dir_ = testing::MakeTempDir();
};

TEST_F(SaveLoad, EveryPersistedPropertyRoundTrips) {
  const struct {
    const char* why;
    int format;
    const char* file;  // nullptr: a host stream
  } cases[] = {
      {"binary file", 0, "label.lnx"},
      {"XML file", kPersistXml, "label.xml"},
      {"binary into a stream", 0, nullptr},
      {"XML into a stream", kPersistXml, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    CQlnBarcode original;
    testing::Apply(original, testing::EveryPersistedPropertyChanged());
    original.SetExtent({12345, 6789});
    ASSERT_TRUE(original.IsModified());

    // A stream is written and read at its current position: start past a prefix.
    auto stream = std::make_shared<MemoryStream>(std::vector<std::uint8_t>{'a', 'b', 'c'});
    ASSERT_EQ(stream->Seek(3, SeekOrigin::kBegin, nullptr), S_OK);
    const Variant where = c.file != nullptr ? FileName(dir_ + "/" + c.file) : Variant::Stream(stream);
    ASSERT_EQ(Save(original, where, c.format), S_OK);
    // Only the XML form goes through the bag save that clears the flag.
    EXPECT_EQ(original.IsModified(), c.format != kPersistXml);

    CQlnBarcode loaded;
    loaded.SetModified(true);
    ASSERT_EQ(stream->Seek(3, SeekOrigin::kBegin, nullptr), S_OK);
    ASSERT_EQ(Load(loaded, where, c.format), S_OK);
    testing::ExpectSamePersistedValues(original, loaded);
    // AutoSize is on, so the refresh after the load sizes both alike.
    original.Refresh();
    EXPECT_EQ(loaded.Extent().cx, original.Extent().cx);
    EXPECT_EQ(loaded.Extent().cy, original.Extent().cy);
    EXPECT_FALSE(loaded.IsModified());
  }
}

TEST_F(SaveLoad, TheXmlOfANewControlIsTheDescribedDocument) {
  CQlnBarcode control;
  const std::string path = dir_ + "/new.xml";
  ASSERT_EQ(Save(control, FileName(path), kPersistXml), S_OK);

  const std::string extentWidth = std::to_string(control.Extent().cx);
  const std::string extentHeight = std::to_string(control.Extent().cy);
  const std::string labelHeight = testing::Describe(testing::Get(control, *FindAutomationMember("LabelHeight", false)));
  const std::string labelWidth = testing::Describe(testing::Get(control, *FindAutomationMember("LabelWidth", false)));
  const std::string font = "{0BE35203-8F91-11CE-9DE3-00AA004BB851}";
  const auto fontLines = [](const std::string& name, const std::string& size) {
    return name + "/Name 8 - Arial\n" + name + "/Size 5 - " + size + "\n" + name + "/Charset 2 - 0\n" + name +
           "/Weight 2 - 400\n" + name + "/Underline 11 - False\n" + name + "/Italic 11 - False\n" + name +
           "/Strikethrough 11 - False\n";
  };
  // Name, vt, clsid ("-": none) and text of every element, as an outside parser reads them.
  const std::string expected =
      "Object - {CE4E8A38-9FB0-408E-B2DF-FEDC1E5086B4} \n"
      "__cx 19 - " +
      extentWidth +
      "\n"
      "__cy 19 - " +
      extentHeight +
      "\n"
      "AutoSize 11 - False\nAutoLabelSize 11 - True\nZoomRatio 5 - 1\nBackColor 19 - 16777215\n"
      "BorderColor 19 - 0\nBorderStyle 3 - 0\nBorderWidth 3 - 15\nEnabled 11 - True\n"
      "Font 9 " +
      font + " \n" + fontLines("Font", "9") +
      "ForeColor 19 - 0\nSymbology 3 - 0\nBarHeight 3 - 1000\nBarWidthDection 3 - 0\nBearerBars 11 - False\n"
      "Measurement 3 - 0\nMessage 8 - QUILLON\nNarrowBarWidth 3 - 13\nNarrowToWideRatio 5 - 2.5\n"
      "QuietZones 11 - False\nCode39OptionalCheckDigit 11 - False\nI2of5OptionalCheckDigit 11 - False\n"
      "Code25OptionalCheckDigit 11 - False\nUccEanOptionalCheckDigit 11 - False\n"
      "Comment 8 - LINE1\\nTo force another line, enter \\\\n at the line end.\n"
      "CommentFont 9 " +
      font + " \n" + fontLines("CommentFont", "8") +
      "CommentAlignment 3 - 0\nShowComment 11 - True\nCommentOnTop 11 - False\n"
      "CommentMarginLeft 3 - 0\nCommentMarginRight 3 - 0\nCommentMarginTop 3 - 0\nCommentMarginBottom 3 - 0\n"
      "SymbolMarginLeft 3 - 100\nSymbolMarginRight 3 - 100\nSymbolMarginTop 3 - 100\nSymbolMarginBottom 3 - 100\n"
      "LabelHeight 3 - " +
      labelHeight.substr(2) + "\nLabelWidth 3 - " + labelWidth.substr(2) +
      "\n"
      "Rotation 3 - 0\nShowHRText 11 - True\nTextAlignment 3 - 2\nCode39StartStopChars 11 - True\n"
      "TextOnTop 11 - False\nShowCheckDigit 11 - False\nRasterImageResolution 3 - 300\n";
  const auto python = RunCommand({"/usr/bin/python3", "-c",
                                  "import sys, xml.etree.ElementTree as E\n"
                                  "def show(e, prefix):\n"
                                  "  t = (e.text or '') if len(e) == 0 else ''\n"
                                  "  print(prefix + e.tag, e.get('vt', '-'), e.get('clsid', '-'),\n"
                                  "        t.encode('unicode_escape').decode())\n"
                                  "root = E.parse(sys.argv[1]).getroot()\n"
                                  "print(root.tag, '-', root.get('clsid'), '')\n"
                                  "for e in root:\n"
                                  "  show(e, '')\n"
                                  "  for c in e: show(c, e.tag + '/')\n",
                                  path});
  ASSERT_EQ(python.exitCode, 0) << python.err;
  // The version line's first line is the build's own.
  EXPECT_EQ(std::regex_replace(python.out, std::regex("Comment 8 - [^\n]*?\\\\n"), "Comment 8 - LINE1\\n"), expected);

  const auto lint = RunCommand({"/usr/bin/xmllint", "--noout", path});
  EXPECT_EQ(lint.exitCode, 0) << lint.err;
}

TEST_F(SaveLoad, TheBinaryFileIsACompoundFileWithContents) {
  CQlnBarcode control;
  const std::string path = dir_ + "/label.lnx";
  ASSERT_EQ(Save(control, FileName(path), 0), S_OK);
  const auto python = RunCommand({"/usr/bin/python3", "-c",
                                  "import sys, olefile\n"
                                  "f = olefile.OleFileIO(sys.argv[1])\n"
                                  "print(f.listdir(), f.root.clsid, f.openstream('Contents').read(4).hex())\n",
                                  path});
  ASSERT_EQ(python.exitCode, 0) << python.err;
  EXPECT_EQ(python.out, "[['Contents']] CE4E8A38-9FB0-408E-B2DF-FEDC1E5086B4 00300000\n");
}

TEST_F(SaveLoad, FormatsOtherThanXmlAreBinary) {
  const std::string signature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
  for (const int format : {0, 7, -1, 2}) {
    SCOPED_TRACE(format);
    CQlnBarcode control;
    const std::string path = dir_ + "/f" + std::to_string(format) + ".lnx";
    ASSERT_EQ(Save(control, FileName(path), format), S_OK);
    EXPECT_EQ(ReadFile(path).substr(0, 8), signature);
    CQlnBarcode loaded;
    EXPECT_EQ(Load(loaded, FileName(path), format), S_OK);
    EXPECT_NE(Load(loaded, FileName(path), kPersistXml), S_OK);
  }
}

TEST_F(SaveLoad, ExistingFilesAreReplacedOnlyWhenTheyArePropertyFiles) {
  const struct {
    const char* why;
    const char* name;
    bool exists;
    mode_t mode;  // 0: a directory
    bool saved;
  } cases[] = {
      {"an existing .lnx", "old.lnx", true, 0644, true},
      {"an existing .lnx3", "old.lnx3", true, 0644, true},
      {"any case of .XML", "OLD.XML", true, 0644, true},
      {"no extension", "plain", true, 0644, true},
      {"a new file may have any extension", "new.doc", false, 0644, true},
      {"a read-only file", "locked.lnx", true, 0444, false},
      {"a directory", "folder.lnx", true, 0, false},
      {"an existing .doc", "letter.doc", true, 0644, false},
      {"a hidden file", ".hidden.lnx", true, 0644, false},
  };
  for (const auto& c : cases) {
    for (const int format : {0, kPersistXml}) {
      SCOPED_TRACE(std::string(c.why) + (format == kPersistXml ? " (XML)" : " (binary)"));
      const fs::path folder = dir_ + "/" + std::to_string(format) + c.name;
      fs::create_directories(folder);
      const std::string path = (folder / c.name).string();
      if (c.exists && c.mode == 0) {
        fs::create_directory(path);
      } else if (c.exists) {
        WriteFile(path, "previous");
        chmod(path.c_str(), c.mode);
      }
      CQlnBarcode control;
      ClearThreadErrorObject();
      const HRESULT hr = Save(control, FileName(path), format);
      if (c.saved) {
        EXPECT_EQ(hr, S_OK);
        EXPECT_NE(ReadFile(path), "previous");
      } else {
        EXPECT_EQ(hr, ControlErrorHResult(kSaveFailed));
        ASSERT_TRUE(ThreadErrorObject().has_value());
        EXPECT_EQ(WideToUtf8(ThreadErrorObject()->description), ErrorTableMessage(kSaveFailed));
        EXPECT_EQ(fs::is_directory(path) ? "directory" : ReadFile(path), c.mode == 0 ? "directory" : "previous");
      }
      EXPECT_EQ(Entries(folder), c.name + std::string(" "));  // no temporary left behind
    }
  }
}

// Hand-edited XML files: what the load does with each fault.
TEST_F(SaveLoad, XmlFilesLoadWhatTheyHold) {
  const std::string xml = XmlOfNewControl();
  ASSERT_NE(xml.find("<__cx vt=\"19\">"), std::string::npos);  // "_cx" is written as "__cx"
  const struct {
    const char* why;
    std::string text;
    HRESULT hr;
    std::int32_t symbology;
  } cases[] = {
      {"as saved", xml, S_OK, 0},
      // The width reads as empty, and the load's own size recomputation replaces it.
      {"no __cx", Replace(xml, "<__cx[^\n]*\n", ""), S_OK, 0},
      {"_cx is not __cx", std::regex_replace(xml, std::regex("__cx"), "_cx"), S_OK, 0},
      {"Symbology without vt keeps its value", Replace(xml, "<Symbology vt=\"3\">", "<Symbology>"), S_OK, 5},
      {"no BarHeight: its setter refuses the empty value", Replace(xml, "<BarHeight[^\n]*\n", ""),
       ControlErrorHResult(kLoadFailed), 0},
      {"a vt that turns BarHeight into a refused value", Replace(xml, "<BarHeight vt=\"3\">", "<BarHeight vt=\"11\">"),
       ControlErrorHResult(kLoadFailed), 0},
      {"unreadable vt everywhere: everything skipped", std::regex_replace(xml, std::regex("vt=\"\\d+\""), "vt=\"x\""),
       S_OK, 5},
      {"an all-zero clsid loads nothing",
       Replace(xml, "CE4E8A38-9FB0-408E-B2DF-FEDC1E5086B4", "00000000-0000-0000-0000-000000000000"), S_OK, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    CQlnBarcode control;
    testing::Apply(control, {{"Symbology", Variant::Long(5)}});
    auto stream = std::make_shared<MemoryStream>(std::vector<std::uint8_t>(c.text.begin(), c.text.end()));
    EXPECT_EQ(Load(control, Variant::Stream(stream), kPersistXml), c.hr);
    EXPECT_EQ(testing::Get(control, *FindAutomationMember("Symbology", false)).AsLong(), c.symbology);
  }
}

// Files that are not property files: 6114 with the error object, the control untouched.
TEST_F(SaveLoad, MalformedFilesAreRefused) {
  std::string compound;
  {
    CQlnBarcode control;
    std::vector<std::uint8_t> bytes;
    ASSERT_EQ(SavePropertyFile(control, 0, bytes), S_OK);
    compound.assign(bytes.begin(), bytes.end());
  }
  std::string nested;
  for (int i = 0; i < 10000; ++i) {
    nested.insert(nested.size() / 2, "<a></a>");
  }
  const std::string laughs =
      "<!DOCTYPE Object [<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
      "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">]>"
      "<Object clsid=\"&d;\"><Message vt=\"8\">&d;</Message></Object>";
  struct Case {
    std::string why;
    std::string bytes;
    int format;
  };
  std::vector<Case> cases = {
      {"an empty file as XML", "", kPersistXml},
      {"an empty file as binary", "", 0},
      {"not XML", "PK\x03\x04 not a document", kPersistXml},
      {"XML given as binary", XmlOfNewControl(), 0},
      {"binary given as XML", compound, kPersistXml},
      {"no Object", "<?xml version=\"1.0\"?><Objects clsid=\"{CE4E8A38-9FB0-408E-B2DF-FEDC1E5086B4}\"/>", kPersistXml},
      {"a clsid that is not one", Replace(XmlOfNewControl(), "CE4E8A38-9FB0", "CE4E8A38_9FB0"), kPersistXml},
      {"10,000 nested elements", nested, kPersistXml},
      {"a billion laughs", laughs, kPersistXml},
  };
  // A compound file cut at each sector boundary.
  for (size_t cut = 0; cut < compound.size(); cut += 512) {
    cases.push_back({"compound file cut at " + std::to_string(cut), compound.substr(0, cut), 0});
  }
  const std::string reference = [] {
    CQlnBarcode fresh;
    return Snapshot(fresh);
  }();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    const std::string path = dir_ + "/bad";
    WriteFile(path, c.bytes);
    CQlnBarcode control;
    ClearThreadErrorObject();
    EXPECT_EQ(Load(control, FileName(path), c.format), ControlErrorHResult(kLoadFailed));
    ASSERT_TRUE(ThreadErrorObject().has_value());
    EXPECT_EQ(WideToUtf8(ThreadErrorObject()->description), ErrorTableMessage(kLoadFailed));
    EXPECT_EQ(Snapshot(control), reference);
  }
  // 100 MiB of spaces around a valid document, as a sparse file: refused without reading it.
  const std::string huge = dir_ + "/huge.xml";
  WriteFile(huge, XmlOfNewControl());
  ASSERT_EQ(truncate(huge.c_str(), off_t{100} << 20), 0);
  for (const int format : {0, kPersistXml}) {
    CQlnBarcode control;
    EXPECT_EQ(Load(control, FileName(huge), format), ControlErrorHResult(kLoadFailed));
  }
}

TEST_F(SaveLoad, AFailedSaveKeepsThePreviousFileAndTheModifiedFlag) {
  for (const int format : {0, kPersistXml}) {
    SCOPED_TRACE(format);
    CQlnBarcode control;
    control.SetModified(true);
    EXPECT_EQ(Save(control, Variant::Stream(std::make_shared<FullStream>()), format), ControlErrorHResult(kSaveFailed));
    EXPECT_TRUE(control.IsModified());
  }

  const std::string tiny = dir_ + "/tiny";
  fs::create_directory(tiny);
  if (mount("tmpfs", tiny.c_str(), "tmpfs", 0, "size=16k") != 0) {
    GTEST_SKIP() << "cannot mount a small file system here";
  }
  const struct Unmount {
    std::string path;
    ~Unmount() { umount(path.c_str()); }
  } unmount{tiny};
  const std::string path = tiny + "/label.lnx";
  WriteFile(path, "the previous label");
  WriteFile(tiny + "/filler", std::string(64 << 10, 'f'));  // writes until the disk is full
  for (const int format : {0, kPersistXml}) {
    SCOPED_TRACE(format);
    CQlnBarcode control;
    control.SetModified(true);
    EXPECT_EQ(Save(control, FileName(path), format), ControlErrorHResult(kSaveFailed));
    EXPECT_EQ(ReadFile(path), "the previous label");
    EXPECT_EQ(Entries(tiny), "filler label.lnx ");
    EXPECT_TRUE(control.IsModified());
  }
}

TEST_F(SaveLoad, ArgumentsOtherThanNamesAndStreamsAreInvalid) {
  const std::string path = dir_ + "/by-reference.lnx";
  const auto reference = [](Variant v) { return Variant::Reference(std::make_shared<Variant>(std::move(v))); };
  const struct {
    const char* why;
    Variant argument;
    HRESULT hr;
  } cases[] = {
      {"a number", Variant::Long(3), E_INVALIDARG},
      {"nothing", Variant(), E_INVALIDARG},
      {"an object without a stream", Variant::Font(MakeFont(u"Arial", 9)), E_INVALIDARG},
      {"a reference to a reference", reference(reference(FileName(path))), E_INVALIDARG},
      {"a reference to a file name", reference(FileName(path)), S_OK},
      {"a reference to a stream", reference(Variant::Stream(std::make_shared<MemoryStream>())), S_OK},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    CQlnBarcode control;
    ClearThreadErrorObject();
    EXPECT_EQ(Save(control, c.argument, 0), c.hr);
    EXPECT_EQ(ThreadErrorObject().has_value(), false);
    if (c.hr == E_INVALIDARG) {
      EXPECT_EQ(Load(control, c.argument, 0), E_INVALIDARG);
      EXPECT_EQ(ThreadErrorObject().has_value(), false);
    }
  }
  CQlnBarcode control;
  EXPECT_EQ(Load(control, reference(FileName(path)), 0), S_OK);
}

}  // namespace
}  // namespace linnet::persist
