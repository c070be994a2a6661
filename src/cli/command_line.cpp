#include "cli/command_line.h"

#include <array>

#include "cli/command_table.h"

namespace linnet::cli {

namespace {

constexpr std::array kOptions = {
    OptionSpec{Option::Load, "load", '\0', "FILE", "load a property file first, before every setting"},
    OptionSpec{Option::Xml, "xml", '\0', nullptr,
               "right after --load FILE: that file is XML; save: write the XML form"},
    OptionSpec{Option::Set, "set", '\0', "NAME=VALUE", "set a property by its automation name (case-insensitive)"},
    OptionSpec{Option::Symbology, "symbology", 'b', "VALUE", "the same as --set Symbology=VALUE"},
    OptionSpec{Option::Message, "message", 'd', "TEXT", "the same as --set Message=TEXT"},
    OptionSpec{Option::Input, "input", 'i', "FILE", "read the message from FILE (UTF-8); - reads standard input"},
    OptionSpec{Option::Output, "output", 'o', "FILE", "the image or property file; - writes it to standard output"},
    OptionSpec{Option::Format, "format", '\0', "FORMAT",
               "png, jpg, gif, tif, bmp, emf, wmf or svg (default: the file's extension, else png)"},
    OptionSpec{Option::Quiet, "quiet", 'q', nullptr, "no warnings or notes on standard error"},
    OptionSpec{Option::Strict, "strict", '\0', nullptr, "a warning fails the command with exit status 3"},
    OptionSpec{Option::Help, "help", 'h', nullptr, "this command's help"},
    OptionSpec{Option::Verify, "verify", '\0', nullptr, "decode the written symbol with a reader and compare"},
    OptionSpec{Option::Jobs, "jobs", 'j', "N", "batch: N worker threads (default: the number of cores)"},
    OptionSpec{Option::Shard, "shard", '\0', "K/N", "batch: only the rows with (row - 1) mod N = K - 1"},
    OptionSpec{Option::ShardFromEnv, "shard-from-env", '\0', nullptr,
               "batch: K/N from JOB_COMPLETION_INDEX and LINNET_SHARD_COUNT, or from SLURM_ARRAY_TASK_ID and "
               "SLURM_ARRAY_TASK_COUNT"},
    OptionSpec{Option::Report, "report", '\0', "FILE", "batch: write the outcome of every row as CSV"},
    OptionSpec{Option::Force, "force", '\0', nullptr, "batch: replace existing files"},
    OptionSpec{Option::FailFast, "fail-fast", '\0', nullptr, "batch: stop at the first failed row"},
    OptionSpec{Option::InputFormat, "input-format", '\0', "FORMAT", "batch: csv or jsonl (default: by extension)"},
    OptionSpec{Option::Listen, "listen", '\0', "ADDR:PORT", "serve: the address to listen on (127.0.0.1:8080)"},
    OptionSpec{Option::Threads, "threads", '\0', "N", "serve: the number of workers"},
    OptionSpec{Option::Cors, "cors", '\0', "ORIGIN", "serve: allow this origin to call the API from a browser"},
};

const OptionSpec* LongOption(std::string_view name) {
  for (const auto& o : kOptions) {
    if (name == o.longName) {
      return &o;
    }
  }
  return nullptr;
}

const OptionSpec* ShortOption(char name) {
  for (const auto& o : kOptions) {
    if (o.shortName != '\0' && name == o.shortName) {
      return &o;
    }
  }
  return nullptr;
}

std::string Spelling(const OptionSpec& o, bool asLong) {
  return asLong ? std::string("--") + o.longName : std::string("-") + o.shortName;
}

// Records one option with its value; false (with `error`) when it cannot stand.
bool Take(CommandLine& line, const OptionSpec& o, const std::string& value, std::string& error) {
  using Source = host::Setting::Source;
  switch (o.option) {
    case Option::Set: {
      const auto eq = value.find('=');
      if (eq == std::string::npos || eq == 0) {
        error = "--set needs NAME=VALUE, not '" + value + "'";
        return false;
      }
      line.settings.push_back({Source::Value, value.substr(0, eq), value.substr(eq + 1)});
      return true;
    }
    case Option::Symbology:
      line.settings.push_back({Source::Value, "Symbology", value});
      return true;
    case Option::Message:
      line.settings.push_back({Source::Value, "Message", value});
      return true;
    case Option::Input:
      line.settings.push_back({Source::File, "Message", value});
      return true;
    case Option::Output:
      line.output = value;
      return true;
    case Option::Format:
      line.format = value;
      return true;
    case Option::Load:
      line.loads.push_back({value, false});
      return true;
    case Option::Xml:
      line.xml = true;  // ParseCommandLine gives it to the --load right before it
      return true;
    case Option::Quiet:
      line.quiet = true;
      return true;
    case Option::Strict:
      line.strict = true;
      return true;
    case Option::Help:
      line.help = true;
      return true;
    case Option::Verify:
      line.verify = true;
      return true;
    case Option::Jobs:
      line.batch.jobs = value;
      return true;
    case Option::Shard:
      line.batch.shard = value;
      return true;
    case Option::ShardFromEnv:
      line.batch.shardFromEnv = true;
      return true;
    case Option::Report:
      line.batch.report = value;
      return true;
    case Option::Force:
      line.batch.force = true;
      return true;
    case Option::FailFast:
      line.batch.failFast = true;
      return true;
    case Option::InputFormat:
      line.batch.inputFormat = value;
      return true;
    case Option::Listen:
      line.listen = value;
      return true;
    case Option::Threads:
      line.threads = value;
      return true;
    case Option::Cors:
      line.cors = value;
      return true;
  }
  return true;
}

}  // namespace

std::span<const OptionSpec> Options() {
  return kOptions;
}

const OptionSpec& SpecOf(Option option) {
  for (const auto& o : kOptions) {
    if (o.option == option) {
      return o;
    }
  }
  return kOptions.front();
}

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args, std::string& error) {
  if (args.empty()) {
    error = "no command given";
    return std::nullopt;
  }
  const std::string& word = args[0];
  const CommandSpec* command = FindCommand(word == "--help" || word == "-h" ? "help"
                                           : word == "--version"            ? "version"
                                                                            : word);
  if (command == nullptr) {
    error = (word.starts_with("-") ? "an option before the command: '" : "unknown command '") + word + "'";
    return std::nullopt;
  }
  CommandLine line;
  line.command = command->name;
  bool optionsEnded = false;
  bool afterLoad = false;  // the previous argument ended a --load FILE
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (optionsEnded || a.size() < 2 || a[0] != '-') {
      if (line.operands.size() >= command->maxOperands) {
        error = "unexpected argument '" + a + "' for " + command->name;
        return std::nullopt;
      }
      line.operands.push_back(a);
      continue;
    }
    if (a == "--") {
      optionsEnded = true;
      continue;
    }
    const bool isLong = a[1] == '-';
    const auto eq = isLong ? a.find('=') : std::string::npos;
    const OptionSpec* o =
        isLong ? LongOption(std::string_view(a).substr(2, eq == std::string::npos ? eq : eq - 2)) : ShortOption(a[1]);
    if (o == nullptr || (!isLong && o->valueName == nullptr && a.size() > 2)) {
      error = "unknown option '" + (isLong ? a.substr(0, eq) : a) + "'";
      return std::nullopt;
    }
    const std::string spelled = Spelling(*o, isLong);
    if ((command->options & Bit(o->option)) == 0) {
      error = std::string(command->name) + " does not take " + spelled;
      return std::nullopt;
    }
    std::string value;
    if (o->valueName == nullptr) {
      if (eq != std::string::npos) {
        error = "option " + spelled + " takes no value";
        return std::nullopt;
      }
    } else if (eq != std::string::npos) {
      value = a.substr(eq + 1);
    } else if (!isLong && a.size() > 2) {
      value = a.substr(2);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      error = "option " + spelled + " needs a value (" + o->valueName + ")";
      return std::nullopt;
    }
    if (o->option == Option::Xml && afterLoad) {
      line.loads.back().xml = true;
      afterLoad = false;
      continue;
    }
    if (!Take(line, *o, value, error)) {
      return std::nullopt;
    }
    afterLoad = o->option == Option::Load;
  }
  if (line.help) {
    return line;
  }
  if (line.xml && line.command != "save") {
    if (line.loads.empty()) {
      error = "--xml belongs to --load FILE or to save";
      return std::nullopt;
    }
    for (auto& load : line.loads) {
      load.xml = true;
    }
  }
  if (line.operands.size() < command->minOperands) {
    error = std::string(command->name) + " needs " + command->operandName;
    return std::nullopt;
  }
  if ((command->options & Bit(Option::Output)) != 0 && !line.output) {
    error = std::string(command->name) + " needs -o FILE";
    return std::nullopt;
  }
  return line;
}

}  // namespace linnet::cli
