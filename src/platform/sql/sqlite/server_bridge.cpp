// Server functions in SQL: scalars as functions, table-valued ones through one eponymous vtab.
#include "platform/sql/sqlite/sqlite_backend.hpp"

#include <sqlite3.h>

#include <cstring>
#include <exception>
#include <memory>

#include "platform/sql/sqlite/session.hpp"
#include "platform/sql/sqlite/sqlite_values.hpp"

namespace orv::sql::sqlite {
namespace {

// What every server object registered on one connection shares; freed with the last of them.
struct Bridge {
  explicit Bridge(sqlite3* db, std::shared_ptr<dialect::TranslationCache> t)
      : session(db, std::move(t)) {}
  DbSession session;
};

struct ScalarBinding {
  std::shared_ptr<Bridge> bridge;
  ScalarEntry entry;
};

struct TableBinding {
  std::shared_ptr<Bridge> bridge;
  TableEntry entry;
};

void call_scalar(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  auto* b = static_cast<ScalarBinding*>(sqlite3_user_data(ctx));
  try {
    result_value(ctx, b->entry.fn(b->bridge->session, read_args(argc, argv)));
  } catch (const ServerError& e) {
    sqlite3_result_error(ctx, e.message.c_str(), -1);
  } catch (const std::exception& e) {
    sqlite3_result_error(ctx, (b->entry.name + ": " + e.what()).c_str(), -1);
  }
}

struct TableVtab : sqlite3_vtab {
  TableBinding* binding = nullptr;
};

struct TableCursor : sqlite3_vtab_cursor {
  std::vector<SqlValue> args;
  Rows rows;
  std::size_t row = 0;
};

std::string quoted(const std::string& name) {
  std::string out = "\"";
  for (char c : name) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

int vt_connect(sqlite3* db, void* aux, int, const char* const*, sqlite3_vtab** out, char**) {
  auto* binding = static_cast<TableBinding*>(aux);
  std::string schema = "CREATE TABLE x(";
  for (const auto& c : binding->entry.columns) schema += quoted(c) + ",";
  for (int i = 0; i < binding->entry.args; ++i)
    schema += "\"__arg" + std::to_string(i) + "\" HIDDEN,";
  schema.back() = ')';
  int rc = sqlite3_declare_vtab(db, schema.c_str());
  if (rc != SQLITE_OK) return rc;
  auto* vtab = new TableVtab();
  vtab->binding = binding;
  *out = vtab;
  return SQLITE_OK;
}

int vt_disconnect(sqlite3_vtab* vtab) {
  delete static_cast<TableVtab*>(vtab);
  return SQLITE_OK;
}

// Every argument must arrive as an equality on its hidden column; idxNum says which did.
int vt_best_index(sqlite3_vtab* vtab, sqlite3_index_info* info) {
  const TableEntry& e = static_cast<TableVtab*>(vtab)->binding->entry;
  int first_arg = static_cast<int>(e.columns.size());
  std::vector<int> constraint_of(static_cast<std::size_t>(e.args), -1);
  for (int i = 0; i < info->nConstraint; ++i) {
    const auto& c = info->aConstraint[i];
    if (c.iColumn < first_arg || c.op != SQLITE_INDEX_CONSTRAINT_EQ) continue;
    if (!c.usable) return SQLITE_CONSTRAINT;
    constraint_of[static_cast<std::size_t>(c.iColumn - first_arg)] = i;
  }
  int mask = 0, next = 1;
  for (int a = 0; a < e.args; ++a) {
    int i = constraint_of[static_cast<std::size_t>(a)];
    if (i < 0) continue;
    mask |= 1 << a;
    info->aConstraintUsage[i].argvIndex = next++;
    info->aConstraintUsage[i].omit = 1;
  }
  info->idxNum = mask;
  info->estimatedCost = mask == (1 << e.args) - 1 ? 10.0 : 1e12;
  info->estimatedRows = 10;
  return SQLITE_OK;
}

int vt_open(sqlite3_vtab*, sqlite3_vtab_cursor** out) {
  *out = new TableCursor();
  return SQLITE_OK;
}

int vt_close(sqlite3_vtab_cursor* cur) {
  delete static_cast<TableCursor*>(cur);
  return SQLITE_OK;
}

int vt_filter(sqlite3_vtab_cursor* base, int mask, const char*, int argc, sqlite3_value** argv) {
  auto* cur = static_cast<TableCursor*>(base);
  auto* vtab = static_cast<TableVtab*>(base->pVtab);
  const TableEntry& e = vtab->binding->entry;
  if (mask != (1 << e.args) - 1) {
    vtab->zErrMsg = sqlite3_mprintf(
        "An insufficient number of arguments were supplied for the procedure or function %s.",
        e.name.c_str());
    return SQLITE_ERROR;
  }
  cur->args = read_args(argc, argv);
  cur->row = 0;
  try {
    cur->rows = e.fn(vtab->binding->bridge->session, cur->args);
  } catch (const ServerError& err) {
    vtab->zErrMsg = sqlite3_mprintf("%s", err.message.c_str());
    return SQLITE_ERROR;
  } catch (const std::exception& err) {
    vtab->zErrMsg = sqlite3_mprintf("%s: %s", e.name.c_str(), err.what());
    return SQLITE_ERROR;
  }
  return SQLITE_OK;
}

int vt_next(sqlite3_vtab_cursor* base) {
  ++static_cast<TableCursor*>(base)->row;
  return SQLITE_OK;
}

int vt_eof(sqlite3_vtab_cursor* base) {
  auto* cur = static_cast<TableCursor*>(base);
  return cur->row >= cur->rows.rows.size();
}

int vt_column(sqlite3_vtab_cursor* base, sqlite3_context* ctx, int k) {
  auto* cur = static_cast<TableCursor*>(base);
  auto columns =
      static_cast<int>(static_cast<TableVtab*>(base->pVtab)->binding->entry.columns.size());
  auto index = static_cast<std::size_t>(k < columns ? k : k - columns);
  const auto& source = k < columns ? cur->rows.rows[cur->row] : cur->args;
  result_value(ctx, index < source.size() ? source[index] : SqlValue::null());
  return SQLITE_OK;
}

int vt_rowid(sqlite3_vtab_cursor* base, sqlite3_int64* rowid) {
  *rowid = static_cast<sqlite3_int64>(static_cast<TableCursor*>(base)->row) + 1;
  return SQLITE_OK;
}

// Eponymous-only: no xCreate, so the function exists in every schema without CREATE VIRTUAL TABLE.
sqlite3_module make_module() {
  sqlite3_module m;
  std::memset(&m, 0, sizeof m);
  m.xConnect = vt_connect;
  m.xBestIndex = vt_best_index;
  m.xDisconnect = vt_disconnect;
  m.xOpen = vt_open;
  m.xClose = vt_close;
  m.xFilter = vt_filter;
  m.xNext = vt_next;
  m.xEof = vt_eof;
  m.xColumn = vt_column;
  m.xRowid = vt_rowid;
  return m;
}

const sqlite3_module kTableModule = make_module();

}  // namespace

void register_server_objects(sqlite3* db, std::shared_ptr<dialect::TranslationCache> translations) {
  auto bridge = std::make_shared<Bridge>(db, std::move(translations));
  for (auto& entry : server_objects().scalars()) {
    auto* binding = new ScalarBinding{bridge, entry};
    sqlite3_create_function_v2(db, entry.name.c_str(), entry.args, SQLITE_UTF8, binding,
                               call_scalar, nullptr, nullptr,
                               [](void* p) { delete static_cast<ScalarBinding*>(p); });
  }
  for (auto& entry : server_objects().tables()) {
    if (entry.args < 0 || entry.args > 30 || entry.columns.empty()) continue;
    auto* binding = new TableBinding{bridge, entry};
    sqlite3_create_module_v2(db, entry.name.c_str(), &kTableModule, binding,
                             [](void* p) { delete static_cast<TableBinding*>(p); });
  }
}

}  // namespace orv::sql::sqlite
