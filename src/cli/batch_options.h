#pragma once
// What `linnet batch` is asked to do, checked once before the first row: the input and its
// row format, the output template and image format, the worker count, the shard, and the
// design every row starts from (the --load files, read once, and the settings of OPTIONS).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/batch_template.h"
#include "cli/command_line.h"
#include "host/row_reader.h"
#include "host/settings.h"
#include "platform/com/hresult.h"
#include "render/image_formats.h"

namespace linnet {
class CQlnBarcode;
}

namespace linnet::cli {

struct LoadedDesign {
  std::string path;  // as given ("-" = standard input)
  std::vector<std::uint8_t> bytes;
  bool xml = false;
};

struct BatchSetup {
  std::string input;  // "-" = standard input
  host::RowFormat format = host::RowFormat::Csv;
  OutputTemplate output;
  const ImageFormatInfo* imageFormat = nullptr;  // --format; nullptr: by each file's extension
  unsigned jobs = 1;
  std::size_t shardIndex = 0;  // K - 1
  std::size_t shardCount = 1;  // N
  std::vector<LoadedDesign> loads;
  std::vector<host::Setting> settings;
  std::optional<std::string> report;
  bool verify = false;
  bool force = false;
  bool failFast = false;

  [[nodiscard]] bool InShard(std::size_t row) const { return (row - 1) % shardCount == shardIndex; }
  // --format, else the file's extension, else PNG.
  [[nodiscard]] const ImageFormatInfo& FormatFor(const std::string& path) const;
};

// Fills `setup` from the command line and the environment (--shard-from-env); on failure the
// exit status (kExitUsage, or kExitFile for a --load file that cannot be read) with `error`.
int PrepareBatch(const CommandLine& line, BatchSetup& setup, std::string& error);

// Loads one design file's bytes into `control`.
HRESULT LoadDesign(CQlnBarcode& control, const LoadedDesign& design);

}  // namespace linnet::cli
