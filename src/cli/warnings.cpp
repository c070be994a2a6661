#include "cli/warnings.h"

#include "cli/exit_status.h"

namespace linnet::cli {

void Warnings::Warn(const std::string& text) {
  warned_ = true;
  if (!quiet_) {
    err_ << "linnet: warning: " << text << '\n';
  }
}

void Warnings::Note(const std::string& text) {
  if (!quiet_) {
    err_ << "linnet: note: " << text << '\n';
  }
}

int Warnings::Status(int status) const {
  return strict_ && warned_ && status == kExitOk ? kExitCannotEncode : status;
}

}  // namespace linnet::cli
