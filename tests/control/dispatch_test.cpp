#include "control/dispatch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "control/qln_barcode.h"
#include "support/run_command.h"

namespace linnet {
namespace {

std::u16string Utf8Path(const std::string& path) {
  return {path.begin(), path.end()};
}

TEST(Dispatch, NamesToDispids) {
  const struct {
    std::vector<std::u16string_view> names;
    HRESULT expected;
    std::vector<DISPID> dispids;
  } cases[] = {
      {{u"Message"}, S_OK, {0xF4}},
      {{u"message"}, S_OK, {0xF4}},
      {{u"MESSAGE"}, S_OK, {0xF4}},
      {{u"autosize"}, S_OK, {-500}},
      {{u"RasterImageResolution"}, S_OK, {0x1C2}},
      {{u"Picture"}, S_OK, {-523}},
      {{u"exportimage"}, S_OK, {0x3EC}},
      {{u"About"}, S_OK, {-552}},
      // A method with its parameter names, in any order and case.
      {{u"Save", u"persistformat", u"Destination"}, S_OK, {0x3E8, 1, 0}},
      {{u"ExportImage", u"ImageFormat"}, S_OK, {0x3EC, 1}},
      {{u"Load", u"Destination"}, DISP_E_UNKNOWNNAME, {0x3E9, DISPID_UNKNOWN}},
      // Extension members have no name an automation client can bind to.
      {{u"MaxicodeMode"}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN}},
      {{u"PDF417ModuleWidth"}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN}},
      {{u"Mess\u00e4ge"}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN}},
      {{u"Nothing", u"Destination"}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN, DISPID_UNKNOWN}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.names[0].begin(), c.names[0].end()));
    std::vector<DISPID> dispids(c.names.size(), 12345);
    EXPECT_EQ(GetIDsOfNames(c.names, dispids), c.expected);
    EXPECT_EQ(dispids, c.dispids);
  }
}

HRESULT Put(CQlnBarcode& control, DISPID dispid, const Variant& value, std::uint16_t flags = DISPATCH_PROPERTYPUT) {
  const DISPID named[] = {DISPID_PROPERTYPUT};
  return Invoke(control, dispid, flags, {std::span(&value, 1), named}, nullptr);
}

TEST(Dispatch, PropertyGetAndPut) {
  CQlnBarcode control;
  EXPECT_EQ(Put(control, 0xF0, Variant::Text(u"1500")), S_OK);  // converted like any automation call
  Variant value;
  EXPECT_EQ(Invoke(control, 0xF0, DISPATCH_PROPERTYGET, {}, &value), S_OK);
  EXPECT_EQ(value.Type(), VT_I4);
  EXPECT_EQ(value.AsLong(), 1500);
  // Scripting hosts ask for a property as method or get at once.
  EXPECT_EQ(Invoke(control, 0xF4, DISPATCH_METHOD | DISPATCH_PROPERTYGET, {}, &value), S_OK);
  EXPECT_EQ(value.AsText(), u"QUILLON");
  // The setter's own result comes back: S_FALSE for an unchanged symbology, its error number
  // for a refused value.
  EXPECT_EQ(Put(control, 0xF7, Variant::Long(0)), S_FALSE);
  EXPECT_EQ(Put(control, 0xF0, Variant::Long(0)), static_cast<HRESULT>(0x83280000U + 6116));
  // The optional value of NarrowToWideRatio: left out, it is 2.5.
  EXPECT_EQ(Put(control, 0xF6, Variant::Double(2.2)), S_OK);
  EXPECT_EQ(Put(control, 0xF6, Variant::Missing()), S_OK);
  EXPECT_EQ(control.Properties().narrowToWideRatio, 2.5);
  // Fonts are put by reference.
  FontPtr font = MakeFont(u"Courier New", 11);
  EXPECT_EQ(Put(control, -512, Variant::Font(font), DISPATCH_PROPERTYPUTREF), S_OK);
  EXPECT_EQ(control.FontRef(), font);
}

