#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace oraclesim {
class SqliteDb;
}

// The Oracle simulator's state file, for tests and scripts: set up services, accounts and
// switches before the program runs, read tables, rows and the statement record afterwards.
// Every failure throws std::runtime_error.
class OracleSimState {
public:
    enum class FailScope { Session, File };
    enum class Wording { Classic, Oracle23ai };
    enum class AccountStatus { Open, Expiring, Expired, Locked };

    struct Column {
        std::string name;
        std::string type; // Oracle's type text, for example VARCHAR2(255) or CHAR(4)
    };
    struct Constraint {
        std::string name;
        bool primary = false;
        std::vector<std::string> columns;
    };
    struct Table {
        std::string owner;
        std::string name;
    };
    struct Statement {
        std::int64_t seq = 0;
        std::int64_t sessionId = 0;
        std::int64_t sessionSeq = 0;
        std::string user;
        std::string text;
        std::uint32_t iters = 0;
        int ora = 0;         // 0 when the statement succeeded
        std::string message; // "ORA-NNNNN: ..." or empty
    };
    struct Logon {
        std::string connect;
        std::string user;
        std::optional<std::int64_t> sessionId;
        int ora = 0;
        std::string message;
    };
    struct Session {
        std::int64_t id = 0;
        std::string service;
        std::string user;
        std::int64_t pid = 0;
        bool threaded = false;
        int charset = 0;
        bool ended = false;
    };
    using Row = std::vector<std::optional<std::string>>;

    // A new, empty state file (an existing file at the path is replaced).
    static OracleSimState create(const std::string& path);
    static OracleSimState open(const std::string& path);

    OracleSimState(OracleSimState&&) noexcept;
    OracleSimState& operator=(OracleSimState&&) noexcept;
    ~OracleSimState();

    const std::string& path() const { return m_path; }

    void addService(const std::string& name, const std::string& host = "localhost",
                    int port = 1521);
    // The user name is taken as Oracle takes a logon's: "scott" is SCOTT, and only a name in
    // double quotes ("\"Scott\"") keeps its case. The same holds for the user of
    // setAccountStatus and executeAs.
    void addAccount(const std::string& service, const std::string& user,
                    const std::string& password, bool mayActOnOtherSchemas = false);
    void setAccountStatus(const std::string& service, const std::string& user,
                          AccountStatus status);

    // The Nth statement (counted from 1) of every session, or of the whole file, fails with
    // the ORA error; an empty text takes Oracle's own message for the number.
    void failStatement(FailScope scope, int nth, int oraNumber, const std::string& text = {});
    void clearFailures();
    // Logons fail with ORA-01034; sessions already open lose their connection (ORA-03113).
    void setUnavailable(bool unavailable);
    void setWording(Wording wording);
    void setGermanMessages(bool german);
    void setIdentifierLimit(int bytes);
    void setExtendedStringSize(bool extended);
    // Every statement waits this long first, so that a test can interrupt it with OCIBreak.
    void setStatementDelay(std::chrono::milliseconds delay);

    // Runs a statement as the user, committed at once and kept out of the statement record:
    // for setting a scene. Returns the ORA error text, or nothing on success.
    std::optional<std::string> executeAs(const std::string& user, const std::string& statement);

    std::vector<Table> tables() const;
    bool hasTable(const std::string& owner, const std::string& name) const;
    std::vector<Column> columns(const std::string& owner, const std::string& name) const;
    std::vector<Constraint> constraints(const std::string& owner, const std::string& name) const;
    // Committed rows in insertion order; NULL as nothing, RAW as upper-case hexadecimal,
    // CHAR blank-padded as Oracle stores it.
    std::vector<Row> rows(const std::string& owner, const std::string& name) const;
    std::vector<Statement> statements() const;
    std::vector<Logon> logons() const;
    std::vector<Session> sessions() const;

private:
    OracleSimState(std::string path, std::unique_ptr<oraclesim::SqliteDb> db);
    std::int64_t tableId(const std::string& owner, const std::string& name) const;

    std::string m_path;
    std::unique_ptr<oraclesim::SqliteDb> m_db;
};
