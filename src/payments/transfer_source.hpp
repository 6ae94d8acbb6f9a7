// Reading what the writer prints: the marked transfers (the selection statement on channel 2,
// an employee's address on the main channel) and the company's name and registered office.
#pragma once

#include <cstdint>
#include <string>

#include "payments/transfer.hpp"
#include "platform/sql/scratch_table.hpp"

namespace orv::payments {

// The selection of the marked transfer orders (documents of the type "PW") of a usage code and a
// user, byte for byte as the system sends it.
std::string selection_statement(int32_t usage, double user);
// How many documents the selection qualifies (for the progress bar; the joins it leaves out
// only add columns).
std::string count_statement(int32_t usage, double user);

// The transfer in the current row of a result of the selection; an employee's city and street
// lines are read on the main channel for the transfer's day, and are missing when the employee
// has no address then.
Transfer transfer_of_row(const sql::ScratchTable& row);

// The company's name and its newest registered-office address (blank lines when it has none).
Company read_company(double company_id);

// The office's lines from ULICA, NR_DOMU, NR_LOKALU, KOD_POCZTOWY, MIEJSCOWOSC, POCZTA.
struct OfficeAddress {
  std::string street, house, flat, postal_code, town, post;
};
std::string office_street_line(const OfficeAddress& a);
std::string office_city_line(const OfficeAddress& a);

}  // namespace orv::payments
