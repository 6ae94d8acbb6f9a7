// Runs a host's statement on the channel it names, through that channel's own operations.
#include "host/sql_run.hpp"

#include "frame/marked_channel.hpp"
#include "frame/sql_channels.hpp"
#include "platform/ui/headless/headless.hpp"

namespace orv::host {
namespace {

// The rows with their NULLs, counting the fields the channel's record cut short.
void read_rows(sql::ScratchTable& table, SqlOutcome& out) {
  while (table.next()) {
    std::vector<std::string> row;
    std::vector<bool> nulls;
    for (std::size_t k = 1; k <= table.fields(); ++k) {
      row.push_back(table.field(k));
      nulls.push_back(table.null(k));
      out.cut += table.cut(k);
    }
    out.rows.push_back(std::move(row));
    out.nulls.push_back(std::move(nulls));
  }
}

// The channel reads the first result set; a host sees the batch's others after it.
void read_sets(sql::ScratchTable& table, SqlOutcome& out) {
  read_rows(table, out);
  while (table.next_result()) {
    out.sets.push_back(out.rows.size());
    read_rows(table, out);
  }
}

void take_error(sql::ScratchTable& table, SqlOutcome& out) {
  out.code = table.error();
  out.message = table.message();
}

// A result-set channel: its quiet ESQL, the rows, its close.
SqlOutcome result_set(uint8_t (*esql)(std::string_view, uint8_t), sql::ScratchTable& (*table)(),
                      void (*close)(), std::string_view statement) {
  SqlOutcome out;
  if (esql(statement, /*quiet=*/1) != 0) {
    take_error(table(), out);
  } else {
    read_sets(table(), out);
  }
  close();
  return out;
}

SqlOutcome crm(std::string_view statement) {
  SqlOutcome out;
  frame::EXECSQLCRM(statement);
  if (frame::VAXCRM().error() != 0) {
    take_error(frame::VAXCRM(), out);
  } else {
    read_sets(frame::VAXCRM(), out);
  }
  frame::CLOSESQLCRM();
  return out;
}

// A scalar operation: one row of one column when the statement gave a row.
SqlOutcome scalar(std::string value, sql::ScratchTable& table) {
  SqlOutcome out;
  if (table.error() != 0) {
    take_error(table, out);
  } else if (table.has_row()) {
    out.rows.push_back({std::move(value)});
    out.nulls.push_back({table.null(1)});
    out.cut += table.cut(1);
  }
  return out;
}

std::optional<SqlOutcome> dispatch(std::string_view channel, std::string_view statement) {
  if (channel == "main") return result_set(frame::ESQL, frame::VAX, frame::CLOSESQL, statement);
  if (channel == "2") return result_set(frame::ESQL2, frame::VAX2, frame::CLOSESQL2, statement);
  if (channel == "3") return result_set(frame::ESQL3, frame::VAX3, frame::CLOSESQL3, statement);
  if (channel == "crm") return crm(statement);
  if (channel == "scalar") return scalar(frame::FUNCSQL(statement, 1), frame::VAXFSQL());
  if (channel == "marked") return scalar(frame::marked_query(statement, 1), frame::VAXZAZ());
  return std::nullopt;
}

}  // namespace

std::optional<SqlOutcome> run_sql(std::string_view channel, std::string_view statement) {
  // Quiet operations show nothing; a box the driver's path might still show is answered with its
  // default rather than waiting for a user the host may not have.
  ui::HeadlessBackend quiet;
  ui::Backend* previous = ui::set_backend(&quiet);
  auto out = dispatch(channel, statement);
  ui::set_backend(previous);
  return out;
}

}  // namespace orv::host
