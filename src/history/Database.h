#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <variant>

struct sqlite3;
struct sqlite3_stmt;

namespace pulsewell::history {

// A failed SQLite call: its result code and SQLite's words for it.
class DatabaseError : public std::runtime_error {
  public:
    DatabaseError(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
    int Code() const { return code_; }
    // The file is no SQLite database, or its pages do not hold together.
    bool Damaged() const;

  private:
    int code_;
};

// A column's value: SQL's NULL, an integer or a real.
using ColumnValue = std::variant<std::monostate, std::int64_t, double>;

// One open connection; closed with the object.
class Database {
  public:
    explicit Database(const std::string& path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    sqlite3* Handle() const { return db_; }
    void Execute(const std::string& sql);
    // Throws unless `code` is SQLITE_OK, SQLITE_ROW or SQLITE_DONE.
    void Check(int code) const {
        if (code != 0 && code != 100 && code != 101) {
            Fail(code);
        }
    }

  private:
    [[noreturn]] void Fail(int code) const;

    sqlite3* db_ = nullptr;
};

// A prepared statement, reset before each use.
class Statement {
  public:
    Statement(Database& db, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Parameters count from 1, as in the SQL's ?1, ?2 ...
    Statement& Bind(int index, std::int64_t value);
    Statement& Bind(int index, const std::string& value);
    Statement& Bind(int index, std::optional<std::int64_t> value);
    Statement& Bind(int index, std::optional<double> value);
    Statement& Bind(int index, const ColumnValue& value);
    Statement& Bind(int index, std::span<const unsigned char> blob);
    // True while there is a row to read.
    bool Step();
    void Run();
    std::int64_t Integer(int column) const;
    double Real(int column) const;
    std::string Text(int column) const;
    bool Null(int column) const;
    std::optional<std::int64_t> OptionalInteger(int column) const;
    std::optional<double> OptionalReal(int column) const;
    // Valid until the next step.
    std::span<const unsigned char> Blob(int column) const;

  private:
    Database& db_;
    sqlite3_stmt* statement_ = nullptr;
    bool fresh_ = true;
};

// BEGIN IMMEDIATE, so that two writers wait for each other at the start
// rather than fail part way; rolled back unless committed.
class Transaction {
  public:
    explicit Transaction(Database& db);
    ~Transaction();
    void Commit();

  private:
    Database& db_;
    bool open_ = true;
};

}  // namespace pulsewell::history
