#include "SimFixture.h"

namespace {

// SYSTEM.T with a committed row '9'; SCOTT.OWN exists for the privilege cases.
class SimStatements : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        ASSERT_FALSE(state->executeAs("SYSTEM", "CREATE TABLE T(ID VARCHAR2(5), NAME "
                                                "VARCHAR2(10), C CHAR(3), B RAW(2), X CLOB, "
                                                "PRIMARY KEY(ID), UNIQUE (NAME))"));
        ASSERT_FALSE(state->executeAs("SYSTEM", "INSERT INTO T VALUES('9','nine','c','0F','x')"));
        ASSERT_FALSE(state->executeAs("SCOTT", "CREATE TABLE OWN(A VARCHAR2(1))"));
    }
};

struct StatementCase {
    const char* name;
    const char* user; // SYSTEM or SCOTT
    std::string sql;
    int ora; // 0: succeeds
};

const std::string kLongLiteral = "'" + std::string(4001, 'x') + "'";
const std::string kLongestLiteral = "'" + std::string(4000, 'x') + "'";
const std::string kName30 = std::string(30, 'N');
const std::string kName31 = std::string(31, 'N');

// Printed by name in test output instead of as raw bytes.
void PrintTo(const StatementCase& c, std::ostream* out) {
    *out << c.name;
}

