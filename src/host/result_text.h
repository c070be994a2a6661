#pragma once
// A failed call of the control as one line of text, the same for every host: the control's
// error number and message ("error 6116: Invalid value for BarHeight property."), or, for a
// result without a number of the control (E_INVALIDARG and friends), the error object's
// description, else the result's meaning in words ("invalid argument"). Never hexadecimal
// unless the result is one nobody has named.
#include <string>

#include "platform/com/hresult.h"

namespace linnet::host {

// `description` is the thread's error object description (UTF-8), empty when there was none.
std::string ControlErrorText(HRESULT hr, const std::string& description);

// The meaning of a general result in words; hexadecimal for one not in the table.
std::string ResultInWords(HRESULT hr);

}  // namespace linnet::host
