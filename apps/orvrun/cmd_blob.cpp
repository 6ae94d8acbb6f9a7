// orvrun blob: one binary cell of the database copied to a file or filled from one.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "commands.hpp"
#include "host.hpp"
#include "orvrun_host.h"

namespace orv::cli {
namespace {

std::optional<std::vector<unsigned char>> read_file(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return std::nullopt;
  std::vector<unsigned char> bytes;
  unsigned char buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) {
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  bool ok = !std::ferror(f);
  std::fclose(f);
  if (!ok) return std::nullopt;
  return bytes;
}

bool write_file(const std::string& path, const unsigned char* data, std::size_t size) {
  std::string part = path + ".part";
  std::FILE* f = std::fopen(part.c_str(), "wb");
  if (!f) return false;
  bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
  ok = std::fclose(f) == 0 && ok;
  // A file half written is never left under the name asked for.
  if (ok) ok = std::rename(part.c_str(), path.c_str()) == 0;
  if (!ok) std::remove(part.c_str());
  return ok;
}

int failed(const std::string& what, char* error) {
  std::fprintf(stderr, "orvrun: blob: %s: %s\n", what.c_str(), utf8_of(error).c_str());
  return kExitFailed;
}

int get(const Words& w, int64_t key) {
  ORVRUN_BLOB value{nullptr, 0};
  uint8_t null = 0;
  char* error = nullptr;
  if (!ORVRUN_BLOB_GET(w[1].c_str(), w[2].c_str(), w[3].c_str(), key, &value, &null, &error)) {
    return failed("cannot read", error);
  }
  bool ok = write_file(w[5], value.data, value.size);
  ORVRUN_BLOB_FREE(&value);
  if (!ok) return usage_error("blob: cannot write \"" + w[5] + "\"");
  if (null) std::fprintf(stderr, "orvrun: blob: the value is NULL; the file is empty\n");
  return kExitOk;
}

int put(const Words& w, int64_t key) {
  auto bytes = read_file(w[5]);
  if (!bytes) return usage_error("blob: cannot read \"" + w[5] + "\"");
  char* error = nullptr;
  if (!ORVRUN_BLOB_PUT(w[1].c_str(), w[2].c_str(), w[3].c_str(), key, bytes->data(), bytes->size(),
                       &error)) {
    return failed("cannot store", error);
  }
  return kExitOk;
}

}  // namespace

int cmd_blob(const Words& words) {
  std::size_t i = 0;
  std::string error;
  while (i < words.size() && is_option(words[i])) {
    if (take_host_option(words, i, error)) continue;
    return usage_error("blob: " + (error.empty() ? "unknown option \"" + words[i] + "\"" : error));
  }
  Words w(words.begin() + static_cast<long>(i), words.end());
  if (w.size() != 6 || (w[0] != "get" && w[0] != "put")) {
    return usage_error("blob: give get|put TABLE COLUMN KEY_COLUMN KEY FILE");
  }
  double key = 0;
  if (!ORVRUN_READ_NUMBER(w[4].c_str(), ORVRUN_TYPE_REAL, &key) ||
      key != static_cast<int64_t>(key)) {
    return usage_error("blob: the key \"" + w[4] + "\" is not a whole number");
  }
  bool opened = false;
  if (!open_database(/*required=*/true, opened, error)) return usage_error("blob: " + error);
  int status =
      w[0] == "get" ? get(w, static_cast<int64_t>(key)) : put(w, static_cast<int64_t>(key));
  ORVRUN_CLOSE();
  return status;
}

}  // namespace orv::cli
