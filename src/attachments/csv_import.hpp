// The two-stage article import: a file into plik_blob and its records into artykul_imp, then
// moving them into articles on the server; the stored file and the sample file written back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv::attachments {

// Stores the file as a new plik_blob row of `kind` and, for "ARTYKUL", buffers its records:
// good ones waiting (status 0), rejected lines with their line number and reason (status 3).
// A file that cannot be read whole (empty, too large, another code page, no header) is refused
// with a warning and nothing is stored. The new row's id, or nullopt.
std::optional<int64_t> import_csv_file(std::string_view path, std::string_view kind);

// The moved count, after the questions ("already moved", "move?"); nullopt when not moved.
std::optional<int64_t> move_to_table(int64_t file_id, std::string_view kind);
// The file's records waiting again (the lines rejected when read stay rejected).
bool restore_records(int64_t file_id);
bool delete_import(int64_t file_id);
// Writes the stored file to a path chosen in the save dialog; false after a warning or cancel.
bool save_stored_file(int64_t file_id);
// The sample file: the header, and one line per article marked with usage 102 when asked to.
bool write_sample_file();

// The header line of the import file: the field names joined by ";".
std::string sample_header();
// One line (CR LF ended) per article the user marked with usage 102, values joined by ";".
std::string sample_lines(const std::string& user_id);

}  // namespace orv::attachments
