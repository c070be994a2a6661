#include "control/component_interfaces.h"

#include <array>

namespace linnet {

namespace {

constexpr std::array<std::uint8_t, 8> kOleTail = {0xC0, 0, 0, 0, 0, 0, 0, 0x46};

constexpr Guid Ole(std::uint32_t data1) {
  return {data1, 0, 0, kOleTail};
}

constexpr std::uint32_t kSupportedSafety = INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA;

constexpr std::array kInterfaces = {
    ComponentInterface{"IUnknown", Ole(0x00000000), true},
    ComponentInterface{"IBarcode", kIBarcodeId, true},
    ComponentInterface{"IDispatch", Ole(0x00020400), true},
    ComponentInterface{
        "IViewObjectEx", {0x3AF24292, 0x0C96, 0x11CE, {0xA0, 0xCF, 0x00, 0xAA, 0x00, 0x60, 0x0A, 0xB8}}, false},
    ComponentInterface{"IViewObject2", Ole(0x00000127), false},
    ComponentInterface{"IViewObject", Ole(0x0000010D), false},
    ComponentInterface{"IOleInPlaceObjectWindowless",
                       {0x1C2056CC, 0x5EF4, 0x101B, {0x8B, 0xC8, 0x00, 0xAA, 0x00, 0x3E, 0x3B, 0x29}},
                       false},
    ComponentInterface{"IOleInPlaceObject", Ole(0x00000113), false},
    ComponentInterface{"IOleWindow", Ole(0x00000114), false},
    ComponentInterface{"IOleInPlaceActiveObject", Ole(0x00000117), false},
    ComponentInterface{
        "IOleControl", {0xB196B288, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}}, false},
    ComponentInterface{"IOleObject", Ole(0x00000112), false},
    ComponentInterface{
        "IPersistStreamInit", {0x7FD52380, 0x4E07, 0x101B, {0xAE, 0x2D, 0x08, 0x00, 0x2B, 0x2E, 0xC7, 0x13}}, true},
    ComponentInterface{"IPersist", Ole(0x0000010C), true},
    ComponentInterface{
        "ISupportErrorInfo", {0xDF0B3D60, 0x548F, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}}, true},
    ComponentInterface{"IConnectionPointContainer",
                       {0xB196B284, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}},
                       true},
    ComponentInterface{
        "ISpecifyPropertyPages", {0xB196B28B, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}}, true},
    ComponentInterface{
        "IQuickActivate", {0xCF51ED10, 0x62FE, 0x11CF, {0xBF, 0x86, 0x00, 0xA0, 0xC9, 0x03, 0x48, 0x36}}, false},
    ComponentInterface{"IPersistStorage", Ole(0x0000010A), true},
    ComponentInterface{"IDataObject", Ole(0x0000010E), false},
    ComponentInterface{
        "IProvideClassInfo", {0xB196B283, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}}, false},
    ComponentInterface{
        "IProvideClassInfo2", {0xA6BC3AC0, 0xDBAA, 0x11CE, {0x9D, 0xE3, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}}, false},
    ComponentInterface{
        "IObjectWithSite", {0xFC4801A3, 0x2BA9, 0x11CF, {0xA2, 0x29, 0x00, 0xAA, 0x00, 0x3D, 0x73, 0x52}}, false},
    ComponentInterface{
        "IServiceProvider", {0x6D5140C1, 0x7436, 0x11CE, {0x80, 0x34, 0x00, 0xAA, 0x00, 0x60, 0x09, 0xFA}}, false},
    ComponentInterface{
        "IObjectSafety", {0xCB5BDC81, 0x93C1, 0x11CF, {0x8F, 0x20, 0x00, 0x80, 0x5F, 0x2C, 0xD0, 0x64}}, true},
    ComponentInterface{
        "ICategorizeProperties", {0x4D07FC10, 0xF931, 0x11CE, {0xB0, 0x01, 0x00, 0xAA, 0x00, 0x68, 0x84, 0xE5}}, true},
    ComponentInterface{
        "IPersistPropertyBag", {0x37D84F60, 0x42CB, 0x11CE, {0x81, 0x35, 0x00, 0xAA, 0x00, 0x4B, 0xB8, 0x51}}, true},
};

}  // namespace

std::span<const ComponentInterface> ComponentInterfaces() {
  return kInterfaces;
}

HRESULT QueryInterface(const Guid& iid) {
  for (const auto& i : kInterfaces) {
    if (i.iid == iid) {
      return i.carried ? S_OK : E_NOINTERFACE;
    }
  }
  return E_NOINTERFACE;
}

HRESULT ObjectSafety::GetInterfaceSafetyOptions(const Guid& iid, std::uint32_t* supported,
                                                std::uint32_t* enabled) const {
  if (supported == nullptr || enabled == nullptr) {
    return E_POINTER;
  }
  if (Failed(QueryInterface(iid))) {
    *supported = 0;
    *enabled = 0;
    return E_NOINTERFACE;
  }
  *supported = kSupportedSafety;
  *enabled = enabled_;
  return S_OK;
}

HRESULT ObjectSafety::SetInterfaceSafetyOptions(const Guid& iid, std::uint32_t mask, std::uint32_t enabled) {
  if (Failed(QueryInterface(iid))) {
    return E_NOINTERFACE;
  }
  if ((mask & ~kSupportedSafety) != 0) {
    return E_FAIL;
  }
  enabled_ = (enabled_ & ~mask) | (enabled & mask);
  return S_OK;
}

}  // namespace linnet
