// Awkward input end to end, MariaDB to the Oracle simulator: names full of characters that
// need quoting on one side or the other, thousands of tables, an empty table and a value far
// too long for an Oracle literal. Each run ends in bounded time, keeps what it committed and
// says truthfully what it converted.

#include "ConversionRun.h"
#include "FaultFixture.h"
#include "OracleNames.h"
#include "SourceConnection.h"
#include "TestMariaDb.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;
using testing::HasSubstr;

const char* const kSuccess = "MySQL to ORACLE conversion completed successfully.";

std::string backquoted(const std::string& name) {
    std::string quoted = "`";
    for (char c : name) {
        quoted += c;
        if (c == '`')
            quoted += '`';
    }
    return quoted + "`";
}

class BadInputTest : public FaultFixture {
protected:
    void TearDown() override {
        if (!m_ownDatabase.empty())
            TestMariaDb::exec("DROP DATABASE IF EXISTS " + backquoted(m_ownDatabase));
        FaultFixture::TearDown();
    }

    // Makes a database of the given name current for the run in place of the fixture's.
    void useDatabase(const std::string& name) {
        m_ownDatabase = name;
        TestMariaDb::exec("DROP DATABASE IF EXISTS " + backquoted(name) + "; CREATE DATABASE " +
                          backquoted(name) + " CHARACTER SET utf8mb4");
        m_database = name;
        TheSourceConnection().UseDatabase(name);
    }

    std::string m_ownDatabase;
};

struct AwkwardTable {
    const char* mysqlName;
    // Whether Oracle can hold a table of this name at all: a double quote cannot stand inside
    // a quoted Oracle identifier.
    bool oracleAcceptsName;
};

// Tables and columns whose names hold blanks, quotes, backquotes, double quotes, brackets,
// non-ASCII letters and symbols, in a database whose name holds them too. MariaDB keeps
// identifiers in three-byte UTF-8, so an emoji never reaches the program as a name: the
// server refuses it already. Every table whose
// name Oracle can hold arrives with all its rows and values; the one it cannot hold is
// reported and counted as failed, and nothing else is lost.
TEST_F(BadInputTest, AwkwardNamesOfDatabaseTablesAndColumns) {
    EXPECT_THROW(TestMariaDb::exec("CREATE DATABASE `faults 🐟`"), std::runtime_error);
    useDatabase("faults db 'q' `b` \"d\" [x] é ☃");
    const std::vector<AwkwardTable> tables = {
        {"order items", true},  {"o'neil's", true},    {"back`quote", true},  {"[bracketed]", true},
        {"café ünïcode", true}, {"snow ☃ 中文", true}, {"say \"hi\"", false},
    };
    const std::string columns = "(`id` INT PRIMARY KEY, `first name` VARCHAR(20), "
                                "`o'col` VARCHAR(10), `back``col` INT, `dq\"col` VARCHAR(5), "
                                "`[br]` TEXT, `straße` VARCHAR(10), `☃ Ωmega` VARCHAR(10) UNIQUE)";
    const std::string values = "(1, 'Ann', 'it''s', 7, 'a\"b', '[x]', 'groß', '🐟'),"
                               "(2, NULL, '', NULL, NULL, NULL, 'ß', 'two')";
    std::string sql;
    std::vector<std::string> names;
    for (const AwkwardTable& table : tables) {
        names.push_back(table.mysqlName);
        sql += "CREATE TABLE " + backquoted(table.mysqlName) + " " + columns + ";";
        sql += "INSERT INTO " + backquoted(table.mysqlName) + " VALUES " + values + ";";
    }
    TestMariaDb::exec("USE " + backquoted(m_database) + "; " + sql);
    ASSERT_EQ(std::set<std::string>(names.begin(), names.end()), [] {
        const std::vector<std::string> listed = TheSourceConnection().ListTables();
        return std::set<std::string>(listed.begin(), listed.end());
    }());

    const auto window = convertWithin(120s, names);

    const OracleRow first = {"1", "Ann", "it's", "7", "a\"b", "[x]", "groß", "🐟"};
    const OracleRow second = {"2",          std::nullopt, std::nullopt, std::nullopt,
                              std::nullopt, std::nullopt, "ß",          "two"};
    int failed = 0;
    for (const AwkwardTable& table : tables) {
        const std::string oracleName = OracleTableName(table.mysqlName);
        SCOPED_TRACE(oracleName);
        if (!table.oracleAcceptsName) {
            ++failed;
            EXPECT_FALSE(oracleTableExists(oracleName));
            continue;
        }
        EXPECT_EQ(oracleRows(oracleName), (std::vector<OracleRow>{first, second}));
        std::vector<std::string> columnNames;
        for (const OracleSimState::Column& column : oracleColumns(oracleName))
            columnNames.push_back(column.name);
        EXPECT_EQ(columnNames, (std::vector<std::string>{"ID", "FIRST NAME", "O'COL", "BACK`COL",
                                                         "DQCOL", "[BR]", "STRAßE", "☃ ΩMEGA"}))
            << "column names as the column list writes them";
    }
    const std::vector<std::string> texts = messageTexts(*window);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back(), completionText(static_cast<int>(tables.size()),
                                           static_cast<int>(tables.size()) - failed, failed, 0));
    EXPECT_EQ(texts.size(), static_cast<std::size_t>(failed) + 1) << testing::PrintToString(texts);
}