TEST(Dispatch, WrongCallsAndTheirResults) {
  const Variant one = Variant::Long(1);
  const Variant two[] = {Variant::Long(1), Variant::Long(2)};
  const Variant text = Variant::Text(u"abc");
  const Variant huge = Variant::Double(1e12);
  const Variant font = Variant::Font(MakeFont(u"Arial", 9));
  const DISPID putNamed[] = {DISPID_PROPERTYPUT};
  const DISPID badNamed[] = {5};
  const struct {
    const char* what;
    DISPID dispid;
    std::uint16_t flags;
    DispParams params;
    HRESULT expected;
  } cases[] = {
      {"unknown DISPID", 0x999, DISPATCH_PROPERTYGET, {}, DISP_E_MEMBERNOTFOUND},
      {"extension members have no DISPID", kNoDispid, DISPATCH_PROPERTYGET, {}, DISP_E_MEMBERNOTFOUND},
      {"get with an argument", 0xF0, DISPATCH_PROPERTYGET, {std::span(&one, 1), {}}, DISP_E_BADPARAMCOUNT},
      {"put without the named argument", 0xF0, DISPATCH_PROPERTYPUT, {std::span(&one, 1), {}}, DISP_E_PARAMNOTFOUND},
      {"put with two values", 0xF0, DISPATCH_PROPERTYPUT, {two, putNamed}, DISP_E_BADPARAMCOUNT},
      {"put with no value", 0xF0, DISPATCH_PROPERTYPUT, {{}, {}}, DISP_E_BADPARAMCOUNT},
      {"put of a read-only property",
       -523,
       DISPATCH_PROPERTYPUT,
       {std::span(&one, 1), putNamed},
       DISP_E_MEMBERNOTFOUND},
      {"put by value of a font", -512, DISPATCH_PROPERTYPUT, {std::span(&font, 1), putNamed}, DISP_E_MEMBERNOTFOUND},
      {"put by reference of a number",
       0xF0,
       DISPATCH_PROPERTYPUTREF,
       {std::span(&one, 1), putNamed},
       DISP_E_MEMBERNOTFOUND},
      {"required value left out", 0xF0, DISPATCH_PROPERTYPUT, {}, DISP_E_BADPARAMCOUNT},
      {"text that is no number", 0xF0, DISPATCH_PROPERTYPUT, {std::span(&text, 1), putNamed}, DISP_E_TYPEMISMATCH},
      {"number beyond 32 bits", 0xF0, DISPATCH_PROPERTYPUT, {std::span(&huge, 1), putNamed}, DISP_E_OVERFLOW},
      {"number where a font belongs",
       -512,
       DISPATCH_PROPERTYPUTREF,
       {std::span(&one, 1), putNamed},
       DISP_E_TYPEMISMATCH},
      {"method as a property", -550, DISPATCH_PROPERTYGET, {}, DISP_E_MEMBERNOTFOUND},
      {"Refresh with an argument", -550, DISPATCH_METHOD, {std::span(&one, 1), {}}, DISP_E_BADPARAMCOUNT},
      {"Save without destination", 0x3E8, DISPATCH_METHOD, {}, DISP_E_BADPARAMCOUNT},
      {"Save with an unknown parameter", 0x3E8, DISPATCH_METHOD, {std::span(&one, 1), badNamed}, DISP_E_PARAMNOTFOUND},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CQlnBarcode control;
    Variant result = Variant::Text(u"stale");
    EXPECT_EQ(Invoke(control, c.dispid, c.flags, c.params, &result), c.expected);
    EXPECT_EQ(control.Properties().barHeight, 1000);
  }
}

// Calls a method with its arguments in declared order, as a script writes them.
HRESULT Call(CQlnBarcode& control, DISPID dispid, std::vector<Variant> args, std::uint32_t* argError = nullptr) {
  std::vector<Variant> reversed(args.rbegin(), args.rend());
  Variant result = Variant::Text(u"stale");
  const HRESULT hr = Invoke(control, dispid, DISPATCH_METHOD, {reversed, {}}, &result, argError);
  if (Succeeded(hr)) {
    EXPECT_EQ(result.Type(), VT_EMPTY);  // methods return nothing
  }
  return hr;
}

constexpr DISPID kSave = 0x3E8;
constexpr DISPID kLoad = 0x3E9;
constexpr DISPID kExportImage = 0x3EC;

TEST(Dispatch, DestinationConventions) {
  const std::string dir = testing::MakeTempDir();
  const std::u16string path = Utf8Path(dir + "/label.png");
  const auto fileName = std::make_shared<Variant>(Variant::Text(path));
  const auto nested = std::make_shared<Variant>(Variant::Reference(fileName));
  const auto number = std::make_shared<Variant>(Variant::Long(3));
  const struct {
    const char* what;
    DISPID method;
    std::vector<Variant> args;
    HRESULT expected;
  } cases[] = {
      {"integer destination", kSave, {Variant::Long(5)}, E_INVALIDARG},
      {"integer source", kLoad, {Variant::Long(5), Variant::Long(1)}, E_INVALIDARG},
      {"empty destination", kSave, {Variant()}, E_INVALIDARG},
      {"object without a stream", kSave, {Variant::Font(MakeFont(u"Arial", 9))}, E_INVALIDARG},
      {"reference to a number", kExportImage, {Variant::Reference(number)}, E_INVALIDARG},
      // Looked through once only.
      {"reference to a reference", kExportImage, {Variant::Reference(nested)}, E_INVALIDARG},
      {"destination left out", kSave, {Variant::Missing()}, DISP_E_PARAMNOTOPTIONAL},
      {"three arguments", kSave, {Variant::Text(path), Variant::Long(0), Variant::Long(0)}, DISP_E_BADPARAMCOUNT},
      {"format that is no number", kExportImage, {Variant::Text(path), Variant::Text(u"png")}, DISP_E_TYPEMISMATCH},
      {"reference to a file name", kExportImage, {Variant::Reference(fileName), Variant::Long(5)}, S_OK},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CQlnBarcode control;
    EXPECT_EQ(Call(control, c.method, c.args), c.expected);
  }
  EXPECT_TRUE(std::filesystem::exists(dir + "/label.png"));
  // A reference to a file name reaches the file-saving code (whatever it answers).
  CQlnBarcode control;
  EXPECT_NE(Call(control, kSave, {Variant::Reference(fileName)}), E_INVALIDARG);
  std::filesystem::remove_all(dir);
}

