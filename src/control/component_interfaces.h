#pragma once
// The interfaces the control object answers to, with their identifiers, and whether this
// component layer carries each one. QueryInterface answers S_OK for one it carries and
// E_NOINTERFACE for every other identifier (the drawing and in-place interfaces of the
// platform are named here but not carried).
//
// Object safety: the control supports being safe for untrusted callers and for untrusted data
// (3) on every interface it carries; it reports as enabled what the host last set under the
// mask; a mask outside those two bits fails with E_FAIL; an interface it lacks is E_NOINTERFACE.
// One ObjectSafety belongs to one control object and is used on its thread.
#include <cstdint>
#include <span>

#include "platform/com/guid.h"
#include "platform/com/hresult.h"

namespace linnet {

struct ComponentInterface {
  const char* name;
  Guid iid;
  bool carried;
};

std::span<const ComponentInterface> ComponentInterfaces();

// {9FECCEAB-8E9C-40A8-A176-0F4954E64C57}
inline constexpr Guid kIBarcodeId{0x9FECCEAB, 0x8E9C, 0x40A8, {0xA1, 0x76, 0x0F, 0x49, 0x54, 0xE6, 0x4C, 0x57}};

HRESULT QueryInterface(const Guid& iid);

inline constexpr std::uint32_t INTERFACESAFE_FOR_UNTRUSTED_CALLER = 1;
inline constexpr std::uint32_t INTERFACESAFE_FOR_UNTRUSTED_DATA = 2;

class ObjectSafety {
 public:
  HRESULT GetInterfaceSafetyOptions(const Guid& iid, std::uint32_t* supported, std::uint32_t* enabled) const;
  HRESULT SetInterfaceSafetyOptions(const Guid& iid, std::uint32_t mask, std::uint32_t enabled);

 private:
  std::uint32_t enabled_ = 0;
};

}  // namespace linnet
