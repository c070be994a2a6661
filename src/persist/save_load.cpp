#include "persist/save_load.h"

namespace linnet::persist {

HRESULT Save(CQlnBarcode& /*control*/, const Variant& /*destination*/, int /*persistFormat*/) {
  return E_NOTIMPL;
}

HRESULT Load(CQlnBarcode& /*control*/, const Variant& /*source*/, int /*persistFormat*/) {
  return E_NOTIMPL;
}

}  // namespace linnet::persist
