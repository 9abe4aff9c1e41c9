#include "SourceConnection.h"
#include "TestMariaDb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<SourceField> AllFields(SourceConnection& connection, SourceResult& fieldList) {
    std::vector<SourceField> fields;
    while (std::optional<SourceField> field = connection.FetchField(fieldList)) {
        fields.push_back(*field);
    }
    return fields;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(QuoteSourceName, PutsTheNameInBackquotesAndDoublesTheBackquotesInside) {
    struct Case {
        const char* name;
        std::string_view raw;
        std::string_view quoted;
    };
    const Case cases[] = {
        {"plain", "orders", "`orders`"},
        {"empty", "", "``"},
        {"blank and hyphen", "my db-1", "`my db-1`"},
        {"one backquote", "a`b", "`a``b`"},
        {"only backquotes", "``", "``````"},
        {"closing attempt", "x`; DROP TABLE y; -- ", "`x``; DROP TABLE y; -- `"},
        {"double quote kept", "say \"hi\"", "`say \"hi\"`"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QuoteSourceName(c.raw), c.quoted) << c.name;
    }
}

TEST(SourceConnectionLogin, ARefusedLoginFailsQuietlyAndTheNextConnectStartsAfresh) {
    SourceConnection connection;
    // Nothing has been connected yet: every operation answers "nothing".
    EXPECT_TRUE(connection.ListDatabases().empty());
    EXPECT_NE(connection.Query("SELECT 1"), 0);
    EXPECT_FALSE(connection.StoreResult());
    EXPECT_FALSE(connection.ListFields("keyed"));

    EXPECT_FALSE(connection.Connect(TestMariaDb::host(), TestMariaDb::kLogin, "wrong-secret"));
    EXPECT_TRUE(connection.ListDatabases().empty());
    EXPECT_TRUE(connection.ListTables().empty());
    EXPECT_NE(connection.Query("SELECT 1"), 0);
    EXPECT_FALSE(connection.StoreResult());

    ASSERT_TRUE(
        connection.Connect(TestMariaDb::host(), TestMariaDb::kLogin, TestMariaDb::kPassword));
    EXPECT_TRUE(Contains(connection.ListDatabases(), "source_catalog"));
}

TEST(SourceConnectionLogin, ANewConnectClosesTheEarlierConnection) {
    const auto sessions = [] {
        return TestMariaDb::query("SELECT COUNT(*) FROM information_schema.PROCESSLIST "
                                  "WHERE USER = 'source_probe'")[0][0]
            .value_or("?");
    };
    SourceConnection connection;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(connection.Connect(TestMariaDb::host(), "source_probe", "probe-secret"));
    }
    // The server notices a closed session a moment after the client has gone.
    std::string count = sessions();
    for (int wait = 0; wait < 100 && count != "1"; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        count = sessions();
    }
    EXPECT_EQ(count, "1");
}

class SourceConnectionTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            m_connection.Connect(TestMariaDb::host(), TestMariaDb::kLogin, TestMariaDb::kPassword));
    }

    SourceConnection m_connection;
};

TEST_F(SourceConnectionTest, DatabaseListHoldsTheSystemDatabases) {
    const std::vector<std::string> databases = m_connection.ListDatabases();
    for (const char* name : {"information_schema", "mysql", "performance_schema", "sys",
                             "source_catalog", "source with blank", "source`backquote"}) {
        EXPECT_TRUE(Contains(databases, name)) << name;
    }
}

TEST_F(SourceConnectionTest, NoTablesAreListedBeforeADatabaseIsCurrent) {
    EXPECT_TRUE(m_connection.ListTables().empty());
}

TEST_F(SourceConnectionTest, TableListHoldsTablesAndViews) {
    m_connection.UseDatabase("source_catalog");
    EXPECT_EQ(Sorted(m_connection.ListTables()),
              (std::vector<std::string>{"keyed", "keyed_codes", "nullable", "odd `name"}));
}

