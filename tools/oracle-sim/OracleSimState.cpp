#include "OracleSimState.h"

#include "SimSession.h"
#include "SqliteDb.h"
#include "StateSchema.h"

#include <cstdio>
#include <stdexcept>

using oraclesim::SqliteDb;

OracleSimState::OracleSimState(std::string path, std::unique_ptr<SqliteDb> db)
    : m_path(std::move(path)), m_db(std::move(db)) {}

OracleSimState::OracleSimState(OracleSimState&&) noexcept = default;
OracleSimState& OracleSimState::operator=(OracleSimState&&) noexcept = default;
OracleSimState::~OracleSimState() = default;

OracleSimState OracleSimState::create(const std::string& path) {
    std::remove(path.c_str());
    for (const char* suffix : {"-journal", "-wal", "-shm"})
        std::remove((path + suffix).c_str());
    auto db = std::make_unique<SqliteDb>(path, SqliteDb::OpenMode::Create);
    oraclesim::createStateSchema(*db);
    return OracleSimState(path, std::move(db));
}

OracleSimState OracleSimState::open(const std::string& path) {
    auto db = std::make_unique<SqliteDb>(path, SqliteDb::OpenMode::MustExist);
    oraclesim::createStateSchema(*db);
    return OracleSimState(path, std::move(db));
}

void OracleSimState::addService(const std::string& name, const std::string& host, int port) {
    m_db->prepare("INSERT OR REPLACE INTO services(name, host, port) VALUES(?, ?, ?)")
        .bind(1, name)
        .bind(2, host)
        .bind(3, static_cast<std::int64_t>(port))
        .run();
}

void OracleSimState::addAccount(const std::string& service, const std::string& user,
                                const std::string& password, bool mayActOnOtherSchemas) {
    m_db->prepare("INSERT OR REPLACE INTO accounts(service, user, password, other_schemas) "
                  "VALUES(?, ?, ?, ?)")
        .bind(1, service)
        .bind(2, oraclesim::normalUser(user))
        .bind(3, password)
        .bind(4, static_cast<std::int64_t>(mayActOnOtherSchemas ? 1 : 0))
        .run();
}

void OracleSimState::setAccountStatus(const std::string& service, const std::string& user,
                                      AccountStatus status) {
    const char* names[] = {"open", "expiring", "expired", "locked"};
    auto update = m_db->prepare("UPDATE accounts SET status = ? WHERE service = ? AND user = ?");
    update.bind(1, std::string(names[static_cast<int>(status)]))
        .bind(2, service)
        .bind(3, oraclesim::normalUser(user));
    update.run();
    if (m_db->changes() == 0)
        throw std::runtime_error("oracle-sim state: no account " + user + " for " + service);
}

void OracleSimState::failStatement(FailScope scope, int nth, int oraNumber,
                                   const std::string& text) {
    m_db->prepare("INSERT INTO failures(scope, nth, ora, message) VALUES(?, ?, ?, ?)")
        .bind(1, std::string(scope == FailScope::Session ? "session" : "file"))
        .bind(2, static_cast<std::int64_t>(nth))
        .bind(3, static_cast<std::int64_t>(oraNumber))
        .bind(4, text)
        .run();
}

void OracleSimState::clearFailures() {
    m_db->exec("DELETE FROM failures");
}

void OracleSimState::setUnavailable(bool unavailable) {
    oraclesim::writeSetting(*m_db, "unavailable", unavailable ? "1" : "0");
}

void OracleSimState::setWording(Wording wording) {
    oraclesim::writeSetting(*m_db, "wording", wording == Wording::Oracle23ai ? "23ai" : "classic");
}

void OracleSimState::setGermanMessages(bool german) {
    oraclesim::writeSetting(*m_db, "language", german ? "german" : "english");
}

void OracleSimState::setIdentifierLimit(int bytes) {
    oraclesim::writeSetting(*m_db, "identifier_limit", std::to_string(bytes));
}

void OracleSimState::setExtendedStringSize(bool extended) {
    oraclesim::writeSetting(*m_db, "max_string_size", extended ? "EXTENDED" : "STANDARD");
}

void OracleSimState::setStatementDelay(std::chrono::milliseconds delay) {
    oraclesim::writeSetting(*m_db, "delay_ms", std::to_string(delay.count()));
}

std::optional<std::string> OracleSimState::executeAs(const std::string& user,
                                                     const std::string& statement) {
    oraclesim::SimSession session(
        std::make_unique<SqliteDb>(m_path, SqliteDb::OpenMode::MustExist));
    session.actAs(oraclesim::normalUser(user));
    if (auto error = session.executeUnrecorded(statement))
        return error->text;
    return std::nullopt;
}