const StatementCase kStatementCases[] = {
    // What the program sends.
    {"ExistenceQuery", "SYSTEM", "SELECT COUNT(1)  FROM USER_TABLES WHERE TABLE_NAME = 'T'", 0},
    {"DropCascade", "SYSTEM", "DROP TABLE \"T\"  CASCADE CONSTRAINTS", 0},
    {"DropMissing", "SYSTEM", "DROP TABLE \"NOPE\"  CASCADE CONSTRAINTS", 942},
    {"DropCaseMatters", "SYSTEM", "DROP TABLE \"t\"", 942},
    {"CreateSpacingVariants", "SYSTEM",
     "CREATE TABLE \"SYSTEM\".\"ORDER ITEMS\"(\"ID\" VARCHAR2(11), \"A\" VARCHAR2( 255), \"W\" "
     "VARCHAR2(200 ), \"C\" CHAR(4), \"B\" RAW(4), \"N\" CLOB, PRIMARY KEY(\"ID\"),  UNIQUE "
     "(\"A\",\"W\"))",
     0},
    {"InsertUnquotedName", "SYSTEM",
     "INSERT INTO \"SYSTEM\".T VALUES('1','O''Neil','abc','1','likes fish')", 0},
    {"InsertQuotedName", "SYSTEM", "INSERT INTO \"SYSTEM\".\"T\" VALUES('1','a',NULL,NULL,'NULL')",
     0},
    {"Commit", "SYSTEM", "COMMIT", 0},
    // Other valid forms.
    {"InsertColumnList", "SYSTEM", "insert into t (id, b) values ('2', 'ab')", 0},
    {"InsertAlias", "SYSTEM", "INSERT INTO T x VALUES('3','b','c','AB','d')", 0},
    {"InsertNumbers", "SYSTEM", "INSERT INTO T VALUES(3,-4.50,1e2,NULL,12)", 0},
    {"CreateLowerCase", "SYSTEM",
     "create table new_one (a varchar2(10 byte), b char, c raw(1), d clob, e number(5,2), f date,"
     " g varchar2(4 char) not null, constraint new_one_pk primary key (a))",
     0},
    {"CommitWork", "SYSTEM", "commit work", 0},
    {"Rollback", "SYSTEM", "ROLLBACK", 0},
    {"SelectDual", "SYSTEM", "SELECT 1 FROM DUAL", 0},
    {"SelectCountOfTable", "SYSTEM", "SELECT COUNT(*) FROM T WHERE ID = '9'", 0},
    {"Comments", "SYSTEM", "/* c */ DROP TABLE T -- gone", 0},
    // Statements the simulator does not know.
    {"Empty", "SYSTEM", "   ", 900},
    {"Garbage", "SYSTEM", "SELEKT 1 FROM DUAL", 900},
    {"Unmodelled", "SYSTEM", "UPDATE T SET ID = '1'", 3001},
    {"OtherCreate", "SYSTEM", "CREATE TABLESPACE X", 901},
    {"CreateIndex", "SYSTEM", "CREATE INDEX I ON T(ID)", 3001},
    {"OtherDrop", "SYSTEM", "DROP TABLES T", 950},
    // Semicolons and invalid characters.
    {"TrailingSemicolonDrop", "SYSTEM", "DROP TABLE T;", 911},
    {"TrailingSemicolonInsert", "SYSTEM", "INSERT INTO T VALUES('1','a','b','AB','x');", 911},
    {"TrailingSemicolonCommit", "SYSTEM", "COMMIT;", 911},
    {"SemicolonInsideLiteral", "SYSTEM", "INSERT INTO T VALUES('1',';','b','AB','x')", 0},
    {"SquareBrackets", "SYSTEM", "DROP TABLE [T]", 911},
    {"InvalidCharacterAfterName", "SYSTEM", "DROP TABLE T@", 911},
    // Table names.
    {"ReservedWordCreate", "SYSTEM", "CREATE TABLE \"SYSTEM\".ORDER(A VARCHAR2(1))", 903},
    {"ReservedWordDrop", "SYSTEM", "DROP TABLE GROUP", 903},
    {"ReservedWordInsert", "SYSTEM", "INSERT INTO \"SYSTEM\".ORDER VALUES('1')", 903},
    {"ReservedWordQuoted", "SYSTEM", "CREATE TABLE \"ORDER\"(A VARCHAR2(1))", 0},
    {"NameWithBlankUnquoted", "SYSTEM", "INSERT INTO \"SYSTEM\".MY ITEMS LIST VALUES('1')", 926},
    {"NameStartsWithDigit", "SYSTEM", "CREATE TABLE 1X(A VARCHAR2(1))", 903},
    {"NoTableName", "SYSTEM", "DROP TABLE", 903},
    {"EmptyQuotedName", "SYSTEM", "CREATE TABLE \"\"(A VARCHAR2(1))", 1741},
    {"UnterminatedQuotedName", "SYSTEM", "CREATE TABLE \"AB (A VARCHAR2(1))", 1740},
    {"Name30Bytes", "SYSTEM", "CREATE TABLE " + kName30 + "(A VARCHAR2(1))", 0},
    {"Name31Bytes", "SYSTEM", "CREATE TABLE " + kName31 + "(A VARCHAR2(1))", 972},
    {"QuotedName31Bytes", "SYSTEM", "CREATE TABLE \"" + kName31 + "\"(A VARCHAR2(1))", 972},
    {"NameInUse", "SYSTEM", "CREATE TABLE \"SYSTEM\".\"T\"(A VARCHAR2(1))", 955},
    // Column definitions.
    {"Varchar2Longest", "SYSTEM", "CREATE TABLE X(A VARCHAR2(4000))", 0},
    {"Varchar2TooLong", "SYSTEM", "CREATE TABLE X(A VARCHAR2(4001))", 910},
    {"CharLongest", "SYSTEM", "CREATE TABLE X(A CHAR(2000))", 0},
    {"CharTooLong", "SYSTEM", "CREATE TABLE X(A CHAR(2001))", 910},
    {"RawLongest", "SYSTEM", "CREATE TABLE X(A RAW(2000))", 0},
    {"RawTooLong", "SYSTEM", "CREATE TABLE X(A RAW(4000))", 910},
    {"ZeroLength", "SYSTEM", "CREATE TABLE X(A VARCHAR2(0))", 1723},
    {"Varchar2WithoutLength", "SYSTEM", "CREATE TABLE X(A VARCHAR2)", 906},
    {"RawWithoutLength", "SYSTEM", "CREATE TABLE X(A RAW)", 906},
    {"UnclosedLength", "SYSTEM", "CREATE TABLE X(A VARCHAR2(10)", 907},
    {"UnknownType", "SYSTEM", "CREATE TABLE X(A TEXT)", 902},
    {"NullAsType", "SYSTEM", "CREATE TABLE X(\"A\" NULL)", 902},
    {"MissingType", "SYSTEM", "CREATE TABLE X(\"A\", \"B\" VARCHAR2(1))", 2263},
    {"MissingTypeLast", "SYSTEM", "CREATE TABLE X(\"A\" VARCHAR2(1), \"B\")", 2263},
    {"NoColumns", "SYSTEM", "CREATE TABLE X()", 904},
    {"ReservedColumnName", "SYSTEM", "CREATE TABLE X(ORDER VARCHAR2(1))", 904},
    {"DuplicateColumn", "SYSTEM", "CREATE TABLE X(A VARCHAR2(1), \"A\" CHAR(1))", 957},
    {"NoParenthesis", "SYSTEM", "CREATE TABLE X", 906},
    {"TrailingOption", "SYSTEM", "CREATE TABLE X(A VARCHAR2(1)) TABLESPACE", 922},
    {"DefaultClause", "SYSTEM", "CREATE TABLE X(A VARCHAR2(1) DEFAULT 'a')", 3001},
    // Constraints.
    {"LobPrimaryKey", "SYSTEM", "CREATE TABLE X(A CLOB, PRIMARY KEY(A))", 2329},
    {"LobUnique", "SYSTEM", "CREATE TABLE X(A VARCHAR2(1), B CLOB, UNIQUE (A,B))", 2329},
    {"KeyColumnMissing", "SYSTEM", "CREATE TABLE X(A VARCHAR2(1), PRIMARY KEY(B))", 904},
    {"KeyColumnTwice", "SYSTEM", "CREATE TABLE X(A VARCHAR2(1), PRIMARY KEY(A,A))", 957},
    {"TwoPrimaryKeys", "SYSTEM",
     "CREATE TABLE X(A VARCHAR2(1), B VARCHAR2(1), PRIMARY KEY(A), PRIMARY KEY(B))", 2260},
    {"UniqueSameAsPrimary", "SYSTEM", "CREATE TABLE X(A VARCHAR2(1), PRIMARY KEY(A),  UNIQUE (A))",
     2261},
    {"EmptyKeyList", "SYSTEM", "CREATE TABLE X(A VARCHAR2(1), UNIQUE ())", 904},
    {"KeyTooLong", "SYSTEM", "CREATE TABLE X(A VARCHAR2(4000), B VARCHAR2(4000), PRIMARY KEY(A,B))",
     1450},
    // Schemas and privileges.
    {"UnknownSchemaCreate", "SYSTEM", "CREATE TABLE NOSUCH.X(A VARCHAR2(1))", 1918},
    {"UnknownSchemaInsert", "SYSTEM", "INSERT INTO NOSUCH.X VALUES('1')", 942},
    {"OtherSchemaCreatePrivileged", "SYSTEM", "CREATE TABLE SCOTT.X(A VARCHAR2(1))", 0},
    {"OtherSchemaCreate", "SCOTT", "CREATE TABLE \"SYSTEM\".\"X\"(A VARCHAR2(1))", 1031},
    {"OtherSchemaInsert", "SCOTT", "INSERT INTO \"SYSTEM\".T VALUES('1','a','b','AB','x')", 942},
    {"OtherSchemaDrop", "SCOTT", "DROP TABLE \"SYSTEM\".\"T\"", 942},
    {"OwnSchemaUnqualified", "SCOTT", "INSERT INTO OWN VALUES('a')", 0},
    {"UnqualifiedIsOwnSchema", "SCOTT", "DROP TABLE T", 942},
    {"ExistenceQuerySeesOwnTablesOnly", "SCOTT",
     "SELECT COUNT(1) FROM USER_TABLES WHERE TABLE_NAME = 'T'", 0},
    // INSERT.
    {"TooManyValues", "SYSTEM", "INSERT INTO T VALUES('1','a','b','AB','x','y')", 913},
    {"NotEnoughValues", "SYSTEM", "INSERT INTO T VALUES('1')", 947},
    {"MissingTable", "SYSTEM", "INSERT INTO NOPE VALUES('1')", 942},
    {"MissingInto", "SYSTEM", "INSERT T VALUES('1')", 925},
    {"MissingValues", "SYSTEM", "INSERT INTO T ('1')", 904},
    {"ValueTooLarge", "SYSTEM", "INSERT INTO T VALUES('123456','a','b','AB','x')", 12899},
    {"CharTooLarge", "SYSTEM", "INSERT INTO T VALUES('1','a','abcd','AB','x')", 12899},
    {"RawNotHex", "SYSTEM", "INSERT INTO T VALUES('1','a','b','XY','x')", 1465},
    {"RawTooLarge", "SYSTEM", "INSERT INTO T VALUES('1','a','b','ABCDEF','x')", 12899},
    {"NumberIntoRaw", "SYSTEM", "INSERT INTO T VALUES('1','a','b',12,'x')", 932},
    {"NullPrimaryKey", "SYSTEM", "INSERT INTO T VALUES(NULL,'a','b','AB','x')", 1400},
    {"EmptyPrimaryKey", "SYSTEM", "INSERT INTO T VALUES('','a','b','AB','x')", 1400},
    {"DuplicatePrimaryKey", "SYSTEM", "INSERT INTO T VALUES('9','a','b','AB','x')", 1},
    {"DuplicateUnique", "SYSTEM", "INSERT INTO T VALUES('1','nine','b','AB','x')", 1},
    {"NullUniqueTwice", "SYSTEM", "INSERT INTO T VALUES('1',NULL,'b','AB','x')", 0},
    {"LiteralLongest", "SYSTEM", "INSERT INTO T VALUES('1','a','b','AB'," + kLongestLiteral + ")",
     0},
    {"LiteralTooLong", "SYSTEM", "INSERT INTO T VALUES('1','a','b','AB'," + kLongLiteral + ")",
     1704},
    {"UnterminatedLiteral", "SYSTEM", "INSERT INTO T VALUES('1','a','b','AB','x)", 1756},
    {"ColumnAsValue", "SYSTEM", "INSERT INTO T VALUES('1','a','b','AB',x)", 984},
    {"FunctionAsValue", "SYSTEM", "INSERT INTO T VALUES('1','a','b','AB',foo('x'))", 904},
    {"MissingValue", "SYSTEM", "INSERT INTO T VALUES('1','a','b','AB',)", 936},
    {"MissingComma", "SYSTEM", "INSERT INTO T VALUES('1' 'a')", 917},
    {"TrailingText", "SYSTEM", "INSERT INTO T VALUES('1','a','b','AB','x') extra", 933},
    {"UnknownColumnInList", "SYSTEM", "INSERT INTO T (ID, NOPE) VALUES('1','a')", 904},
    // SELECT.
    {"SelectMissingTable", "SYSTEM", "SELECT COUNT(1) FROM NOPE", 942},
    {"SelectUnknownColumn", "SYSTEM", "SELECT COUNT(1) FROM USER_TABLES WHERE TABLE_NAMES = 'T'",
     904},
    {"SelectWithoutFrom", "SYSTEM", "SELECT COUNT(1) USER_TABLES", 923},
};

