#include "SqliteDb.h"

#include <sqlite3.h>

#include <stdexcept>

namespace oraclesim {

namespace {

[[noreturn]] void fail(sqlite3* db, const std::string& what) {
    throw std::runtime_error("oracle-sim state: " + what + ": " +
                             (db ? sqlite3_errmsg(db) : "out of memory"));
}

} // namespace

SqliteDb::SqliteDb(const std::string& path, OpenMode mode) {
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX |
                      (mode == OpenMode::Create ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
        std::string message = m_db ? sqlite3_errmsg(m_db) : "out of memory";
        sqlite3_close(m_db);
        m_db = nullptr;
        throw std::runtime_error("oracle-sim state: cannot open " + path + ": " + message);
    }
    // Several processes (the program, a test, the admin tool) share the file; writers wait
    // for each other instead of failing.
    sqlite3_busy_timeout(m_db, 30000);
    exec("PRAGMA foreign_keys = ON");
    // Only a process that dies matters to the tests, never a machine that does: no syncs.
    exec("PRAGMA synchronous = OFF");
}

SqliteDb::~SqliteDb() {
    sqlite3_close_v2(m_db);
}

void SqliteDb::exec(const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::string text = message ? message : "unknown error";
        sqlite3_free(message);
        throw std::runtime_error("oracle-sim state: " + text + " in: " + sql);
    }
}

SqliteStatement SqliteDb::prepare(std::string_view sql) {
    return SqliteStatement(m_db, sql);
}

std::int64_t SqliteDb::lastInsertId() const {
    return sqlite3_last_insert_rowid(m_db);
}

int SqliteDb::changes() const {
    return sqlite3_changes(m_db);
}

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) : m_db(db) {
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &m_stmt, nullptr) !=
        SQLITE_OK)
        fail(db, "prepare " + std::string(sql));
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(m_stmt);
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : m_db(other.m_db), m_stmt(other.m_stmt) {
    other.m_stmt = nullptr;
}

SqliteStatement& SqliteStatement::bind(int index, std::int64_t value) {
    if (sqlite3_bind_int64(m_stmt, index, value) != SQLITE_OK)
        fail(m_db, "bind");
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, const std::string& value) {
    // Text keeps its exact bytes (SQLite does not check the encoding) and still compares
    // with COLLATE NOCASE where the layout asks for it.
    if (sqlite3_bind_text64(m_stmt, index, value.data(), value.size(), SQLITE_TRANSIENT,
                            SQLITE_UTF8) != SQLITE_OK)
        fail(m_db, "bind");
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, const std::optional<std::string>& value) {
    return value ? bind(index, *value) : bindNull(index);
}

SqliteStatement& SqliteStatement::bindNull(int index) {
    if (sqlite3_bind_null(m_stmt, index) != SQLITE_OK)
        fail(m_db, "bind");
    return *this;
}

bool SqliteStatement::step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail(m_db, "step");
}

void SqliteStatement::run() {
    while (step()) {
    }
    reset();
}

void SqliteStatement::reset() {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

std::int64_t SqliteStatement::integer(int column) const {
    return sqlite3_column_int64(m_stmt, column);
}

std::string SqliteStatement::text(int column) const {
    const void* data = sqlite3_column_blob(m_stmt, column);
    const int size = sqlite3_column_bytes(m_stmt, column);
    if (!data || size <= 0)
        return {};
    return std::string(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

std::optional<std::string> SqliteStatement::optionalText(int column) const {
    if (isNull(column))
        return std::nullopt;
    return text(column);
}

bool SqliteStatement::isNull(int column) const {
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

} // namespace oraclesim
