#pragma once
// The commands of `linnet`, one row each: the word, what the help says, which options and
// operands the command takes, whether it works on a control, and the function that runs it.
// A new command (save, batch, serve) is one more row and one function.
#include <cstddef>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "cli/warnings.h"

namespace linnet {
class CQlnBarcode;
}

namespace linnet::cli {

// What a command works with. `control` is null for commands that need none.
struct Session {
  const CommandLine& line;
  CQlnBarcode* control;
  std::ostream& out;
  std::ostream& err;
  Warnings& warnings;
  std::optional<std::string> message;  // the Message text given, UTF-8, once applied
};

struct CommandSpec {
  const char* name;
  const char* synopsis;  // after "linnet NAME "
  const char* summary;   // one line
  const char* details;   // more paragraphs for `linnet NAME --help`, or ""
  unsigned options;      // Bit(Option) of every option it takes
  std::size_t minOperands;
  std::size_t maxOperands;
  const char* operandName;  // for the usage error when operands are missing
  bool usesControl;
  bool listed;  // shown in the command list of `linnet --help`
  int (*run)(Session&);
};

std::span<const CommandSpec> Commands();
const CommandSpec* FindCommand(std::string_view name);

// The commands' functions (commands.cpp, help_text.cpp, completion.cpp).
int RunEncode(Session& session);
int RunExport(Session& session);
int RunShow(Session& session);
int RunSave(Session& session);
int RunList(Session& session);
int RunHelp(Session& session);
int RunVersion(Session& session);
int RunCompletion(Session& session);
int RunBatch(Session& session);  // batch.cpp
int RunServe(Session& session);

// The names --format takes (commands.cpp).
std::vector<std::string> ExportFormatNames();

// Encodes the control's symbol into `out` (encode's output); reports an encoding failure on
// `err` and returns the exit status (commands.cpp).
int EncodeInto(const CQlnBarcode& control, std::ostream& out, std::ostream& err);

}  // namespace linnet::cli
