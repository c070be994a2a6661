#include "cli/batch_progress.h"

#include <cstdio>
#include <string>

namespace linnet::cli {

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kRedrawPeriod{100};

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

}  // namespace

Progress::Progress(std::ostream& err, bool terminal, bool quiet, std::size_t total)
    : err_(err), terminal_(terminal), quiet_(quiet), total_(total), start_(Clock::now()), last_(start_) {}

void Progress::RowDone() {
  ++done_;
  if (quiet_) {
    return;
  }
  const auto now = Clock::now();
  if (now - last_ >= (terminal_ ? Clock::duration(kRedrawPeriod) : Clock::duration(kPlainPeriod))) {
    last_ = now;
    Show(terminal_);
  }
}

void Progress::Show(bool redraw) {
  const double elapsed = Seconds(Clock::now() - start_);
  const double rate = elapsed > 0 ? static_cast<double>(done_) / elapsed : 0;
  std::string text = "linnet: " + std::to_string(done_);
  if (total_ > 0) {
    text += "/" + std::to_string(total_);
  }
  char figures[96];
  std::snprintf(figures, sizeof figures, " rows, %.0f rows/s", rate);
  text += figures;
  if (total_ > done_ && rate > 0) {
    std::snprintf(figures, sizeof figures, ", %.0f s left", static_cast<double>(total_ - done_) / rate);
    text += figures;
  }
  if (redraw) {
    err_ << "\r\x1b[K" << text << std::flush;
    drawn_ = true;
  } else {
    err_ << text << '\n';
  }
}

void Progress::Interrupt() {
  if (drawn_) {
    err_ << "\r\x1b[K";
    drawn_ = false;
  }
}

void Progress::Finish(std::size_t failed) {
  Interrupt();
  if (quiet_) {
    return;
  }
  const double elapsed = Seconds(Clock::now() - start_);
  char text[128];
  std::snprintf(text, sizeof text, "linnet: %zu rows, %zu failed, %.0f rows/s\n", done_, failed,
                elapsed > 0 ? static_cast<double>(done_) / elapsed : 0.0);
  err_ << text;
}

}  // namespace linnet::cli
