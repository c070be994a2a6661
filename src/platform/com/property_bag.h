#pragma once
// The property-bag protocol: a set of named values kept by someone else (a host's bag, or the
// XML property file). An object that can save itself into a bag implements PersistPropertyBag;
// the bag, when it meets such an object among the values, asks it to write its own values into
// a nested level of the bag (and, reading, to load them from there).
#include <string_view>

#include "platform/com/guid.h"
#include "platform/com/hresult.h"
#include "platform/com/variant.h"

namespace linnet {

class PropertyBag {
 public:
  PropertyBag() = default;
  PropertyBag(const PropertyBag&) = delete;
  PropertyBag& operator=(const PropertyBag&) = delete;
  virtual ~PropertyBag() = default;

  // On entry `value` holds the type the reader expects (VT_EMPTY: any); on success it holds the
  // value found. A missing name or a value that does not convert is a failure result; what the
  // caller does with a failure (skip the entry) is the caller's protocol.
  virtual HRESULT Read(std::u16string_view name, Variant& value) = 0;
  virtual HRESULT Write(std::u16string_view name, const Variant& value) = 0;
};

class PersistPropertyBag {
 public:
  PersistPropertyBag() = default;
  PersistPropertyBag(const PersistPropertyBag&) = delete;
  PersistPropertyBag& operator=(const PersistPropertyBag&) = delete;
  virtual ~PersistPropertyBag() = default;

  [[nodiscard]] virtual Guid ClassId() const = 0;
  virtual HRESULT InitNew() = 0;
  virtual HRESULT Load(PropertyBag& bag) = 0;
  virtual HRESULT Save(PropertyBag& bag, bool clearDirty, bool saveAll) = 0;
};

}  // namespace linnet
