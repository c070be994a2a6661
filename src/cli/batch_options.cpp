#include "cli/batch_options.h"

#include <charconv>
#include <cstdlib>
#include <thread>

#include "cli/exit_status.h"
#include "persist/bounded_read.h"
#include "persist/property_file.h"
#include "persist/save_load.h"
#include "platform/ascii_case.h"
#include "platform/files/file_replace.h"

namespace linnet::cli {

namespace {

constexpr unsigned kMostJobs = 256;

std::optional<std::size_t> Number(std::string_view text) {
  std::size_t n = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) {
    return std::nullopt;
  }
  return n;
}

bool SetShard(BatchSetup& setup, std::optional<std::size_t> index, std::optional<std::size_t> count) {
  if (!index || !count || *count == 0 || *index >= *count) {
    return false;
  }
  setup.shardIndex = *index;
  setup.shardCount = *count;
  return true;
}

const char* Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

// A Kubernetes indexed Job gives the 0-based index (its count is ours to pass on); a Slurm
// array gives the task id, the count and the first id.
bool ShardFromEnvironment(BatchSetup& setup, std::string& error) {
  if (const char* index = Env("JOB_COMPLETION_INDEX")) {
    const char* count = Env("LINNET_SHARD_COUNT");
    if (count == nullptr) {
      error = "--shard-from-env: JOB_COMPLETION_INDEX is set but LINNET_SHARD_COUNT (the Job's completions) is not";
      return false;
    }
    if (!SetShard(setup, Number(index), Number(count))) {
      error = "--shard-from-env: JOB_COMPLETION_INDEX=" + std::string(index) +
              " is no index below LINNET_SHARD_COUNT=" + count;
      return false;
    }
    return true;
  }
  const char* task = Env("SLURM_ARRAY_TASK_ID");
  const char* count = Env("SLURM_ARRAY_TASK_COUNT");
  if (task == nullptr || count == nullptr) {
    error = "--shard-from-env: neither JOB_COMPLETION_INDEX nor SLURM_ARRAY_TASK_ID and SLURM_ARRAY_TASK_COUNT are set";
    return false;
  }
  const char* first = Env("SLURM_ARRAY_TASK_MIN");
  const auto id = Number(task);
  const auto min = first != nullptr ? Number(first) : std::optional<std::size_t>(0);
  if (!id || !min || *id < *min || !SetShard(setup, *id - *min, Number(count))) {
    error =
        "--shard-from-env: SLURM_ARRAY_TASK_ID=" + std::string(task) + " is no task of SLURM_ARRAY_TASK_COUNT=" + count;
    return false;
  }
  return true;
}

}  // namespace

const ImageFormatInfo& BatchSetup::FormatFor(const std::string& path) const {
  if (imageFormat != nullptr) {
    return *imageFormat;
  }
  if (const ImageFormatInfo* named = ImageFormatNamed(files::Extension(path))) {
    return *named;
  }
  return ImageFormatForNumber(5);  // PNG
}

int PrepareBatch(const CommandLine& line, BatchSetup& setup, std::string& error) {
  setup.input = line.operands.at(0);
  setup.settings = line.settings;
  setup.verify = line.verify;
  setup.force = line.batch.force;
  setup.failFast = line.batch.failFast;
  setup.report = line.batch.report;
  if (const auto& f = line.batch.inputFormat) {
    if (SameIgnoringAsciiCase(*f, "csv")) {
      setup.format = host::RowFormat::Csv;
    } else if (SameIgnoringAsciiCase(*f, "jsonl") || SameIgnoringAsciiCase(*f, "ndjson")) {
      setup.format = host::RowFormat::JsonLines;
    } else {
      error = "--input-format is csv or jsonl, not '" + *f + "'";
      return kExitUsage;
    }
  } else {
    const std::string ext = files::Extension(setup.input);
    const bool jsonLines = SameIgnoringAsciiCase(ext, ".jsonl") || SameIgnoringAsciiCase(ext, ".ndjson") ||
                           SameIgnoringAsciiCase(ext, ".json");
    setup.format = jsonLines ? host::RowFormat::JsonLines : host::RowFormat::Csv;
  }
  auto output = OutputTemplate::Parse(*line.output, error);
  if (!output) {
    return kExitUsage;
  }
  if (*line.output == "-") {
    error = "batch writes files: -o takes a file-name template such as labels/{row:06}.png";
    return kExitUsage;
  }
  setup.output = std::move(*output);
  if (line.format) {
    setup.imageFormat = ImageFormatNamed(*line.format);
    if (setup.imageFormat == nullptr) {
      error = "unknown image format '" + *line.format + "'";
      return kExitUsage;
    }
  }
  setup.jobs = std::max(1U, std::thread::hardware_concurrency());
  if (const auto& j = line.batch.jobs) {
    const auto n = Number(*j);
    if (!n || *n == 0 || *n > kMostJobs) {
      error = "-j takes a worker count from 1 to " + std::to_string(kMostJobs) + ", not '" + *j + "'";
      return kExitUsage;
    }
    setup.jobs = static_cast<unsigned>(*n);
  }
  if (line.batch.shard && line.batch.shardFromEnv) {
    error = "--shard and --shard-from-env exclude each other";
    return kExitUsage;
  }
  if (const auto& shard = line.batch.shard) {
    const auto slash = shard->find('/');
    const auto k = slash == std::string::npos ? std::nullopt : Number(std::string_view(*shard).substr(0, slash));
    const auto n = slash == std::string::npos ? std::nullopt : Number(std::string_view(*shard).substr(slash + 1));
    if (!k || *k == 0 || !SetShard(setup, *k - 1, n)) {
      error = "--shard takes K/N with 1 <= K <= N, not '" + *shard + "'";
      return kExitUsage;
    }
  } else if (line.batch.shardFromEnv && !ShardFromEnvironment(setup, error)) {
    return kExitUsage;
  }
  for (const auto& load : line.loads) {
    LoadedDesign design{load.path, {}, load.xml};
    const std::string path = load.path == "-" ? "/dev/stdin" : load.path;
    if (load.path == "-" && setup.input == "-") {
      error = "standard input cannot hold both the rows and a --load file";
      return kExitUsage;
    }
    if (Failed(persist::ReadBoundedFile(path, design.bytes))) {
      error = "cannot load " + load.path + ": the file cannot be read";
      return kExitFile;
    }
    setup.loads.push_back(std::move(design));
  }
  return kExitOk;
}

HRESULT LoadDesign(CQlnBarcode& control, const LoadedDesign& design) {
  return persist::LoadPropertyFile(control, design.bytes, design.xml ? persist::kPersistXml : 0);
}

}  // namespace linnet::cli
