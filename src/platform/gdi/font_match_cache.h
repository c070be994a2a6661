#pragma once
// Fontconfig's answers to font requests, kept across processes. Reading Fontconfig's
// configuration (some fifty XML files) costs a one-label command most of its time, and the
// answer for "Arial, regular" changes only when the configuration or the fonts do; so the
// answers are kept in a file with a stamp of everything they depend on that can be checked
// without reading the configuration: the modification times, sizes and identities of the
// configuration files and folders, of the font folders and of Fontconfig's cache folders, the
// environment variables that move them, and Fontconfig's version. Each answer also records
// its font file's time and size. A stamp or a file that differs, and the answer is asked of
// Fontconfig again.
//
// The file is $XDG_CACHE_HOME/linnet/font-matches (~/.cache/... without it); LINNET_FONT_CACHE=0
// turns the cache off. It is rewritten whole, under a temporary name renamed into place, so
// processes sharing it only ever read a complete file; a cache that cannot be read or written
// is simply not used. Not thread-safe: the font cache calls it under its lock.
#include <map>
#include <optional>
#include <string>

namespace linnet::gdi {

struct FontFile {
  std::string path;
  int index = 0;
};

class FontMatchCache {
 public:
  // Reads the file when it belongs to the present configuration (an empty cache otherwise).
  FontMatchCache();

  // The remembered answer for `request`, when its font file is unchanged.
  [[nodiscard]] std::optional<FontFile> Find(const std::string& request) const;
  // Remembers Fontconfig's answer and writes the file.
  void Remember(const std::string& request, const FontFile& file);

 private:
  struct Entry {
    FontFile file;
    std::string fileStamp;
  };
  std::string path_;  // empty: the cache is off
  std::string stamp_;
  std::map<std::string, Entry> entries_;
};

}  // namespace linnet::gdi
