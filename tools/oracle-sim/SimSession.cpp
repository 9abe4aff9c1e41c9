#include "SimSession.h"

#include "StateSchema.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <list>
#include <set>
#include <stdexcept>
#include <sys/stat.h>
#include <thread>

namespace oraclesim {

namespace {

const char* kindName(ColumnKind kind) {
    switch (kind) {
    case ColumnKind::Varchar2:
        return "VARCHAR2";
    case ColumnKind::Char:
        return "CHAR";
    case ColumnKind::Raw:
        return "RAW";
    case ColumnKind::Clob:
        return "CLOB";
    case ColumnKind::Number:
        return "NUMBER";
    case ColumnKind::Date:
        return "DATE";
    }
    return "";
}

ColumnKind kindFromName(const std::string& name) {
    if (name == "CHAR")
        return ColumnKind::Char;
    if (name == "RAW")
        return ColumnKind::Raw;
    if (name == "CLOB")
        return ColumnKind::Clob;
    if (name == "NUMBER")
        return ColumnKind::Number;
    if (name == "DATE")
        return ColumnKind::Date;
    return ColumnKind::Varchar2;
}

std::string quoted(const std::string& name) {
    return "\"" + name + "\"";
}

std::string upperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::size_t utf8Length(const std::string& text) {
    std::size_t count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

// Oracle's text form of a number: no leading or trailing zeros, ".5" for a half.
struct Decimal {
    bool negative = false;
    std::string digits;  // without leading or trailing zeros
    long long point = 0; // digits before the decimal point
};

std::optional<Decimal> parseDecimal(const std::string& input) {
    const std::string text = trim(input);
    std::size_t i = 0;
    Decimal result;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        result.negative = text[i] == '-';
        ++i;
    }
    std::string digits;
    long long point = 0;
    bool seenPoint = false;
    bool anyDigit = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits += c;
            anyDigit = true;
            if (!seenPoint)
                ++point;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        const std::string exponent = text.substr(i);
        if (exponent.empty() || exponent.find_first_not_of("+-0123456789") != std::string::npos ||
            exponent.find_first_of("0123456789") == std::string::npos)
            return std::nullopt;
        point += std::strtoll(exponent.c_str(), nullptr, 10);
        i = text.size();
    }
    if (i != text.size())
        return std::nullopt;
    const auto firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos)
        return Decimal{};
    point -= static_cast<long long>(firstNonZero);
    digits.erase(0, firstNonZero);
    digits.erase(digits.find_last_not_of('0') + 1);
    result.digits = digits;
    result.point = point;
    return result;
}

