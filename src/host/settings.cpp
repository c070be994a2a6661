#include "host/settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "control/dispatch.h"
#include "control/error_info.h"
#include "host/property_text.h"
#include "platform/codepage.h"
#include "platform/com/error_object.h"

namespace linnet::host {

namespace {

bool ReadDescriptor(int fd, std::string& bytes, std::string& reason) {
  struct stat st {};
  if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    reason = std::strerror(EISDIR);
    return false;
  }
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n == 0) {
      return true;
    }
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      reason = std::strerror(errno);
      return false;
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
}

bool IsSymbology(const Setting& s) {
  const AutomationMember* member = FindAutomationMember(s.name, true);
  return member != nullptr && member->kind == ValueKind::Symbology;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason) {
  bytes.clear();
  if (path == "-") {
    return ReadDescriptor(STDIN_FILENO, bytes, reason);
  }
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    reason = std::strerror(errno);
    return false;
  }
  const bool ok = ReadDescriptor(fd, bytes, reason);
  close(fd);
  return ok;
}

HRESULT ApplySetting(CQlnBarcode& control, const AutomationMember& member, const Variant& value) {
  // Named members go through the automation dispatch, extension members through the function
  // table, as a host reaches them.
  return member.extension ? PutAutomationProperty(control, member, value) : InvokePut(control, member, value);
}

SettingsOutcome ApplySettings(CQlnBarcode& control, const std::vector<Setting>& settings) {
  std::vector<const Setting*> order;
  for (const auto& s : settings) {
    order.push_back(&s);
  }
  std::stable_partition(order.begin(), order.end(), [](const Setting* s) { return IsSymbology(*s); });

  SettingsOutcome outcome;
  for (const Setting* s : order) {
    outcome.failed = s;
    outcome.member = FindAutomationMember(s->name, true);
    if (outcome.member == nullptr || outcome.member->put == nullptr) {
      outcome.member = nullptr;
      outcome.status = SettingsOutcome::Status::UnknownProperty;
      return outcome;
    }
    outcome.value = s->value;
    if (s->source == Setting::Source::File && !ReadWholeFile(s->value, outcome.value, outcome.reason)) {
      outcome.status = SettingsOutcome::Status::Unreadable;
      return outcome;
    }
    Variant value;
    if (!ParseValue(*outcome.member, outcome.value, value, outcome.reason)) {
      outcome.status = SettingsOutcome::Status::BadValue;
      return outcome;
    }
    ClearThreadErrorObject();
    outcome.hr = ApplySetting(control, *outcome.member, value);
    if (Failed(outcome.hr)) {
      const auto error = ThreadErrorObject();
      outcome.description = error ? WideToUtf8(error->description) : std::string();
      outcome.status = SettingsOutcome::Status::Refused;
      return outcome;
    }
    outcome.applied.push_back({outcome.member, outcome.value});
    // Setting Symbology or Measurement to the value it has is no news.
    const ValueKind kind = outcome.member->kind;
    if (outcome.hr == S_FALSE && kind != ValueKind::Symbology && kind != ValueKind::Measurement) {
      outcome.ineffective.push_back(outcome.member);
    }
  }
  SettingsOutcome done;
  done.ineffective = std::move(outcome.ineffective);
  done.applied = std::move(outcome.applied);
  return done;
}

}  // namespace linnet::host
