// INI parsing and writing in the plain Windows profile layout.
#include "platform/ini/ini.hpp"

#include "platform/files/files.hpp"
#include "platform/text/text.hpp"

namespace orv::ini {

IniFile::IniFile(std::string path) : path_(std::move(path)) {
  auto content = files::read_all(path_);
  if (!content) return;
  std::string section;
  std::size_t start = 0;
  while (start <= content->size()) {
    std::size_t end = content->find('\n', start);
    if (end == std::string::npos) end = content->size();
    std::string_view line = text::trim(std::string_view(*content).substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line = text::trim(line.substr(0, line.size() - 1));
    start = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      section = line.substr(1, line.size() - 2);
      continue;
    }
    auto eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    entries_.push_back({section, std::string(text::trim(line.substr(0, eq))),
                        std::string(line.substr(eq + 1))});
  }
}

std::string IniFile::get(std::string_view section, std::string_view key,
                         std::string_view fallback) const {
  std::lock_guard lock(mutex_);
  for (const auto& e : entries_) {
    if (text::equal_ci(e.section, section) && text::equal_ci(e.key, key)) return e.value;
  }
  return std::string(fallback);
}

bool IniFile::put(std::string_view section, std::string_view key, std::string_view value) {
  std::lock_guard lock(mutex_);
  bool found = false;
  for (auto& e : entries_) {
    if (text::equal_ci(e.section, section) && text::equal_ci(e.key, key)) {
      e.value = value;
      found = true;
      break;
    }
  }
  if (!found) {
    // Keep a section's keys together so the file stays readable.
    auto at = entries_.end();
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (text::equal_ci(it->section, section)) at = it + 1;
    }
    entries_.insert(at, {std::string(section), std::string(key), std::string(value)});
  }
  return save();
}

bool IniFile::save() const {
  if (path_.empty()) return true;
  std::string out;
  const std::string* section = nullptr;
  for (const auto& e : entries_) {
    if (!section || !text::equal_ci(*section, e.section)) {
      if (section) out += "\r\n";
      out += "[" + e.section + "]\r\n";
      section = &e.section;
    }
    out += e.key + "=" + e.value + "\r\n";
  }
  return files::write_all(path_, out);
}

}  // namespace orv::ini