TEST_F(SourceConnectionTest, UseMakesNamesThatNeedQuotingCurrent) {
    struct Case {
        const char* database;
        const char* table;
    };
    const Case cases[] = {
        {"source with blank", "in_blank"},    {"source-hyphen", "in_hyphen"},
        {"source`backquote", "in_backquote"}, {"source`; SELECT 1; --", "in_injection"},
        {"source_grüße", "in_umlaut"},        {"source_catalog", "keyed"},
    };
    for (const Case& c : cases) {
        m_connection.UseDatabase(c.database);
        EXPECT_TRUE(Contains(m_connection.ListTables(), c.table)) << c.database;
    }
}

TEST_F(SourceConnectionTest, AFailedUseLeavesTheEarlierDatabaseCurrent) {
    m_connection.UseDatabase("source-hyphen");
    m_connection.UseDatabase("source_no_such_database");
    EXPECT_EQ(m_connection.ListTables(), (std::vector<std::string>{"in_hyphen"}));
}

TEST_F(SourceConnectionTest, FieldsDescribeEachColumnInTableOrder) {
    struct Expected {
        const char* name;
        int type;
        std::uint32_t length;
        std::uint32_t keyFlags;
        std::uint32_t charsetNumber;
    };
    // Type codes as the client library defines them: 3 INT, 253 VARCHAR, 254 CHAR, 252 TEXT
    // and BLOB. The server describes text columns in the connection's result character set,
    // not the column's own: the client library's default utf8mb4_general_ci (45), so lengths
    // count four bytes per character. Binary and numeric columns report binary (63).
    const Expected expected[] = {
        {"id", 3, 11, kPrimaryKeyFlag, 63}, {"code", 253, 48, kUniqueKeyFlag, 45},
        {"Mixed Name", 254, 20, 0, 45},     {"note", 252, 262140, 0, 45},
        {"picture", 252, 65535, 0, 63},     {"grouped", 3, 11, kMultipleKeyFlag, 63},
    };
    const std::uint32_t keyMask = kPrimaryKeyFlag | kUniqueKeyFlag | kMultipleKeyFlag;

    m_connection.UseDatabase("source_catalog");
    std::optional<SourceResult> fieldList = m_connection.ListFields("keyed");
    ASSERT_TRUE(fieldList);
    const std::vector<SourceField> fields = AllFields(m_connection, *fieldList);
    ASSERT_EQ(fields.size(), std::size(expected));
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const Expected& e = expected[i];
        EXPECT_EQ(fields[i].originalName, e.name);
        EXPECT_EQ(fields[i].type, e.type) << e.name;
        EXPECT_EQ(fields[i].length, e.length) << e.name;
        EXPECT_EQ(fields[i].flags & keyMask, e.keyFlags) << e.name;
        EXPECT_EQ(fields[i].charsetNumber, e.charsetNumber) << e.name;
    }
    // The list stays at its end.
    EXPECT_FALSE(m_connection.FetchField(*fieldList));
}

TEST_F(SourceConnectionTest, FieldsOfViewsAndOddNamesAndNoneForMissingTables) {
    m_connection.UseDatabase("source_catalog");

    std::optional<SourceResult> viewFields = m_connection.ListFields("keyed_codes");
    ASSERT_TRUE(viewFields);
    std::vector<std::string> names;
    for (const SourceField& field : AllFields(m_connection, *viewFields)) {
        names.push_back(field.originalName);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"id", "code"}));

    // The name goes to the server as it is, without quoting.
    std::optional<SourceResult> oddFields = m_connection.ListFields("odd `name");
    ASSERT_TRUE(oddFields);
    std::optional<SourceField> field = m_connection.FetchField(*oddFields);
    ASSERT_TRUE(field);
    EXPECT_EQ(field->originalName, "a b");

    EXPECT_FALSE(m_connection.ListFields("no_such_table"));
    // A refused listing does not spoil the connection.
    EXPECT_TRUE(m_connection.ListFields("keyed"));
}