TEST(Dispatch, ExportImageFormatsAndStreams) {
  const struct {
    const char* what;
    std::vector<Variant> formatArgs;  // after the destination
    std::uint8_t firstByte;
  } cases[] = {
      {"JPG when left out", {}, 0xFF},
      {"JPG when missing", {Variant::Missing()}, 0xFF},
      {"PNG by number", {Variant::Long(5)}, 0x89},
      {"BMP as text", {Variant::Text(u"0")}, 'B'},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CQlnBarcode control;
    auto stream = std::make_shared<MemoryStream>();
    std::vector<Variant> args = {Variant::Stream(stream)};
    args.insert(args.end(), c.formatArgs.begin(), c.formatArgs.end());
    ASSERT_EQ(Call(control, kExportImage, args), S_OK);
    ASSERT_FALSE(stream->Bytes().empty());
    EXPECT_EQ(stream->Bytes()[0], c.firstByte);
  }
  // The format by name (parameter 1) before the destination.
  CQlnBarcode control;
  auto stream = std::make_shared<MemoryStream>();
  const Variant args[] = {Variant::Long(5), Variant::Stream(stream)};
  const DISPID named[] = {1};
  EXPECT_EQ(Invoke(control, kExportImage, DISPATCH_METHOD, {args, named}, nullptr), S_OK);
  ASSERT_FALSE(stream->Bytes().empty());
  EXPECT_EQ(stream->Bytes()[0], 0x89);
  std::uint32_t argError = 99;
  EXPECT_EQ(Call(control, kExportImage, {Variant::Stream(stream), Variant::Text(u"x")}, &argError),
            DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argError, 0U);  // the format is the first of the reversed arguments
  EXPECT_EQ(Call(control, -550, {}), S_OK);
  EXPECT_EQ(Call(control, -552, {}), S_OK);
}

TEST(Dispatch, FunctionTableSlots) {
  const struct {
    int slot;
    SlotKind kind;
    const char* name;
  } cases[] = {
      {7, SlotKind::Put, "AutoSize"},
      {8, SlotKind::Get, "AutoSize"},
      {17, SlotKind::PutRef, "Font"},
      {18, SlotKind::Get, "Font"},
      {23, SlotKind::Get, "Picture"},
      {24, SlotKind::Get, "Comment"},
      {27, SlotKind::PutRef, "CommentFont"},
      {51, SlotKind::Put, "message"},
      {97, SlotKind::Put, "RasterImageResolution"},
      {98, SlotKind::Method, "Save"},
      {100, SlotKind::Method, "About"},
      {102, SlotKind::Method, "ExportImage"},
      {103, SlotKind::Get, "DataMatrixTargetSize"},
      {104, SlotKind::Put, "DataMatrixTargetSize"},
      {121, SlotKind::Get, "MaxicodeMode"},
      {128, SlotKind::Put, "DataMatrixModuleSize"},
  };
  const auto table = FunctionTable();
  ASSERT_EQ(table.size(), 128U - 6U);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.slot);
    const FunctionTableEntry& e = table[static_cast<std::size_t>(c.slot - 7)];
    EXPECT_EQ(e.slot, c.slot);
    EXPECT_EQ(e.kind, c.kind);
    EXPECT_STREQ(e.name, c.name);
  }
  // The extension members are reached through their slots.
  CQlnBarcode control;
  const Variant mode = Variant::Short(5);
  EXPECT_EQ(InvokeSlot(control, 122, std::span(&mode, 1), nullptr), S_OK);
  Variant got;
  EXPECT_EQ(InvokeSlot(control, 121, {}, &got), S_OK);
  EXPECT_EQ(got.AsLong(), 5);
  const Variant badMode = Variant::Short(9);
  EXPECT_EQ(InvokeSlot(control, 122, std::span(&badMode, 1), nullptr), static_cast<HRESULT>(0x83280000U + 6119));
  EXPECT_EQ(InvokeSlot(control, 101, {}, nullptr), S_OK);  // Refresh
  EXPECT_EQ(InvokeSlot(control, 6, {}, &got), E_INVALIDARG);
  EXPECT_EQ(InvokeSlot(control, 129, {}, &got), E_INVALIDARG);
}

TEST(Dispatch, CommandLineSetsThroughTheDispatch) {
  // --set reaches named and extension members alike, with the dispatch's conversions.
  const auto result = testing::RunCommand(
      {testing::LinnetBinary(), "show", "--set", "narrowtowideratio=2.25", "--set", "MaxicodeMode=4"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.out.find("NarrowToWideRatio=2.25\n"), std::string::npos);
  EXPECT_NE(result.out.find("MaxicodeMode=4\n"), std::string::npos);
}

}  // namespace
}  // namespace linnet
