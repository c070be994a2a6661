#pragma once
// What a host hears from a control: the four notification signals and the position change.
#include <cstdint>

#include "platform/com/hresult.h"

namespace linnet {

using DISPID = std::int32_t;

struct RectL {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  bool operator==(const RectL&) const = default;
};

struct SizeL {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
  bool operator==(const SizeL&) const = default;
};

struct PointL {
  std::int32_t x = 0;
  std::int32_t y = 0;
  bool operator==(const PointL&) const = default;
};

// Property-notification sink plus view, data and in-place site advice, in one observer.
class HostObserver {
 public:
  HostObserver() = default;
  HostObserver(const HostObserver&) = delete;
  HostObserver& operator=(const HostObserver&) = delete;
  virtual ~HostObserver() = default;

  // May the property change? S_FALSE vetoes it.
  virtual HRESULT OnRequestEdit(DISPID /*dispid*/) { return S_OK; }
  virtual void OnChanged(DISPID /*dispid*/) {}
  virtual void OnViewChange() {}
  virtual void OnDataChange() {}
  // Only hosts that gave an in-place site hear this.
  virtual bool HasInPlaceSite() const { return false; }
  virtual void OnPosRectChange(const RectL& /*rect*/) {}
};

}  // namespace linnet
