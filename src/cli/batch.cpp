// linnet batch: rows read in order by one thread, labels made by a pool of workers (each row
// on a control of its own, so no drawing state is shared), results emitted in input order
// through slots by row, with at most kSlotsPerWorker rows per worker between reading and
// emitting so that memory stays flat however long the input is.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

#include "cli/batch_options.h"
#include "cli/batch_progress.h"
#include "cli/batch_verify.h"
#include "cli/command_table.h"
#include "cli/exit_status.h"
#include "cli/report.h"
#include "cli/warnings.h"
#include "control/automation.h"
#include "control/error_info.h"
#include "control/qln_barcode.h"
#include "platform/codepage.h"
#include "platform/com/error_object.h"
#include "platform/files/file_replace.h"
#include "render/export_image.h"

namespace linnet::cli {

namespace {

constexpr std::size_t kSlotsPerWorker = 16;

struct Job {
  std::size_t slot = 0;  // position among the rows this run makes
  std::size_t row = 0;
  std::vector<host::Setting> settings;
  std::string output;
  std::string error;  // set when the row failed before any work
};

struct RowResult {
  std::size_t row = 0;
  std::string output;
  std::string status;       // "ok", "verified", "not verifiable", "failed"
  std::string errorNumber;  // the control's or the encoder's number, when there is one
  std::string message;
  [[nodiscard]] bool Failed() const { return status == "failed"; }
};

// Remembers the error a drawing reported for a symbol it could not encode.
class ErrorWatch : public IBarcodeEvents {
 public:
  HRESULT BarcodeError(std::int32_t /*handle*/, std::int32_t nError) override {
    error = nError;
    return S_OK;
  }
  std::optional<std::int32_t> error;
};

// What `ReportSettingsOutcome` and `ReportError` print, without "linnet: " and the line break.
std::string Unprefixed(const std::ostringstream& text) {
  std::string s = text.str();
  if (s.starts_with("linnet: ")) {
    s.erase(0, 8);
  }
  while (!s.empty() && s.back() == '\n') {
    s.pop_back();
  }
  return s;
}

RowResult Failure(RowResult r, std::string number, std::string message) {
  r.status = "failed";
  r.errorNumber = std::move(number);
  r.message = std::move(message);
  return r;
}

std::string NumberOf(HRESULT hr) {
  const std::int32_t number = ControlErrorNumber(hr);
  return number != 0 ? std::to_string(number) : std::string();
}

// Makes one row's label. Runs on a worker; the thread's error object is read right after the
// call that failed.
RowResult MakeLabel(const Job& job, const BatchSetup& setup) {
  RowResult r{job.row, job.output, "ok", {}, {}};
  if (!job.error.empty()) {
    return Failure(r, "", job.error);
  }
  CQlnBarcode control;
  for (const auto& load : setup.loads) {
    ClearThreadErrorObject();
    if (const HRESULT hr = LoadDesign(control, load); Failed(hr)) {
      std::ostringstream text;
      ReportError(hr, "cannot load " + load.path, text);
      return Failure(r, NumberOf(hr), Unprefixed(text));
    }
  }
  std::vector<host::Setting> settings = setup.settings;
  settings.insert(settings.end(), job.settings.begin(), job.settings.end());
  const host::SettingsOutcome outcome = host::ApplySettings(control, settings);
  if (outcome.status != host::SettingsOutcome::Status::Ok) {
    std::ostringstream text;
    std::ostringstream notes;
    Warnings silent(notes, true, false);
    ReportSettingsOutcome(outcome, text, silent);
    const bool numbered = outcome.status == host::SettingsOutcome::Status::Refused;
    return Failure(r, numbered ? NumberOf(outcome.hr) : "", Unprefixed(text));
  }
  const ImageFormatInfo& format = setup.FormatFor(job.output);
  auto watch = std::make_shared<ErrorWatch>();
  control.Events().Advise(watch);
  ClearThreadErrorObject();
  std::vector<unsigned char> image;
  if (const HRESULT hr = ExportFormatToStream(control, image, format); Failed(hr)) {
    std::ostringstream text;
    ReportError(hr, "", text);
    return Failure(r, NumberOf(hr), Unprefixed(text));
  }
  if (watch->error) {
    std::ostringstream unused;
    std::ostringstream text;
    EncodeInto(control, unused, text);
    return Failure(r, std::to_string(*watch->error), Unprefixed(text));
  }
  if (setup.verify) {
    // Before the file is written, so that a label that does not read back is never printed.
    const Verification v = VerifyLabel(control);
    if (v.status == Verification::Status::Mismatch) {
      return Failure(r, "", "verification failed: " + v.detail);
    }
    r.status = v.status == Verification::Status::Verified ? "verified" : "not verifiable";
    r.message = v.detail;
  }
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!setup.force && fs::exists(fs::symlink_status(job.output, ec))) {
    return Failure(r, "", job.output + " exists (--force replaces it)");
  }
  if (const fs::path folder = fs::path(job.output).parent_path(); !folder.empty()) {
    fs::create_directories(folder, ec);
    if (ec) {
      return Failure(r, "", "cannot create the folder " + folder.string() + ": " + ec.message());
    }
  }
  errno = 0;
  const bool written = files::WriteReplacing(
      job.output, [&](std::FILE* file) { return std::fwrite(image.data(), 1, image.size(), file) == image.size(); });
  if (!written) {
    return Failure(r, "", "cannot write " + job.output + ": " + WriteFailureReason(job.output, errno));
  }
  return r;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) {
    return text;
  }
  std::string quoted = "\"";
  for (const char c : text) {
    quoted += c == '"' ? "\"\"" : std::string(1, c);
  }
  return quoted + '"';
}

