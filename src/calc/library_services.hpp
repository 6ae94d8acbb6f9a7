// Services of the utility library (NBP and ECB rate imports, the list separator, the file-writing
// test) and the state of the internet connection.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orv::calc {

// Imports one rate table into the database: `date` 0 asks for the current table, any other day
// for that day's; on success `date` receives the table's day and the result is 1. A remark of
// the server is shown and sets `notice` to 1 (never back to 0). Null references are not written.
uint8_t POBIERZKURSYNBP(int32_t* date, int32_t* notice);
uint8_t POBIERZKURSYECB(int32_t* date, int32_t* notice);

// The regional list separator, at most 4 characters; empty on failure.
std::string POBIERZSYSTEMLISTSEPARATOR();

// The file-writing test: writes "ala ma kota" into the named file (the temporary folder's
// "alamakota.html" when no name is given) and shows the library's answer. Always 0.
uint8_t UTWORZPLIK(std::string_view name);

// The kind of connection: 0 none, 1 modem, 2 LAN, 3 proxy.
uint8_t ISINTERNETCONNECTION();

}  // namespace orv::calc
