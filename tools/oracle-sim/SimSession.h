#pragma once

#include "OraError.h"
#include "OraMessages.h"
#include "SqlParser.h"
#include "SqliteDb.h"
#include "StateSchema.h"

#include <atomic>
#include <cstdint>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace oraclesim {

// An Oracle error as the client reports it: the number and the full message text.
struct ReportedError {
    int number = 0;
    std::string text;
};

struct LogonRequest {
    std::string connect;
    std::string user;
    std::string password;
    bool threaded = false;
    int charset = 873;
};

struct LogonResult;

// One logged-on session against the state file. Rows it inserts stay in memory until it
// commits, so a process that ends without COMMIT leaves none of them behind.
class SimSession {
public:
    static LogonResult logon(const LogonRequest& request);

    explicit SimSession(std::unique_ptr<SqliteDb> db);
    ~SimSession();
    SimSession(const SimSession&) = delete;
    SimSession& operator=(const SimSession&) = delete;

    // Runs one statement and adds it to the statement record.
    std::optional<ReportedError> execute(const std::string& text, std::uint32_t iters,
                                         std::uint32_t mode, std::uint32_t& rowCount,
                                         const std::atomic<bool>& breakRequested);
    std::optional<ReportedError> commit();
    void rollback();
    // Logging off commits, as OCISessionEnd does.
    void logoff();

    // Statements run by a test to set a scene, as the user with every privilege: executed
    // and committed, never recorded.
    void actAs(const std::string& user);
    std::optional<ReportedError> executeUnrecorded(const std::string& text);

    struct PendingRow {
        std::int64_t tableId = 0;
        std::vector<std::optional<std::string>> values;
        std::vector<std::pair<std::int64_t, std::string>> keys;
    };

private:
    friend struct SessionLogon;
    struct TableInfo;

    // Reads the switches again, and forgets the tables, when another connection changed the
    // file since this session last looked; called at the start of every call.
    void refresh();
    MessageStyle style() const;
    ParserRules rules() const;
    ReportedError report(const OraError& error) const;
    void run(const std::string& text, std::uint32_t iters, std::uint32_t mode,
             std::uint32_t& rowCount);
    void flushPending();
    bool schemaExists(const std::string& schema);
    // Kept until this session's DDL or another connection's change; null for no such table.
    const TableInfo* loadTable(const std::string& owner, const std::string& name);
    void createTable(const CreateTableStatement& statement);
    void dropTable(const DropTableStatement& statement);
    void insertRow(const InsertStatement& statement, std::uint32_t iters, std::uint32_t& rowCount);
    void select(const SelectStatement& statement);
    std::string ownerOf(const TableName& name) const;

    std::unique_ptr<SqliteDb> m_db;
    std::int64_t m_id = 0;
    std::string m_user;
    std::string m_service;
    bool m_otherSchemas = false;
    bool m_connectionLost = false;
    std::int64_t m_sessionSeq = 0;
    std::vector<PendingRow> m_pending;
    Settings m_settings;
    std::int64_t m_dataVersion = -1;
    // A list, so that a table handed out stays where it is while others are added.
    std::list<TableInfo> m_tables;
};

struct LogonResult {
    std::unique_ptr<SimSession> session;
    // On failure the error; on success possibly a warning (OCI_SUCCESS_WITH_INFO).
    std::optional<ReportedError> error;
};

// A user name as Oracle keeps it: upper case, unless written in double quotes.
std::string normalUser(const std::string& user);

// English unless NLS_LANG or the state file asks for German.
MessageStyle environmentStyle();

} // namespace oraclesim
