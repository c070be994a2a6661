#pragma once
// The `linnet` command line: a command word, then options and operands in any order.
//
// Every option has a long name taking `--name=value` or `--name value`; the common ones also
// a one-letter form taking `-x value` or `-xvalue`. `--` ends the options. The settings keep
// the order given (host::ApplySettings puts Symbology first). A usage error is one line
// naming the problem, returned in `error` without the "linnet: " prefix.
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "host/settings.h"

namespace linnet::cli {

enum class Option {
  Set,
  Symbology,
  Message,
  Input,
  Output,
  Format,
  Load,
  Xml,
  Quiet,
  Strict,
  Help,
  Verify,
  Jobs,
  Shard,
  ShardFromEnv,
  Report,
  Force,
  FailFast,
  InputFormat,
  Listen,
  Threads,
  Cors
};

constexpr unsigned Bit(Option o) {
  return 1U << static_cast<unsigned>(o);
}

struct OptionSpec {
  Option option;
  const char* longName;   // without the dashes
  char shortName;         // '\0' for none
  const char* valueName;  // nullptr for a flag
  const char* help;
};

std::span<const OptionSpec> Options();
const OptionSpec& SpecOf(Option option);

// A --load FILE, with --xml right after it when the file is XML.
struct PropertyFileLoad {
  std::string path;  // "-" = standard input
  bool xml = false;
};

struct CommandLine {
  std::string command;                  // a row of the command table
  std::vector<host::Setting> settings;  // --set, -b, -d, -i in the order given
  std::vector<PropertyFileLoad> loads;  // --load files, applied before the settings
  bool xml = false;                     // --xml elsewhere: save writes XML; other commands read XML
  std::optional<std::string> output;    // -o
  std::optional<std::string> format;    // --format
  bool quiet = false;                   // warnings silenced
  bool strict = false;                  // warnings fail the command (exit 3)
  bool help = false;                    // COMMAND --help
  bool verify = false;                  // --verify: read the written symbol back
  struct Batch {                        // the options of batch, checked by it
    std::optional<std::string> jobs;    // -j N
    std::optional<std::string> shard;   // --shard K/N
    bool shardFromEnv = false;
    std::optional<std::string> report;  // --report FILE
    std::optional<std::string> inputFormat;
    bool force = false;
    bool failFast = false;
  } batch;
  std::optional<std::string> listen;   // serve: --listen ADDR:PORT
  std::optional<std::string> threads;  // serve: --threads N
  std::optional<std::string> cors;     // serve: --cors ORIGIN
  std::vector<std::string> operands;
};

// Parses argv (without the program name). Returns nothing and sets `error` on a usage error.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args, std::string& error);

}  // namespace linnet::cli
