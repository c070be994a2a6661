#include "control/registration.h"

#include <array>

#include "control/component_interfaces.h"
#include "persist/control_persistence.h"
#include "platform/codepage.h"

namespace linnet {

namespace {

struct Row {
  const char* key;
  const char* valueName;
  const char* value;
  bool removed;
};

// The registration scripts, with %MODULE%, %APPID%, %CLSID%, %IID%, %LIBID% and %OLEMISC% replaced
// when the entries are produced.
constexpr std::array kRows = {
    Row{"AppID\\%APPID%", "", "QlnLinnetApp", true},
    Row{"AppID\\QlnLinnet.DLL", "AppID", "%APPID%", true},
    Row{"Quillon.Linnet.1", "", "Quillon Linnet", true},
    Row{"Quillon.Linnet.1\\CLSID", "", "%CLSID%", true},
    Row{"Quillon.Linnet.1\\Insertable", "", "", true},
    Row{"Quillon.Linnet", "", "Quillon Linnet", true},
    Row{"Quillon.Linnet\\CLSID", "", "%CLSID%", true},
    Row{"Quillon.Linnet\\CurVer", "", "Quillon.Linnet.1", true},
    Row{"CLSID\\%CLSID%", "", "Quillon Linnet", true},
    Row{"CLSID\\%CLSID%\\ProgID", "", "Quillon.Linnet.1", true},
    Row{"CLSID\\%CLSID%\\VersionIndependentProgID", "", "Quillon.Linnet", true},
    Row{"CLSID\\%CLSID%\\Programmable", "", "", true},
    Row{"CLSID\\%CLSID%\\InprocServer32", "", "%MODULE%", true},
    Row{"CLSID\\%CLSID%\\InprocServer32", "ThreadingModel", "Apartment", true},
    Row{"CLSID\\%CLSID%", "AppID", "%APPID%", true},
    Row{"CLSID\\%CLSID%\\Control", "", "", true},
    Row{"CLSID\\%CLSID%\\Insertable", "", "", true},
    Row{"CLSID\\%CLSID%\\ToolboxBitmap32", "", "%MODULE%, 103", true},
    Row{"CLSID\\%CLSID%\\MiscStatus", "", "0", true},
    Row{"CLSID\\%CLSID%\\MiscStatus\\1", "", "%OLEMISC%", true},
    Row{"CLSID\\%CLSID%\\TypeLib", "", "%LIBID%", true},
    Row{"CLSID\\%CLSID%\\Version", "", "1.0", true},
    // Implemented categories: insertable, control, safe for scripting, safe for initializing.
    Row{"CLSID\\%CLSID%\\Implemented Categories\\{40FC6ED3-2438-11CF-A3DB-080036F12502}", "", "", true},
    Row{"CLSID\\%CLSID%\\Implemented Categories\\{40FC6ED4-2438-11CF-A3DB-080036F12502}", "", "", true},
    Row{"CLSID\\%CLSID%\\Implemented Categories\\{7DD95801-9882-11CF-9FA9-00AA006C42C4}", "", "", true},
    Row{"CLSID\\%CLSID%\\Implemented Categories\\{7DD95802-9882-11CF-9FA9-00AA006C42C4}", "", "", true},
    // The type library and the interfaces it describes, marshalled by the automation marshaller.
    Row{"TypeLib\\%LIBID%\\1.0", "", "Quillon Linnet 3.3 Type Library", true},
    Row{"TypeLib\\%LIBID%\\1.0\\FLAGS", "", "0", true},
    Row{"TypeLib\\%LIBID%\\1.0\\0\\win32", "", "%MODULE%", true},
    Row{"Interface\\%IID%", "", "IBarcode", true},
    Row{"Interface\\%IID%\\ProxyStubClsid32", "", "{00020424-0000-0000-C000-000000000046}", true},
    Row{"Interface\\%IID%\\TypeLib", "", "%LIBID%", true},
    Row{"Interface\\{B92C9E77-692D-45A0-96DE-528E5A598FEA}", "", "_IBarcodeEvents", true},
    Row{"Interface\\{B92C9E77-692D-45A0-96DE-528E5A598FEA}\\ProxyStubClsid32", "",
        "{00020420-0000-0000-C000-000000000046}", true},
    Row{"Interface\\{B92C9E77-692D-45A0-96DE-528E5A598FEA}\\TypeLib", "", "%LIBID%", true},
};

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

std::string Filled(const char* pattern, std::string_view modulePath) {
  std::string text = pattern;
  ReplaceAll(text, "%CLSID%", WideToUtf8(GuidToText(persist::kControlClassId)));
  ReplaceAll(text, "%APPID%", "{EEAD9444-65B3-4BD1-9110-DA84F3A90876}");
  ReplaceAll(text, "%LIBID%", "{2D8E9420-0285-488D-88A1-41D9AB6E089A}");
  ReplaceAll(text, "%IID%", WideToUtf8(GuidToText(kIBarcodeId)));
  ReplaceAll(text, "%OLEMISC%", std::to_string(kMiscStatus));
  ReplaceAll(text, "%MODULE%", modulePath);
  return text;
}

}  // namespace

std::vector<RegistryEntry> RegistrationEntries(std::string_view modulePath) {
  std::vector<RegistryEntry> entries;
  entries.reserve(kRows.size());
  for (const Row& row : kRows) {
    entries.push_back({Filled(row.key, modulePath), row.valueName, Filled(row.value, modulePath), row.removed});
  }
  return entries;
}

}  // namespace linnet
