#include "cli/command_line.h"

namespace linnet::cli {

const char* const kUsage =
    "Usage:\n"
    "  linnet encode [OPTIONS]                  print the encoded symbol\n"
    "  linnet export [OPTIONS] -o FILE [--format png|jpg|gif|tif|bmp|emf|wmf]\n"
    "                                           draw the label into an image file\n"
    "  linnet save   [OPTIONS] -o FILE [--xml]  write a property file (binary compound file or XML)\n"
    "  linnet show   [OPTIONS]                  print every property with its value\n"
    "  linnet list                              symbologies and enumerators with their numbers\n"
    "  linnet --help | --version\n"
    "\n"
    "OPTIONS (applied in the order given):\n"
    "  --load FILE [--xml]  load a property file (binary, or XML with --xml right after it);\n"
    "                     --load - reads standard input\n"
    "  --set NAME=VALUE   set a property by its automation name, case-insensitive; the\n"
    "                     extension properties (PDF417ModuleWidth, MaxicodeMode, ...) too.\n"
    "                     Enumerators by number or by name (qlxCode128); booleans\n"
    "                     true/false/-1/0; colours as numbers or 0xBBGGRR; fonts as\n"
    "                     Name[,points][,bold][,italic][,underline][,strikethrough]\n"
    "  -b VALUE           the same as --set Symbology=VALUE\n"
    "  -d TEXT            the same as --set Message=TEXT\n"
    "  -i FILE            read the message from FILE (UTF-8); -i - reads standard input\n"
    "  -o FILE            export: the image file; save: the property file; -o - writes to\n"
    "                     standard output\n"
    "  --xml              save: write the XML form instead of the binary one\n"
    "  --format FORMAT    export: png, jpg, gif, tif or bmp (emf and wmf are not available\n"
    "                     yet); without it the format follows the file's extension, else PNG\n"
    "\n"
    "encode prints, for linear, postal and DataBar symbologies, the pattern string on line 1\n"
    "and the human-readable text on line 2; for PDF417, DataMatrix and MaxiCode one line of\n"
    "'0'/'1' per module row, top row first.\n"
    "\n"
    "Exit status: 0 success; 1 usage error; 2 a property value refused (error NNNN: message);\n"
    "3 the symbol cannot be encoded (export still writes the label, with the error text in\n"
    "place of the symbol); 4 a file could not be read or written.\n";

namespace {

std::optional<Command> CommandNamed(const std::string& word) {
  if (word == "encode") {
    return Command::Encode;
  }
  if (word == "export") {
    return Command::Export;
  }
  if (word == "save") {
    return Command::Save;
  }
  if (word == "show") {
    return Command::Show;
  }
  if (word == "list") {
    return Command::List;
  }
  if (word == "--help" || word == "-h" || word == "help") {
    return Command::Help;
  }
  if (word == "--version") {
    return Command::Version;
  }
  return std::nullopt;
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args, std::string& error) {
  if (args.empty()) {
    error = "no command given";
    return std::nullopt;
  }
  CommandLine line;
  const auto command = CommandNamed(args[0]);
  if (!command) {
    error = "unknown command '" + args[0] + "'";
    return std::nullopt;
  }
  line.command = *command;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--help" || a == "-h") {
      line.command = Command::Help;
      return line;
    }
    if (a == "--xml") {
      // Right after --load FILE it names that file's form; anywhere else the saved file's.
      const bool afterLoad = i >= 3 && args[i - 2] == "--load" && !line.settings.empty() &&
                             line.settings.back().source == Setting::Source::PropertyFile;
      (afterLoad ? line.settings.back().xml : line.xml) = true;
      continue;
    }
    if (a != "--set" && a != "-b" && a != "-d" && a != "-i" && a != "-o" && a != "--format" && a != "--load") {
      error = "unknown option '" + a + "'";
      return std::nullopt;
    }
    if (!hasValue) {
      error = "option " + a + " needs a value";
      return std::nullopt;
    }
    const std::string& value = args[++i];
    if (a == "--set") {
      const auto eq = value.find('=');
      if (eq == std::string::npos || eq == 0) {
        error = "--set needs NAME=VALUE, not '" + value + "'";
        return std::nullopt;
      }
      line.settings.push_back({Setting::Source::Value, value.substr(0, eq), value.substr(eq + 1)});
    } else if (a == "-b") {
      line.settings.push_back({Setting::Source::Value, "Symbology", value});
    } else if (a == "-d") {
      line.settings.push_back({Setting::Source::Value, "Message", value});
    } else if (a == "-i") {
      line.settings.push_back({Setting::Source::File, "Message", value});
    } else if (a == "--load") {
      line.settings.push_back({Setting::Source::PropertyFile, "", value, false});
    } else if (a == "-o") {
      line.output = value;
    } else {
      line.format = value;
    }
  }
  if ((line.command == Command::List || line.command == Command::Version) && !line.settings.empty()) {
    error = "this command takes no options";
    return std::nullopt;
  }
  if ((line.command == Command::Export || line.command == Command::Save) && !line.output) {
    error = line.command == Command::Save ? "save needs -o FILE" : "export needs -o FILE";
    return std::nullopt;
  }
  if (line.xml && line.command != Command::Save) {
    error = "--xml belongs to save or to a --load FILE before it";
    return std::nullopt;
  }
  return line;
}

}  // namespace linnet::cli
