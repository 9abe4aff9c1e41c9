#include "StateSchema.h"

namespace oraclesim {

void createStateSchema(SqliteDb& db) {
    // Readers (a test looking at rows) and the writing program do not block each other.
    db.exec("PRAGMA journal_mode = WAL");
    db.exec(R"SQL(
CREATE TABLE IF NOT EXISTS settings(
    key TEXT PRIMARY KEY,
    value TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS services(
    name TEXT PRIMARY KEY COLLATE NOCASE,
    host TEXT NOT NULL DEFAULT 'localhost',
    port INTEGER NOT NULL DEFAULT 1521);
CREATE TABLE IF NOT EXISTS accounts(
    service TEXT NOT NULL COLLATE NOCASE,
    user TEXT NOT NULL,
    password TEXT NOT NULL,
    other_schemas INTEGER NOT NULL DEFAULT 0,
    status TEXT NOT NULL DEFAULT 'open'
        CHECK(status IN ('open', 'expiring', 'expired', 'locked')),
    PRIMARY KEY(service, user));
CREATE TABLE IF NOT EXISTS failures(
    id INTEGER PRIMARY KEY,
    scope TEXT NOT NULL CHECK(scope IN ('session', 'file')),
    nth INTEGER NOT NULL,
    ora INTEGER NOT NULL,
    message TEXT NOT NULL DEFAULT '');
CREATE TABLE IF NOT EXISTS sessions(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    service TEXT NOT NULL,
    user TEXT NOT NULL,
    pid INTEGER NOT NULL,
    threaded INTEGER NOT NULL,
    charset INTEGER NOT NULL,
    ended TEXT);
CREATE TABLE IF NOT EXISTS logons(
    seq INTEGER PRIMARY KEY AUTOINCREMENT,
    connect TEXT NOT NULL,
    user TEXT NOT NULL,
    session_id INTEGER,
    ora INTEGER NOT NULL,
    message TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS statements(
    seq INTEGER PRIMARY KEY AUTOINCREMENT,
    session_id INTEGER NOT NULL,
    session_seq INTEGER NOT NULL,
    user TEXT NOT NULL,
    text BLOB NOT NULL,
    iters INTEGER NOT NULL,
    ora INTEGER NOT NULL,
    message TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS tables(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    owner TEXT NOT NULL,
    name TEXT NOT NULL,
    UNIQUE(owner, name));
CREATE TABLE IF NOT EXISTS columns(
    table_id INTEGER NOT NULL REFERENCES tables(id) ON DELETE CASCADE,
    position INTEGER NOT NULL,
    name TEXT NOT NULL,
    type TEXT NOT NULL,
    kind TEXT NOT NULL,
    length INTEGER NOT NULL,
    char_semantics INTEGER NOT NULL,
    precision INTEGER NOT NULL,
    scale INTEGER NOT NULL,
    not_null INTEGER NOT NULL,
    PRIMARY KEY(table_id, position));
CREATE TABLE IF NOT EXISTS constraints(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    table_id INTEGER NOT NULL REFERENCES tables(id) ON DELETE CASCADE,
    owner TEXT NOT NULL,
    name TEXT NOT NULL,
    kind TEXT NOT NULL CHECK(kind IN ('P', 'U')),
    columns TEXT NOT NULL,
    UNIQUE(owner, name));
CREATE TABLE IF NOT EXISTS rows(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    table_id INTEGER NOT NULL REFERENCES tables(id) ON DELETE CASCADE);
CREATE INDEX IF NOT EXISTS rows_by_table ON rows(table_id);
CREATE TABLE IF NOT EXISTS cells(
    row_id INTEGER NOT NULL REFERENCES rows(id) ON DELETE CASCADE,
    position INTEGER NOT NULL,
    value BLOB,
    PRIMARY KEY(row_id, position));
CREATE TABLE IF NOT EXISTS unique_keys(
    constraint_id INTEGER NOT NULL REFERENCES constraints(id) ON DELETE CASCADE,
    key BLOB NOT NULL,
    row_id INTEGER NOT NULL REFERENCES rows(id) ON DELETE CASCADE,
    PRIMARY KEY(constraint_id, key));
)SQL");
}

std::string readSetting(SqliteDb& db, const std::string& key, const std::string& fallback) {
    auto query = db.prepare("SELECT value FROM settings WHERE key = ?");
    query.bind(1, key);
    if (query.step())
        return query.text(0);
    return fallback;
}

Settings readSettings(SqliteDb& db) {
    Settings settings;
    auto query = db.prepare("SELECT key, value FROM settings");
    while (query.step())
        settings.emplace(query.text(0), query.text(1));
    return settings;
}

std::string setting(const Settings& settings, const std::string& key, const std::string& fallback) {
    const auto found = settings.find(key);
    return found == settings.end() ? fallback : found->second;
}

void writeSetting(SqliteDb& db, const std::string& key, const std::string& value) {
    auto update = db.prepare("INSERT INTO settings(key, value) VALUES(?, ?) "
                             "ON CONFLICT(key) DO UPDATE SET value = excluded.value");
    update.bind(1, key).bind(2, value).run();
}

} // namespace oraclesim
