#include "control/property_browsing.h"

#include <algorithm>
#include <array>
#include <utility>

namespace linnet {

namespace {

// Every category a designer may show, the three of the two-dimensional symbologies included,
// though no property of the interface falls in them.
constexpr std::array<std::pair<Category, const char16_t*>, 11> kCategoryNames = {{
    {Category::Appearance, u"Appearance"},
    {Category::BarCode, u"Bar Code"},
    {Category::CheckDigit, u"Check Digit"},
    {Category::Comment, u"Comment"},
    {Category::DataMatrix, u"DataMatrix"},
    {Category::Maxicode, u"Maxicode"},
    {Category::PDF417, u"PDF417"},
    {Category::SymbolMargins, u"Symbol Margins"},
    {Category::LabelDesign, u"Label Design"},
    {Category::Miscellaneous, u"Miscellaneous"},
    {Category::HumanReadable, u"Human Readable"},
}};

const AutomationMember* Named(DISPID dispid) {
  for (const AutomationMember& m : AutomationMembers()) {
    if (!m.extension && m.dispid == dispid) {
      return &m;
    }
  }
  return nullptr;
}

Guid PageGuid(PropertyPage page) {
  return page == PropertyPage::Font ? kStockFontPage : kStockColorPage;
}

}  // namespace

HRESULT MapPropertyToCategory(DISPID dispid, std::int32_t* category) {
  if (category == nullptr) {
    return E_POINTER;
  }
  const AutomationMember* m = Named(dispid);
  if (m == nullptr || m->category == Category::None) {
    return E_INVALIDARG;
  }
  *category = static_cast<std::int32_t>(m->category);
  return S_OK;
}

HRESULT GetCategoryName(std::int32_t category, std::u16string* name) {
  if (name == nullptr) {
    return E_POINTER;
  }
  for (const auto& [number, text] : kCategoryNames) {
    if (static_cast<std::int32_t>(number) == category) {
      *name = text;
      return S_OK;
    }
  }
  return E_INVALIDARG;
}

HRESULT MapPropertyToPage(DISPID dispid, Guid* page) {
  if (page == nullptr) {
    return E_POINTER;
  }
  const AutomationMember* m = Named(dispid);
  if (m == nullptr || m->page == PropertyPage::None) {
    return E_INVALIDARG;
  }
  *page = PageGuid(m->page);
  return S_OK;
}

std::vector<Guid> PropertyPages() {
  std::vector<Guid> pages;
  for (const AutomationMember& m : AutomationMembers()) {
    if (m.page != PropertyPage::None && std::find(pages.begin(), pages.end(), PageGuid(m.page)) == pages.end()) {
      pages.push_back(PageGuid(m.page));
    }
  }
  return pages;
}

}  // namespace linnet
