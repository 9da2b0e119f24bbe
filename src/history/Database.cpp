#include "history/Database.h"

#include <sqlite3.h>

namespace pulsewell::history {

bool DatabaseError::Damaged() const {
    const int primary = code_ & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

static_assert(SQLITE_OK == 0 && SQLITE_ROW == 100 && SQLITE_DONE == 101, "Database::Check");

Database::Database(const std::string& path) {
    const int code =
        sqlite3_open_v2(path.c_str(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code != SQLITE_OK) {
        const std::string what = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
        sqlite3_close(db_);
        db_ = nullptr;
        throw DatabaseError(code, what);
    }
    sqlite3_extended_result_codes(db_, 1);
}

Database::~Database() {
    sqlite3_close_v2(db_);
}

// Out of line: the checks of every bind and step stay small.
[[noreturn]] void Database::Fail(int code) const {
    throw DatabaseError(code, sqlite3_errmsg(db_));
}

void Database::Execute(const std::string& sql) {
    Check(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr));
}

Statement::Statement(Database& db, const char* sql) : db_(db) {
    db_.Check(
        sqlite3_prepare_v3(db_.Handle(), sql, -1, SQLITE_PREPARE_PERSISTENT, &statement_, nullptr));
}

Statement::~Statement() {
    sqlite3_finalize(statement_);
}

Statement& Statement::Bind(int index, std::int64_t value) {
    if (!fresh_) {
        sqlite3_reset(statement_);
        fresh_ = true;
    }
    db_.Check(sqlite3_bind_int64(statement_, index, value));
    return *this;
}

Statement& Statement::Bind(int index, const std::string& value) {
    if (!fresh_) {
        sqlite3_reset(statement_);
        fresh_ = true;
    }
    db_.Check(sqlite3_bind_text(statement_, index, value.data(), static_cast<int>(value.size()),
                                SQLITE_TRANSIENT));
    return *this;
}

Statement& Statement::Bind(int index, std::optional<std::int64_t> value) {
    if (value) {
        return Bind(index, *value);
    }
    if (!fresh_) {
        sqlite3_reset(statement_);
        fresh_ = true;
    }
    db_.Check(sqlite3_bind_null(statement_, index));
    return *this;
}

Statement& Statement::Bind(int index, std::optional<double> value) {
    if (!fresh_) {
        sqlite3_reset(statement_);
        fresh_ = true;
    }
    db_.Check(value ? sqlite3_bind_double(statement_, index, *value)
                    : sqlite3_bind_null(statement_, index));
    return *this;
}

Statement& Statement::Bind(int index, const ColumnValue& value) {
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        return Bind(index, *integer);
    }
    if (const auto* real = std::get_if<double>(&value)) {
        return Bind(index, std::optional(*real));
    }
    return Bind(index, std::optional<double>());
}

Statement& Statement::Bind(int index, std::span<const unsigned char> blob) {
    if (!fresh_) {
        sqlite3_reset(statement_);
        fresh_ = true;
    }
    db_.Check(sqlite3_bind_blob(statement_, index, blob.data(), static_cast<int>(blob.size()),
                                SQLITE_TRANSIENT));
    return *this;
}

bool Statement::Step() {
    if (!fresh_ && sqlite3_stmt_busy(statement_) == 0) {
        sqlite3_reset(statement_);
    }
    fresh_ = false;
    const int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW) {
        return true;
    }
    sqlite3_reset(statement_);
    fresh_ = true;
    db_.Check(code);
    return false;
}

void Statement::Run() {
    while (Step()) {
    }
}

std::int64_t Statement::Integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

double Statement::Real(int column) const {
    return sqlite3_column_double(statement_, column);
}

std::string Statement::Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return text ? std::string(text, sqlite3_column_bytes(statement_, column)) : std::string();
}

bool Statement::Null(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

std::optional<std::int64_t> Statement::OptionalInteger(int column) const {
    if (Null(column)) {
        return std::nullopt;
    }
    return Integer(column);
}

std::optional<double> Statement::OptionalReal(int column) const {
    if (Null(column)) {
        return std::nullopt;
    }
    return Real(column);
}

std::span<const unsigned char> Statement::Blob(int column) const {
    const auto* data = static_cast<const unsigned char*>(sqlite3_column_blob(statement_, column));
    return {data, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column))};
}

Transaction::Transaction(Database& db) : db_(db) {
    db_.Execute("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    if (open_) {
        sqlite3_exec(db_.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void Transaction::Commit() {
    db_.Execute("COMMIT");
    open_ = false;
}

}  // namespace pulsewell::history
