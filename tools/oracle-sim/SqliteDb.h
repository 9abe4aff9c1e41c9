#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

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
    // Compiled once per connection and kept: the simulator runs the same few queries for
    // every Oracle statement, and compiling them was most of its cost. The statement must
    // not outlive the connection.
    SqliteStatement prepare(std::string_view sql);
    std::int64_t lastInsertId() const;
    int changes() const;
    // Moves whenever another connection (or process) commits a change to the file.
    std::int64_t dataVersion();
    sqlite3* handle() const { return m_db; }

private:
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    struct CachedStatement {
        sqlite3_stmt* stmt = nullptr;
        bool inUse = false;
    };

    sqlite3* m_db = nullptr;
    // Node-based, so an entry's inUse flag stays where a statement points to it.
    std::unordered_map<std::string, CachedStatement, TextHash, std::equal_to<>> m_cache;
};

// A compiled statement in use. It is reset and its bindings cleared when it goes away, even
// when its user throws, so a cached statement never keeps a read open.
class SqliteStatement {
public:
    // inUse: the cache entry's flag, or null for a statement this object finalizes.
    SqliteStatement(sqlite3* db, sqlite3_stmt* stmt, bool* inUse);
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
    bool* m_inUse = nullptr;
};

} // namespace oraclesim
