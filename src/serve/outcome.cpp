#include "serve/outcome.h"

#include <array>

#include "control/error_info.h"
#include "host/result_text.h"
#include "platform/codepage.h"
#include "platform/com/error_object.h"

namespace linnet::serve {

namespace {

// Export's own numbers for a label it cannot hold: the bitmap budget and a recording beyond
// what a memory stream takes.
constexpr int kBitmapBudgetExceeded = 6122;
constexpr int kRecordingFailed = 6107;

struct KindRow {
  OutcomeKind kind;
  int status;
  const char* name;
};

constexpr std::array kKinds = {
    KindRow{OutcomeKind::Ok, 200, "ok"},
    KindRow{OutcomeKind::BadRequest, 400, "bad_request"},
    KindRow{OutcomeKind::UnknownProperty, 400, "unknown_property"},
    KindRow{OutcomeKind::Refused, 400, "refused"},
    KindRow{OutcomeKind::EncodingError, 422, "encoding_error"},
    KindRow{OutcomeKind::TooLarge, 413, "too_large"},
    KindRow{OutcomeKind::NotImplemented, 501, "not_implemented"},
    KindRow{OutcomeKind::Busy, 503, "busy"},
    KindRow{OutcomeKind::Internal, 500, "internal"},
};

const KindRow& RowOf(OutcomeKind kind) {
  for (const auto& row : kKinds) {
    if (row.kind == kind) {
      return row;
    }
  }
  return kKinds.back();
}

std::string ErrorObjectText() {
  const auto error = ThreadErrorObject();
  return error ? WideToUtf8(error->description) : std::string();
}

}  // namespace

int HttpStatus(OutcomeKind kind) {
  return RowOf(kind).status;
}

const char* OutcomeName(OutcomeKind kind) {
  return RowOf(kind).name;
}

nlohmann::json ErrorBody(const Outcome& outcome) {
  nlohmann::json body{{"error", outcome.error}, {"message", outcome.message}};
  if (!outcome.property.empty()) {
    body["property"] = outcome.property;
  }
  return body;
}

Outcome FromSettings(const host::SettingsOutcome& settings) {
  using Status = host::SettingsOutcome::Status;
  Outcome o;
  switch (settings.status) {
    case Status::Ok:
      return o;
    case Status::UnknownProperty:
      o.kind = OutcomeKind::UnknownProperty;
      o.message = "no settable property named '" + settings.failed->name + "'";
      o.property = settings.failed->name;
      return o;
    case Status::Unreadable:  // settings from a request never name files
    case Status::BadValue:
      o.kind = OutcomeKind::Refused;
      o.message = settings.reason;
      break;
    case Status::Refused: {
      o.kind = OutcomeKind::Refused;
      const std::int32_t number = ControlErrorNumber(settings.hr);
      o.error = number < 0 ? 0 : number;
      o.message = number >= 0 && !settings.description.empty()
                      ? settings.description
                      : host::ControlErrorText(settings.hr, settings.description);
      break;
    }
  }
  o.property = settings.member != nullptr ? settings.member->name : settings.failed->name;
  return o;
}

Outcome FromFailure(HRESULT hr) {
  Outcome o;
  const std::int32_t number = ControlErrorNumber(hr);
  const std::string description = ErrorObjectText();
  o.error = number < 0 ? 0 : number;
  o.message = number >= 0 && !description.empty() ? description : host::ControlErrorText(hr, description);
  if (number == kBitmapBudgetExceeded || number == kRecordingFailed || hr == E_OUTOFMEMORY) {
    o.kind = OutcomeKind::TooLarge;
  } else if (hr == E_NOTIMPL) {
    o.kind = OutcomeKind::NotImplemented;
  } else {
    o.kind = OutcomeKind::Internal;
  }
  return o;
}

}  // namespace linnet::serve
