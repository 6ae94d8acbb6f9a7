// Scratch tables over driver connections, thread numbers, and the reset of every table.
#include "platform/sql/scratch_table.hpp"

#include <algorithm>
#include <atomic>

#include "platform/text/numbers.hpp"
#include "platform/text/text.hpp"

namespace orv::sql {
namespace {

// Every module-wide table and every per-thread family, so that a host switching drivers (or a
// test) can drop their connections, and a thread's end can drop its instances.
struct Registry {
  std::mutex mutex;
  std::vector<ScratchTable*> tables;
  std::vector<ThreadedScratchTable*> threaded;
};

Registry& registry() {
  static Registry r;
  return r;
}

template <class T>
void unlist(std::vector<T*>& list, T* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

void forget_thread(int32_t key) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  for (ThreadedScratchTable* t : r.threaded) t->forget(key);
}

struct ThreadGuard {
  int32_t key;
  ~ThreadGuard() { forget_thread(key); }
};

std::atomic<int32_t> g_next_key{1};

// A backend that keeps no binary values has no message of its own to give.
std::string blob_message(const Connection& c, const BlobCell& cell) {
  std::string m = c.message();
  return m.empty() ? "binary values cannot be kept here: " + cell.describe() : m;
}

}  // namespace

int32_t thread_key() {
  thread_local ThreadGuard guard{g_next_key.fetch_add(1)};
  return guard.key;
}

// ---------------------------------------------------------------------------------------------
// ScratchTable

ScratchTable::ScratchTable(std::string name, RecordLayout layout, bool keep_connection)
    : ScratchTable(std::move(name), layout, keep_connection, /*listed=*/true) {}

ScratchTable::ScratchTable(std::string name, RecordLayout layout, bool keep_connection, bool listed)
    : name_(std::move(name)), layout_(layout), keep_connection_(keep_connection), listed_(listed) {
  if (!listed_) return;
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  r.tables.push_back(this);
}

ScratchTable::~ScratchTable() {
  if (!listed_) return;
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  unlist(r.tables, this);
}

void ScratchTable::fail(int code, std::string message) {
  error_ = code;
  message_ = std::move(message);
}

int ScratchTable::open_locked() {
  if (open_) return kOk;
  Driver* driver = current_driver();
  // A connection made by another driver than the current one belongs to a database the host has
  // left; it is never reused.
  if (connection_ && driver_ != driver) connection_.reset();
  if (!connection_) {
    if (!driver) {
      open_error_ = "no database is open";
      fail(kOther, open_error_);
      return error_;
    }
    std::string error;
    connection_ = driver->connect(error);
    if (!connection_) {
      open_error_ = error.empty() ? "cannot connect to the database" : error;
      fail(kOther, open_error_);
      return error_;
    }
    driver_ = driver;
    ++connects_;
  }
  open_ = true;
  ++opens_;
  open_error_.clear();
  fail(kOk, {});
  return kOk;
}

void ScratchTable::close_locked() {
  if (connection_) connection_->clear();
  if (!keep_connection_) connection_.reset();
  open_ = false;
  has_row_ = false;
}

int ScratchTable::open() {
  std::lock_guard lock(mutex_);
  return open_locked();
}

void ScratchTable::close() {
  std::lock_guard lock(mutex_);
  close_locked();
}

int ScratchTable::reopen() {
  std::lock_guard lock(mutex_);
  close_locked();
  connection_.reset();
  return open_locked();
}

void ScratchTable::discard() {
  std::lock_guard lock(mutex_);
  close_locked();
  connection_.reset();
}

bool ScratchTable::is_open() const {
  std::lock_guard lock(mutex_);
  return open_;
}

void ScratchTable::clear() {
  std::lock_guard lock(mutex_);
  record_.clear();
  has_row_ = false;
}

int ScratchTable::send(std::string_view statement) {
  std::lock_guard lock(mutex_);
  sql_text_ = text::clip(statement);
  has_row_ = false;
  if (!open_ || !connection_) {
    // The reason the open failed is the most useful message the caller can get.
    fail(kNotOpen,
         error_ != kOk && !message_.empty() ? message_ : "table " + name_ + " is not open");
    return error_;
  }
  if (auto nul = sql_text_.find('\0'); nul != std::string::npos) {
    connection_->clear();
    fail(kRejected, "the statement holds a NUL character at position " + std::to_string(nul + 1));
    return error_;
  }
  int code = connection_->send(sql_text_);
  fail(code, code == kOk ? std::string() : connection_->message());
  return code;
}

int ScratchTable::read_blob(const BlobCell& cell, Blob& out) {
  std::lock_guard lock(mutex_);
  out = {};
  has_row_ = false;
  if (!open_ || !connection_) {
    fail(kNotOpen, "table " + name_ + " is not open");
    return error_;
  }
  int code = connection_->read_blob(cell, out);
  fail(code, code == kOk ? std::string() : blob_message(*connection_, cell));
  return code;
}

int ScratchTable::write_blob(const BlobCell& cell, std::span<const unsigned char> bytes) {
  std::lock_guard lock(mutex_);
  has_row_ = false;
  if (!open_ || !connection_) {
    fail(kNotOpen, "table " + name_ + " is not open");
    return error_;
  }
  int code = connection_->write_blob(cell, bytes);
  fail(code, code == kOk ? std::string() : blob_message(*connection_, cell));
  return code;
}

int ScratchTable::insert_rows(const BoundRows& rows) {
  std::lock_guard lock(mutex_);
  has_row_ = false;
  if (!open_ || !connection_) {
    fail(kNotOpen, "table " + name_ + " is not open");
    return error_;
  }
  int code = connection_->insert_rows(rows);
  std::string m = code == kOk ? std::string() : connection_->message();
  fail(code, code != kOk && m.empty() ? "the rows could not be inserted into " + rows.table : m);
  return code;
}

bool ScratchTable::next() {
  std::lock_guard lock(mutex_);
  record_.clear();
  nulls_.clear();
  cuts_.clear();
  has_row_ = false;
  if (!open_ || !connection_ || !connection_->next()) return false;
  std::size_t n = connection_->columns();
  record_.reserve(n);
  for (std::size_t k = 0; k < n; ++k) {
    std::size_t size = k == 0 ? layout_.first_field : layout_.other_fields;
    std::string value = connection_->column(k);
    cuts_.push_back(value.size() > size);
    if (value.size() > size) value.resize(size);
    record_.push_back(std::move(value));
    nulls_.push_back(connection_->null(k));
  }
  has_row_ = true;
  return true;
}

bool ScratchTable::next_result() {
  std::lock_guard lock(mutex_);
  record_.clear();
  nulls_.clear();
  cuts_.clear();
  has_row_ = false;
  return open_ && connection_ && connection_->next_result();
}

std::string ScratchTable::field(std::size_t k) const {
  std::lock_guard lock(mutex_);
  return k >= 1 && k <= record_.size() ? record_[k - 1] : std::string();
}

double ScratchTable::real_field(std::size_t k) const {
  return text::real_of(field(k));
}
int32_t ScratchTable::long_field(std::size_t k) const {
  return text::long_of(field(k));
}
uint8_t ScratchTable::byte_field(std::size_t k) const {
  return text::byte_of(field(k));
}

bool ScratchTable::null(std::size_t k) const {
  std::lock_guard lock(mutex_);
  return k >= 1 && k <= record_.size() && k <= nulls_.size() && nulls_[k - 1];
}

bool ScratchTable::cut(std::size_t k) const {
  std::lock_guard lock(mutex_);
  return k >= 1 && k <= record_.size() && k <= cuts_.size() && cuts_[k - 1];
}

std::size_t ScratchTable::fields() const {
  std::lock_guard lock(mutex_);
  return record_.size();
}

bool ScratchTable::has_row() const {
  std::lock_guard lock(mutex_);
  return has_row_;
}

std::string ScratchTable::sql_text() const {
  std::lock_guard lock(mutex_);
  return sql_text_;
}

int ScratchTable::error() const {
  std::lock_guard lock(mutex_);
  return error_;
}

std::string ScratchTable::message() const {
  std::lock_guard lock(mutex_);
  return message_;
}

std::optional<std::string> ScratchTable::variable(std::string_view name) const {
  std::lock_guard lock(mutex_);
  if (!connection_) return std::nullopt;
  return connection_->variable(name);
}

std::size_t ScratchTable::opens() const {
  std::lock_guard lock(mutex_);
  return opens_;
}

std::size_t ScratchTable::connects() const {
  std::lock_guard lock(mutex_);
  return connects_;
}

void ScratchTable::reset() {
  std::lock_guard lock(mutex_);
  connection_.reset();
  driver_ = nullptr;
  open_ = false;
  record_.clear();
  has_row_ = false;
  sql_text_.clear();
  open_error_.clear();
  fail(kOk, {});
  opens_ = connects_ = 0;
}

// ---------------------------------------------------------------------------------------------
// ThreadedScratchTable

ThreadedScratchTable::ThreadedScratchTable(std::string name, RecordLayout layout)
    : name_(std::move(name)), layout_(layout) {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  r.threaded.push_back(this);
}

ThreadedScratchTable::~ThreadedScratchTable() {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  unlist(r.threaded, this);
}

ScratchTable& ThreadedScratchTable::mine() {
  int32_t key = thread_key();
  std::lock_guard lock(mutex_);
  auto& slot = tables_[key];
  if (!slot)
    slot.reset(new ScratchTable(name_, layout_, /*keep_connection=*/true, /*listed=*/false));
  return *slot;
}

void ThreadedScratchTable::forget(int32_t thread) {
  std::unique_ptr<ScratchTable> gone;
  {
    std::lock_guard lock(mutex_);
    auto at = tables_.find(thread);
    if (at == tables_.end()) return;
    gone = std::move(at->second);
    tables_.erase(at);
    dropped_opens_ += gone->opens();
    dropped_connects_ += gone->connects();
  }
}

void ThreadedScratchTable::reset() {
  std::map<int32_t, std::unique_ptr<ScratchTable>> gone;
  std::lock_guard lock(mutex_);
  gone.swap(tables_);
  dropped_opens_ = dropped_connects_ = 0;
}

std::size_t ThreadedScratchTable::instances() const {
  std::lock_guard lock(mutex_);
  return tables_.size();
}

std::size_t ThreadedScratchTable::opens() const {
  std::lock_guard lock(mutex_);
  std::size_t n = dropped_opens_;
  for (const auto& [key, table] : tables_) n += table->opens();
  return n;
}

std::size_t ThreadedScratchTable::connects() const {
  std::lock_guard lock(mutex_);
  std::size_t n = dropped_connects_;
  for (const auto& [key, table] : tables_) n += table->connects();
  return n;
}

// ---------------------------------------------------------------------------------------------

void reset_scratch_tables() {
  Registry& r = registry();
  std::lock_guard lock(r.mutex);
  for (ScratchTable* t : r.tables) t->reset();
  for (ThreadedScratchTable* t : r.threaded) t->reset();
}

}  // namespace orv::sql
