// What the host does after log-in and before the user leaves: the in-memory tables and globals.
#pragma once

#include <string>
#include <vector>

#include "host.hpp"

namespace orv::cli {

// The user the CLI signs in when no --user is given: the demo's ordinary user, and the company
// and warehouse used when neither the options nor the user's own row name them.
constexpr double kDefaultUser = 7;
constexpr double kDefaultCompany = 5;
constexpr double kDefaultWarehouse = 1;

// The preferences a call may change in memory; the host writes them back when they differ.
struct Preferences {
  struct Column {
    double id;
    int width;
    int position;
    std::string format;
    friend bool operator==(const Column&, const Column&) = default;
  };
  struct Parameter {
    std::string window, parameter, value;
    friend bool operator==(const Parameter&, const Parameter&) = default;
  };
  std::vector<Column> columns;
  std::vector<Parameter> window_parameters;
  std::string range;
  int date_from = 0;
  int date_to = 0;
  friend bool operator==(const Preferences&, const Preferences&) = default;

  static Preferences current();
};

// With the database open: who is signed in (options, else the user's row, else the defaults),
// then VATQ, S_PARAMKONFQ, U_PARAMKONFQ, the grants, INI_PAR_OKNO, the column settings and the
// last date range, read quietly: a database without those tables leaves them empty. Returns the
// preferences as loaded.
Preferences log_in(const HostOptions& options);

// Writes the preferences back (ZAPISZPREFERENCJEUZYTKOWNIKA) when they differ from `loaded`.
void log_out(const Preferences& loaded);

}  // namespace orv::cli
