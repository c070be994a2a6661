#include "host/result_text.h"

#include <cstdio>

#include "control/error_info.h"
#include "platform/modules/module_loader.h"

namespace linnet::host {

namespace {

const struct {
  HRESULT hr;
  const char* words;
} kResultWords[] = {
    {E_NOTIMPL, "not implemented"},
    {E_NOINTERFACE, "interface not supported"},
    {E_POINTER, "invalid pointer"},
    {E_FAIL, "unspecified failure"},
    {E_UNEXPECTED, "unexpected failure"},
    {E_ACCESSDENIED, "access denied"},
    {E_OUTOFMEMORY, "out of memory"},
    {E_INVALIDARG, "invalid argument"},
    {DISP_E_TYPEMISMATCH, "type mismatch"},
    {DISP_E_OVERFLOW, "value out of range"},
    {DISP_E_BADVARTYPE, "bad variant type"},
    {modules::CO_E_DLLNOTFOUND,
     "a module of the library could not be loaded (LINNET_LOG=1 shows where it was looked for)"},
};

}  // namespace

std::string ResultInWords(HRESULT hr) {
  for (const auto& r : kResultWords) {
    if (r.hr == hr) {
      return r.words;
    }
  }
  char code[32];
  std::snprintf(code, sizeof code, "result 0x%08X", static_cast<unsigned>(hr));
  return code;
}

std::string ControlErrorText(HRESULT hr, const std::string& description) {
  const std::int32_t number = ControlErrorNumber(hr);
  if (number >= 0) {
    return "error " + std::to_string(number) + ": " + description;
  }
  return description.empty() ? ResultInWords(hr) : description;
}

}  // namespace linnet::host