TEST_F(SourceConnectionTest, SqlNullIsAnAbsentEntryAndAnEmptyTextAnEmptyOne) {
    m_connection.UseDatabase("source_catalog");
    ASSERT_EQ(m_connection.Query("SELECT * FROM " + QuoteSourceName("nullable") + " ORDER BY id"),
              0);
    std::optional<SourceResult> result = m_connection.StoreResult();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->rowCount(), 3u);
    EXPECT_EQ(result->fieldCount(), 2u);

    SourceRow row = m_connection.FetchRow(*result);
    ASSERT_TRUE(row);
    EXPECT_STREQ(row[0], "1");
    EXPECT_EQ(row[1], nullptr);

    row = m_connection.FetchRow(*result);
    ASSERT_TRUE(row);
    ASSERT_NE(row[1], nullptr);
    EXPECT_STREQ(row[1], "");

    row = m_connection.FetchRow(*result);
    ASSERT_TRUE(row);
    EXPECT_STREQ(row[1], "x");

    EXPECT_FALSE(m_connection.FetchRow(*result));
    m_connection.FreeResult(*result);
    EXPECT_FALSE(m_connection.FetchRow(*result));
}

TEST_F(SourceConnectionTest, AFailedQueryIsNonZeroAndStoresNothing) {
    m_connection.UseDatabase("source_catalog");
    EXPECT_NE(m_connection.Query("SELECT * FROM " + QuoteSourceName("no_such_table")), 0);
    EXPECT_FALSE(m_connection.StoreResult());

    ASSERT_EQ(m_connection.Query("SELECT COUNT(*) FROM " + QuoteSourceName("odd `name")), 0);
    std::optional<SourceResult> result = m_connection.StoreResult();
    ASSERT_TRUE(result);
    EXPECT_STREQ(m_connection.FetchRow(*result)[0], "0");
}

TEST_F(SourceConnectionTest, ResultsStayReadableAfterTheNextConnect) {
    m_connection.UseDatabase("source_catalog");
    std::optional<SourceResult> fieldList = m_connection.ListFields("keyed");
    ASSERT_TRUE(fieldList);
    ASSERT_EQ(m_connection.Query("SELECT id FROM nullable ORDER BY id"), 0);
    std::optional<SourceResult> rows = m_connection.StoreResult();
    ASSERT_TRUE(rows);

    ASSERT_TRUE(
        m_connection.Connect(TestMariaDb::host(), TestMariaDb::kLogin, TestMariaDb::kPassword));

    EXPECT_EQ(AllFields(m_connection, *fieldList).size(), 6u);
    const SourceRow row = m_connection.FetchRow(*rows);
    ASSERT_TRUE(row);
    EXPECT_STREQ(row[0], "1");
    // The new connection has no current database.
    EXPECT_TRUE(m_connection.ListTables().empty());
}

TEST_F(SourceConnectionTest, AWorkerThreadReadsFieldsAndRowsOfTheWindowThreadsConnection) {
    m_connection.UseDatabase("source_catalog");
    std::size_t fieldCount = 0;
    std::vector<std::string> ids;
    std::thread worker([&] {
        if (std::optional<SourceResult> fieldList = m_connection.ListFields("nullable")) {
            fieldCount = AllFields(m_connection, *fieldList).size();
        }
        if (m_connection.Query("SELECT id FROM nullable ORDER BY id") == 0) {
            if (std::optional<SourceResult> rows = m_connection.StoreResult()) {
                while (const SourceRow row = m_connection.FetchRow(*rows)) {
                    ids.emplace_back(row[0]);
                }
            }
        }
    });
    worker.join();
    EXPECT_EQ(fieldCount, 2u);
    EXPECT_EQ(ids, (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(SourceConnectionTest, ListsEveryTableOfADatabaseWithMoreThan1700) {
    constexpr int kTables = 1750;
    std::string batch = "CREATE DATABASE IF NOT EXISTS source_many; USE source_many;";
    std::vector<std::string> expected;
    for (int i = 0; i < kTables; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "t%04d", i);
        expected.emplace_back(name);
        // MEMORY tables are the quickest to create: one small file each.
        batch += "CREATE TABLE IF NOT EXISTS ";
        batch += name;
        batch += " (id INT) ENGINE=MEMORY;";
    }
    TestMariaDb::exec(batch);

    m_connection.UseDatabase("source_many");
    EXPECT_EQ(Sorted(m_connection.ListTables()), expected);
}

} // namespace