class SimStatementCases : public SimStatements,
                          public ::testing::WithParamInterface<StatementCase> {};

TEST_P(SimStatementCases, GiveOraclesError) {
    const StatementCase& c = GetParam();
    SimClient client;
    const std::string user = c.user;
    ASSERT_TRUE(client.logon(user, user == "SYSTEM" ? "manager" : "tiger", "ORCL").ok());
    const OciOutcome outcome = client.execute(c.sql);
    EXPECT_EQ(outcome.ora, c.ora) << c.sql << "\n" << outcome.text;
    EXPECT_EQ(outcome.status, c.ora ? -1 : 0);
    if (c.ora) {
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "ORA-%05d: ", c.ora);
        EXPECT_EQ(outcome.text.rfind(prefix, 0), 0u) << outcome.text;
    }
    const auto record = state->statements();
    ASSERT_EQ(record.size(), 1u);
    EXPECT_EQ(record[0].text, c.sql);
    EXPECT_EQ(record[0].ora, c.ora);
}

INSTANTIATE_TEST_SUITE_P(Table, SimStatementCases, ::testing::ValuesIn(kStatementCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

struct StoredValueCase {
    const char* name;
    const char* table; // column definition
    const char* literal;
    std::optional<std::string> stored;
};

// Printed by name in test output instead of as raw bytes.
void PrintTo(const StoredValueCase& c, std::ostream* out) {
    *out << c.name;
}

const StoredValueCase kStoredValueCases[] = {
    {"EmptyTextIsNull", "VARCHAR2(10)", "''", std::nullopt},
    {"NullKeyword", "VARCHAR2(10)", "NULL", std::nullopt},
    {"NullText", "VARCHAR2(10)", "'NULL'", "NULL"},
    {"DoubledQuote", "VARCHAR2(10)", "'O''Neil'", "O'Neil"},
    {"FourQuotes", "VARCHAR2(10)", "''''", "'"},
    {"BlanksKept", "VARCHAR2(10)", "' a '", " a "},
    {"NumberAsText", "VARCHAR2(10)", "007.50", "7.5"},
    {"FractionAsText", "VARCHAR2(10)", "0.5", ".5"},
    {"CharPadded", "CHAR(4)", "'ab'", "ab  "},
    {"RawOneDigit", "RAW(4)", "'1'", "01"},
    {"RawZero", "RAW(4)", "'0'", "00"},
    {"RawLowerCase", "RAW(4)", "'abcd'", "ABCD"},
    {"RawEmptyIsNull", "RAW(4)", "''", std::nullopt},
    {"ClobKeepsText", "CLOB", "'a, b'", "a, b"},
    {"NumberCanonical", "NUMBER", "'  12.50 '", "12.5"},
    {"Utf8Bytes", "VARCHAR2(4)", "'\xC3\xA4\xC3\xB6'", "\xC3\xA4\xC3\xB6"},
};

class SimStoredValues : public SimTest, public ::testing::WithParamInterface<StoredValueCase> {};

TEST_P(SimStoredValues, AreStoredAsOracleStoresThem) {
    const StoredValueCase& c = GetParam();
    SimClient client;
    ASSERT_TRUE(client.logon("system", "manager", "ORCL").ok());
    run(client, std::string("CREATE TABLE V(A ") + c.table + ")");
    run(client, std::string("INSERT INTO \"SYSTEM\".V VALUES(") + c.literal + ")");
    run(client, "COMMIT");
    const auto rows = state->rows("SYSTEM", "V");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], c.stored);
}

