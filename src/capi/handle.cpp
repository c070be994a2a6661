#include "capi/handle.h"

#include <array>
#include <new>
#include <utility>

#include "control/error_info.h"
#include "platform/codepage.h"
#include "platform/com/error_object.h"
#include "symbology/barlib_error.h"

namespace linnet::capi {

namespace {

// Messages for the general results, which carry no error object of their own.
constexpr std::array<std::pair<HRESULT, const char*>, 9> kGeneralMessages = {{
    {E_POINTER, "A required pointer argument is NULL."},
    {E_INVALIDARG, "An argument is not valid."},
    {E_OUTOFMEMORY, "Out of memory."},
    {E_NOTIMPL, "Not available in this build."},
    {E_FAIL, "Unexpected failure."},
    {DISP_E_TYPEMISMATCH, "The value does not have the property's type."},
    {DISP_E_OVERFLOW, "The value is out of the property's range."},
    {kUnknownName, "No property of that name."},
    {kBufferTooSmall, "The buffer is too small."},
}};

std::string GeneralMessage(HRESULT hr) {
  for (const auto& [code, text] : kGeneralMessages) {
    if (code == hr) {
      return text;
    }
  }
  return "Unexpected failure.";
}

}  // namespace

HRESULT Refuse(HRESULT hr, const std::string& message) {
  SetThreadErrorObject({kIBarcodeIid, kProgId, Utf8ToWide(message)});
  return hr;
}

HRESULT RunCaught(HRESULT (*body)(void*), void* context) {
  try {
    ClearThreadErrorObject();
    return body(context);
  } catch (const Quillon::BrindleLib::barlib_error& error) {
    return RaiseEngineError(error);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

void RecordResult(linnet_barcode& barcode, HRESULT hr) {
  try {
    barcode.errorNumber = 0;
    barcode.errorMessage.clear();
    if (Succeeded(hr)) {
      return;
    }
    const std::int32_t number = ControlErrorNumber(hr);
    barcode.errorNumber = number >= 0 ? number : hr;
    const auto error = ThreadErrorObject();
    barcode.errorMessage = error ? WideToUtf8(error->description) : GeneralMessage(hr);
  } catch (const std::bad_alloc&) {
    barcode.errorMessage.clear();  // the number alone still tells what failed
  }
}

}  // namespace linnet::capi
