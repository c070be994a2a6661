#pragma once
// The control's numbered errors and the engine's errors as hosts see them: an HRESULT of
// 0x83280000 + number (or engine code) with the thread's error object describing it.
#include <cstdint>
#include <string>

#include "platform/com/hresult.h"
#include "symbology/barlib_error.h"

namespace linnet {

inline constexpr const char16_t* kProgId = u"Quillon.Linnet.1";
inline constexpr const char16_t* kIBarcodeIid = u"{9FECCEAB-8E9C-40A8-A176-0F4954E64C57}";

constexpr HRESULT ControlErrorHResult(std::int32_t number) {
  return static_cast<HRESULT>(0x83280000U + static_cast<std::uint32_t>(number));
}

// The number an HRESULT of the control carries, or -1 when it is not one.
std::int32_t ControlErrorNumber(HRESULT hr);

// The message of a numbered error (6102..6123); empty when the table has none.
std::string ErrorTableMessage(std::int32_t number);

// Sets the thread's error object from the table and returns the error's HRESULT.
HRESULT RaiseNumberedError(std::int32_t number);

// The same with the engine's own message and code.
HRESULT RaiseEngineError(const Quillon::BrindleLib::barlib_error& error);

}  // namespace linnet
