#include <new>

#include "control/qln_barcode.h"
#include "persist/control_persistence.h"
#include "persist/load_guard.h"
#include "persist/persisted_set.h"

namespace linnet::persist {

namespace {

class ControlBag final : public PersistPropertyBag {
 public:
  explicit ControlBag(CQlnBarcode& control) : control_(control) {}

  [[nodiscard]] Guid ClassId() const override { return kControlClassId; }

  HRESULT InitNew() override { return persist::InitNew(control_); }

  HRESULT Load(PropertyBag& bag) override {
    HRESULT hr = E_FAIL;
    try {
      const LoadingOnScope loading(control_);
      hr = LoadEntries(bag);
    } catch (const std::bad_alloc&) {
      hr = E_OUTOFMEMORY;
    }
    if (Succeeded(hr)) {
      control_.SetModified(false);
    }
    return hr;
  }

  HRESULT Save(PropertyBag& bag, bool clearDirty, bool /*saveAll*/) override {
    try {
      const HRESULT hr = SaveEntries(bag);
      if (Succeeded(hr) && clearDirty) {
        control_.SetModified(false);
      }
      return hr;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
  }

 private:
  HRESULT LoadEntries(PropertyBag& bag) {
    SizeL extent = control_.Extent();
    ReadExtent(bag, kExtentWidthName, extent.cx);
    ReadExtent(bag, kExtentHeightName, extent.cy);
    control_.SetExtent(extent);
    for (const AutomationMember* member : PersistedProperties()) {
      // The current value tells the bag which type to hand back.
      Variant value;
      if (Failed(member->get(control_, value))) {
        return E_FAIL;
      }
      if (Failed(bag.Read(PersistedName(*member), value))) {
        continue;
      }
      if (const HRESULT hr = LoadedBySetter(PutAutomationProperty(control_, *member, value)); Failed(hr)) {
        return hr;
      }
    }
    return S_OK;
  }

  static void ReadExtent(PropertyBag& bag, std::u16string_view name, std::int32_t& field) {
    Variant value = Variant::UnsignedLong(0);
    Variant converted;
    if (Succeeded(bag.Read(name, value)) && Succeeded(ChangeType(value, converted, VT_UI4))) {
      field = static_cast<std::int32_t>(static_cast<std::uint32_t>(converted.AsWide()));
    }
  }

  HRESULT SaveEntries(PropertyBag& bag) {
    const SizeL extent = control_.Extent();
    if (const HRESULT hr = bag.Write(kExtentWidthName, Variant::UnsignedLong(static_cast<std::uint32_t>(extent.cx)));
        Failed(hr)) {
      return hr;
    }
    if (const HRESULT hr = bag.Write(kExtentHeightName, Variant::UnsignedLong(static_cast<std::uint32_t>(extent.cy)));
        Failed(hr)) {
      return hr;
    }
    for (const AutomationMember* member : PersistedProperties()) {
      Variant value;
      if (Failed(member->get(control_, value))) {
        return E_FAIL;
      }
      if (member->kind == ValueKind::Font && !value.AsFont()) {
        continue;
      }
      if (const HRESULT hr = bag.Write(PersistedName(*member), value); Failed(hr)) {
        return hr;
      }
    }
    return S_OK;
  }

  CQlnBarcode& control_;
};

}  // namespace

std::unique_ptr<PersistPropertyBag> BagPersistence(CQlnBarcode& control) {
  return std::make_unique<ControlBag>(control);
}

}  // namespace linnet::persist