// Workers, slots and the one emitter, shared under one lock.
class Pipeline {
 public:
  Pipeline(const BatchSetup& setup, std::ostream& err, std::ostream* report, Progress& progress)
      : setup_(setup), err_(err), report_(report), progress_(progress) {
    for (unsigned i = 0; i < setup.jobs; ++i) {
      workers_.emplace_back([this] { Work(); });
    }
  }

  // Hands a row to the workers, waiting while too many rows are under way. False once the
  // batch stops (--fail-fast).
  bool Submit(Job job) {
    std::unique_lock lock(mutex_);
    spaceFree_.wait(lock, [&] { return stop_ || submitted_ - emitted_ < kSlotsPerWorker * setup_.jobs; });
    if (stop_) {
      return false;
    }
    job.slot = submitted_++;
    queue_.push_back(std::move(job));
    jobReady_.notify_one();
    return true;
  }

  // Waits for every row handed in; the number of failed rows.
  std::size_t Finish() {
    {
      const std::lock_guard lock(mutex_);
      closed_ = true;
    }
    jobReady_.notify_all();
    for (auto& w : workers_) {
      w.join();
    }
    return failed_;
  }

 private:
  void Work() {
    for (;;) {
      Job job;
      {
        std::unique_lock lock(mutex_);
        jobReady_.wait(lock, [&] { return closed_ || stop_ || !queue_.empty(); });
        if (stop_ || queue_.empty()) {
          return;
        }
        job = std::move(queue_.front());
        queue_.pop_front();
      }
      RowResult result;
      try {
        result = MakeLabel(job, setup_);
      } catch (const std::exception& e) {
        // An exception must not leave a worker thread: that would end the process.
        result = Failure(RowResult{job.row, job.output, {}, {}, {}}, "", e.what());
      }
      const std::lock_guard lock(mutex_);
      done_.emplace(job.slot, std::move(result));
      EmitInOrder();
    }
  }

  // Called with the lock held.
  void EmitInOrder() {
    while (!stop_ && !done_.empty() && done_.begin()->first == emitted_) {
      const RowResult& r = done_.begin()->second;
      if (r.Failed()) {
        ++failed_;
        progress_.Interrupt();
        err_ << "linnet: row " << r.row << (r.output.empty() ? "" : " (" + r.output + ")") << ": " << r.message << '\n';
        stop_ = setup_.failFast;
      }
      if (report_ != nullptr) {
        *report_ << r.row << ',' << CsvField(r.output) << ',' << r.status << ',' << r.errorNumber << ','
                 << CsvField(r.message) << "\r\n";
      }
      progress_.RowDone();
      done_.erase(done_.begin());
      ++emitted_;
    }
    // The reader is woken once half the slots are free, not for every row: a wake-up per label
    // costs more than the label's file.
    if (stop_ || submitted_ - emitted_ <= kSlotsPerWorker * setup_.jobs / 2) {
      spaceFree_.notify_all();
    }
    if (stop_) {
      jobReady_.notify_all();
    }
  }

