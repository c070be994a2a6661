#pragma once
// Optional parts with heavy libraries behind them (compound files on libgsf, the barcode
// reader on zxing-cpp) are built as modules, shared objects loaded on first use: a process
// that never saves a compound file or verifies a label never maps those libraries, which
// keeps the start of a one-label command short.
//
// A module is looked for, in order, in the folder named by LINNET_MODULE_DIR, beside the
// executable or shared library that holds this loader, and in the installed module folder
// relative to it (bin/../lib/linnet, lib/linnet). It must answer the entry symbol with an
// entry whose `version` is this build's; anything else is not used. A module is loaded once
// per process and stays; the calls are safe from any thread.
#include <string_view>

#include "platform/com/hresult.h"

namespace linnet::modules {

// The result for a module that could not be found or loaded.
inline constexpr HRESULT CO_E_DLLNOTFOUND = static_cast<HRESULT>(0x800401F8U);

// Every module's entry begins with this.
struct EntryHeader {
  const char* version;  // the project version the module was built with
};

// The entry of module `name` (the file is "linnet-NAME.so"), or nullptr; the diagnostics say
// where it was looked for and why each place failed.
const EntryHeader* LoadModule(std::string_view name, const char* entrySymbol);

}  // namespace linnet::modules
