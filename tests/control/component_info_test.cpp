#include <gtest/gtest.h>

#include <algorithm>

#include "control/component_interfaces.h"
#include "control/property_browsing.h"
#include "control/registration.h"

namespace linnet {
namespace {

TEST(PropertyBrowsing, Categories) {
  const struct {
    DISPID dispid;
    HRESULT expected;
    std::int32_t category;
    const char16_t* name;
  } cases[] = {
      {0x1C2, S_OK, 11, u"Miscellaneous"},  // RasterImageResolution
      {0xF4, S_OK, 2, u"Bar Code"},         // Message
      {-512, S_OK, 1, u"Appearance"},       // Font
      {0xC9, S_OK, 4, u"Comment"},          // CommentFont
      {0xDC, S_OK, 9, u"Symbol Margins"},   {0x144, S_OK, 10, u"Label Design"}, {0x106, S_OK, 3, u"Check Digit"},
      {0x11A, S_OK, 12, u"Human Readable"}, {-523, E_INVALIDARG, 0, nullptr},  // Picture has none
      {0x3E8, E_INVALIDARG, 0, nullptr},                                       // a method
      {0x7777, E_INVALIDARG, 0, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dispid);
    std::int32_t category = -1;
    EXPECT_EQ(MapPropertyToCategory(c.dispid, &category), c.expected);
    if (c.expected == S_OK) {
      EXPECT_EQ(category, c.category);
      std::u16string name;
      EXPECT_EQ(GetCategoryName(category, &name), S_OK);
      EXPECT_EQ(name, c.name);
    }
  }
  const struct {
    std::int32_t number;
    const char16_t* name;
  } names[] = {{6, u"DataMatrix"}, {7, u"Maxicode"}, {8, u"PDF417"}, {5, nullptr}, {0, nullptr}, {13, nullptr}};
  for (const auto& n : names) {
    SCOPED_TRACE(n.number);
    std::u16string name = u"stale";
    EXPECT_EQ(GetCategoryName(n.number, &name), n.name != nullptr ? S_OK : E_INVALIDARG);
    EXPECT_EQ(name, n.name != nullptr ? n.name : u"stale");
  }
  // Every named property but Picture has a category.
  for (const AutomationMember& m : AutomationMembers()) {
    std::int32_t category = 0;
    if (!m.extension && m.kind != ValueKind::Picture) {
      EXPECT_EQ(MapPropertyToCategory(m.dispid, &category), S_OK) << m.name;
    }
  }
}

TEST(PropertyBrowsing, Pages) {
  const struct {
    DISPID dispid;
    const Guid* page;
  } cases[] = {{-501, &kStockColorPage}, {-503, &kStockColorPage}, {-513, &kStockColorPage}, {-512, &kStockFontPage},
               {0xC9, &kStockFontPage},  {0xF4, nullptr},          {-500, nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dispid);
    Guid page;
    EXPECT_EQ(MapPropertyToPage(c.dispid, &page), c.page != nullptr ? S_OK : E_INVALIDARG);
    if (c.page != nullptr) {
      EXPECT_EQ(page, *c.page);
    }
  }
  EXPECT_EQ(PropertyPages(), (std::vector<Guid>{kStockColorPage, kStockFontPage}));
}

TEST(ComponentInterfaces, SafetyOptions) {
  const Guid iobjectSafety{0xCB5BDC81, 0x93C1, 0x11CF, {0x8F, 0x20, 0x00, 0x80, 0x5F, 0x2C, 0xD0, 0x64}};
  const Guid iviewObject{0x0000010D, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
  const Guid unknown{0x12345678, 1, 2, {3}};
  const struct {
    const char* what;
    const Guid* iid;
    std::uint32_t mask;
    std::uint32_t set;
    HRESULT expected;
    std::uint32_t enabledAfter;
  } steps[] = {
      {"both options on IBarcode", &kIBarcodeId, 3, 3, S_OK, 3},
      {"an option outside the two", &kIBarcodeId, 4, 4, E_FAIL, 3},
      {"outside bits with valid ones", &kIBarcodeId, 7, 1, E_FAIL, 3},
      {"clear the data bit only", &kIBarcodeId, 2, 0, S_OK, 1},
      {"on another interface the object has", &iobjectSafety, 3, 2, S_OK, 2},
      {"an interface the object lacks", &unknown, 3, 3, E_NOINTERFACE, 2},
      {"a platform interface not carried", &iviewObject, 1, 1, E_NOINTERFACE, 2},
  };
  ObjectSafety safety;
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    EXPECT_EQ(safety.SetInterfaceSafetyOptions(*s.iid, s.mask, s.set), s.expected);
    std::uint32_t supported = 0;
    std::uint32_t enabled = 0;
    ASSERT_EQ(safety.GetInterfaceSafetyOptions(kIBarcodeId, &supported, &enabled), S_OK);
    EXPECT_EQ(supported, 3U);
    EXPECT_EQ(enabled, s.enabledAfter);
  }
  std::uint32_t supported = 9;
  std::uint32_t enabled = 9;
  EXPECT_EQ(safety.GetInterfaceSafetyOptions(unknown, &supported, &enabled), E_NOINTERFACE);
  EXPECT_EQ(safety.GetInterfaceSafetyOptions(kIBarcodeId, nullptr, &enabled), E_POINTER);
}

TEST(ComponentInterfaces, QueryAnswersWhatTheLayerCarries) {
  for (const auto& i : ComponentInterfaces()) {
    EXPECT_EQ(QueryInterface(i.iid), i.carried ? S_OK : E_NOINTERFACE) << i.name;
  }
  EXPECT_EQ(QueryInterface(kIBarcodeId), S_OK);
  EXPECT_EQ(QueryInterface(Guid{0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}}), S_OK);  // IUnknown
  EXPECT_EQ(QueryInterface(Guid{}), E_NOINTERFACE);
  EXPECT_EQ(QueryInterface(Guid{7, 7, 7, {7}}), E_NOINTERFACE);
  EXPECT_EQ(ComponentInterfaces().size(), 27U);  // IUnknown and the twenty-six listed
}

TEST(Registration, EntriesForAModulePath) {
  const auto entries = RegistrationEntries("/opt/linnet/liblinnet.so");
  const auto find = [&](const std::string& key, const std::string& valueName) -> const RegistryEntry* {
    const auto it = std::find_if(entries.begin(), entries.end(),
                                 [&](const RegistryEntry& e) { return e.key == key && e.valueName == valueName; });
    return it == entries.end() ? nullptr : &*it;
  };
  const std::string clsid = "CLSID\\{CE4E8A38-9FB0-408E-B2DF-FEDC1E5086B4}";
  const struct {
    std::string key;
    std::string valueName;
    std::string value;
  } cases[] = {
      {"AppID\\{EEAD9444-65B3-4BD1-9110-DA84F3A90876}", "", "QlnLinnetApp"},
      {"AppID\\QlnLinnet.DLL", "AppID", "{EEAD9444-65B3-4BD1-9110-DA84F3A90876}"},
      {"Quillon.Linnet.1\\CLSID", "", "{CE4E8A38-9FB0-408E-B2DF-FEDC1E5086B4}"},
      {"Quillon.Linnet\\CurVer", "", "Quillon.Linnet.1"},
      {clsid, "", "Quillon Linnet"},
      {clsid + "\\InprocServer32", "", "/opt/linnet/liblinnet.so"},
      {clsid + "\\InprocServer32", "ThreadingModel", "Apartment"},
      {clsid + "\\ToolboxBitmap32", "", "/opt/linnet/liblinnet.so, 103"},
      {clsid + "\\MiscStatus\\1", "", "139665"},
      {clsid + "\\TypeLib", "", "{2D8E9420-0285-488D-88A1-41D9AB6E089A}"},
      {clsid + "\\Implemented Categories\\{7DD95801-9882-11CF-9FA9-00AA006C42C4}", "", ""},
      {"TypeLib\\{2D8E9420-0285-488D-88A1-41D9AB6E089A}\\1.0", "", "Quillon Linnet 3.3 Type Library"},
      {"Interface\\{9FECCEAB-8E9C-40A8-A176-0F4954E64C57}", "", "IBarcode"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key + " " + c.valueName);
    const RegistryEntry* e = find(c.key, c.valueName);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->value, c.value);
  }
  // Nothing is left with a placeholder.
  for (const auto& e : entries) {
    EXPECT_EQ(e.key.find('%'), std::string::npos) << e.key;
    EXPECT_EQ(e.value.find('%'), std::string::npos) << e.value;
  }
}

}  // namespace
}  // namespace linnet
