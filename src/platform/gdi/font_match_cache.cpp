#include "platform/gdi/font_match_cache.h"

#include <fontconfig/fontconfig.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace linnet::gdi {

namespace {

constexpr char kHeader[] = "linnet font matches 1";

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// A file's or folder's identity and last change, or "-" when it is not there.
std::string FileStamp(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    return "-";
  }
  return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino) + ":" + std::to_string(info.st_size) + ":" +
         std::to_string(info.st_mtim.tv_sec) + "." + std::to_string(info.st_mtim.tv_nsec);
}

// Everything Fontconfig's answers depend on that a stat can see (the places Fontconfig reads
// by default on this platform, and the variables that move them).
std::string ConfigurationStamp() {
  const std::string home = Environment("HOME");
  const std::string configHome =
      Environment("XDG_CONFIG_HOME").empty() ? home + "/.config" : Environment("XDG_CONFIG_HOME");
  const std::string dataHome =
      Environment("XDG_DATA_HOME").empty() ? home + "/.local/share" : Environment("XDG_DATA_HOME");
  const std::string cacheHome =
      Environment("XDG_CACHE_HOME").empty() ? home + "/.cache" : Environment("XDG_CACHE_HOME");
  std::string stamp = "fontconfig " + std::to_string(FcGetVersion());
  for (const char* variable : {"FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT", "HOME", "XDG_CONFIG_HOME",
                               "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
    stamp += std::string("\t") + variable + "=" + Environment(variable);
  }
  const std::string configFile =
      Environment("FONTCONFIG_FILE").empty() ? "/etc/fonts/fonts.conf" : Environment("FONTCONFIG_FILE");
  for (const std::string& path :
       {configFile, std::string("/etc/fonts/conf.d"), std::string("/etc/fonts/local.conf"), configHome + "/fontconfig",
        configHome + "/fontconfig/fonts.conf", configHome + "/fontconfig/conf.d", home + "/.fonts.conf",
        home + "/.fonts.conf.d", std::string("/usr/share/fonts"), std::string("/usr/local/share/fonts"),
        dataHome + "/fonts", home + "/.fonts", std::string("/var/cache/fontconfig"), cacheHome + "/fontconfig"}) {
    stamp += "\t" + path + "=" + FileStamp(path);
  }
  return stamp;
}

std::string CacheFile() {
  if (Environment("LINNET_FONT_CACHE") == "0") {
    return {};
  }
  if (const std::string cacheHome = Environment("XDG_CACHE_HOME"); !cacheHome.empty()) {
    return cacheHome + "/linnet/font-matches";
  }
  if (const std::string home = Environment("HOME"); !home.empty()) {
    return home + "/.cache/linnet/font-matches";
  }
  return {};
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, '\t');) {
    fields.push_back(field);
  }
  return fields;
}

}  // namespace

FontMatchCache::FontMatchCache() : path_(CacheFile()) {
  if (path_.empty()) {
    return;
  }
  std::ifstream in(path_);
  std::string line;
  if (!std::getline(in, line) || line != kHeader || !std::getline(in, line) || line != ConfigurationStamp()) {
    return;
  }
  // request, font file, face index, font file's stamp
  while (std::getline(in, line)) {
    const auto fields = Fields(line);
    if (fields.size() == 4) {
      entries_[fields[0]] = {{fields[1], std::atoi(fields[2].c_str())}, fields[3]};
    }
  }
}

std::optional<FontFile> FontMatchCache::Find(const std::string& request) const {
  const auto found = entries_.find(request);
  if (found == entries_.end() || FileStamp(found->second.file.path) != found->second.fileStamp) {
    return std::nullopt;
  }
  return found->second.file;
}

void FontMatchCache::Remember(const std::string& request, const FontFile& file) {
  if (path_.empty() || request.find_first_of("\t\n") != std::string::npos ||
      file.path.find_first_of("\t\n") != std::string::npos) {
    return;
  }
  entries_[request] = {file, FileStamp(file.path)};
  // Fontconfig may have brought its own caches up to date while answering: the stamp is taken
  // as things stand after it.
  stamp_ = ConfigurationStamp();
  const std::string folder = path_.substr(0, path_.rfind('/'));
  mkdir(folder.substr(0, folder.rfind('/')).c_str(), 0700);
  mkdir(folder.c_str(), 0700);
  const std::string temporary = path_ + "." + std::to_string(getpid()) + ".tmp";
  {
    std::ofstream out(temporary, std::ios::trunc);
    out << kHeader << '\n' << stamp_ << '\n';
    for (const auto& [key, entry] : entries_) {
      out << key << '\t' << entry.file.path << '\t' << entry.file.index << '\t' << entry.fileStamp << '\n';
    }
    out.flush();
    if (!out) {
      out.close();
      std::remove(temporary.c_str());
      return;
    }
  }
  if (std::rename(temporary.c_str(), path_.c_str()) != 0) {
    std::remove(temporary.c_str());
  }
}

}  // namespace linnet::gdi
