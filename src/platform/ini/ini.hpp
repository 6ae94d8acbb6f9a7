// INI files: sections of key=value lines, read and written by section and key.
#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace orv::ini {

// One INI file. Reads come from memory; each write rewrites the file whole. Section and key
// names compare case-insensitively, as the Windows profile functions do. An empty path keeps
// everything in memory only.
class IniFile {
 public:
  IniFile() = default;
  explicit IniFile(std::string path);
  // A host may keep its INI file elsewhere (a C host's callbacks) by overriding get and put.
  virtual ~IniFile() = default;

  const std::string& path() const { return path_; }
  virtual std::string get(std::string_view section, std::string_view key,
                          std::string_view fallback = {}) const;
  // False when the file could not be written; the value is kept in memory regardless.
  virtual bool put(std::string_view section, std::string_view key, std::string_view value);

 private:
  struct Entry {
    std::string section, key, value;
  };
  bool save() const;

  std::string path_;
  std::vector<Entry> entries_;
  mutable std::mutex mutex_;
};

}  // namespace orv::ini
