// The help of `linnet`, made from the command and option tables.
#include <iomanip>
#include <sstream>

#include "cli/command_table.h"
#include "cli/exit_status.h"
#include "control/version_line.h"

namespace linnet::cli {

namespace {

constexpr const char* kValueNotes =
    "Settings apply in the order given, except that Symbology (by -b or --set) applies before\n"
    "every other setting, since choosing a symbology installs its sample message; --load files\n"
    "apply before both. Property names are the automation names, ignoring case, the extension\n"
    "properties (PDF417ModuleWidth, MaxicodeMode, ...) too.\n"
    "Values: enumerators by number, by name (qlxCode128) or by short name (code128, ean13,\n"
    "upc-a, datamatrix, gs1-128, itf, isbn; see linnet list), ignoring case, the qlx prefix, '_',\n"
    "'-' and spaces; Rotation also by its angle in degrees (0, 90, 180, 270); booleans\n"
    "true/false/-1/0; colours as numbers or 0xBBGGRR; fonts as\n"
    "Name[,points][,bold][,italic][,underline][,strikethrough].\n";

constexpr const char* kExitNotes =
    "Exit status: 0 success; 1 usage error; 2 a property value refused (error NNNN: message);\n"
    "3 the symbol cannot be encoded (export still writes the label, with the error text in\n"
    "place of the symbol), or a warning under --strict; 4 a file or standard output could not\n"
    "be read or written.\n";

std::string OptionColumn(const OptionSpec& o) {
  std::string column = o.shortName != '\0' ? std::string("-") + o.shortName + ", " : "    ";
  column += std::string("--") + o.longName;
  if (o.valueName != nullptr) {
    column += std::string(" ") + o.valueName;
  }
  return column;
}

void PrintOptions(unsigned options, std::ostream& out) {
  for (const auto& o : Options()) {
    if ((options & Bit(o.option)) != 0) {
      out << "  " << std::left << std::setw(26) << OptionColumn(o) << ' ' << o.help << '\n';
    }
  }
}

void PrintGeneralHelp(std::ostream& out) {
  out << "Usage:\n";
  unsigned allOptions = 0;
  for (const auto& c : Commands()) {
    allOptions |= c.options;
    if (c.listed) {
      const std::string usage = "linnet " + std::string(c.name) + " " + c.synopsis;
      // A long usage puts its summary on the next line, in the same column.
      out << "  " << std::left << std::setw(40) << usage << (usage.size() > 40 ? "\n" + std::string(43, ' ') : " ")
          << c.summary << '\n';
    }
  }
  out << "  linnet COMMAND --help                    a command's options\n"
         "  linnet --help | --version\n\nOPTIONS:\n";
  PrintOptions(allOptions, out);
  out << '\n' << kValueNotes << '\n' << kExitNotes;
}

void PrintCommandHelp(const CommandSpec& c, std::ostream& out) {
  out << "Usage: linnet " << c.name << (*c.synopsis != '\0' ? " " : "") << c.synopsis << "\n  " << c.summary << "\n";
  if (*c.details != '\0') {
    out << '\n' << c.details;
  }
  if ((c.options & ~Bit(Option::Help)) != 0) {
    out << "\nOPTIONS:\n";
    PrintOptions(c.options, out);
    out << '\n' << kValueNotes;
  }
}

}  // namespace

int RunHelp(Session& s) {
  const CommandSpec* target = FindCommand(s.line.command);
  if (target != nullptr && std::string_view(target->name) == "help") {
    target = s.line.operands.empty() ? nullptr : FindCommand(s.line.operands[0]);
    if (target == nullptr && !s.line.operands.empty()) {
      s.err << "linnet: unknown command '" << s.line.operands[0] << "'. Try 'linnet --help'.\n";
      return kExitUsage;
    }
  }
  if (target == nullptr || std::string_view(target->name) == "help") {
    PrintGeneralHelp(s.out);
  } else {
    PrintCommandHelp(*target, s.out);
  }
  return kExitOk;
}

int RunVersion(Session& s) {
  s.out << "linnet " << VersionLine() << '\n';
  return kExitOk;
}

}  // namespace linnet::cli