std::string decimalText(const Decimal& number) {
    if (number.digits.empty())
        return "0";
    std::string text = number.negative ? "-" : "";
    const auto size = static_cast<long long>(number.digits.size());
    if (number.point <= 0)
        text += "." + std::string(static_cast<std::size_t>(-number.point), '0') + number.digits;
    else if (number.point >= size)
        text += number.digits + std::string(static_cast<std::size_t>(number.point - size), '0');
    else
        text += number.digits.substr(0, static_cast<std::size_t>(number.point)) + "." +
                number.digits.substr(static_cast<std::size_t>(number.point));
    return text;
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool matchesDefaultDateFormat(const std::string& text) {
    // NLS_DATE_FORMAT DD-MON-RR, English month abbreviations; four-digit years are accepted
    // as Oracle does.
    static const char* months[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                   "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    const std::string upper = upperAscii(trim(text));
    const auto dash1 = upper.find('-');
    const auto dash2 = upper.find('-', dash1 == std::string::npos ? 0 : dash1 + 1);
    if (dash1 == std::string::npos || dash2 == std::string::npos)
        return false;
    const std::string day = upper.substr(0, dash1);
    const std::string month = upper.substr(dash1 + 1, dash2 - dash1 - 1);
    const std::string year = upper.substr(dash2 + 1);
    auto allDigits = [](const std::string& s) {
        return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
    };
    if (!allDigits(day) || day.size() > 2 || !allDigits(year) ||
        (year.size() != 2 && year.size() != 4))
        return false;
    const int dayNumber = std::atoi(day.c_str());
    return dayNumber >= 1 && dayNumber <= 31 &&
           std::find_if(std::begin(months), std::end(months),
                        [&](const char* m) { return month == m; }) != std::end(months);
}

std::string keyPart(const std::optional<std::string>& value) {
    if (!value)
        return "N;";
    return "V" + std::to_string(value->size()) + ":" + *value + ";";
}

struct ServiceTarget {
    std::string service;
    std::string host;
    long port = 1521;
    bool easyConnect = false;
};

std::string descriptorValue(const std::string& upperText, const std::string& original,
                            const std::string& key) {
    const auto at = upperText.find(key);
    if (at == std::string::npos)
        return {};
    auto start = upperText.find('=', at);
    if (start == std::string::npos)
        return {};
    ++start;
    const auto end = upperText.find(')', start);
    return trim(original.substr(start, end == std::string::npos ? std::string::npos : end - start));
}

ServiceTarget parseConnect(const std::string& connect) {
    ServiceTarget target;
    std::string text = trim(connect);
    if (!text.empty() && text.front() == '(') {
        const std::string upper = upperAscii(text);
        target.easyConnect = true;
        target.service = descriptorValue(upper, text, "SERVICE_NAME");
        target.host = descriptorValue(upper, text, "HOST");
        const std::string port = descriptorValue(upper, text, "PORT");
        if (!port.empty())
            target.port = std::strtol(port.c_str(), nullptr, 10);
        return target;
    }
    if (text.find('/') == std::string::npos && text.find(':') == std::string::npos) {
        target.service = text;
        return target;
    }
    target.easyConnect = true;
    if (text.rfind("//", 0) == 0)
        text.erase(0, 2);
    const auto slash = text.find('/');
    const std::string address = text.substr(0, slash);
    if (slash != std::string::npos) {
        target.service = text.substr(slash + 1);
        // host:port/service:server/instance
        target.service = target.service.substr(0, target.service.find_first_of(":/?"));
    }
    const auto colon = address.rfind(':');
    if (colon != std::string::npos && address.find(']') == std::string::npos) {
        target.host = address.substr(0, colon);
        target.port = std::strtol(address.substr(colon + 1).c_str(), nullptr, 10);
    } else {
        target.host = address;
    }
    if (target.host.size() > 2 && target.host.front() == '[')
        target.host = target.host.substr(1, target.host.size() - 2);
    return target;
}

bool sameHost(const std::string& a, const std::string& b) {
    auto normal = [](const std::string& host) {
        const std::string upper = upperAscii(host);
        if (upper == "LOCALHOST" || upper == "127.0.0.1" || upper == "::1")
            return std::string("LOCALHOST");
        return upper;
    };
    return normal(a) == normal(b);
}

} // namespace

std::string normalUser(const std::string& user) {
    if (user.size() >= 2 && user.front() == '"' && user.back() == '"')
        return user.substr(1, user.size() - 2);
    return upperIdentifier(user);
}

struct SimSession::TableInfo {
    struct Column {
        std::string name;
        ColumnType type;
        bool notNull = false;
    };
    struct Constraint {
        std::int64_t id = 0;
        std::string name;
        bool primary = false;
        std::vector<std::size_t> positions;
    };
    std::int64_t id = 0;
    std::string owner;
    std::string name;
    std::vector<Column> columns;
    std::vector<Constraint> constraints;
};

MessageStyle environmentStyle() {
    MessageStyle style;
    if (const char* nls = std::getenv("NLS_LANG"))
        style.german = upperAscii(nls).rfind("GERMAN", 0) == 0;
    return style;
}

SimSession::SimSession(std::unique_ptr<SqliteDb> db) : m_db(std::move(db)) {}

SimSession::~SimSession() = default;

void SimSession::refresh() {
    // Only another connection changes the switches or the tables under this session, and
    // then the data version moves; after its own DDL the session drops its kept tables itself.
    const std::int64_t version = m_db->dataVersion();
    if (version == m_dataVersion)
        return;
    m_settings = readSettings(*m_db);
    m_tables.clear();
    m_dataVersion = version;
}

MessageStyle SimSession::style() const {
    MessageStyle style = environmentStyle();
    style.wording23ai = setting(m_settings, "wording", "classic") == "23ai";
    if (setting(m_settings, "language", "") == "german")
        style.german = true;
    return style;
}

ParserRules SimSession::rules() const {
    ParserRules rules;
    rules.wording23ai = setting(m_settings, "wording", "classic") == "23ai";
    const std::string limit =
        setting(m_settings, "identifier_limit", rules.wording23ai ? "128" : "30");
    rules.limits.identifierBytes =
        static_cast<std::size_t>(std::strtoul(limit.c_str(), nullptr, 10));
    if (setting(m_settings, "max_string_size", "STANDARD") == "EXTENDED") {
        rules.limits.literalBytes = 32767;
        rules.varchar2Bytes = 32767;
        rules.rawBytes = 32767;
    }
    return rules;
}

ReportedError SimSession::report(const OraError& error) const {
    return {error.number, formatOraError(error, style())};
}

LogonResult SimSession::logon(const LogonRequest& request) {
    LogonResult result;
    auto fail = [&](const OraError& error, const MessageStyle& style) {
        result.error = ReportedError{error.number, formatOraError(error, style)};
        return std::move(result);
    };
    const ServiceTarget target = parseConnect(request.connect);
    // Without a connect string the client looks for a local instance, and there is none.
    if (trim(request.connect).empty())
        return fail({12162, {}, {}}, environmentStyle());
    const char* path = std::getenv("ORACLE_SIM_STATE");
    struct stat info {};
    if (!path || !*path || ::stat(path, &info) != 0)
        return fail({12154, {target.service}, {}}, environmentStyle());

    auto db = std::make_unique<SqliteDb>(path, SqliteDb::OpenMode::MustExist);
    auto session = std::make_unique<SimSession>(std::move(db));
    SqliteDb& state = *session->m_db;
    session->refresh();
    const MessageStyle style = session->style();
    const std::string user = normalUser(request.user);

    auto record = [&](const std::optional<ReportedError>& error, std::int64_t sessionId) {
        auto insert = state.prepare(
            "INSERT INTO logons(connect, user, session_id, ora, message) VALUES(?, ?, ?, ?, ?)");
        insert.bind(1, request.connect).bind(2, user);
        if (sessionId)
            insert.bind(3, sessionId);
        else
            insert.bindNull(3);
        insert.bind(4, static_cast<std::int64_t>(error ? error->number : 0))
            .bind(5, error ? error->text : std::string())
            .run();
    };
    auto refuse = [&](const OraError& error) {
        result.error = ReportedError{error.number, formatOraError(error, style)};
        record(result.error, 0);
        return std::move(result);
    };

    // Which configured service the connect string reaches.
    std::string service;
    {
        auto services = state.prepare("SELECT name, host, port FROM services");
        bool listener = false;
        while (services.step()) {
            const std::string name = services.text(0);
            if (!target.easyConnect) {
                if (upperAscii(name) == upperAscii(target.service))
                    service = name;
                continue;
            }
            if (!sameHost(services.text(1), target.host) || services.integer(2) != target.port)
                continue;
            listener = true;
            if (upperAscii(name) == upperAscii(target.service))
                service = name;
        }
        if (service.empty()) {
            if (!target.easyConnect)
                return refuse({12154, {target.service}, {}});
            if (!listener)
                return refuse(
                    {12541, {target.service, target.host, std::to_string(target.port)}, {}});
            return refuse({12514, {target.service, target.host, std::to_string(target.port)}, {}});
        }
    }
    if (setting(session->m_settings, "unavailable", "0") == "1")
        return refuse({1034, {}, {}});
    if (request.password.empty())
        return refuse({1005, {}, {}});
    std::string status;
    {
        auto account = state.prepare("SELECT other_schemas, status FROM accounts WHERE "
                                     "service = ? AND user = ? AND password = ?");
        account.bind(1, service).bind(2, user).bind(3, request.password);
        if (user.empty() || !account.step())
            return refuse({1017, {}, {}});
        session->m_otherSchemas = account.integer(0) != 0;
        status = account.text(1);
    }
    if (status == "locked")
        return refuse({28000, {}, {}});
    if (status == "expired")
        return refuse({28001, {}, {}});

    auto insert = state.prepare("INSERT INTO sessions(service, user, pid, threaded, charset) "
                                "VALUES(?, ?, ?, ?, ?)");
    insert.bind(1, service)
        .bind(2, user)
        .bind(3, static_cast<std::int64_t>(::getpid()))
        .bind(4, static_cast<std::int64_t>(request.threaded ? 1 : 0))
        .bind(5, static_cast<std::int64_t>(request.charset))
        .run();
    session->m_id = state.lastInsertId();
    session->m_user = user;
    session->m_service = service;
    if (status == "expiring")
        result.error = ReportedError{28002, formatOraError({28002, {}, {}}, style)};
    record(result.error, session->m_id);
    result.session = std::move(session);
    return result;
}

std::optional<ReportedError> SimSession::execute(const std::string& text, std::uint32_t iters,
                                                 std::uint32_t mode, std::uint32_t& rowCount,
                                                 const std::atomic<bool>& breakRequested) {
    rowCount = 0;
    m_db->exec("BEGIN IMMEDIATE");
    try {
        refresh();
        bool cancelled = false;
        const auto delay = std::chrono::milliseconds(
            std::strtoll(setting(m_settings, "delay_ms", "0").c_str(), nullptr, 10));
        if (delay.count() > 0) {
            // The wait does not hold the file: other sessions, and a test setting switches,
            // go on meanwhile.
            m_db->exec("COMMIT");
            const auto until = std::chrono::steady_clock::now() + delay;
            while (std::chrono::steady_clock::now() < until) {
                if (breakRequested) {
                    cancelled = true;
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            m_db->exec("BEGIN IMMEDIATE");
            refresh();
        }
        std::int64_t seq = 1;
        {
            auto last = m_db->prepare("SELECT seq FROM sqlite_sequence WHERE name = 'statements'");
            if (last.step())
                seq = last.integer(0) + 1;
        }
        const std::int64_t sessionSeq = ++m_sessionSeq;
        std::optional<OraError> error;
        const unsigned short type = statementTypeOf(text);
        if (cancelled) {
            error = OraError{1013, {}, {}};
        } else if (m_connectionLost) {
            error = OraError{3114, {}, {}};
        } else if (setting(m_settings, "unavailable", "0") == "1") {
            // The instance went away under an open session.
            m_connectionLost = true;
            m_pending.clear();
            error = OraError{3113, {}, {}};
        } else {
            auto failure = m_db->prepare(
                "SELECT ora, message FROM failures WHERE (scope = 'file' AND nth = ?) OR "
                "(scope = 'session' AND nth = ?) ORDER BY id LIMIT 1");
            failure.bind(1, seq).bind(2, sessionSeq);
            if (failure.step()) {
                error = OraError{static_cast<int>(failure.integer(0)), {}, failure.text(1)};
            } else if (type == 1 && iters > 0) {
                error = OraError{24374, {}, {}};
            } else if (type != 1 && iters == 0) {
                error = OraError{24333, {}, {}};
            } else {
                try {
                    run(text, iters, mode, rowCount);
                } catch (const OraError& raised) {
                    error = raised;
                }
            }
        }
        std::optional<ReportedError> reported;
        if (error)
            reported = report(*error);
        auto record = m_db->prepare("INSERT INTO statements(seq, session_id, session_seq, user, "
                                    "text, iters, ora, message) VALUES(?, ?, ?, ?, ?, ?, ?, ?)");
        record.bind(1, seq)
            .bind(2, m_id)
            .bind(3, sessionSeq)
            .bind(4, m_user)
            .bind(5, text)
            .bind(6, static_cast<std::int64_t>(iters))
            .bind(7, static_cast<std::int64_t>(reported ? reported->number : 0))
            .bind(8, reported ? reported->text : std::string())
            .run();
        m_db->exec("COMMIT");
        return reported;
    } catch (const std::exception& fault) {
        m_tables.clear();
        m_db->exec("ROLLBACK");
        return ReportedError{600, formatOraError({600, {fault.what()}, {}}, MessageStyle{})};
    }
}

void SimSession::actAs(const std::string& user) {
    m_user = user;
    m_otherSchemas = true;
}

std::optional<ReportedError> SimSession::executeUnrecorded(const std::string& text) {
    std::uint32_t rowCount = 0;
    m_db->exec("BEGIN IMMEDIATE");
    try {
        refresh();
        run(text, statementTypeOf(text) == 1 ? 0 : 1, 0x20, rowCount);
        m_db->exec("COMMIT");
        return std::nullopt;
    } catch (const OraError& error) {
        m_db->exec("COMMIT");
        return report(error);
    } catch (...) {
        m_tables.clear();
        m_db->exec("ROLLBACK");
        throw;
    }
}

std::optional<ReportedError> SimSession::commit() {
    if (m_connectionLost) {
        refresh();
        return report({3114, {}, {}});
    }
    m_db->exec("BEGIN IMMEDIATE");
    try {
        refresh();
        if (setting(m_settings, "unavailable", "0") == "1") {
            m_connectionLost = true;
            m_pending.clear();
            m_db->exec("COMMIT");
            return report({3113, {}, {}});
        }
        flushPending();
        m_db->exec("COMMIT");
        return std::nullopt;
    } catch (const std::exception& fault) {
        m_db->exec("ROLLBACK");
        return ReportedError{600, formatOraError({600, {fault.what()}, {}}, MessageStyle{})};
    }
}

void SimSession::rollback() {
    m_pending.clear();
}

void SimSession::logoff() {
    if (!m_connectionLost)
        commit();
    auto ended = m_db->prepare("UPDATE sessions SET ended = datetime('now') WHERE id = ?");
    ended.bind(1, m_id).run();
}

std::string SimSession::ownerOf(const TableName& name) const {
    return name.schema ? *name.schema : m_user;
}

void SimSession::run(const std::string& text, std::uint32_t iters, std::uint32_t mode,
                     std::uint32_t& rowCount) {
    const SqlStatement statement = parseSql(text, rules());
    // OCI_DESCRIBE_ONLY parses without executing.
    if (mode & 0x10)
        return;
    const bool ddl = std::holds_alternative<CreateTableStatement>(statement) ||
                     std::holds_alternative<DropTableStatement>(statement);
    // DDL commits the transaction before it runs, whether or not it then succeeds.
    if (ddl)
        flushPending();
    const auto perform = [&] {
        if (const auto* create = std::get_if<CreateTableStatement>(&statement))
            createTable(*create);
        else if (const auto* drop = std::get_if<DropTableStatement>(&statement))
            dropTable(*drop);
        else if (const auto* insert = std::get_if<InsertStatement>(&statement))
            insertRow(*insert, iters, rowCount);
        else if (const auto* query = std::get_if<SelectStatement>(&statement))
            select(*query);
        else if (std::holds_alternative<CommitStatement>(statement))
            flushPending();
        else if (std::holds_alternative<RollbackStatement>(statement))
            m_pending.clear();
        if (mode & 0x20)
            flushPending();
    };
    // An INSERT keeps its row in memory until COMMIT, and a SELECT only reads: neither
    // writes to the file, so neither needs a way back.
    const bool writes =
        ddl || std::holds_alternative<CommitStatement>(statement) || (mode & 0x20) != 0;
    if (!writes) {
        perform();
        return;
    }
    m_db->exec("SAVEPOINT statement");
    try {
        perform();
        m_db->exec("RELEASE statement");
    } catch (...) {
        m_db->exec("ROLLBACK TO statement");
        m_db->exec("RELEASE statement");
        if (ddl)
            m_tables.clear();
        throw;
    }
    if (ddl)
        m_tables.clear();
}

void SimSession::flushPending() {
    auto tableExists = m_db->prepare("SELECT 1 FROM tables WHERE id = ?");
    auto insertRow = m_db->prepare("INSERT INTO rows(table_id) VALUES(?)");
    auto insertCell = m_db->prepare("INSERT INTO cells(row_id, position, value) VALUES(?, ?, ?)");
    auto insertKey = m_db->prepare(
        "INSERT OR IGNORE INTO unique_keys(constraint_id, key, row_id) VALUES(?, ?, ?)");
    for (const PendingRow& row : m_pending) {
        tableExists.bind(1, row.tableId);
        const bool exists = tableExists.step();
        tableExists.reset();
        if (!exists)
            continue;
        m_db->exec("SAVEPOINT pending_row");
        insertRow.bind(1, row.tableId).run();
        const std::int64_t rowId = m_db->lastInsertId();
        for (std::size_t i = 0; i < row.values.size(); ++i)
            insertCell.bind(1, rowId)
                .bind(2, static_cast<std::int64_t>(i + 1))
                .bind(3, row.values[i])
                .run();
        bool clash = false;
        for (const auto& [constraintId, key] : row.keys) {
            insertKey.bind(1, constraintId).bind(2, key).bind(3, rowId).run();
            clash = clash || m_db->changes() == 0;
        }
        // Another session committed the same key first; Oracle would have made this
        // session wait and then fail the INSERT, so the row is not kept.
        m_db->exec(clash ? "ROLLBACK TO pending_row" : "RELEASE pending_row");
        if (clash)
            m_db->exec("RELEASE pending_row");
    }
    m_pending.clear();
}

bool SimSession::schemaExists(const std::string& schema) {
    if (schema == "SYS" || schema == "SYSTEM")
        return true;
    auto query = m_db->prepare("SELECT 1 FROM accounts WHERE user = ?");
    query.bind(1, schema);
    return query.step();
}

const SimSession::TableInfo* SimSession::loadTable(const std::string& owner,
                                                   const std::string& name) {
    for (const TableInfo& known : m_tables)
        if (known.owner == owner && known.name == name)
            return &known;
    TableInfo table;
    {
        auto query = m_db->prepare("SELECT id FROM tables WHERE owner = ? AND name = ?");
        query.bind(1, owner).bind(2, name);
        if (!query.step())
            return nullptr;
        table.id = query.integer(0);
    }
    table.owner = owner;
    table.name = name;
    auto columns = m_db->prepare("SELECT name, kind, length, char_semantics, precision, scale, "
                                 "not_null FROM columns WHERE table_id = ? ORDER BY position");
    columns.bind(1, table.id);
    while (columns.step()) {
        TableInfo::Column column;
        column.name = columns.text(0);
        column.type.kind = kindFromName(columns.text(1));
        column.type.length = columns.integer(2);
        column.type.charSemantics = columns.integer(3) != 0;
        column.type.precision = static_cast<int>(columns.integer(4));
        column.type.scale = static_cast<int>(columns.integer(5));
        column.notNull = columns.integer(6) != 0;
        table.columns.push_back(std::move(column));
    }
    auto constraints = m_db->prepare(
        "SELECT id, name, kind, columns FROM constraints WHERE table_id = ? ORDER BY id");
    constraints.bind(1, table.id);
    while (constraints.step()) {
        TableInfo::Constraint constraint;
        constraint.id = constraints.integer(0);
        constraint.name = constraints.text(1);
        constraint.primary = constraints.text(2) == "P";
        const std::string positions = constraints.text(3);
        std::size_t start = 0;
        while (start < positions.size()) {
            const auto comma = positions.find(',', start);
            constraint.positions.push_back(static_cast<std::size_t>(
                std::strtoul(positions.substr(start, comma - start).c_str(), nullptr, 10)));
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
        table.constraints.push_back(std::move(constraint));
    }
    return &m_tables.emplace_back(std::move(table));
}

void SimSession::createTable(const CreateTableStatement& statement) {
    const std::string owner = ownerOf(statement.table);
    std::set<std::string> names;
    for (const auto& column : statement.columns)
        if (!names.insert(column.name).second)
            throw OraError{957, {}, {}};
    if (statement.columns.size() > 1000)
        throw OraError{1792, {}, {}};
    if (std::count_if(statement.constraints.begin(), statement.constraints.end(),
                      [](const auto& c) { return c.primary; }) > 1)
        throw OraError{2260, {}, {}};

    std::vector<std::vector<std::size_t>> keyPositions;
    for (const auto& constraint : statement.constraints) {
        std::vector<std::size_t> positions;
        for (const auto& name : constraint.columns) {
            const auto found =
                std::find_if(statement.columns.begin(), statement.columns.end(),
                             [&](const auto& column) { return column.name == name; });
            if (found == statement.columns.end())
                throw OraError{904, {name}, {}};
            const auto position = static_cast<std::size_t>(found - statement.columns.begin());
            if (std::find(positions.begin(), positions.end(), position) != positions.end())
                throw OraError{957, {}, {}};
            positions.push_back(position);
        }
        keyPositions.push_back(std::move(positions));
    }

    if (!schemaExists(owner))
        throw OraError{1918, {owner}, {}};
    if (owner != m_user && !m_otherSchemas)
        throw OraError{1031, {}, {}};
    if (loadTable(owner, statement.table.name))
        throw OraError{955, {}, {}};

    std::set<std::vector<std::size_t>> keySets;
    std::set<std::string> constraintNames;
    for (std::size_t k = 0; k < statement.constraints.size(); ++k) {
        long long keyBytes = 0;
        for (const std::size_t position : keyPositions[k]) {
            const ColumnType& type = statement.columns[position].type;
            if (type.kind == ColumnKind::Clob)
                throw OraError{2329, {}, {}};
            if (type.kind == ColumnKind::Number)
                keyBytes += 22;
            else if (type.kind == ColumnKind::Date)
                keyBytes += 7;
            else
                keyBytes += type.charSemantics ? type.length * 4 : type.length;
            keyBytes += 1;
        }
        // Index keys of an 8 KB block hold at most 6398 bytes.
        if (keyBytes > 6398)
            throw OraError{1450, {}, {}};
        auto sorted = keyPositions[k];
        std::sort(sorted.begin(), sorted.end());
        if (!keySets.insert(sorted).second)
            throw OraError{2261, {}, {}};
        if (const auto& name = statement.constraints[k].name) {
            auto used = m_db->prepare("SELECT 1 FROM constraints WHERE owner = ? AND name = ?");
            used.bind(1, owner).bind(2, *name);
            if (used.step() || !constraintNames.insert(*name).second)
                throw OraError{2264, {}, {}};
        }
    }

    auto insertTable = m_db->prepare("INSERT INTO tables(owner, name) VALUES(?, ?)");
    insertTable.bind(1, owner).bind(2, statement.table.name).run();
    const std::int64_t tableId = m_db->lastInsertId();
    auto insertColumn = m_db->prepare(
        "INSERT INTO columns(table_id, position, name, type, kind, length, char_semantics, "
        "precision, scale, not_null) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (std::size_t i = 0; i < statement.columns.size(); ++i) {
        const auto& column = statement.columns[i];
        bool notNull = column.notNull;
        for (std::size_t k = 0; k < statement.constraints.size(); ++k)
            if (statement.constraints[k].primary &&
                std::find(keyPositions[k].begin(), keyPositions[k].end(), i) !=
                    keyPositions[k].end())
                notNull = true;
        insertColumn.bind(1, tableId)
            .bind(2, static_cast<std::int64_t>(i + 1))
            .bind(3, column.name)
            .bind(4, columnTypeText(column.type))
            .bind(5, std::string(kindName(column.type.kind)))
            .bind(6, static_cast<std::int64_t>(column.type.length))
            .bind(7, static_cast<std::int64_t>(column.type.charSemantics ? 1 : 0))
            .bind(8, static_cast<std::int64_t>(column.type.precision))
            .bind(9, static_cast<std::int64_t>(column.type.scale))
            .bind(10, static_cast<std::int64_t>(notNull ? 1 : 0))
            .run();
    }
    auto insertConstraint = m_db->prepare(
        "INSERT INTO constraints(table_id, owner, name, kind, columns) VALUES(?, ?, ?, ?, ?)");
    for (std::size_t k = 0; k < statement.constraints.size(); ++k) {
        std::string name;
        if (statement.constraints[k].name) {
            name = *statement.constraints[k].name;
        } else {
            const long long next =
                std::strtoll(readSetting(*m_db, "next_constraint", "8000").c_str(), nullptr, 10);
            writeSetting(*m_db, "next_constraint", std::to_string(next + 1));
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "SYS_C%07lld", next);
            name = buffer;
        }
        std::string positions;
        for (const std::size_t position : keyPositions[k])
            positions += (positions.empty() ? "" : ",") + std::to_string(position);
        insertConstraint.bind(1, tableId)
            .bind(2, owner)
            .bind(3, name)
            .bind(4, std::string(statement.constraints[k].primary ? "P" : "U"))
            .bind(5, positions)
            .run();
    }
}

void SimSession::dropTable(const DropTableStatement& statement) {
    const std::string owner = ownerOf(statement.table);
    const OraError missing{942, {quoted(owner) + "." + quoted(statement.table.name)}, {}};
    // Another schema's table is invisible without the privilege, so it is "missing".
    if (!schemaExists(owner) || (owner != m_user && !m_otherSchemas))
        throw missing;
    const auto table = loadTable(owner, statement.table.name);
    if (!table)
        throw missing;
    auto drop = m_db->prepare("DELETE FROM tables WHERE id = ?");
    drop.bind(1, table->id).run();
}

void SimSession::insertRow(const InsertStatement& statement, std::uint32_t iters,
                           std::uint32_t& rowCount) {
    const std::string owner = ownerOf(statement.table);
    const OraError missing{942, {quoted(owner) + "." + quoted(statement.table.name)}, {}};
    if (owner != m_user && !m_otherSchemas)
        throw missing;
    const auto table = loadTable(owner, statement.table.name);
    if (!table)
        throw missing;

    std::vector<std::size_t> targets;
    if (statement.columns) {
        for (const auto& name : *statement.columns) {
            const auto found =
                std::find_if(table->columns.begin(), table->columns.end(),
                             [&](const auto& column) { return column.name == name; });
            if (found == table->columns.end())
                throw OraError{904, {name}, {}};
            const auto position = static_cast<std::size_t>(found - table->columns.begin());
            if (std::find(targets.begin(), targets.end(), position) != targets.end())
                throw OraError{957, {}, {}};
            targets.push_back(position);
        }
    } else {
        for (std::size_t i = 0; i < table->columns.size(); ++i)
            targets.push_back(i);
    }
    if (statement.values.size() > targets.size())
        throw OraError{913, {}, {}};
    if (statement.values.size() < targets.size())
        throw OraError{947, {}, {}};

    const auto columnPath = [&](std::size_t position) {
        return quoted(owner) + "." + quoted(table->name) + "." +
               quoted(table->columns[position].name);
    };
    PendingRow row;
    row.tableId = table->id;
    row.values.resize(table->columns.size());
    for (std::size_t v = 0; v < statement.values.size(); ++v) {
        const std::size_t position = targets[v];
        const ColumnType& type = table->columns[position].type;
        const Literal& literal = statement.values[v];
        if (literal.kind == Literal::Kind::Null)
            continue;
        std::string value = literal.value;
        const bool number = literal.kind == Literal::Kind::Number;
        auto tooLarge = [&](std::size_t actual) {
            throw OraError{
                12899,
                {columnPath(position), std::to_string(actual), std::to_string(type.length)},
                {}};
        };
        switch (type.kind) {
        case ColumnKind::Varchar2:
        case ColumnKind::Char: {
            if (number)
                value = decimalText(*parseDecimal(value));
            const std::size_t actual = type.charSemantics ? utf8Length(value) : value.size();
            if (actual > static_cast<std::size_t>(type.length))
                tooLarge(actual);
            if (type.kind == ColumnKind::Char)
                value.append(static_cast<std::size_t>(type.length) - actual, ' ');
            break;
        }
        case ColumnKind::Raw: {
            if (number)
                throw OraError{932, {"BINARY", "NUMBER"}, {}};
            if (!std::all_of(value.begin(), value.end(), isHexDigit))
                throw OraError{1465, {}, {}};
            if (value.size() % 2)
                value.insert(value.begin(), '0');
            value = upperAscii(value);
            if (value.size() / 2 > static_cast<std::size_t>(type.length))
                tooLarge(value.size() / 2);
            break;
        }
        case ColumnKind::Clob:
            if (number)
                value = decimalText(*parseDecimal(value));
            break;
        case ColumnKind::Number: {
            const auto decimal = parseDecimal(value);
            if (!decimal)
                throw OraError{1722, {}, {}};
            if (type.precision > 0 &&
                decimal->point > static_cast<long long>(type.precision - type.scale) &&
                !decimal->digits.empty())
                throw OraError{1438, {}, {}};
            value = decimalText(*decimal);
            break;
        }
        case ColumnKind::Date:
            if (number)
                throw OraError{932, {"DATE", "NUMBER"}, {}};
            if (!matchesDefaultDateFormat(value))
                throw OraError{1861, {}, {}};
            value = upperAscii(trim(value));
            break;
        }
        row.values[position] = std::move(value);
    }
    for (std::size_t i = 0; i < table->columns.size(); ++i)
        if (table->columns[i].notNull && !row.values[i])
            throw OraError{1400, {columnPath(i)}, {}};

    std::optional<OraError> firstViolation;
    for (const auto& constraint : table->constraints) {
        std::string key;
        bool allNull = true;
        std::string columnNames;
        std::string columnValues;
        for (const std::size_t position : constraint.positions) {
            key += keyPart(row.values[position]);
            allNull = allNull && !row.values[position];
            const std::string& name = table->columns[position].name;
            columnNames += (columnNames.empty() ? "" : ", ") + name;
            columnValues += (columnValues.empty() ? "" : ", ") + name + ":" +
                            (row.values[position] ? "'" + *row.values[position] + "'" : "NULL");
        }
        if (allNull)
            continue;
        bool clash = std::any_of(m_pending.begin(), m_pending.end(), [&](const PendingRow& p) {
            return std::find(p.keys.begin(), p.keys.end(), std::make_pair(constraint.id, key)) !=
                   p.keys.end();
        });
        if (!clash) {
            auto query =
                m_db->prepare("SELECT 1 FROM unique_keys WHERE constraint_id = ? AND key = ?");
            query.bind(1, constraint.id).bind(2, key);
            clash = query.step();
        }
        const OraError violation{
            1,
            {owner + "." + constraint.name, owner + "." + table->name, columnNames, columnValues},
            {}};
        if (clash)
            throw violation;
        if (!firstViolation)
            firstViolation = violation;
        row.keys.emplace_back(constraint.id, key);
    }
    // Array DML repeats the same literals, so a keyed row cannot go in twice.
    for (std::uint32_t i = 0; i < iters; ++i) {
        if (i > 0 && firstViolation)
            throw *firstViolation;
        m_pending.push_back(row);
        ++rowCount;
    }
}

void SimSession::select(const SelectStatement& statement) {
    const std::string name = statement.from.name;
    const bool dictionary = !statement.from.schema || *statement.from.schema == "SYS";
    std::vector<std::string> known;
    if (dictionary && name == "USER_TABLES") {
        known = {"TABLE_NAME", "TABLESPACE_NAME", "STATUS", "NUM_ROWS"};
    } else if (dictionary && name == "ALL_TABLES") {
        known = {"OWNER", "TABLE_NAME", "TABLESPACE_NAME", "STATUS", "NUM_ROWS"};
    } else if (dictionary && name == "DUAL") {
        known = {"DUMMY"};
    } else {
        const std::string owner = ownerOf(statement.from);
        const OraError missing{942, {quoted(owner) + "." + quoted(name)}, {}};
        if (owner != m_user && !m_otherSchemas)
            throw missing;
        const auto table = loadTable(owner, name);
        if (!table)
            throw missing;
        for (const auto& column : table->columns)
            known.push_back(column.name);
    }
    auto check = [&](const std::string& column) {
        if (std::find(known.begin(), known.end(), column) == known.end())
            throw OraError{904, {column}, {}};
    };
    for (const auto& column : statement.columns)
        check(column);
    for (const auto& condition : statement.conditions)
        check(condition.first);
}

} // namespace oraclesim
