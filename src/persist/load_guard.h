#pragma once
// For the length of a load: the control's loading flag set and its events frozen, both reset
// however the load ends.
#include "control/qln_barcode.h"

namespace linnet::persist {

class LoadingOnScope {
 public:
  explicit LoadingOnScope(CQlnBarcode& control) : control_(control) {
    control_.SetLoading(true);
    control_.FreezeEvents(true);
  }
  LoadingOnScope(const LoadingOnScope&) = delete;
  LoadingOnScope& operator=(const LoadingOnScope&) = delete;
  ~LoadingOnScope() {
    control_.FreezeEvents(false);
    control_.SetLoading(false);
  }

 private:
  CQlnBarcode& control_;
};

// A setter's answer as a load counts it: S_FALSE (unchanged, not used) is success, and any
// failure is E_FAIL.
inline HRESULT LoadedBySetter(HRESULT setterResult) {
  return Failed(setterResult) ? E_FAIL : S_OK;
}

}  // namespace linnet::persist
