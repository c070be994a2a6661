// `linnet serve` in the everyday executable: the service and its HTTP library live in the
// helper linnet-serve, which takes this process's place, so that the commands making a label
// never load them.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "cli/command_table.h"
#include "cli/exit_status.h"
#include "version_record.h"

namespace linnet::cli {

namespace {

constexpr char kHelper[] = "linnet-serve";

// Beside this executable (a build tree), or where the installation puts helpers.
std::string FindHelper() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  const std::filesystem::path folder = ec ? std::filesystem::path(".") : self.parent_path();
  for (const auto& candidate : {folder / kHelper, folder / version_record::kHelpersFromBinaries / kHelper}) {
    if (access(candidate.c_str(), X_OK) == 0) {
      return candidate.string();
    }
  }
  return (folder / version_record::kHelpersFromBinaries / kHelper).string();
}

}  // namespace

int RunServe(Session& s) {
  std::vector<std::string> args{kHelper, "serve"};
  for (const auto& [flag, value] : {std::pair{"--listen", &s.line.listen}, std::pair{"--threads", &s.line.threads},
                                    std::pair{"--cors", &s.line.cors}}) {
    if (*value) {
      args.insert(args.end(), {flag, **value});
    }
  }
  std::vector<char*> argv;
  for (auto& arg : args) {
    argv.push_back(arg.data());
  }
  argv.push_back(nullptr);
  const std::string helper = FindHelper();
  s.out.flush();
  s.err.flush();
  execv(helper.c_str(), argv.data());
  s.err << "linnet: cannot start " << helper << ": " << std::strerror(errno) << '\n';
  return kExitFile;
}

}  // namespace linnet::cli
