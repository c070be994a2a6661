#pragma once
// How `linnet` words a failure on standard error: one line, "linnet: " first, with the
// context the control cannot know (the property and value given, the file and the system's
// reason) beside the control's own number and message (host/result_text.h).
#include <ostream>
#include <string>

#include "host/settings.h"
#include "platform/com/hresult.h"

namespace linnet::cli {

class Warnings;

// Reports the outcome of host::ApplySettings (notes for settings without effect, or the
// failure) and returns the exit status.
int ReportSettingsOutcome(const host::SettingsOutcome& outcome, std::ostream& err, Warnings& warnings);

// "linnet: CONTEXT (error NNNN: message)" from `hr` and the thread's error object, or
// "linnet: error NNNN: message" when `context` is empty.
void ReportError(HRESULT hr, const std::string& context, std::ostream& err);

// Why writing `path` failed: what the file system says about the path and its folder, else
// `savedErrno` (the error number seen right after the failed call), else "unknown reason".
std::string WriteFailureReason(const std::string& path, int savedErrno);

// A value as an error message shows it: control characters escaped, long text cut short.
std::string ShownValue(const std::string& value);

}  // namespace linnet::cli
