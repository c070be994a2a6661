// Properties by automation name with typed values: each typed entry point serves the value
// types listed beside linnet_type in the header and converts through the control's own
// automation setters and getters, so validation, change effects and errors stay the control's.
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>

#include "capi/handle.h"
#include "control/automation.h"
#include "host/property_text.h"
#include "platform/codepage.h"

namespace linnet::capi {

namespace {

linnet_type TypeOf(ValueKind kind) {
  switch (kind) {
    case ValueKind::Bool:
      return LINNET_TYPE_BOOLEAN;
    case ValueKind::Long:
    case ValueKind::Short:
      return LINNET_TYPE_INTEGER;
    case ValueKind::Double:
      return LINNET_TYPE_DOUBLE;
    case ValueKind::Text:
      return LINNET_TYPE_TEXT;
    case ValueKind::Color:
      return LINNET_TYPE_COLOR;
    case ValueKind::Font:
      return LINNET_TYPE_FONT;
    case ValueKind::Picture:
      return LINNET_TYPE_PICTURE;
    case ValueKind::Alignment:
    case ValueKind::Measurement:
    case ValueKind::Symbology:
    case ValueKind::Rotation:
      return LINNET_TYPE_ENUM;
  }
  return LINNET_TYPE_PICTURE;
}

// The member `name` names, when its type is one of `served`; otherwise a refusal.
HRESULT Resolve(const char* name, std::initializer_list<linnet_type> served, const AutomationMember*& member) {
  if (name == nullptr) {
    return Refuse(E_POINTER, "The property name is NULL.");
  }
  member = FindAutomationMember(name, true);
  if (member == nullptr) {
    return Refuse(kUnknownName, std::string("No property named '") + name + "'.");
  }
  for (const linnet_type type : served) {
    if (TypeOf(member->kind) == type) {
      return S_OK;
    }
  }
  return Refuse(DISP_E_TYPEMISMATCH, std::string(member->name) + " does not take this type of value.");
}

HRESULT Put(linnet_barcode& barcode, const char* name, std::initializer_list<linnet_type> served,
            const Variant& value) {
  const AutomationMember* member = nullptr;
  if (const HRESULT hr = Resolve(name, served, member); Failed(hr)) {
    return hr;
  }
  if (member->put == nullptr) {
    return Refuse(E_NOTIMPL, std::string(member->name) + " is read-only.");
  }
  return PutAutomationProperty(barcode.control, *member, value);
}

HRESULT Get(linnet_barcode& barcode, const char* name, std::initializer_list<linnet_type> served, const void* out,
            const AutomationMember*& member, Variant& value) {
  if (out == nullptr) {
    return Refuse(E_POINTER, "The output pointer is NULL.");
  }
  if (const HRESULT hr = Resolve(name, served, member); Failed(hr)) {
    return hr;
  }
  return member->get(barcode.control, value);
}

// A copy of `text` in a buffer the caller frees with linnet_free.
char* CopyForCaller(const std::string& text) {
  auto* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (copy != nullptr) {
    std::memcpy(copy, text.c_str(), text.size() + 1);
  }
  return copy;
}

}  // namespace

}  // namespace linnet::capi

using namespace linnet;
using namespace linnet::capi;

