#pragma once
// The progress of `linnet batch` on standard error: on a terminal one line redrawn at most 10
// times a second (rows done of the total, rate, time left); otherwise a plain line every
// kPlainPeriod seconds. The total is 0 when it is not known beforehand (standard input).
// Called by one thread at a time.
#include <chrono>
#include <cstddef>
#include <ostream>

namespace linnet::cli {

class Progress {
 public:
  static constexpr std::chrono::seconds kPlainPeriod{5};

  Progress(std::ostream& err, bool terminal, bool quiet, std::size_t total);

  void RowDone();
  // Clears the terminal line, so that a message can follow.
  void Interrupt();
  // The closing summary: "linnet: N rows, M failed, R rows/s".
  void Finish(std::size_t failed);

 private:
  void Show(bool redraw);

  std::ostream& err_;
  bool terminal_;
  bool quiet_;
  std::size_t total_;
  std::size_t done_ = 0;
  bool drawn_ = false;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point last_;
};

}  // namespace linnet::cli
