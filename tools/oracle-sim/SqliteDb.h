#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace oraclesim {

class SqliteStatement;

// One connection to the state file. Every failure throws std::runtime_error: a broken state
// file is a fault of the test set-up, never an Oracle error.
class SqliteDb {
public:
    enum class OpenMode { MustExist, Create };

    SqliteDb(const std::string& path, OpenMode mode);
    ~SqliteDb();
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    void exec(const std::string& sql);
    SqliteStatement prepare(std::string_view sql);
    std::int64_t lastInsertId() const;
    int changes() const;
    sqlite3* handle() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
};

class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&&) = delete;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    SqliteStatement& bind(int index, std::int64_t value);
    SqliteStatement& bind(int index, const std::string& value);
    SqliteStatement& bind(int index, const std::optional<std::string>& value);
    SqliteStatement& bindNull(int index);

    // True while a row is available.
    bool step();
    void run();
    void reset();

    std::int64_t integer(int column) const;
    std::string text(int column) const;
    std::optional<std::string> optionalText(int column) const;
    bool isNull(int column) const;

private:
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
};

} // namespace oraclesim
