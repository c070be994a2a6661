#pragma once
// What a linnet_barcode handle holds, and the one guard every entry point of the C interface
// runs its body through: no C++ exception crosses into C, and each call on a handle leaves
// that handle's last error (number and UTF-8 message) describing its failure, or clear.
//
// A body returns the control's HRESULT. It reports a refusal of its own with Refuse(), which
// sets the thread's error object the way the control does, so the guard reads every message
// from one place right after the call, on the calling thread.
#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>

#include "control/qln_barcode.h"
#include "linnet/linnet.h"
#include "platform/com/hresult.h"

namespace linnet::capi {

class CallbackSink;

// Results of this interface that the control itself never returns.
inline constexpr HRESULT kUnknownName = LINNET_E_UNKNOWNNAME;
inline constexpr HRESULT kBufferTooSmall = LINNET_E_BUFFER_TOO_SMALL;

}  // namespace linnet::capi

struct linnet_barcode {
  linnet::CQlnBarcode control;
  std::int32_t errorNumber = 0;
  std::string errorMessage;
  std::shared_ptr<linnet::capi::CallbackSink> callback;
  linnet::ConnectionPoint<linnet::IBarcodeEvents>::Cookie callbackCookie = 0;
};

namespace linnet::capi {

// Sets the thread's error object to `message` and returns `hr`.
HRESULT Refuse(HRESULT hr, const std::string& message);

// Runs `body` (which returns an HRESULT) with every exception turned into a result: the
// engine's errors into its code and message, bad_alloc into E_OUTOFMEMORY, anything else
// into E_FAIL.
HRESULT RunCaught(HRESULT (*body)(void*), void* context);

// Stores the failure `hr` (or clears the error on success) in the handle.
void RecordResult(linnet_barcode& barcode, HRESULT hr);

// The guard for calls on a handle: NULL gives E_POINTER; otherwise the body runs caught and
// its result is recorded in the handle.
template <class Body>
linnet_result Guarded(linnet_barcode* barcode, Body&& body) {
  if (barcode == nullptr) {
    return E_POINTER;
  }
  auto run = [&] { return body(*barcode); };
  const HRESULT hr = RunCaught([](void* context) { return (*static_cast<decltype(run)*>(context))(); }, &run);
  RecordResult(*barcode, hr);
  return hr;
}

// The guard for calls without a handle.
template <class Body>
linnet_result Guarded(Body&& body) {
  using Callable = std::remove_reference_t<Body>;
  return RunCaught([](void* context) { return (*static_cast<Callable*>(context))(); }, &body);
}

}  // namespace linnet::capi
