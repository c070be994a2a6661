#include "control/dispatch.h"

#include <array>
#include <new>
#include <vector>

#include "control/qln_barcode.h"
#include "persist/save_load.h"
#include "platform/ascii_case.h"
#include "platform/codepage.h"
#include "render/export_image.h"

namespace linnet {

namespace {

constexpr int kFirstSlot = 7;
constexpr int kPersistBinary = 0;

// A method's arguments in declared order, optional ones already given their defaults.
using Arguments = std::array<Variant, 2>;

struct AutomationMethod {
  const char* name;
  DISPID dispid;
  std::array<const char*, 2> parameters;  // nullptr past the last
  int required;
  Variant (*optionalDefault)();  // nullptr: no optional parameter
  HRESULT (*call)(CQlnBarcode&, const Arguments&);
};

HRESULT FormatArgument(const Variant& v, int& format) {
  Variant converted;
  const HRESULT hr = ChangeType(v, converted, VT_I4);
  if (Succeeded(hr)) {
    format = converted.AsLong();
  }
  return hr;
}

HRESULT CallSave(CQlnBarcode& control, const Arguments& args) {
  const Variant* target = ResolveTarget(args[0]);
  if (target == nullptr) {
    return E_INVALIDARG;
  }
  return persist::Save(control, *target, args[1].AsLong());
}

HRESULT CallLoad(CQlnBarcode& control, const Arguments& args) {
  const Variant* source = ResolveTarget(args[0]);
  if (source == nullptr) {
    return E_INVALIDARG;
  }
  return persist::Load(control, *source, args[1].AsLong());
}

HRESULT CallExportImage(CQlnBarcode& control, const Arguments& args) {
  const Variant* target = ResolveTarget(args[0]);
  if (target == nullptr) {
    return E_INVALIDARG;
  }
  const int format = args[1].AsLong();
  if (target->Type() == VT_BSTR) {
    return ExportImageToFile(control, WideToUtf8(target->AsText()), format);
  }
  std::vector<unsigned char> image;
  if (const HRESULT hr = ExportImageToStream(control, image, format); Failed(hr)) {
    return hr;
  }
  std::uint32_t done = 0;
  const HRESULT hr = target->AsStream()->Write(image.data(), static_cast<std::uint32_t>(image.size()), &done);
  return Failed(hr) ? hr : (done == image.size() ? S_OK : E_FAIL);
}

const std::array kMethods = {
    AutomationMethod{
        "Save", 0x3E8, {"Destination", "PersistFormat"}, 1, +[] { return Variant::Long(kPersistBinary); }, &CallSave},
    AutomationMethod{
        "Load", 0x3E9, {"Source", "PersistFormat"}, 1, +[] { return Variant::Long(kPersistBinary); }, &CallLoad},
    AutomationMethod{
        "About", -552, {nullptr, nullptr}, 0, nullptr, +[](CQlnBarcode& c, const Arguments&) { return c.About(); }},
    AutomationMethod{
        "Refresh", -550, {nullptr, nullptr}, 0, nullptr, +[](CQlnBarcode& c, const Arguments&) { return c.Refresh(); }},
    AutomationMethod{"ExportImage",
                     0x3EC,
                     {"Destination", "ImageFormat"},
                     1,
                     +[] { return Variant::Long(qlxFormatJPG); },
                     &CallExportImage},
};

int ParameterCount(const AutomationMethod& m) {
  return m.required + (m.optionalDefault != nullptr ? 1 : 0);
}

const AutomationMember* PropertyWithDispid(DISPID dispid) {
  for (const AutomationMember& m : AutomationMembers()) {
    if (!m.extension && m.dispid == dispid) {
      return &m;
    }
  }
  return nullptr;
}

const AutomationMethod* MethodWithDispid(DISPID dispid) {
  for (const AutomationMethod& m : kMethods) {
    if (m.dispid == dispid) {
      return &m;
    }
  }
  return nullptr;
}

const AutomationMethod* MethodWithName(std::u16string_view name) {
  for (const AutomationMethod& m : kMethods) {
    if (SameIgnoringAsciiCase(name, m.name)) {
      return &m;
    }
  }
  return nullptr;
}

std::string Ascii(std::u16string_view name) {
  std::string ascii;
  for (const char16_t c : name) {
    ascii.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  }
  return ascii;
}

// Fills the declared-order arguments from the reversed list, named ones by parameter index.
HRESULT GatherArguments(const AutomationMethod& method, const DispParams& params, Arguments& args,
                        std::uint32_t* argError) {
  const int count = ParameterCount(method);
  const auto total = static_cast<int>(params.args.size());
  const auto named = static_cast<int>(params.namedArgs.size());
  if (named > total || total < method.required || total > count) {
    return DISP_E_BADPARAMCOUNT;
  }
  std::array<int, 2> from = {-1, -1};  // index into params.args of each parameter
  for (int i = 0; i < named; ++i) {
    const DISPID p = params.namedArgs[static_cast<std::size_t>(i)];
    if (p < 0 || p >= count || from[static_cast<std::size_t>(p)] >= 0) {
      if (argError != nullptr) {
        *argError = static_cast<std::uint32_t>(i);
      }
      return DISP_E_PARAMNOTFOUND;
    }
    from[static_cast<std::size_t>(p)] = i;
  }
  for (int p = 0; p < total - named; ++p) {
    if (from[static_cast<std::size_t>(p)] >= 0) {
      return DISP_E_BADPARAMCOUNT;
    }
    from[static_cast<std::size_t>(p)] = total - 1 - p;
  }
  for (int p = 0; p < count; ++p) {
    const int at = from[static_cast<std::size_t>(p)];
    const bool missing = at < 0 || params.args[static_cast<std::size_t>(at)].IsMissing();
    if (missing && p < method.required) {
      return DISP_E_PARAMNOTOPTIONAL;
    }
    Variant& arg = args[static_cast<std::size_t>(p)];
    arg = missing ? method.optionalDefault() : params.args[static_cast<std::size_t>(at)];
    // The format parameters are integers; the destination is resolved by the method.
    if (p >= method.required) {
      int format = 0;
      if (const HRESULT hr = FormatArgument(arg, format); Failed(hr)) {
        if (argError != nullptr) {
          *argError = static_cast<std::uint32_t>(at);
        }
        return hr;
      }
      arg = Variant::Long(format);
    }
  }
  return S_OK;
}

HRESULT InvokeMethod(CQlnBarcode& control, const AutomationMethod& method, std::uint16_t flags,
                     const DispParams& params, Variant* result, std::uint32_t* argError) {
  if ((flags & DISPATCH_METHOD) == 0) {
    return DISP_E_MEMBERNOTFOUND;
  }
  Arguments args;
  if (const HRESULT hr = GatherArguments(method, params, args, argError); Failed(hr)) {
    return hr;
  }
  if (result != nullptr) {
    *result = Variant();
  }
  return method.call(control, args);
}

bool TakesReference(const AutomationMember& m) {
  return m.access == Access::PutRefGet || m.access == Access::GetPutRef;
}

HRESULT InvokeProperty(CQlnBarcode& control, const AutomationMember& member, std::uint16_t flags,
                       const DispParams& params, Variant* result, std::uint32_t* argError) {
  if ((flags & DISPATCH_PROPERTYGET) != 0) {
    if (!params.args.empty()) {
      return DISP_E_BADPARAMCOUNT;
    }
    Variant value;
    const HRESULT hr = member.get(control, value);
    if (Succeeded(hr) && result != nullptr) {
      *result = std::move(value);
    }
    return hr;
  }
  const std::uint16_t wanted = TakesReference(member) ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
  if ((flags & wanted) == 0 || member.put == nullptr) {
    return DISP_E_MEMBERNOTFOUND;
  }
  if (params.args.size() != 1) {
    return DISP_E_BADPARAMCOUNT;
  }
  if (params.namedArgs.size() != 1 || params.namedArgs[0] != DISPID_PROPERTYPUT) {
    return DISP_E_PARAMNOTFOUND;
  }
  const Variant& given = params.args[0];
  if (given.IsMissing() && !member.optionalValue) {
    return DISP_E_PARAMNOTOPTIONAL;
  }
  const HRESULT hr = PutAutomationProperty(control, member, given.IsMissing() ? member.creation() : given);
  if ((hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW) && argError != nullptr) {
    *argError = 0;
  }
  return hr;
}

std::vector<FunctionTableEntry> BuildFunctionTable() {
  std::vector<FunctionTableEntry> table;
  int slot = kFirstSlot;
  const auto add = [&](SlotKind kind, const AutomationMember& m) {
    table.push_back({slot++, kind, m.name, &m, m.dispid});
  };
  const auto addProperty = [&](const AutomationMember& m) {
    switch (m.access) {
      case Access::GetPut:
        add(SlotKind::Get, m);
        add(SlotKind::Put, m);
        break;
      case Access::PutGet:
        add(SlotKind::Put, m);
        add(SlotKind::Get, m);
        break;
      case Access::PutRefGet:
        add(SlotKind::PutRef, m);
        add(SlotKind::Get, m);
        break;
      case Access::GetPutRef:
        add(SlotKind::Get, m);
        add(SlotKind::PutRef, m);
        break;
      case Access::GetOnly:
        add(SlotKind::Get, m);
        break;
    }
  };
  for (const AutomationMember& m : AutomationMembers()) {
    if (!m.extension) {
      addProperty(m);
    }
  }
  for (const AutomationMethod& m : kMethods) {
    table.push_back({slot++, SlotKind::Method, m.name, nullptr, m.dispid});
  }
  for (const AutomationMember& m : AutomationMembers()) {
    if (m.extension) {
      addProperty(m);
    }
  }
  return table;
}

}  // namespace

const Variant* ResolveTarget(const Variant& target) {
  const Variant* v = &target;
  if (v->Type() == (VT_BYREF | VT_VARIANT)) {
    v = v->Referenced();
    if (v == nullptr) {
      return nullptr;
    }
  }
  if (v->Type() == VT_BSTR) {
    return v;
  }
  if ((v->Type() == VT_UNKNOWN || v->Type() == VT_DISPATCH) && v->AsStream()) {
    return v;
  }
  return nullptr;
}

HRESULT GetIDsOfNames(std::span<const std::u16string_view> names, std::span<DISPID> dispids) {
  if (dispids.size() < names.size()) {
    return E_INVALIDARG;
  }
  std::fill(dispids.begin(), dispids.begin() + static_cast<std::ptrdiff_t>(names.size()), DISPID_UNKNOWN);
  if (names.empty()) {
    return S_OK;
  }
  const AutomationMethod* method = MethodWithName(names[0]);
  if (method != nullptr) {
    dispids[0] = method->dispid;
  } else if (const AutomationMember* member = FindAutomationMember(Ascii(names[0]), false)) {
    dispids[0] = member->dispid;
  } else {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT hr = S_OK;
  for (std::size_t i = 1; i < names.size(); ++i) {
    const int count = method != nullptr ? ParameterCount(*method) : 0;
    for (int p = 0; p < count; ++p) {
      if (SameIgnoringAsciiCase(names[i], method->parameters[static_cast<std::size_t>(p)])) {
        dispids[i] = p;
      }
    }
    if (dispids[i] == DISPID_UNKNOWN) {
      hr = DISP_E_UNKNOWNNAME;
    }
  }
  return hr;
}

HRESULT Invoke(CQlnBarcode& control, DISPID dispid, std::uint16_t flags, const DispParams& params, Variant* result,
               std::uint32_t* argError) {
  try {
    if (const AutomationMethod* method = MethodWithDispid(dispid)) {
      return InvokeMethod(control, *method, flags, params, result, argError);
    }
    if (const AutomationMember* member = PropertyWithDispid(dispid)) {
      return InvokeProperty(control, *member, flags, params, result, argError);
    }
    return DISP_E_MEMBERNOTFOUND;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

HRESULT InvokePut(CQlnBarcode& control, const AutomationMember& member, const Variant& value) {
  const DISPID named[] = {DISPID_PROPERTYPUT};
  const std::uint16_t flags = TakesReference(member) ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
  return Invoke(control, member.dispid, flags, {std::span(&value, 1), named}, nullptr);
}

std::span<const FunctionTableEntry> FunctionTable() {
  static const std::vector<FunctionTableEntry> kTable = BuildFunctionTable();
  return kTable;
}

HRESULT InvokeSlot(CQlnBarcode& control, int slot, std::span<const Variant> args, Variant* result) {
  const auto table = FunctionTable();
  if (slot < kFirstSlot || slot >= kFirstSlot + static_cast<int>(table.size())) {
    return E_INVALIDARG;
  }
  const FunctionTableEntry& entry = table[static_cast<std::size_t>(slot - kFirstSlot)];
  try {
    if (entry.kind == SlotKind::Method) {
      // A direct call: the arguments in declared order, which Invoke takes reversed.
      std::vector<Variant> reversed(args.rbegin(), args.rend());
      return Invoke(control, entry.dispid, DISPATCH_METHOD, {reversed, {}}, result);
    }
    const AutomationMember& member = *entry.property;
    if (entry.kind == SlotKind::Get) {
      if (result == nullptr) {
        return E_POINTER;
      }
      if (!args.empty()) {
        return E_INVALIDARG;
      }
      return member.get(control, *result);
    }
    if (args.size() != 1) {
      return E_INVALIDARG;
    }
    return PutAutomationProperty(control, member, args[0]);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace linnet