// A single quote in a table name must not break the statements that carry the name inside a
// text literal: converting such a table a second time replaces the first copy, as for any
// other table.
TEST_F(BadInputTest, TableWithAQuoteInItsNameConvertsTwice) {
    sourceSql("CREATE TABLE `o'neil's` (id INT PRIMARY KEY); INSERT INTO `o'neil's` VALUES (1)");
    const auto first = convertWithin(60s, {"o'neil's"});
    ASSERT_EQ(messageTexts(*first), std::vector<std::string>{kSuccess});
    sourceSql("INSERT INTO `o'neil's` VALUES (2)");

    const auto second = convertWithin(60s, {"o'neil's"});

    EXPECT_EQ(messageTexts(*second), std::vector<std::string>{kSuccess});
    EXPECT_EQ(oracleRows("O'NEIL'S"), (std::vector<OracleRow>{{"1"}, {"2"}}));
}

// 2,000 tables in one database: all are listed, and a selection that reaches past the first
// 1,700 list slots is converted, every table with its row.
TEST_F(BadInputTest, TwoThousandTablesInOneDatabase) {
    constexpr int kTables = 2000;
    useDatabase("faults_many_tables");
    std::string sql;
    for (int i = 0; i < kTables; ++i) {
        const std::string name = "t" + std::to_string(10000 + i);
        sql += "CREATE TABLE " + name + " (id INT PRIMARY KEY, name VARCHAR(20)) ENGINE=MEMORY;";
        sql += "INSERT INTO " + name + " VALUES (" + std::to_string(i) + ", '" + name + "');";
    }
    sourceSql(sql);

    std::vector<std::string> listed = TheSourceConnection().ListTables();
    ASSERT_EQ(listed.size(), static_cast<std::size_t>(kTables));
    std::vector<std::string> sorted = listed;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted.front(), "t10000");
    EXPECT_EQ(sorted.back(), "t11999");
    EXPECT_EQ(std::set<std::string>(sorted.begin(), sorted.end()).size(), sorted.size());

    // Every 50th item and the last ten, as listed.
    RunOptions options;
    options.checked.assign(listed.size(), false);
    std::vector<std::string> chosen;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if (i % 50 == 0 || i + 10 >= listed.size()) {
            options.checked[i] = true;
            chosen.push_back(listed[i]);
        }
    }

    const auto window = convertWithin(300s, listed, options);

    EXPECT_EQ(messageTexts(*window), std::vector<std::string>{kSuccess});
    for (const std::string& name : chosen) {
        const std::vector<OracleRow> rows = oracleRows(OracleTableName(name));
        ASSERT_EQ(rows.size(), 1u) << name;
        EXPECT_EQ(rows[0][1], name);
    }
    EXPECT_EQ(m_sim->tables().size(), chosen.size());
    EXPECT_EQ(window->progressText(), std::to_string(chosen.size()) + " of " +
                                          std::to_string(chosen.size()) +
                                          " Table(s) are converted.");
    for (std::size_t i = 0; i < listed.size(); ++i)
        EXPECT_FALSE(window->isChecked(static_cast<int>(i))) << i;
}

// A table without rows, and a table whose one row holds 1 MB of text: far more than the 4,000
// bytes Oracle takes in a text literal, so Oracle refuses the row. The empty table is
// created and counted; the long row is reported as too long and counted as not copied; the
// run does not stall on the large statement.
TEST_F(BadInputTest, EmptyTableAndOneMegabyteText) {
    sourceSql("CREATE TABLE empty_t (id INT PRIMARY KEY, note TEXT);"
              "CREATE TABLE huge_t (id INT PRIMARY KEY, body LONGTEXT);"
              "INSERT INTO huge_t VALUES (1, REPEAT('abcdefgh', 131072))");

    const auto window = convertWithin(120s, {"empty_t", "huge_t"});

    const std::vector<std::string> expected = {
        "Data Length is too long.",
        "MySQL to ORACLE conversion completed with errors: 2 of 2 Table(s) are converted, 0 "
        "Table(s) failed and 1 row(s) were not copied.",
    };
    EXPECT_EQ(messageTexts(*window), expected);
    EXPECT_TRUE(oracleTableExists("EMPTY_T"));
    EXPECT_TRUE(oracleRows("EMPTY_T").empty());
    EXPECT_TRUE(oracleTableExists("HUGE_T"));
    EXPECT_TRUE(oracleRows("HUGE_T").empty());
    const std::vector<std::string> titles = callsOf(*window, "SetTitle");
    EXPECT_THAT(titles,
                testing::Contains("SetTitle Converting Table: [EMPTY_T] 0 rows converted..."));
    EXPECT_THAT(titles,
                testing::Contains("SetTitle Converting Table: [HUGE_T] 0 rows converted..."));
    bool sawLongInsert = false;
    for (const ReceivedStatement& statement : statements()) {
        if (statement.text.rfind("INSERT INTO \"SYSTEM\".HUGE_T", 0) == 0) {
            sawLongInsert = true;
            EXPECT_GT(statement.text.size(), 1048576u);
            EXPECT_EQ(statement.ora, 1704);
        }
    }
    EXPECT_TRUE(sawLongInsert);
    EXPECT_EQ(window->tableBarPosition(), 2);
}

} // namespace
