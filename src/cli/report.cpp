#include "cli/report.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "cli/exit_status.h"
#include "cli/warnings.h"
#include "control/automation.h"
#include "host/result_text.h"
#include "platform/codepage.h"
#include "platform/com/error_object.h"
#include "platform/files/file_replace.h"

namespace linnet::cli {

namespace {

constexpr std::size_t kShownValueLimit = 40;

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string ShownValue(const std::string& value) {
  std::string shown;
  for (const char c : value.substr(0, kShownValueLimit)) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) {
      static const char* const kHex = "0123456789ABCDEF";
      shown += c == '\n' ? std::string("\\n") : std::string("\\x") + kHex[u >> 4] + kHex[u & 15];
    } else {
      shown.push_back(c);
    }
  }
  if (value.size() > kShownValueLimit) {
    shown += "...";
  }
  return shown;
}

void ReportError(HRESULT hr, const std::string& context, std::ostream& err) {
  const auto error = ThreadErrorObject();
  const std::string description = error ? WideToUtf8(error->description) : std::string();
  const std::string text = host::ControlErrorText(hr, description);
  err << "linnet: " << (context.empty() ? text : context + " (" + text + ")") << '\n';
}

int ReportSettingsOutcome(const host::SettingsOutcome& outcome, std::ostream& err, Warnings& warnings) {
  using Status = host::SettingsOutcome::Status;
  for (const AutomationMember* member : outcome.ineffective) {
    warnings.Note(std::string(member->name) +
                  " did not take effect (refused, unchanged, or not used by the current symbology)");
  }
  const host::Setting* s = outcome.failed;
  switch (outcome.status) {
    case Status::Ok:
      return kExitOk;
    case Status::UnknownProperty:
      err << "linnet: no settable property named '" << s->name << "' (see linnet show)\n";
      return kExitUsage;
    case Status::Unreadable:
      err << "linnet: cannot read " << s->value << ": " << outcome.reason << '\n';
      return kExitFile;
    case Status::BadValue:
      err << "linnet: " << outcome.member->name << ": " << outcome.reason << '\n';
      return kExitRefused;
    case Status::Refused:
      break;
  }
  const std::string name = outcome.member->name;
  if (outcome.hr == DISP_E_TYPEMISMATCH || outcome.hr == DISP_E_OVERFLOW) {
    err << "linnet: " << name << ": '" << ShownValue(outcome.value) << "' is not a value of this property\n";
  } else {
    err << "linnet: " << name << '=' << ShownValue(outcome.value)
        << " refused: " << host::ControlErrorText(outcome.hr, outcome.description) << '\n';
  }
  return kExitRefused;
}

std::string WriteFailureReason(const std::string& path, int savedErrno) {
  const files::FileAttributes a = files::Inspect(path);
  if (a.directory) {
    return std::strerror(EISDIR);
  }
  if (a.system) {
    return "not a plain file";
  }
  if (a.readOnly) {
    return std::strerror(EACCES);
  }
  if (a.hidden) {
    return "a hidden file is not replaced";
  }
  if (a.exists && savedErrno == 0) {
    return "an existing file is replaced only when it is named like an image";
  }
  const std::string folder = FolderOf(path);
  struct stat st {};
  if (stat(folder.c_str(), &st) != 0) {
    return std::strerror(errno);
  }
  if (!S_ISDIR(st.st_mode)) {
    return std::strerror(ENOTDIR);
  }
  if (access(folder.c_str(), W_OK | X_OK) != 0) {
    return std::strerror(errno);
  }
  return savedErrno != 0 ? std::strerror(savedErrno) : "unknown reason";
}

}  // namespace linnet::cli
