#include "cli/command_table.h"

#include <array>

namespace linnet::cli {

namespace {

constexpr unsigned kSettingOptions = Bit(Option::Load) | Bit(Option::Xml) | Bit(Option::Set) | Bit(Option::Symbology) |
                                     Bit(Option::Message) | Bit(Option::Input) | Bit(Option::Quiet) |
                                     Bit(Option::Strict) | Bit(Option::Help);

constexpr std::array kCommands = {
    CommandSpec{"encode", "[OPTIONS]", "print the encoded symbol",
                "For linear, postal and DataBar symbologies line 1 is the pattern string and line 2\n"
                "the human-readable text; for PDF417, DataMatrix and MaxiCode one line of '0'/'1'\n"
                "per module row, top row first.\n",
                kSettingOptions, 0, 0, "", true, true, RunEncode},
    CommandSpec{"export", "[OPTIONS] -o FILE [--format FORMAT]", "draw the label into an image file",
                "Without --format the format follows the file's extension (png, jpg, jpeg, gif, tif,\n"
                "tiff, bmp, emf, wmf, svg), else PNG. EMF, WMF and SVG keep the real colours; the\n"
                "raster formats are two-colour. A symbol that cannot be encoded still gives a label,\n"
                "with the error text in place of the symbol, and exit status 3.\n",
                kSettingOptions | Bit(Option::Output) | Bit(Option::Format) | Bit(Option::Verify), 0, 0, "", true, true,
                RunExport},
    CommandSpec{"batch", "[OPTIONS] INPUT -o TEMPLATE", "one label per row of a CSV or JSON Lines file",
                "INPUT (- for standard input) is CSV with a header row of property names, or JSON\n"
                "Lines with property names as keys. Each row sets its properties on top of the\n"
                "OPTIONS and writes one file named by TEMPLATE: {row} is the row number ({row:06}\n"
                "zero-padded), {NAME} the row's value of column NAME made safe for a file name.\n"
                "A column named in TEMPLATE that is no property only names the file. Exit status 0\n"
                "when every row succeeded, 3 when some failed (each named on standard error or in\n"
                "--report FILE), 1 for a usage error.\n",
                (kSettingOptions & ~Bit(Option::Strict) & ~Bit(Option::Input)) | Bit(Option::Output) |
                    Bit(Option::Format) | Bit(Option::Verify) | Bit(Option::Jobs) | Bit(Option::Shard) |
                    Bit(Option::ShardFromEnv) | Bit(Option::Report) | Bit(Option::Force) | Bit(Option::FailFast) |
                    Bit(Option::InputFormat),
                1, 1, "an INPUT file (- for standard input)", false, true, RunBatch},
    CommandSpec{"save", "[OPTIONS] -o FILE [--xml]", "write a property file (binary compound file or XML)",
                "The design as a binary compound file, or with --xml as an XML property file;\n"
                "-o - writes it to standard output. An existing file is replaced only when it is\n"
                "named .lnx, .lnx3, .qlx or .xml (or has no extension), and only once the whole\n"
                "file is written. Read it back with --load FILE (--load FILE --xml for XML).\n",
                kSettingOptions | Bit(Option::Output), 0, 0, "", true, true, RunSave},
    CommandSpec{"show", "[OPTIONS]", "print every property with its value",
                "One Name=value line per property; text escapes a backslash as \\\\ and a line break\n"
                "as \\n.\n",
                kSettingOptions, 0, 0, "", true, true, RunShow},
    CommandSpec{"list", "", "symbologies and enumerators with their numbers and names",
                "Each enumerator with its number, its name and the short names it also answers to.\n",
                Bit(Option::Help), 0, 0, "", false, true, RunList},
    CommandSpec{"completion", "bash", "print a bash completion script",
                "Load it with: source <(linnet completion bash)\n", Bit(Option::Help), 1, 1, "a shell name (bash)",
                false, true, RunCompletion},
    CommandSpec{"serve", "[--listen ADDR:PORT] [--threads N] [--cors ORIGIN]",
                "an HTTP rendering service and a label designer at /",
                "Renders labels over HTTP: GET or POST /v1/render.FORMAT with the properties in the\n"
                "query or as a JSON object, GET /v1/properties, POST /v1/design, /healthz and\n"
                "/metrics. Listens on 127.0.0.1:8080 unless told otherwise; see the README.\n",
                Bit(Option::Listen) | Bit(Option::Threads) | Bit(Option::Cors) | Bit(Option::Help), 0, 0, "", false,
                true, RunServe},
    CommandSpec{"help", "[COMMAND]", "this help, or a command's", "", 0, 0, 1, "", false, false, RunHelp},
    CommandSpec{"version", "", "the control's version line", "", Bit(Option::Help), 0, 0, "", false, false, RunVersion},
};

}  // namespace

std::span<const CommandSpec> Commands() {
  return kCommands;
}

const CommandSpec* FindCommand(std::string_view name) {
  for (const auto& c : kCommands) {
    if (name == c.name) {
      return &c;
    }
  }
  return nullptr;
}

}  // namespace linnet::cli
