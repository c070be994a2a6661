#include "persist/property_file.h"

#include <new>

#include "control/error_info.h"
#include "control/qln_barcode.h"
#include "persist/control_persistence.h"
#include "persist/xml_property_bag.h"

namespace linnet::persist {

namespace {

HRESULT SaveRaw(CQlnBarcode& control, int persistFormat, std::vector<std::uint8_t>& file) {
  file.clear();
  if (persistFormat != kPersistXml) {
    return SaveToCompoundFile(control, file);
  }
  image::VectorSink sink(file);
  CXMLPropertyBag bag;
  return bag.SaveObject(*BagPersistence(control), sink);
}

HRESULT LoadRaw(CQlnBarcode& control, std::span<const std::uint8_t> file, int persistFormat) {
  if (persistFormat != kPersistXml) {
    return LoadFromCompoundFile(control, file);
  }
  CXMLPropertyBag bag;
  return bag.LoadObject(file, *BagPersistence(control));
}

}  // namespace

HRESULT SavePropertyFile(CQlnBarcode& control, int persistFormat, std::vector<std::uint8_t>& file) {
  const bool modified = control.IsModified();
  HRESULT hr = E_OUTOFMEMORY;
  try {
    hr = SaveRaw(control, persistFormat, file);
  } catch (const std::bad_alloc&) {
  }
  if (Failed(hr)) {
    file.clear();
    control.SetModified(modified);
    return RaiseNumberedError(kSaveFailed);
  }
  return S_OK;
}

HRESULT LoadPropertyFile(CQlnBarcode& control, std::span<const std::uint8_t> file, int persistFormat) {
  HRESULT hr = E_OUTOFMEMORY;
  try {
    hr = LoadRaw(control, file, persistFormat);
  } catch (const std::bad_alloc&) {
  }
  if (Failed(hr)) {
    return RaiseNumberedError(kLoadFailed);
  }
  control.Refresh();
  return S_OK;
}

}  // namespace linnet::persist
