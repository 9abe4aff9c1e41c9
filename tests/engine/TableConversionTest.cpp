#include "ConversionEngine.h"
#include "ConversionRun.h"
#include "EngineFixture.h"
#include "TestMariaDb.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using testing::HasSubstr;

const char* const kSuccess = "MySQL to ORACLE conversion completed successfully.";

bool isReadOf(const std::string& line, const std::string& table) {
    return line.find(table) != std::string::npos;
}

class TableConversionTest : public EngineFixture {};

TEST_F(TableConversionTest, SendsTheStatementsInOrder) {
    sourceSql("CREATE TABLE pets (id INT PRIMARY KEY, name VARCHAR(20) UNIQUE, note TEXT);"
              "INSERT INTO pets VALUES (1, 'Rex', 'good dog'), (2, 'O''Neil', NULL)");

    const auto window = convert({"pets"});

    struct Expected {
        std::string text;
        int ora;
    };
    const std::vector<Expected> expected = {
        {"SELECT COUNT(1)  FROM USER_TABLES WHERE TABLE_NAME = 'PETS'", 0},
        {"DROP TABLE \"SYSTEM\".\"PETS\"  CASCADE CONSTRAINTS", 942},
        {"CREATE TABLE \"SYSTEM\".\"PETS\"(\"ID\" VARCHAR2(11), \"NAME\" VARCHAR2(80), \"NOTE\" "
         "CLOB, PRIMARY KEY(\"ID\"),  UNIQUE (\"NAME\"))",
         0},
        {"INSERT INTO \"SYSTEM\".PETS VALUES('1','Rex','good dog')", 0},
        {"COMMIT", 0},
        {"INSERT INTO \"SYSTEM\".PETS VALUES('2','O''Neil',NULL)", 0},
        {"COMMIT", 0},
    };
    const std::vector<ReceivedStatement> received = statements();
    ASSERT_EQ(received.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(received[i].text, expected[i].text) << "statement " << i + 1;
        EXPECT_EQ(received[i].ora, expected[i].ora) << received[i].text;
    }
    EXPECT_EQ(messageTexts(*window), std::vector<std::string>{kSuccess});

    // Converting it again replaces the table: the drop now finds it.
    sourceSql("DELETE FROM pets WHERE id = 1");
    convert({"pets"});
    const std::vector<ReceivedStatement> again = statements();
    ASSERT_GT(again.size(), expected.size() + 2);
    EXPECT_EQ(again[expected.size() + 1].text, expected[1].text);
    EXPECT_EQ(again[expected.size() + 1].ora, 0);
    const std::vector<OracleRow> rows = oracleRows("PETS");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][1], "O'Neil");
}

// A login other than SYSTEM that may act on other schemas converts a table twice: the drop
// acts on the schema the create uses, so the second run replaces the table.
TEST_F(TableConversionTest, SecondConversionByAnotherLoginReplacesTheTable) {
    m_oracleUser = "SCOTT";
    sourceSql("CREATE TABLE items (id INT PRIMARY KEY); INSERT INTO items VALUES (1), (2)");
    convert({"items"});
    const auto window = convert({"items"});
    EXPECT_EQ(messageTexts(*window), std::vector<std::string>{kSuccess});
    EXPECT_EQ(oracleRows("ITEMS").size(), 2u);
    EXPECT_FALSE(oracleTableExists("ITEMS", "SCOTT"));
}

