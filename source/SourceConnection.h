#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One column description of a MySQL field list, with the attributes the conversion reads.
struct SourceField {
    std::string originalName; // the field's original column name (org_name)
    int type = 0;             // the client library's field-type code
    std::uint32_t length = 0; // display length in bytes
    std::uint32_t flags = 0;  // 2 primary key, 4 unique key, 8 multiple key
    // 63 for binary and numeric columns. Text columns are described in the connection's
    // result character set, not their own: utf8mb4_general_ci (45) with the client library's
    // default, and their length then counts four bytes per character.
    std::uint32_t charsetNumber = 0;
};

// The flag masks of SourceField::flags that the key clause reads.
inline constexpr std::uint32_t kPrimaryKeyFlag = 2;
inline constexpr std::uint32_t kUniqueKeyFlag = 4;
inline constexpr std::uint32_t kMultipleKeyFlag = 8;

// One row of a result: entry i is the value of column i up to its first zero byte, or
// nullptr for SQL NULL. Valid until the next FetchRow on the same result or its release.
class SourceRow {
public:
    SourceRow() = default;
    SourceRow(char** values, unsigned fieldCount) : m_values(values), m_fieldCount(fieldCount) {}
    explicit operator bool() const { return m_values != nullptr; }
    const char* operator[](unsigned column) const { return m_values[column]; }
    unsigned fieldCount() const { return m_fieldCount; }

private:
    char** m_values = nullptr;
    unsigned m_fieldCount = 0;
};

// The result of one listing or query, read front to back once. Owns the library's result
// and releases it when destroyed or passed to SourceConnection::FreeResult. It stays
// readable after a later Connect has replaced the connection it came from.
class SourceResult {
public:
    SourceResult();
    ~SourceResult();
    SourceResult(SourceResult&&) noexcept;
    SourceResult& operator=(SourceResult&&) noexcept;
    SourceResult(const SourceResult&) = delete;
    SourceResult& operator=(const SourceResult&) = delete;

    std::uint32_t rowCount() const; // truncated to 32 bits, as the copy counts rows
    unsigned fieldCount() const;

    struct Handle;

private:
    friend class SourceConnection;
    explicit SourceResult(std::unique_ptr<Handle> handle);
    std::unique_ptr<Handle> m_handle;
};

// The program's one connection to the MySQL server being converted. The window thread
// connects and lists the catalog; the conversion worker reads fields and rows afterwards,
// never at the same time.
class SourceConnection {
public:
    SourceConnection();
    ~SourceConnection();
    SourceConnection(const SourceConnection&) = delete;
    SourceConnection& operator=(const SourceConnection&) = delete;

    // Tries ports 3306, 3307, 3308 and 3309 in turn; true when one of them connects.
    bool Connect(const std::string& server, const std::string& login, const std::string& password);

    std::vector<std::string> ListDatabases();
    void UseDatabase(const std::string& database);
    std::vector<std::string> ListTables();

    // The table's column descriptions, or nothing when the server refuses.
    std::optional<SourceResult> ListFields(const std::string& table);
    std::optional<SourceField> FetchField(SourceResult& fieldList);

    // 0 on success, non-zero on failure.
    int Query(const std::string& statement);
    // The whole result of the last query, or nothing when it cannot be stored.
    std::optional<SourceResult> StoreResult();
    SourceRow FetchRow(SourceResult& result);
    void FreeResult(SourceResult& result);

    struct Handle;

private:
    std::unique_ptr<Handle> m_handle;
};

// The process-wide source connection.
SourceConnection& TheSourceConnection();

// A MySQL name between backquotes, a backquote inside it doubled, so that no name can end
// the quoted part early.
std::string QuoteSourceName(std::string_view name);