  const BatchSetup& setup_;
  std::ostream& err_;
  std::ostream* report_;
  Progress& progress_;
  std::mutex mutex_;
  std::condition_variable jobReady_;
  std::condition_variable spaceFree_;
  std::deque<Job> queue_;
  std::map<std::size_t, RowResult> done_;
  std::size_t submitted_ = 0;
  std::size_t emitted_ = 0;
  std::size_t failed_ = 0;
  bool closed_ = false;
  bool stop_ = false;
  std::vector<std::jthread> workers_;
};

// The row as a job: its settings (empty values leave the property alone; a column only the
// template names is no setting) and its file name.
Job JobOf(const host::DataRow& row, const BatchSetup& setup, std::map<std::string, std::size_t>& names) {
  Job job;
  job.row = row.number;
  job.error = row.error;
  const std::vector<std::string> named = setup.output.Names();
  for (const auto& [name, value] : row.fields) {
    const bool onlyNames =
        FindAutomationMember(name, true) == nullptr && std::find(named.begin(), named.end(), name) != named.end();
    if (!value.empty() && !onlyNames) {
      job.settings.push_back({host::Setting::Source::Value, name, value});
    }
  }
  std::string error;
  if (auto output = setup.output.Expand(row.number, row.fields, error)) {
    job.output = std::move(*output);
  } else if (job.error.empty()) {
    job.error = error;
  }
  if (job.error.empty()) {
    const std::string key = std::filesystem::path(job.output).lexically_normal().string();
    if (const auto [at, fresh] = names.emplace(key, row.number); !fresh) {
      job.error = "row " + std::to_string(at->second) + " writes " + job.output + " already";
    }
  }
  return job;
}

// The rows of a plain file, for the progress line; 0 (not known) for standard input, a pipe
// or a device, which cannot be read twice.
std::size_t CountRows(const BatchSetup& setup) {
  std::error_code ec;
  if (setup.input == "-" || !std::filesystem::is_regular_file(setup.input, ec)) {
    return 0;
  }
  std::ifstream in(setup.input, std::ios::binary);
  std::string error;
  std::size_t count = 0;
  if (auto rows = host::OpenRows(setup.format, in, error)) {
    host::DataRow row;
    while (rows->Next(row)) {
      count += setup.InShard(row.number) ? 1 : 0;
    }
  }
  return count;
}

}  // namespace

int RunBatch(Session& s) {
  std::string error;
  BatchSetup setup;
  if (const int status = PrepareBatch(s.line, setup, error); status != kExitOk) {
    s.err << "linnet: " << error << (status == kExitUsage ? ". Try 'linnet batch --help'." : "") << '\n';
    return status;
  }
  std::ifstream file;
  std::istream* in = &std::cin;
  if (setup.input != "-") {
    file.open(setup.input, std::ios::binary);
    if (!file) {
      s.err << "linnet: cannot read " << setup.input << ": " << std::strerror(errno) << '\n';
      return kExitFile;
    }
    in = &file;
  }
  const auto rows = host::OpenRows(setup.format, *in, error);
  if (!rows) {
    s.err << "linnet: " << setup.input << ": " << error << '\n';
    return kExitUsage;
  }
  std::ofstream report;
  if (setup.report) {
    report.open(*setup.report, std::ios::binary | std::ios::trunc);
    if (!report) {
      s.err << "linnet: cannot write " << *setup.report << ": " << std::strerror(errno) << '\n';
      return kExitFile;
    }
    report << "row,output,status,error,message\r\n";
  }
  const bool quiet = s.line.quiet;
  Progress progress(s.err, isatty(STDERR_FILENO) != 0, quiet, quiet ? 0 : CountRows(setup));
  std::size_t failed = 0;
  {
    Pipeline pipeline(setup, s.err, setup.report ? &report : nullptr, progress);
    std::map<std::string, std::size_t> names;
    host::DataRow row;
    while (rows->Next(row)) {
      if (setup.InShard(row.number) && !pipeline.Submit(JobOf(row, setup, names))) {
        break;
      }
    }
    failed = pipeline.Finish();
  }
  progress.Finish(failed);
  if (setup.report && !report.flush()) {
    s.err << "linnet: cannot write " << *setup.report << '\n';
    return kExitFile;
  }
  return failed == 0 ? kExitOk : kExitCannotEncode;
}

}  // namespace linnet::cli