INSTANTIATE_TEST_SUITE_P(Table, SimStoredValues, ::testing::ValuesIn(kStoredValueCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(SimStatements, MessagesNameWhatFailed) {
    SimClient client;
    ASSERT_TRUE(client.logon("system", "manager", "ORCL").ok());
    EXPECT_EQ(client.execute("INSERT INTO T VALUES('123456','a','b','AB','x')").text,
              "ORA-12899: value too large for column \"SYSTEM\".\"T\".\"ID\" (actual: 6, "
              "maximum: 5)\n");
    EXPECT_EQ(client.execute("INSERT INTO T VALUES(NULL,'a','b','AB','x')").text,
              "ORA-01400: cannot insert NULL into (\"SYSTEM\".\"T\".\"ID\")\n");
    const auto constraints = state->constraints("SYSTEM", "T");
    ASSERT_EQ(constraints.size(), 2u);
    EXPECT_TRUE(constraints[0].primary);
    EXPECT_EQ(constraints[0].columns, std::vector<std::string>{"ID"});
    EXPECT_EQ(client.execute("INSERT INTO T VALUES('9','a','b','AB','x')").text,
              "ORA-00001: unique constraint (SYSTEM." + constraints[0].name + ") violated\n");
    EXPECT_EQ(client.execute("CREATE TABLE X(A TEXT)").text, "ORA-00902: invalid datatype\n");
    EXPECT_EQ(client.execute("CREATE TABLE X(ORDER VARCHAR2(1))").text,
              "ORA-00904: : invalid identifier\n");
    EXPECT_EQ(client.execute("INSERT INTO T (NOPE) VALUES('1')").text,
              "ORA-00904: \"NOPE\": invalid identifier\n");
    EXPECT_EQ(client.execute("CREATE TABLE NOSUCH.X(A VARCHAR2(1))").text,
              "ORA-01918: user 'NOSUCH' does not exist\n");
}

TEST_F(SimStatements, Wording23aiChangesTextsAndTheSemicolonError) {
    state->setWording(OracleSimState::Wording::Oracle23ai);
    SimClient client;
    ASSERT_TRUE(client.logon("system", "manager", "ORCL").ok());
    EXPECT_EQ(client.execute("DROP TABLE NOPE").text,
              "ORA-00942: table or view \"SYSTEM\".\"NOPE\" does not exist\n"
              "Help: https://docs.oracle.com/error-help/db/ora-00942/\n");
    EXPECT_EQ(client.execute("DROP TABLE T;").ora, 933);
    EXPECT_EQ(client.execute("DROP TABLE T;;").ora, 911);
    const OciOutcome values = client.execute("INSERT INTO \"SYSTEM\".MY ITEMS LIST VALUES('1')");
    EXPECT_EQ(values.ora, 926);
    EXPECT_EQ(values.text.find("missing VALUES keyword"), std::string::npos) << values.text;
    // From 12.2 identifiers may have 128 bytes.
    EXPECT_TRUE(client.execute("CREATE TABLE " + std::string(128, 'L') + "(A VARCHAR2(1))").ok());
    EXPECT_EQ(client.execute("CREATE TABLE " + std::string(129, 'L') + "(A VARCHAR2(1))").ora, 972);
}

TEST_F(SimStatements, IterationCountsFollowTheStatementType) {
    SimClient client;
    ASSERT_TRUE(client.logon("system", "manager", "ORCL").ok());
    EXPECT_EQ(client.statementType("SELECT COUNT(1) FROM DUAL"), 1);
    EXPECT_EQ(client.statementType("  insert into t values('1')"), 4);
    EXPECT_EQ(client.statementType("CREATE TABLE X(A CLOB)"), 5);
    EXPECT_EQ(client.statementType("DROP TABLE X"), 6);
    EXPECT_EQ(client.execute("SELECT COUNT(1) FROM DUAL", 1).ora, 24374);
    EXPECT_EQ(client.execute("DROP TABLE T", 0).ora, 24333);
    EXPECT_EQ(client.execute("COMMIT", 0).ora, 24333);
    EXPECT_TRUE(state->hasTable("SYSTEM", "T"));
    // An INSERT executed twice inserts its row twice: a keyed row cannot go in again.
    EXPECT_EQ(client.execute("INSERT INTO T VALUES('1','a','b','AB','x')", 2).ora, 1);
    ASSERT_TRUE(client.execute("CREATE TABLE L(A VARCHAR2(1))").ok());
    void* stmt = nullptr;
    const std::string insert = "INSERT INTO L VALUES('a')";
    const OciFunctions& oci = client.oci();
    ASSERT_EQ(oci.stmtPrepare2(client.serviceContext(), &stmt, client.errorHandle(),
                               reinterpret_cast<const unsigned char*>(insert.data()),
                               static_cast<std::uint32_t>(insert.size()), nullptr, 0, 1, 0),
              0);
    EXPECT_EQ(oci.stmtExecute(client.serviceContext(), stmt, client.errorHandle(), 3, 0, nullptr,
                              nullptr, 0),
              0);
    std::uint32_t rowCount = 0;
    EXPECT_EQ(oci.attrGet(stmt, 4, &rowCount, nullptr, 9, client.errorHandle()), 0);
    EXPECT_EQ(rowCount, 3u); // OCI_ATTR_ROW_COUNT
    EXPECT_EQ(oci.stmtRelease(stmt, client.errorHandle(), nullptr, 0, 0), 0);
    ASSERT_TRUE(client.commit().ok());
    EXPECT_EQ(state->rows("SYSTEM", "L").size(), 3u);
}

TEST_F(SimStatements, CreatedTableHasOraclesColumnTypes) {
    SimClient client;
    ASSERT_TRUE(client.logon("system", "manager", "ORCL").ok());
    run(client, "CREATE TABLE \"SYSTEM\".\"ORDER ITEMS\"(\"ID\" VARCHAR2(11), \"A\" VARCHAR2( "
                "255), \"W\" VARCHAR2(200 ), \"C\" char(4), \"B\" RAW(4), \"N\" CLOB, \"lower\" "
                "VARCHAR2(3 CHAR), PRIMARY KEY(\"ID\"),  UNIQUE (\"A\",\"W\"))");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"ID", "VARCHAR2(11)"},
        {"A", "VARCHAR2(255)"},
        {"W", "VARCHAR2(200)"},
        {"C", "CHAR(4)"},
        {"B", "RAW(4)"},
        {"N", "CLOB"},
        {"lower", "VARCHAR2(3 CHAR)"}};
    const auto columns = state->columns("SYSTEM", "ORDER ITEMS");
    ASSERT_EQ(columns.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(columns[i].name, expected[i].first);
        EXPECT_EQ(columns[i].type, expected[i].second);
    }
    const auto constraints = state->constraints("SYSTEM", "ORDER ITEMS");
    ASSERT_EQ(constraints.size(), 2u);
    EXPECT_FALSE(constraints[1].primary);
    EXPECT_EQ(constraints[1].columns, (std::vector<std::string>{"A", "W"}));
}

