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
    // A connection with statements left is not closed by SQLite, only made a zombie.
    for (auto& entry : m_cache)
        sqlite3_finalize(entry.second.stmt);
    m_cache.clear();
    sqlite3_close_v2(m_db);
}

void SqliteDb::exec(const std::string& sql) {
    // Several statements in one text (the layout) go through sqlite3_exec; single ones,
    // such as BEGIN and COMMIT for every Oracle statement, are kept compiled.
    if (sql.find(';') == std::string::npos) {
        std::optional<SqliteStatement> statement;
        try {
            statement.emplace(prepare(sql));
            statement->run();
        } catch (const std::runtime_error&) {
            throw std::runtime_error(std::string("oracle-sim state: ") + sqlite3_errmsg(m_db) +
                                     " in: " + sql);
        }
        return;
    }
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        std::string text = message ? message : "unknown error";
        sqlite3_free(message);
        throw std::runtime_error("oracle-sim state: " + text + " in: " + sql);
    }
}

SqliteStatement SqliteDb::prepare(std::string_view sql) {
    auto found = m_cache.find(sql);
    if (found != m_cache.end() && !found->second.inUse) {
        found->second.inUse = true;
        return SqliteStatement(m_db, found->second.stmt, &found->second.inUse);
    }
    const bool cache = found == m_cache.end();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v3(m_db, sql.data(), static_cast<int>(sql.size()),
                           cache ? SQLITE_PREPARE_PERSISTENT : 0, &stmt, nullptr) != SQLITE_OK)
        fail(m_db, "prepare " + std::string(sql));
    // The same text already in use further up the stack gets a statement of its own.
    if (!cache)
        return SqliteStatement(m_db, stmt, nullptr);
    auto& entry = m_cache.emplace(std::string(sql), CachedStatement{stmt, true}).first->second;
    return SqliteStatement(m_db, stmt, &entry.inUse);
}

std::int64_t SqliteDb::lastInsertId() const {
    return sqlite3_last_insert_rowid(m_db);
}

int SqliteDb::changes() const {
    return sqlite3_changes(m_db);
}

std::int64_t SqliteDb::dataVersion() {
    auto query = prepare("PRAGMA data_version");
    if (!query.step())
        fail(m_db, "PRAGMA data_version");
    return query.integer(0);
}

SqliteStatement::SqliteStatement(sqlite3* db, sqlite3_stmt* stmt, bool* inUse)
    : m_db(db), m_stmt(stmt), m_inUse(inUse) {}

SqliteStatement::~SqliteStatement() {
    if (!m_stmt)
        return;
    if (!m_inUse) {
        sqlite3_finalize(m_stmt);
        return;
    }
    reset();
    *m_inUse = false;
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : m_db(other.m_db), m_stmt(other.m_stmt), m_inUse(other.m_inUse) {
    other.m_stmt = nullptr;
    other.m_inUse = nullptr;
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
