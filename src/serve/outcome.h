#pragma once
// What became of a request, one kind per answer the service can give, and the one table that
// turns a kind into an HTTP status. The error body is JSON:
// {"error": 6116, "message": "Invalid value for BarHeight property.", "property": "BarHeight"};
// `error` is the control's error number or the engine's code (0 when there is none) and
// `property` is present only when one property caused it.
#include <nlohmann/json.hpp>
#include <string>

#include "host/settings.h"

namespace linnet::serve {

enum class OutcomeKind {
  Ok,
  BadRequest,       // malformed query, body or route parameter
  UnknownProperty,  // no settable property of that name
  Refused,          // the property refused the value (or no conversion takes it)
  EncodingError,    // the label would show the error text in place of the symbol
  TooLarge,         // the label is beyond the pixel or recording budget
  NotImplemented,   // E_NOTIMPL
  Busy,             // no worker free and the queue full
  Internal,         // anything else
};

struct Outcome {
  OutcomeKind kind = OutcomeKind::Ok;
  int error = 0;
  std::string message;
  std::string property;
};

int HttpStatus(OutcomeKind kind);
// The metric label of a kind ("ok", "bad_request", ...).
const char* OutcomeName(OutcomeKind kind);

nlohmann::json ErrorBody(const Outcome& outcome);

// The outcome of applying settings: Ok, UnknownProperty, or Refused with the control's error
// number and message (a value no conversion takes is a refusal without a number).
Outcome FromSettings(const host::SettingsOutcome& settings);
// The outcome of a failed call of the control (export, save, load) by its result.
Outcome FromFailure(HRESULT hr);

}  // namespace linnet::serve