TEST_F(SimStatements, ReplacedTableStartsEmpty) {
    SimClient client;
    ASSERT_TRUE(client.logon("system", "manager", "ORCL").ok());
    run(client, "DROP TABLE \"T\"  CASCADE CONSTRAINTS");
    EXPECT_FALSE(state->hasTable("SYSTEM", "T"));
    run(client, "CREATE TABLE \"SYSTEM\".\"T\"(\"ID\" VARCHAR2(5), PRIMARY KEY(\"ID\"))");
    // The old key '9' went with the old table.
    run(client, "INSERT INTO \"SYSTEM\".T VALUES('9')");
    run(client, "COMMIT");
    EXPECT_EQ(state->rows("SYSTEM", "T").size(), 1u);
}

TEST_F(SimStatements, NonUtf8ClientTurnsOtherCharactersIntoQuestionMarks) {
    ::unsetenv("NLS_LANG");
    SimClient client(true, 0);
    ASSERT_TRUE(client.logon("system", "manager", "ORCL").ok());
    run(client, "INSERT INTO T (ID, NAME) VALUES('1','\xC3\xA4x')");
    run(client, "COMMIT");
    EXPECT_EQ(state->rows("SYSTEM", "T")[1][1], "?x");
}

} // namespace

namespace {

TEST_F(SimStatements, DescribeOnlyParsesWithoutExecuting) {
    SimClient client;
    ASSERT_TRUE(client.logon("system", "manager", "ORCL").ok());
    EXPECT_TRUE(client.execute("DROP TABLE T", 1, 0x10).ok());
    EXPECT_TRUE(state->hasTable("SYSTEM", "T"));
    EXPECT_EQ(client.execute("DROP TABLE T;", 1, 0x10).ora, 911);
}

} // namespace
