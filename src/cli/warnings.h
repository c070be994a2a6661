#pragma once
// Warnings and notes on standard error. They leave the result alone: `--quiet` silences both,
// `--strict` turns a warning (not a note) into exit status 3 for a command that otherwise
// succeeded.
#include <ostream>
#include <string>

namespace linnet::cli {

class Warnings {
 public:
  Warnings(std::ostream& err, bool quiet, bool strict) : err_(err), quiet_(quiet), strict_(strict) {}

  // "linnet: warning: TEXT"
  void Warn(const std::string& text);
  // "linnet: note: TEXT"
  void Note(const std::string& text);

  // The exit status after the warnings given so far.
  [[nodiscard]] int Status(int status) const;

 private:
  std::ostream& err_;
  bool quiet_;
  bool strict_;
  bool warned_ = false;
};

}  // namespace linnet::cli