extern "C" {

size_t linnet_property_count(void) {
  return AutomationMembers().size();
}

const char* linnet_property_name(size_t index) {
  const auto members = AutomationMembers();
  return index < members.size() ? members[index].name : nullptr;
}

int linnet_property_type(const char* name) {
  const AutomationMember* member = name != nullptr ? FindAutomationMember(name, true) : nullptr;
  return member != nullptr ? TypeOf(member->kind) : 0;
}

linnet_result linnet_barcode_set_int(linnet_barcode* barcode, const char* name, int32_t value) {
  return Guarded(barcode, [&](linnet_barcode& b) {
    const bool colour = linnet_property_type(name) == LINNET_TYPE_COLOR;
    const Variant v = colour ? Variant::UnsignedLong(static_cast<std::uint32_t>(value)) : Variant::Long(value);
    return Put(b, name, {LINNET_TYPE_INTEGER, LINNET_TYPE_COLOR, LINNET_TYPE_ENUM}, v);
  });
}

linnet_result linnet_barcode_set_double(linnet_barcode* barcode, const char* name, double value) {
  return Guarded(barcode,
                 [&](linnet_barcode& b) { return Put(b, name, {LINNET_TYPE_DOUBLE}, Variant::Double(value)); });
}

linnet_result linnet_barcode_set_bool(linnet_barcode* barcode, const char* name, int value) {
  return Guarded(barcode,
                 [&](linnet_barcode& b) { return Put(b, name, {LINNET_TYPE_BOOLEAN}, Variant::Bool(value != 0)); });
}

linnet_result linnet_barcode_set_text(linnet_barcode* barcode, const char* name, const char* utf8) {
  return Guarded(barcode, [&](linnet_barcode& b) {
    if (utf8 == nullptr) {
      return Refuse(E_POINTER, "The text is NULL.");
    }
    if (linnet_property_type(name) != LINNET_TYPE_FONT) {
      return Put(b, name, {LINNET_TYPE_TEXT}, Variant::Text(Utf8ToWide(utf8)));
    }
    // A font is its text form, "Name[,points][,bold][,italic][,underline][,strikethrough]",
    // read as linnet --set reads it.
    const AutomationMember* member = FindAutomationMember(name, true);
    Variant font;
    std::string problem;
    if (!host::ParseValue(*member, utf8, font, problem)) {
      return Refuse(E_INVALIDARG, std::string(member->name) + ": " + problem);
    }
    return PutAutomationProperty(b.control, *member, font);
  });
}

linnet_result linnet_barcode_set_enum(linnet_barcode* barcode, const char* name, const char* enumerator) {
  return Guarded(barcode, [&](linnet_barcode& b) {
    const AutomationMember* member = nullptr;
    if (const HRESULT hr = Resolve(name, {LINNET_TYPE_ENUM}, member); Failed(hr)) {
      return hr;
    }
    if (enumerator == nullptr) {
      return Refuse(E_POINTER, "The enumerator name is NULL.");
    }
    const auto number = FindEnumerator(enumerator, member->kind);
    if (!number) {
      return Refuse(E_INVALIDARG, std::string("'") + enumerator + "' is not an enumerator of " + member->name + ".");
    }
    return PutAutomationProperty(b.control, *member, Variant::Long(*number));
  });
}

linnet_result linnet_barcode_get_int(linnet_barcode* barcode, const char* name, int32_t* value) {
  return Guarded(barcode, [&](linnet_barcode& b) {
    const AutomationMember* member = nullptr;
    Variant v;
    const HRESULT hr = Get(b, name, {LINNET_TYPE_INTEGER, LINNET_TYPE_COLOR, LINNET_TYPE_ENUM}, value, member, v);
    if (Succeeded(hr)) {
      *value = v.Type() == VT_UI4 ? static_cast<std::int32_t>(static_cast<std::uint32_t>(v.AsWide())) : v.AsLong();
    }
    return hr;
  });
}

linnet_result linnet_barcode_get_double(linnet_barcode* barcode, const char* name, double* value) {
  return Guarded(barcode, [&](linnet_barcode& b) {
    const AutomationMember* member = nullptr;
    Variant v;
    const HRESULT hr = Get(b, name, {LINNET_TYPE_DOUBLE}, value, member, v);
    if (Succeeded(hr)) {
      *value = v.AsDouble();
    }
    return hr;
  });
}

linnet_result linnet_barcode_get_bool(linnet_barcode* barcode, const char* name, int* value) {
  return Guarded(barcode, [&](linnet_barcode& b) {
    const AutomationMember* member = nullptr;
    Variant v;
    const HRESULT hr = Get(b, name, {LINNET_TYPE_BOOLEAN}, value, member, v);
    if (Succeeded(hr)) {
      *value = v.AsLong() != 0 ? 1 : 0;
    }
    return hr;
  });
}

linnet_result linnet_barcode_get_text(linnet_barcode* barcode, const char* name, char** utf8, size_t* length) {
  return Guarded(barcode, [&](linnet_barcode& b) {
    if (utf8 != nullptr) {
      *utf8 = nullptr;
    }
    const AutomationMember* member = nullptr;
    Variant v;
    const HRESULT hr = Get(b, name, {LINNET_TYPE_TEXT, LINNET_TYPE_FONT}, utf8, member, v);
    if (Failed(hr)) {
      return hr;
    }
    const std::string text = member->kind == ValueKind::Font ? host::FormatValue(*member, v) : WideToUtf8(v.AsText());
    *utf8 = CopyForCaller(text);
    if (*utf8 == nullptr) {
      return E_OUTOFMEMORY;
    }
    if (length != nullptr) {
      *length = text.size();
    }
    return hr;
  });
}

linnet_result linnet_barcode_get_enum(linnet_barcode* barcode, const char* name, const char** enumerator) {
  return Guarded(barcode, [&](linnet_barcode& b) {
    const AutomationMember* member = nullptr;
    Variant v;
    const HRESULT hr = Get(b, name, {LINNET_TYPE_ENUM}, enumerator, member, v);
    if (Failed(hr)) {
      return hr;
    }
    *enumerator = EnumeratorName(member->kind, v.AsLong());
    return *enumerator != nullptr ? hr : S_FALSE;
  });
}

}  // extern "C"
