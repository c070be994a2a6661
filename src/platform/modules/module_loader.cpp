#include "platform/modules/module_loader.h"

#include <dlfcn.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/log.h"
#include "version_record.h"

namespace linnet::modules {

namespace {

struct Loaded {
  const EntryHeader* entry = nullptr;
  std::string why;
};

// The folder of the executable or shared library this loader is linked into. The dynamic
// linker names an executable as it was started (perhaps relative to a folder the process has
// left since), so an executable's folder comes from the kernel's link instead.
std::string OwnFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<const void*>(&OwnFolder), &info) == 0 || info.dli_fname == nullptr) {
    return {};
  }
  std::error_code ec;
  std::filesystem::path path = info.dli_fname;
  if (const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
      !ec && (path.is_relative() || std::filesystem::equivalent(path, self, ec))) {
    path = self;
  }
  return path.parent_path().string();
}

std::vector<std::string> Folders() {
  std::vector<std::string> folders;
  if (const char* dir = std::getenv("LINNET_MODULE_DIR"); dir != nullptr && *dir != '\0') {
    folders.emplace_back(dir);
  }
  if (const std::string own = OwnFolder(); !own.empty()) {
    folders.push_back(own);
    folders.push_back(own + "/" + version_record::kModulesFromBinaries);
    folders.push_back(own + "/" + version_record::kModulesFromLibraries);
  }
  return folders;
}

Loaded Load(std::string_view name, const char* entrySymbol) {
  // The callers report failures by errno; the attempts in other folders must not change it.
  const int savedErrno = errno;
  const std::string file = "linnet-" + std::string(name) + ".so";
  std::string why;
  for (const std::string& folder : Folders()) {
    const std::string path = folder + "/" + file;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      why += "\n  " + path + ": " + dlerror();
      continue;
    }
    using EntryFunction = const EntryHeader* (*)();
    const auto function = reinterpret_cast<EntryFunction>(dlsym(handle, entrySymbol));
    const EntryHeader* entry = function != nullptr ? function() : nullptr;
    if (entry != nullptr && entry->version != nullptr &&
        std::strcmp(entry->version, version_record::kVersionText) == 0) {
      errno = savedErrno;
      return {entry, {}};
    }
    why += "\n  " + path + ": not a module of version " + version_record::kVersionText;
    dlclose(handle);
  }
  errno = savedErrno;
  return {nullptr, "module " + file + " could not be loaded:" + why};
}

}  // namespace

const EntryHeader* LoadModule(std::string_view name, const char* entrySymbol) {
  static std::mutex lock;
  static std::map<std::string, Loaded, std::less<>> loaded;
  const std::lock_guard guard(lock);
  auto found = loaded.find(name);
  if (found == loaded.end()) {
    found = loaded.emplace(std::string(name), Load(name, entrySymbol)).first;
    if (found->second.entry == nullptr) {
      log::Write("[modules] ", found->second.why + "\n");
    }
  }
  return found->second.entry;
}

}  // namespace linnet::modules
