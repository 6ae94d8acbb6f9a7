// orvrun: a host shell for the library: calls exported procedures by name.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "commands.hpp"
#include "host.hpp"

namespace orv::cli {
namespace {

constexpr const char* kHelp = R"(orvrun - host shell of the business-logic library

Usage:
  orvrun [HOST OPTION]... COMMAND ...
      Host options may also stand after the command, before its NAME or STATEMENT:
        --db PATH        the SQLite database (default: $ORVRUN_DB, else ./orvrun.db)
        --odbc CONNSTR   an ODBC connection string instead ("Driver=SQLite3;Database=x.db")
        --user ID, --company ID, --warehouse ID
                         the signed-in user, company and warehouse of the shared context
      call opens the database when --db or --odbc names one or the default file exists.
  orvrun call [--json] [--answer yes|no]... [--ui-script TEXT|@FILE] [--ui NAME]
              [--screenshot DIR] NAME [ARG...]
      Calls the exported procedure NAME. Arguments are UTF-8 and converted to Windows-1250;
      trailing optional parameters left off are omitted. Every word after NAME is an argument,
      even one that begins with "-". A LIST argument is @list:FILE.json (or the JSON itself),
      in the form orvrun_list.h gives. With --json prints one JSON object:
      {"result": ..., "out": {...}, "messages": [...], "windows": [...]} (and "opened": [...],
      the files handed to the desktop's program, when there are any); otherwise the result
      alone. --answer gives the answers to questions in order (default: No). --ui-script drives
      the windows the procedure opens (see orvrun windows): commands one per line or separated
      by ";": set <control> <value>, press <control>, choose <control> <item>,
      select <control> <row>, dclick <control> <row>, check <control> on|off,
      key <F10|Esc|Enter|Ctrl+D...>, answer yes|no|<caption>, tick [n], close.
      A window left waiting by the script is closed as by Esc, and stderr says so. When stdin
      is a terminal and neither --json, --answer nor --ui-script is given, windows and boxes
      are drawn on stderr and the same commands are read from stdin.
      --ui qt|terminal|headless picks the window backend (default: $ORVRUN_UI, else qt on a
      display or terminal for a person at a terminal, else headless). --screenshot DIR shows
      the windows with qt (offscreen without a display) and writes a PNG of each window into
      DIR each time the script acts on it.
  orvrun windows [--json] [NAME]
      Lists every window of the library (or the one NAME names, by procedure or INI section)
      with its controls: number, id, kind, caption or prompt, key.
  orvrun call --list
      Lists every exported procedure with its parameters.
  orvrun sql [--json] [--channel main|2|3|crm|scalar|marked] [--] STATEMENT
      Sends one statement (UTF-8) through the channel's own operations and prints the rows as
      tab-separated UTF-8 lines (a tab, line break or backslash inside a field as \t, \n,
      \r, \\; NULL as \N), or with --json {"rows": [[...]], "more": [[[...]]...], "error":
      null | {"code": n, "message": "..."}} (NULL as null). A batch of several SELECTs prints
      every result set, in order (in JSON the first as "rows", the others in "more"). scalar
      and marked print column 1 of the first row. A field longer than the channel's record is
      cut, and stderr says so. A statement may begin with a "--" comment. Only the library's
      own databases open. Exit status 1 when it failed.
  orvrun blob get|put TABLE COLUMN KEY_COLUMN KEY FILE
      Copies one binary cell (COLUMN of the row of TABLE whose KEY_COLUMN is KEY) into FILE, or
      stores FILE's bytes in it. Exit status 1 when the row does not exist or a name is not
      plain. A BLOB parameter of call is a file the same way: its bytes go in, and by
      reference the value comes back into it.
  orvrun init [--demo] [--force] [--db PATH]
      Creates a new database file (PATH, else $ORVRUN_DB, else ./orvrun.db) with the schema and,
      with --demo, the demo company. An existing file is kept unless --force replaces it.
  orvrun --help
      This text.

Exit status: 0 when the procedure ran (whatever its own outcome), 1 when its ui script failed
(a command that does not fit, or a window that would not close), 2 when the call itself was
wrong (unknown procedure, wrong number or type of arguments, a script that cannot be read, a
database that cannot be opened, a sign-in that failed); init: 1 when the database could not be
created; 3 when orvrun itself failed.
)";

struct Command {
  const char* name;
  int (*run)(const Words&);
};

constexpr Command kCommands[] = {
    {"call", cmd_call}, {"sql", cmd_sql},   {"windows", cmd_windows},
    {"init", cmd_init}, {"blob", cmd_blob}, {"check-payments", cmd_check},
};

int run(int argc, char** argv) {
  if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
    std::fputs(kHelp, argc < 2 ? stderr : stdout);
    return argc < 2 ? kExitUsage : kExitOk;
  }
  Words all(argv + 1, argv + argc);
  std::size_t at = 0;
  std::string error;
  while (at < all.size() && take_host_option(all, at, error)) {
  }
  if (!error.empty()) return usage_error(error);
  if (at >= all.size()) return usage_error("no command given; see orvrun --help");
  Words words(all.begin() + static_cast<long>(at) + 1, all.end());
  for (const auto& c : kCommands) {
    if (all[at] == c.name) return c.run(words);
  }
  return usage_error("unknown command \"" + all[at] + "\"; see orvrun --help");
}

}  // namespace

int usage_error(const std::string& message) {
  std::fprintf(stderr, "orvrun: %s\n", message.c_str());
  return kExitUsage;
}

}  // namespace orv::cli

int main(int argc, char** argv) {
  // The library throws nothing across its interface; this catches the CLI's own faults (out of
  // memory among them) so that they end with a message and a status of their own.
  try {
    return orv::cli::run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "orvrun: internal error: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "orvrun: internal error\n");
  }
  return orv::cli::kExitInternal;
}
