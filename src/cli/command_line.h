#pragma once
// The `linnet` command line: the command, the property settings in the order given, and
// the output options.
#include <optional>
#include <string>
#include <vector>

namespace linnet::cli {

enum class Command { Encode, Export, Save, Show, List, Help, Version };

// One step of the settings: a property's value, a property's value read from a file, or a
// whole property file loaded (`name` empty, `xml` for the XML form).
struct Setting {
  enum class Source { Value, File, PropertyFile } source = Source::Value;
  std::string name;   // property name
  std::string value;  // the value, or the file to read it from ("-" = standard input)
  bool xml = false;
};

struct CommandLine {
  Command command = Command::Help;
  std::vector<Setting> settings;
  std::optional<std::string> output;  // -o
  std::optional<std::string> format;  // --format
  bool xml = false;                   // save: --xml not directly after a --load FILE
};

// Parses argv (without the program name). Returns nothing and sets `error` on a usage error.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args, std::string& error);

extern const char* const kUsage;

}  // namespace linnet::cli
