// `linnet serve`: the command line's options turned into the service's, then the service.
#include <charconv>

#include "cli/command_table.h"
#include "cli/exit_status.h"
#include "serve/routes.h"

namespace linnet::cli {

namespace {

constexpr unsigned long kMaxThreads = 256;

}  // namespace

int RunServe(Session& s) {
  serve::ServeOptions options;
  std::string error;
  if (s.line.listen && !serve::ParseListenAddress(*s.line.listen, options, error)) {
    s.err << "linnet: " << error << ". Try 'linnet --help'.\n";
    return kExitUsage;
  }
  if (s.line.threads) {
    const std::string& text = *s.line.threads;
    unsigned long n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || n == 0 || n > kMaxThreads) {
      s.err << "linnet: --threads needs a number from 1 to " << kMaxThreads << ", not '" << text << "'\n";
      return kExitUsage;
    }
    options.threads = n;
  }
  if (s.line.cors) {
    options.corsOrigin = *s.line.cors;
  }
  s.err << "linnet: serving on http://" << options.host << ':' << options.port << "/\n";
  s.err.flush();
  if (!serve::RunServer(options, error)) {
    s.err << "linnet: " << error << '\n';
    return kExitFile;
  }
  return kExitOk;
}

}  // namespace linnet::cli
