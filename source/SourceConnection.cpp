#include "SourceConnection.h"

#include <mysql.h>

namespace {

struct ConnectionCloser {
    void operator()(MYSQL* mysql) const { mysql_close(mysql); }
};

struct ResultFreer {
    void operator()(MYSQL_RES* result) const { mysql_free_result(result); }
};

// The ports a MySQL server is looked for on, in this order.
constexpr unsigned int kPorts[] = {3306, 3307, 3308, 3309};

constexpr unsigned int kConnectTimeoutSeconds = 10;
constexpr unsigned int kReadWriteTimeoutSeconds = 60;

// Asks a listing for every name.
constexpr const char* kEveryName = "%";

} // namespace

struct SourceConnection::Handle {
    // Shared with the results read from it: the library may look back at the connection
    // when a result is released, so a result keeps it open until the result is gone.
    std::shared_ptr<MYSQL> mysql;
};

struct SourceResult::Handle {
    // Declared first so that it is released after the result.
    std::shared_ptr<MYSQL> connection;
    std::unique_ptr<MYSQL_RES, ResultFreer> result;
    std::uint32_t rowCount = 0;
    unsigned fieldCount = 0;
};

SourceResult::SourceResult() = default;
SourceResult::SourceResult(std::unique_ptr<Handle> handle) : m_handle(std::move(handle)) {}
SourceResult::~SourceResult() = default;
SourceResult::SourceResult(SourceResult&&) noexcept = default;
SourceResult& SourceResult::operator=(SourceResult&&) noexcept = default;

std::uint32_t SourceResult::rowCount() const {
    return m_handle ? m_handle->rowCount : 0;
}

unsigned SourceResult::fieldCount() const {
    return m_handle ? m_handle->fieldCount : 0;
}

SourceConnection::SourceConnection() : m_handle(std::make_unique<Handle>()) {}
SourceConnection::~SourceConnection() = default;

bool SourceConnection::Connect(const std::string& server, const std::string& login,
                               const std::string& password) {
    // The earlier connection is never used again; results still being read keep it until
    // they are released.
    m_handle->mysql.reset();
    MYSQL* mysql = mysql_init(nullptr);
    if (!mysql) {
        return false;
    }
    m_handle->mysql.reset(mysql, ConnectionCloser{});
    // A server that stops answering without closing the connection must not hold the window
    // (connecting) or the conversion worker (reading) forever; a lost read then fails like a
    // lost connection.
    mysql_options(mysql, MYSQL_OPT_CONNECT_TIMEOUT, &kConnectTimeoutSeconds);
    mysql_options(mysql, MYSQL_OPT_READ_TIMEOUT, &kReadWriteTimeoutSeconds);
    mysql_options(mysql, MYSQL_OPT_WRITE_TIMEOUT, &kReadWriteTimeoutSeconds);
    for (const unsigned int port : kPorts) {
        if (mysql_real_connect(mysql, server.c_str(), login.c_str(), password.c_str(), "", port,
                               nullptr, 0)) {
            return true;
        }
    }
    return false;
}

namespace {

// The first column of every row of a listing, in the server's order. A listing that failed
// gives no names.
std::vector<std::string> FirstColumn(MYSQL_RES* listing) {
    std::vector<std::string> names;
    if (!listing) {
        return names;
    }
    std::unique_ptr<MYSQL_RES, ResultFreer> owner(listing);
    if (mysql_num_fields(listing) == 0) {
        return names;
    }
    while (MYSQL_ROW row = mysql_fetch_row(listing)) {
        names.emplace_back(row[0] ? row[0] : "");
    }
    return names;
}

} // namespace

std::vector<std::string> SourceConnection::ListDatabases() {
    if (!m_handle->mysql) {
        return {};
    }
    return FirstColumn(mysql_list_dbs(m_handle->mysql.get(), kEveryName));
}

void SourceConnection::UseDatabase(const std::string& database) {
    // A database that cannot be made current leaves the earlier one current; the table
    // listing that follows shows whichever that is.
    Query("USE " + QuoteSourceName(database));
}

std::vector<std::string> SourceConnection::ListTables() {
    if (!m_handle->mysql) {
        return {};
    }
    return FirstColumn(mysql_list_tables(m_handle->mysql.get(), kEveryName));
}

std::optional<SourceResult> SourceConnection::ListFields(const std::string& table) {
    if (!m_handle->mysql) {
        return std::nullopt;
    }
    MYSQL_RES* fields = mysql_list_fields(m_handle->mysql.get(), table.c_str(), kEveryName);
    if (!fields) {
        return std::nullopt;
    }
    auto handle = std::make_unique<SourceResult::Handle>();
    handle->connection = m_handle->mysql;
    handle->result.reset(fields);
    handle->fieldCount = mysql_num_fields(fields);
    return SourceResult(std::move(handle));
}

std::optional<SourceField> SourceConnection::FetchField(SourceResult& fieldList) {
    if (!fieldList.m_handle || !fieldList.m_handle->result) {
        return std::nullopt;
    }
    const MYSQL_FIELD* field = mysql_fetch_field(fieldList.m_handle->result.get());
    if (!field) {
        return std::nullopt;
    }
    SourceField description;
    description.originalName = field->org_name ? field->org_name : "";
    description.type = static_cast<int>(field->type);
    description.length = static_cast<std::uint32_t>(field->length);
    description.flags = field->flags;
    description.charsetNumber = field->charsetnr;
    return description;
}

int SourceConnection::Query(const std::string& statement) {
    if (!m_handle->mysql) {
        return 1;
    }
    return mysql_query(m_handle->mysql.get(), statement.c_str());
}

std::optional<SourceResult> SourceConnection::StoreResult() {
    if (!m_handle->mysql) {
        return std::nullopt;
    }
    MYSQL_RES* stored = mysql_store_result(m_handle->mysql.get());
    if (!stored) {
        return std::nullopt;
    }
    auto handle = std::make_unique<SourceResult::Handle>();
    handle->connection = m_handle->mysql;
    handle->result.reset(stored);
    handle->rowCount = static_cast<std::uint32_t>(mysql_num_rows(stored));
    handle->fieldCount = mysql_num_fields(stored);
    return SourceResult(std::move(handle));
}

SourceRow SourceConnection::FetchRow(SourceResult& result) {
    if (!result.m_handle || !result.m_handle->result) {
        return {};
    }
    return SourceRow(mysql_fetch_row(result.m_handle->result.get()), result.m_handle->fieldCount);
}

void SourceConnection::FreeResult(SourceResult& result) {
    result.m_handle.reset();
}

SourceConnection& TheSourceConnection() {
    static SourceConnection connection;
    return connection;
}

std::string QuoteSourceName(std::string_view name) {
    std::string quoted;
    quoted.reserve(name.size() + 2);
    quoted += '`';
    for (const char c : name) {
        if (c == '`') {
            quoted += '`';
        }
        quoted += c;
    }
    quoted += '`';
    return quoted;
}