std::vector<OracleSimState::Table> OracleSimState::tables() const {
    std::vector<Table> result;
    auto query = m_db->prepare("SELECT owner, name FROM tables ORDER BY id");
    while (query.step())
        result.push_back({query.text(0), query.text(1)});
    return result;
}

bool OracleSimState::hasTable(const std::string& owner, const std::string& name) const {
    auto query = m_db->prepare("SELECT 1 FROM tables WHERE owner = ? AND name = ?");
    query.bind(1, owner).bind(2, name);
    return query.step();
}

std::int64_t OracleSimState::tableId(const std::string& owner, const std::string& name) const {
    auto query = m_db->prepare("SELECT id FROM tables WHERE owner = ? AND name = ?");
    query.bind(1, owner).bind(2, name);
    if (!query.step())
        throw std::runtime_error("oracle-sim state: no table " + owner + "." + name);
    return query.integer(0);
}

std::vector<OracleSimState::Column> OracleSimState::columns(const std::string& owner,
                                                            const std::string& name) const {
    std::vector<Column> result;
    auto query =
        m_db->prepare("SELECT name, type FROM columns WHERE table_id = ? ORDER BY position");
    query.bind(1, tableId(owner, name));
    while (query.step())
        result.push_back({query.text(0), query.text(1)});
    return result;
}

std::vector<OracleSimState::Constraint> OracleSimState::constraints(const std::string& owner,
                                                                    const std::string& name) const {
    const auto columnList = columns(owner, name);
    std::vector<Constraint> result;
    auto query =
        m_db->prepare("SELECT name, kind, columns FROM constraints WHERE table_id = ? ORDER BY id");
    query.bind(1, tableId(owner, name));
    while (query.step()) {
        Constraint constraint;
        constraint.name = query.text(0);
        constraint.primary = query.text(1) == "P";
        const std::string positions = query.text(2);
        std::size_t start = 0;
        while (start <= positions.size() && !positions.empty()) {
            const auto comma = positions.find(',', start);
            const auto index = std::stoul(positions.substr(start, comma - start));
            constraint.columns.push_back(columnList.at(index).name);
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
        result.push_back(std::move(constraint));
    }
    return result;
}

std::vector<OracleSimState::Row> OracleSimState::rows(const std::string& owner,
                                                      const std::string& name) const {
    const std::int64_t id = tableId(owner, name);
    const std::size_t width = columns(owner, name).size();
    std::vector<Row> result;
    auto query = m_db->prepare("SELECT r.id, c.position, c.value FROM rows r JOIN cells c ON "
                               "c.row_id = r.id WHERE r.table_id = ? ORDER BY r.id, c.position");
    query.bind(1, id);
    std::int64_t current = -1;
    while (query.step()) {
        if (query.integer(0) != current) {
            current = query.integer(0);
            result.emplace_back(width);
        }
        const auto position = static_cast<std::size_t>(query.integer(1));
        if (position >= 1 && position <= width)
            result.back()[position - 1] = query.optionalText(2);
    }
    return result;
}

std::vector<OracleSimState::Statement> OracleSimState::statements() const {
    std::vector<Statement> result;
    auto query = m_db->prepare("SELECT seq, session_id, session_seq, user, text, iters, ora, "
                               "message FROM statements ORDER BY seq");
    while (query.step()) {
        Statement statement;
        statement.seq = query.integer(0);
        statement.sessionId = query.integer(1);
        statement.sessionSeq = query.integer(2);
        statement.user = query.text(3);
        statement.text = query.text(4);
        statement.iters = static_cast<std::uint32_t>(query.integer(5));
        statement.ora = static_cast<int>(query.integer(6));
        statement.message = query.text(7);
        result.push_back(std::move(statement));
    }
    return result;
}

std::vector<OracleSimState::Logon> OracleSimState::logons() const {
    std::vector<Logon> result;
    auto query =
        m_db->prepare("SELECT connect, user, session_id, ora, message FROM logons ORDER BY seq");
    while (query.step()) {
        Logon logon;
        logon.connect = query.text(0);
        logon.user = query.text(1);
        if (!query.isNull(2))
            logon.sessionId = query.integer(2);
        logon.ora = static_cast<int>(query.integer(3));
        logon.message = query.text(4);
        result.push_back(std::move(logon));
    }
    return result;
}

std::vector<OracleSimState::Session> OracleSimState::sessions() const {
    std::vector<Session> result;
    auto query = m_db->prepare(
        "SELECT id, service, user, pid, threaded, charset, ended FROM sessions ORDER BY id");
    while (query.step()) {
        Session session;
        session.id = query.integer(0);
        session.service = query.text(1);
        session.user = query.text(2);
        session.pid = query.integer(3);
        session.threaded = query.integer(4) != 0;
        session.charset = static_cast<int>(query.integer(5));
        session.ended = !query.isNull(6);
        result.push_back(std::move(session));
    }
    return result;
}
