#pragma once
// The control's Save and Load methods: its settings as a property file of its own, in the binary
// form (a compound file) or as XML. `destination` and `source` are what the automation call
// resolved: a text (a file name) or an object with a byte stream. `persistFormat` 1 selects XML;
// every other value the binary form. Failures are the control's numbered errors (6107 for a
// failed save, 6114 for a failed load) with the thread's error object set.
#include "platform/com/hresult.h"
#include "platform/com/variant.h"

namespace linnet {
class CQlnBarcode;
}

namespace linnet::persist {

HRESULT Save(CQlnBarcode& control, const Variant& destination, int persistFormat);
HRESULT Load(CQlnBarcode& control, const Variant& source, int persistFormat);

}  // namespace linnet::persist