// Every MySQL column type with values that quoting, trimming or cutting would damage: each
// arrives as the text MySQL gives for it, BIT as hexadecimal, SQL NULL as NULL.
TEST_F(TableConversionTest, EveryValueArrivesAsMySqlWritesIt) {
    sourceSql(R"SQL(
CREATE TABLE every_type (
    id INT PRIMARY KEY,
    c_tinyint TINYINT, c_smallint SMALLINT, c_mediumint MEDIUMINT, c_int INT,
    c_bigint BIGINT, c_decimal DECIMAL(12,3), c_float FLOAT, c_double DOUBLE,
    c_date DATE, c_datetime DATETIME, c_timestamp TIMESTAMP NULL DEFAULT NULL, c_time TIME,
    c_year YEAR, c_char CHAR(10), c_varchar VARCHAR(100), c_binary BINARY(4),
    c_varbinary VARBINARY(20), c_tinytext TINYTEXT, c_text TEXT, c_mediumtext MEDIUMTEXT,
    c_longtext LONGTEXT, c_tinyblob TINYBLOB, c_blob BLOB, c_mediumblob MEDIUMBLOB,
    c_longblob LONGBLOB, c_enum ENUM('a', 'b c'), c_set SET('x', 'y'),
    c_bit1 BIT(1), c_bit8 BIT(8), c_bit16 BIT(16), c_bit64 BIT(64));
INSERT INTO every_type VALUES
 (1, -128, -32768, -8388608, -2147483648, -9223372036854775808, -123456789.125, 1.5, -2.25e100,
  '2009-01-31', '2009-01-31 10:15:00', '2009-01-31 10:15:00', '-838:59:59', 2155,
  'NULL', 'O''Neil', 'abcd', 'x,y', ' padded ', 'a, ''b'' ', 'line\nbreak\ttab',
  '[toys] \\ back', 'blob', ' , '' ', 'mid', 'long', 'b c', 'x,y', b'1', b'10', b'1', b'0'),
 (2, 127, 32767, 8388607, 2147483647, 9223372036854775807, 0.000, 0, 0,
  '0000-00-00', '1970-01-01 00:00:01', NULL, '00:00:00', 1901,
  'Grüße', 'Tōkyō 東京 🐟', NULL, '', 'NULL', 'null', '', NULL,
  '', NULL, 'x', 'y', 'a', '', b'0', b'11111111', b'1111111111111111', x'8000000000000001'),
 (3, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
  '', '''', NULL, NULL, '''', '''''', ',', ' ', NULL, NULL, NULL, NULL, NULL, NULL,
  NULL, NULL, NULL, NULL);
UPDATE every_type SET c_varchar = CONCAT('ctl', CHAR(1), 'byte') WHERE id = 3;
)SQL");

    const auto window = convert({"every_type"});
    EXPECT_EQ(messageTexts(*window), std::vector<std::string>{kSuccess});

    // What MySQL itself writes for every value; BIT columns as their bytes in hexadecimal.
    const std::vector<TestMariaDb::Row> expected = TestMariaDb::query(
        "SELECT id, c_tinyint, c_smallint, c_mediumint, c_int, c_bigint, c_decimal, c_float, "
        "c_double, c_date, c_datetime, c_timestamp, c_time, c_year, c_char, c_varchar, "
        "c_binary, c_varbinary, c_tinytext, c_text, c_mediumtext, c_longtext, c_tinyblob, "
        "c_blob, c_mediumblob, c_longblob, c_enum, c_set, LPAD(HEX(c_bit1), 2, '0'), "
        "LPAD(HEX(c_bit8), 2, '0'), LPAD(HEX(c_bit16), 4, '0'), LPAD(HEX(c_bit64), 16, '0') "
        "FROM `" +
        database() + "`.every_type ORDER BY id");
    const std::vector<OracleRow> arrived = oracleRows("EVERY_TYPE");
    const std::vector<OracleSimState::Column> columns = oracleColumns("EVERY_TYPE");
    ASSERT_EQ(columns.size(), 32u);
    ASSERT_EQ(arrived.size(), expected.size());
    for (std::size_t row = 0; row < expected.size(); ++row) {
        ASSERT_EQ(arrived[row].size(), expected[row].size());
        for (std::size_t column = 0; column < expected[row].size(); ++column) {
            std::optional<std::string> want = expected[row][column];
            // Oracle keeps no empty text: '' is NULL there.
            if (want && want->empty())
                want.reset();
            // CHAR columns hold their values blank-padded to the column's length in bytes.
            const std::string& type = columns[column].type;
            if (want && type.rfind("CHAR(", 0) == 0)
                want->resize(std::max(want->size(), std::stoul(type.substr(5))), ' ');
            EXPECT_EQ(arrived[row][column], want) << "row " << row + 1 << ", column " << column;
        }
    }
}

// Oracle refuses the reserved word unquoted in the INSERT; the quoted retry inserts every
// row, all counted, without a message.
TEST_F(TableConversionTest, ReservedWordTableIsFilledByTheQuotedRetry) {
    sourceSql("CREATE TABLE `order` (id INT, what VARCHAR(10));"
              "INSERT INTO `order` VALUES (1, 'a'), (2, 'b'), (3, 'c')");

    const auto window = convert({"order"});

    EXPECT_EQ(messageTexts(*window), std::vector<std::string>{kSuccess});
    EXPECT_EQ(oracleRows("ORDER").size(), 3u);
    const std::vector<std::string> titles = callsOf(*window, "SetTitle");
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(titles.back(), "SetTitle Converting Table: [ORDER] 3 rows converted...");

    std::vector<ReceivedStatement> inserts;
    for (const ReceivedStatement& statement : statements()) {
        if (statement.text.rfind("INSERT", 0) == 0)
            inserts.push_back(statement);
    }
    ASSERT_EQ(inserts.size(), 6u);
    EXPECT_EQ(inserts[0].text, "INSERT INTO \"SYSTEM\".ORDER VALUES('1','a')");
    EXPECT_EQ(inserts[0].ora, 903);
    EXPECT_EQ(inserts[1].text, "INSERT INTO \"SYSTEM\".\"ORDER\" VALUES('1','a')");
    EXPECT_EQ(inserts[1].ora, 0);

    // The activity bar stops at the first failing row and stays still for the table.
    const std::vector<std::string> lines = window->lines();
    const auto firstStop = std::find(lines.begin(), lines.end(), "StopActivityTimer");
    ASSERT_NE(firstStop, lines.end());
    const auto tableEnd = std::find_if(firstStop, lines.end(), [](const std::string& line) {
        return line.rfind("StepTableBar", 0) == 0;
    });
    ASSERT_NE(tableEnd, lines.end());
    EXPECT_EQ(std::find(firstStop, tableEnd, "StartActivityTimer"), tableEnd);
}

// When the create meets a name already in use, the operator hears of privileges, the table
// gets no rows, and the next table that reaches the copy writes its name quoted.
TEST_F(TableConversionTest, NameAlreadyUsedShowsThePrivilegeMessage) {
    sourceSql("CREATE TABLE first (id INT); INSERT INTO first VALUES (1);"
              "CREATE TABLE second (id INT); INSERT INTO second VALUES (2)");
    failStatement(3, 955);

    const auto window = convert({"first", "second"});

    const std::vector<std::string> texts = messageTexts(*window);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0],
              "you don't have sufficient privilege to perform this operation on table [FIRST].");
    EXPECT_EQ(texts[1], "MySQL to ORACLE conversion completed with errors: 1 of 2 Table(s) are "
                        "converted, 1 Table(s) failed and 0 row(s) were not copied.");
    EXPECT_FALSE(oracleTableExists("FIRST"));
    bool quotedInsert = false;
    for (const ReceivedStatement& statement : statements())
        quotedInsert |= statement.text == "INSERT INTO \"SYSTEM\".\"SECOND\" VALUES('2')";
    EXPECT_TRUE(quotedInsert);
    EXPECT_EQ(oracleRows("SECOND").size(), 1u);
    EXPECT_EQ(TheConversionRun().quoteTargetName, 0);
}

// A create that fails for another reason (a MySQL type without an Oracle type) shows
// Oracle's whole error text; the run goes on with the activity bar moving again.
TEST_F(TableConversionTest, OtherCreateFailureShowsTheWholeErrorText) {
    sourceSql("CREATE TABLE shapes (id INT, g POINT); INSERT INTO shapes VALUES (1, NULL);"
              "CREATE TABLE after_shapes (id INT); INSERT INTO after_shapes VALUES (1)");

    const auto window = convert({"shapes", "after_shapes"});

    const std::vector<std::string> texts = messageTexts(*window);
    ASSERT_EQ(texts.size(), 2u);
    std::string oracleMessage;
    for (const ReceivedStatement& statement : statements()) {
        if (statement.text.rfind("CREATE TABLE \"SYSTEM\".\"SHAPES\"", 0) == 0)
            oracleMessage = statement.message;
    }
    ASSERT_FALSE(oracleMessage.empty());
    EXPECT_EQ(texts[0].rfind("\n", 0), 0u);
    EXPECT_THAT(texts[0], HasSubstr(" Error: -2147217900\r\n" + oracleMessage + "\r\n"));
    EXPECT_FALSE(oracleTableExists("SHAPES"));
    EXPECT_EQ(oracleRows("AFTER_SHAPES").size(), 1u);

    const std::vector<std::string> lines = window->lines();
    const auto shown = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find("Error: -2147217900") != std::string::npos;
    });
    ASSERT_NE(shown, lines.end());
    ASSERT_NE(shown, lines.begin());
    EXPECT_EQ(*(shown - 1), "StopActivityTimer");
    EXPECT_EQ(*(shown + 1), "StartActivityTimer");
}

struct RowFailureCase {
    const char* name;
    const char* columnType;
    const char* badValue; // SQL expression
    int ora;
    bool dataLengthMessage;
};

void PrintTo(const RowFailureCase& c, std::ostream* out) {
    *out << c.name;
}

class RowFailureTest : public EngineFixture, public testing::WithParamInterface<RowFailureCase> {};

// A row Oracle refuses is reported and skipped; the rows around it arrive.
TEST_P(RowFailureTest, RefusedRowIsReportedAndSkipped) {
    const RowFailureCase& c = GetParam();
    sourceSql(std::string("CREATE TABLE t (id INT PRIMARY KEY, v ") + c.columnType + ");" +
              "INSERT INTO t VALUES (1, '12'), (2, " + c.badValue + "), (3, '34')");

    const auto window = convert({"t"});

    const std::vector<std::string> texts = messageTexts(*window);
    ASSERT_EQ(texts.size(), 2u);
    if (c.dataLengthMessage)
        EXPECT_EQ(texts[0], "Data Length is too long.");
    else
        EXPECT_THAT(texts[0], HasSubstr("ORA-" + std::to_string(c.ora)));
    EXPECT_EQ(texts[1], "MySQL to ORACLE conversion completed with errors: 1 of 1 Table(s) are "
                        "converted, 0 Table(s) failed and 1 row(s) were not copied.");
    const std::vector<OracleRow> rows = oracleRows("T");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0], "1");
    EXPECT_EQ(rows[1][0], "3");
    const std::vector<std::string> titles = callsOf(*window, "SetTitle");
    const std::vector<std::string> expectedTitles = {
        "SetTitle Converting Table: [T] 1 rows converted...",
        "SetTitle Converting Table: [T] 1 rows converted...",
        "SetTitle Converting Table: [T] 2 rows converted...",
        "SetTitle Converting Table: [T] 2 rows converted...",
    };
    EXPECT_EQ(titles, expectedTitles);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RowFailureTest,
    testing::Values(RowFailureCase{"LiteralOver4000Bytes", "TEXT", "REPEAT('x', 4001)", 1704, true},
                    RowFailureCase{"ValueTooLarge", "INT(3)", "123456", 12899, false}),
    [](const testing::TestParamInfo<RowFailureCase>& param) {
        return std::string(param.param.name);
    });

// A table dropped in MySQL after the list was filled is rejected before Oracle hears of it.
TEST_F(TableConversionTest, TableGoneBeforeItsTurnIsRejected) {
    sourceSql("CREATE TABLE kept (id INT); INSERT INTO kept VALUES (1)");

    const auto window = convert({"gone", "kept"});

    const std::vector<std::string> texts = messageTexts(*window);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "gone table is not in expected format.");
    EXPECT_EQ(texts[1], "MySQL to ORACLE conversion completed with errors: 1 of 2 Table(s) are "
                        "converted, 1 Table(s) failed and 0 row(s) were not copied.");
    for (const ReceivedStatement& statement : statements())
        EXPECT_FALSE(isReadOf(statement.text, "GONE")) << statement.text;
    EXPECT_EQ(oracleRows("KEPT").size(), 1u);
}

// A table that vanishes between its column listing and its SELECT: the created table stays
// empty, nothing is shown for it, and the run counts it as failed.
TEST_F(TableConversionTest, TableGoneBeforeItsSelectLeavesTheTableEmpty) {
    sourceSql("CREATE TABLE fleeting (id INT); INSERT INTO fleeting VALUES (1)");
    const std::string db = database();
    RunOptions options;
    options.onCall = [db](ConsoleWindow&, const std::string& line) {
        if (line == "StartActivityTimer")
            TestMariaDb::exec("DROP TABLE IF EXISTS `" + db + "`.fleeting");
    };

    const auto window = convert({"fleeting"}, options);

    EXPECT_EQ(messageTexts(*window),
              std::vector<std::string>{"MySQL to ORACLE conversion completed with errors: 0 of 1 "
                                       "Table(s) are converted, 1 Table(s) failed and 0 row(s) "
                                       "were not copied."});
    EXPECT_TRUE(oracleTableExists("FLEETING"));
    EXPECT_TRUE(oracleRows("FLEETING").empty());
    EXPECT_TRUE(callsOf(*window, "SetTitle").empty());
    EXPECT_EQ(window->tableBarPosition(), 0);
}

struct NthFailureCase {
    const char* name;
    int nth; // 1 existence query, 2 drop, 3 create, 4 first INSERT, 6 second INSERT
    int ora;
    const char* shownText; // part of the message shown for it, or empty for none
    std::size_t rowsArriving;
};

void PrintTo(const NthFailureCase& c, std::ostream* out) {
    *out << c.name;
}

class NthStatementTest : public EngineFixture,
                         public testing::WithParamInterface<NthFailureCase> {};

TEST_P(NthStatementTest, FailureOfOneStatementCostsOnlyWhatItCarried) {
    const NthFailureCase& c = GetParam();
    sourceSql("CREATE TABLE t (id INT PRIMARY KEY); INSERT INTO t VALUES (1), (2), (3)");
    failStatement(c.nth, c.ora, "ORA-" + std::to_string(c.ora) + ": injected failure");

    const auto window = convert({"t"});

    const std::vector<std::string> texts = messageTexts(*window);
    if (std::string(c.shownText).empty()) {
        EXPECT_EQ(texts, std::vector<std::string>{kSuccess});
    } else {
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_THAT(texts[0], HasSubstr(c.shownText));
    }
    EXPECT_EQ(oracleRows("T").size(), c.rowsArriving);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NthStatementTest,
    testing::Values(
        // The guarded drop swallows its failures; a failed existence query skips the drop.
        NthFailureCase{"ExistenceQuery", 1, 3113, "", 3}, NthFailureCase{"Drop", 2, 1031, "", 3},
        NthFailureCase{"Create", 3, 1031, "ORA-1031: injected failure", 0},
        // A refused row is skipped and the copy goes on.
        NthFailureCase{"SecondInsert", 6, 1, "ORA-1: injected failure", 2},
        // A lost session ends the table at once instead of failing every later row.
        NthFailureCase{"SecondInsertLostSession", 6, 3113, "ORA-3113: injected failure", 1}),
    [](const testing::TestParamInfo<NthFailureCase>& param) {
        return std::string(param.param.name);
    });

// The MySQL connection dies in the middle of a table: the table ends there with one message,
// what was committed stays, the next table is rejected, and the run ends truthfully.
TEST_F(TableConversionTest, MySqlConnectionKilledInTheMiddleOfATable) {
    sourceSql("CREATE TABLE big (id INT); INSERT INTO big VALUES (1), (2), (3), (4), (5);"
              "CREATE TABLE later (id INT); INSERT INTO later VALUES (1)");
    // A login of its own, so that the kill meets no other connection.
    TestMariaDb::exec("CREATE USER IF NOT EXISTS 'engine_kill'@'%' IDENTIFIED BY 'kill-secret';"
                      "GRANT ALL PRIVILEGES ON *.* TO 'engine_kill'@'%'");
    connectSource("engine_kill", "kill-secret");
    RunOptions options;
    options.onCall = [](ConsoleWindow&, const std::string& line) {
        if (line != "SetTitle Converting Table: [BIG] 2 rows converted...")
            return;
        for (const TestMariaDb::Row& row : TestMariaDb::query(
                 "SELECT ID FROM information_schema.PROCESSLIST WHERE USER = 'engine_kill'"))
            TestMariaDb::exec("KILL CONNECTION " + row.at(0).value());
    };

    const auto window = convert({"big", "later"}, options);

    const std::vector<std::string> expected = {
        "big table could not be read completely from MySQL.",
        "later table is not in expected format.",
        "MySQL to ORACLE conversion completed with errors: 0 of 2 Table(s) are converted, 2 "
        "Table(s) failed and 0 row(s) were not copied.",
    };
    EXPECT_EQ(messageTexts(*window), expected);
    EXPECT_EQ(oracleRows("BIG").size(), 2u);
    EXPECT_FALSE(oracleTableExists("LATER"));
}

// Oracle goes away in the middle of a table: the lost session ends that table with one
// message instead of one per remaining row, what was committed stays, and the run ends.
TEST_F(TableConversionTest, OracleGoneInTheMiddleOfATable) {
    sourceSql("CREATE TABLE big (id INT); INSERT INTO big VALUES (1), (2), (3), (4), (5);"
              "CREATE TABLE later (id INT); INSERT INTO later VALUES (1)");
    OracleSimState* sim = m_sim.get();
    RunOptions options;
    options.onCall = [sim](ConsoleWindow&, const std::string& line) {
        if (line == "SetTitle Converting Table: [BIG] 2 rows converted...")
            sim->setUnavailable(true);
    };

    const auto window = convert({"big", "later"}, options);

    const std::vector<std::string> texts = messageTexts(*window);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_THAT(texts[0], HasSubstr("ORA-03113"));
    EXPECT_THAT(texts[1], HasSubstr("ORA-0"));
    EXPECT_EQ(texts[2], "MySQL to ORACLE conversion completed with errors: 0 of 2 Table(s) are "
                        "converted, 2 Table(s) failed and 0 row(s) were not copied.");
    sim->setUnavailable(false);
    EXPECT_EQ(oracleRows("BIG").size(), 2u);
    EXPECT_FALSE(oracleTableExists("LATER"));
}

struct CreateRetryCase {
    const char* name;
    std::vector<std::pair<int, int>> failures; // statement number and ORA error
    const char* shownText;                     // part of the one message, or empty
    std::size_t rowsArriving;
};

void PrintTo(const CreateRetryCase& c, std::ostream* out) {
    *out << c.name;
}

class CreateRetryTest : public EngineFixture,
                        public testing::WithParamInterface<CreateRetryCase> {};

// An invalid table name at the create is retried once without the schema; when the retry
// fails, or its copy does, the table is given up with Oracle's text and the run goes on.
TEST_P(CreateRetryTest, InvalidNameIsRetriedWithoutTheSchema) {
    const CreateRetryCase& c = GetParam();
    sourceSql("CREATE TABLE t (id INT); INSERT INTO t VALUES (1), (2), (3);"
              "CREATE TABLE after_t (id INT); INSERT INTO after_t VALUES (1)");
    for (const auto& [nth, ora] : c.failures)
        failStatement(nth, ora, "ORA-" + std::to_string(ora) + ": injected failure");

    const auto window = convert({"t", "after_t"});

    const std::vector<ReceivedStatement> received = statements();
    ASSERT_GE(received.size(), 6u);
    EXPECT_EQ(received[3].text, "SELECT COUNT(1)  FROM USER_TABLES WHERE TABLE_NAME = 'T'");
    EXPECT_EQ(received[4].text, "DROP TABLE \"T\"");
    EXPECT_EQ(received[5].text, "CREATE TABLE \"T\"(\"ID\" VARCHAR2(11))");

    const std::vector<std::string> texts = messageTexts(*window);
    if (std::string(c.shownText).empty()) {
        EXPECT_EQ(texts, std::vector<std::string>{kSuccess});
    } else {
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_THAT(texts[0], HasSubstr(c.shownText));
        EXPECT_THAT(texts[1], HasSubstr("1 of 2 Table(s) are converted, 1 Table(s) failed"));
        // The activity bar moves again after the message.
        const std::vector<std::string> lines = window->lines();
        const auto shown = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.find(c.shownText) != std::string::npos;
        });
        ASSERT_NE(shown, lines.end());
        EXPECT_EQ(*(shown + 1), "StartActivityTimer");
    }
    EXPECT_EQ(oracleRows("T").size(), c.rowsArriving);
    EXPECT_EQ(oracleRows("AFTER_T").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CreateRetryTest,
    testing::Values(
        // The retried table is filled with its name quoted.
        CreateRetryCase{"RetrySucceeds", {{3, 903}}, "", 3},
        CreateRetryCase{"RetryCreateFails", {{3, 903}, {6, 1031}}, "ORA-1031: injected", 0},
        // The first row and its quoted retry both fail: the error leaves the copy.
        CreateRetryCase{
            "CopyAfterRetryFails", {{3, 903}, {7, 942}, {8, 942}}, "ORA-942: injected", 0}),
    [](const testing::TestParamInfo<CreateRetryCase>& param) {
        return std::string(param.param.name);
    });

enum class Language { Classic, Oracle23ai, German };

struct WordingCase {
    const char* name;
    Language language;
};

void PrintTo(const WordingCase& c, std::ostream* out) {
    *out << c.name;
}

class WordingTest : public EngineFixture, public testing::WithParamInterface<WordingCase> {};

// Reworded and translated Oracle messages take the same branches as the classic English
// text: the retries, the data length message and the privilege message.
TEST_P(WordingTest, BranchesDoNotDependOnTheWording) {
    if (GetParam().language == Language::Oracle23ai)
        m_sim->setWording(OracleSimState::Wording::Oracle23ai);
    if (GetParam().language == Language::German)
        m_sim->setGermanMessages(true);
    sourceSql("CREATE TABLE `order` (id INT); INSERT INTO `order` VALUES (1), (2);"
              "CREATE TABLE `order items` (id INT); INSERT INTO `order items` VALUES (1);"
              "CREATE TABLE notes (t TEXT);"
              "INSERT INTO notes VALUES ('a'), (REPEAT('x', 4001)), ('b');"
              "CREATE TABLE taken (id INT); INSERT INTO taken VALUES (1)");
    // Statements 1 to 9 carry ORDER (three for the table, three per row: the refused insert,
    // its retry, the commit), 10 to 15 ORDER ITEMS, 16 to 23 NOTES; 26 creates TAKEN.
    failStatement(26, 955);

    const auto window = convert({"order", "order items", "notes", "taken"});

    const std::vector<std::string> expected = {
        "Data Length is too long.",
        "you don't have sufficient privilege to perform this operation on table [TAKEN].",
        "MySQL to ORACLE conversion completed with errors: 3 of 4 Table(s) are converted, 1 "
        "Table(s) failed and 1 row(s) were not copied.",
    };
    EXPECT_EQ(messageTexts(*window), expected);
    EXPECT_EQ(oracleRows("ORDER").size(), 2u);
    EXPECT_EQ(oracleRows("ORDER ITEMS").size(), 1u);
    EXPECT_EQ(oracleRows("NOTES").size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Cases, WordingTest,
                         testing::Values(WordingCase{"Classic", Language::Classic},
                                         WordingCase{"Oracle23ai", Language::Oracle23ai},
                                         WordingCase{"German", Language::German}),
                         [](const testing::TestParamInfo<WordingCase>& param) {
                             return std::string(param.param.name);
                         });

} // namespace
