#include "cli/batch_verify.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

#include "cli/reader_module.h"
#include "control/qln_barcode.h"
#include "platform/codepage.h"
#include "platform/image/image_codecs.h"
#include "render/raster_export.h"

namespace linnet::cli {

namespace {

// How a decoded text may differ from the message: a check digit the encoder adds (or a
// number-system digit of UPC) may lead or trail.
enum class Match { Exact, CheckDigits };

struct ReadableSymbology {
  int symbology;
  const char* format;  // the reader's name of it
  Match match;
};

constexpr std::array kReadable = {
    ReadableSymbology{0, "Code39", Match::CheckDigits},  ReadableSymbology{4, "Code93", Match::Exact},
    ReadableSymbology{5, "Code128", Match::Exact},       ReadableSymbology{7, "ITF", Match::CheckDigits},
    ReadableSymbology{8, "UPC-A", Match::CheckDigits},   ReadableSymbology{9, "UPC-E", Match::CheckDigits},
    ReadableSymbology{10, "EAN-13", Match::CheckDigits}, ReadableSymbology{11, "EAN-8", Match::CheckDigits},
    ReadableSymbology{40, "PDF417", Match::Exact},       ReadableSymbology{41, "DataMatrix", Match::Exact},
};

// Longer than any message the control encodes.
constexpr std::size_t kLongestText = 1 << 16;

constexpr unsigned kReaderSeconds = 10;
constexpr int kMargin = 16;

bool Matches(const std::string& decoded, const std::string& message, Match match) {
  if (decoded == message) {
    return true;
  }
  if (match == Match::Exact || decoded.size() < message.size() || decoded.size() > message.size() + 2) {
    return false;
  }
  for (std::size_t lead = 0; lead + message.size() <= decoded.size() && lead <= 1; ++lead) {
    if (decoded.compare(lead, message.size(), message) == 0 && decoded.size() - message.size() - lead <= 1) {
      return true;
    }
  }
  return false;
}

// Runs the reader in a child; the text it found, or nullopt-like failure in `failure`.
bool ReadInChild(const ReaderModule& reader, const std::vector<std::uint8_t>& grey, int width, int height,
                 const char* format, std::string& text, std::string& failure) {
  int fds[2];
  if (pipe(fds) != 0) {
    failure = std::string("the reader could not be started: ") + std::strerror(errno);
    return false;
  }
  const pid_t child = fork();
  if (child < 0) {
    failure = std::string("the reader could not be started: ") + std::strerror(errno);
    close(fds[0]);
    close(fds[1]);
    return false;
  }
  if (child == 0) {
    close(fds[0]);
    alarm(kReaderSeconds);
    std::vector<char> found(kLongestText);
    std::size_t length = 0;
    if (reader.decode(grey.data(), width, height, format, found.data(), found.size(), &length)) {
      length = std::min(length, found.size());
      std::size_t done = 0;
      while (done < length) {
        const ssize_t n = write(fds[1], found.data() + done, length - done);
        if (n <= 0) {
          _exit(2);
        }
        done += static_cast<std::size_t>(n);
      }
      _exit(0);
    }
    _exit(1);
  }
  close(fds[1]);
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(fds[0], buffer, sizeof buffer);
    if (n > 0) {
      text.append(buffer, static_cast<std::size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      break;
    }
  }
  close(fds[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFSIGNALED(status)) {
    failure = WTERMSIG(status) == SIGALRM ? "the reader gave no answer in time"
                                          : "the reader stopped with signal " + std::to_string(WTERMSIG(status));
    return false;
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    failure = "the reader found no symbol";
    return false;
  }
  return true;
}

}  // namespace

Verification VerifyLabel(CQlnBarcode& control) {
  const int symbology = control.Properties().symbology;
  const ReadableSymbology* readable = nullptr;
  for (const auto& r : kReadable) {
    if (r.symbology == symbology) {
      readable = &r;
    }
  }
  if (readable == nullptr) {
    return {Verification::Status::NotVerifiable, "no reader reads symbology " + std::to_string(symbology)};
  }
  const auto bitmap = DrawRasterLabel(control);
  if (!bitmap) {
    return {Verification::Status::NotVerifiable, "the label could not be drawn for the reader"};
  }
  // A white margin: a label drawn with its symbol at the edge still has a quiet zone for the reader.
  const int width = bitmap->Width() + 2 * kMargin;
  const int height = bitmap->Height() + 2 * kMargin;
  std::vector<std::uint8_t> grey(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 255);
  for (int y = 0; y < bitmap->Height(); ++y) {
    image::ExpandRow(*bitmap, y,
                     grey.data() + static_cast<std::size_t>(y + kMargin) * static_cast<std::size_t>(width) + kMargin);
  }
  const auto* reader =
      reinterpret_cast<const ReaderModule*>(modules::LoadModule(kReaderModuleName, kReaderModuleEntry));
  if (reader == nullptr) {
    return {Verification::Status::Mismatch,
            "the reader module linnet-reader.so could not be loaded (LINNET_LOG=1 shows where it was looked for)"};
  }
  const std::string message = WideToUtf8(control.Properties().message);
  std::string text;
  std::string failure;
  if (!ReadInChild(*reader, grey, width, height, readable->format, text, failure)) {
    return {Verification::Status::Mismatch, failure};
  }
  if (!Matches(text, message, readable->match)) {
    return {Verification::Status::Mismatch, "the reader read '" + text + "', not '" + message + "'"};
  }
  return {Verification::Status::Verified, {}};
}

}  // namespace linnet::cli
