#include "OracleSimState.h"
#include "TargetConnection.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

// Runs against the Oracle simulator found through ORACLE_HOME, exactly as the program finds
// Oracle's client. Each test gets a state file of its own.
namespace {

const std::string kService = "FREEPDB1";
const std::string kUser = "system";
const std::string kPassword = "manager";

std::string statePathFor(const testing::TestInfo& test) {
    std::string name = std::string(test.test_suite_name()) + "_" + test.name();
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    return testing::TempDir() + "target-sim-" + std::to_string(::getpid()) + "-" + name + ".db";
}

// Success expected: on failure the test shows the whole error text.
template <typename Call> void expectSuccess(Call call) {
    try {
        call();
    } catch (const TargetError& error) {
        ADD_FAILURE() << "raised" << TargetConnection::ErrorText(error);
    }
}

class SimTest : public testing::Test {
protected:
    void SetUp() override {
        m_path = statePathFor(*testing::UnitTest::GetInstance()->current_test_info());
        m_state.emplace(OracleSimState::create(m_path));
        m_state->addService(kService, "localhost", 1521);
        m_state->addAccount(kService, "SYSTEM", kPassword, true);
        ::setenv("ORACLE_SIM_STATE", m_path.c_str(), 1);
    }

    void TearDown() override {
        m_state.reset();
        std::remove(m_path.c_str());
    }

    OracleSimState& state() { return *m_state; }

    std::optional<TargetError> openFailure(TargetConnection& connection, const std::string& service,
                                           const std::string& password) {
        try {
            connection.Open(service, kUser, password);
        } catch (const TargetError& error) {
            return error;
        }
        return std::nullopt;
    }

    static std::optional<TargetError> executeFailure(TargetConnection& connection,
                                                     const std::string& statement) {
        try {
            connection.Execute(statement);
        } catch (const TargetError& error) {
            return error;
        }
        return std::nullopt;
    }

private:
    std::string m_path;
    std::optional<OracleSimState> m_state;
};

TEST_F(SimTest, OpenCreatesThreadedUtf8Session) {
    TargetConnection connection;
    expectSuccess([&] { connection.Open(kService, kUser, kPassword); });

    const auto sessions = state().sessions();
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_EQ(sessions[0].service, kService);
    EXPECT_EQ(sessions[0].user, "SYSTEM");
    EXPECT_TRUE(sessions[0].threaded);
    EXPECT_EQ(sessions[0].charset, 873);
    EXPECT_FALSE(sessions[0].ended);
}

TEST_F(SimTest, OpenWithEasyConnectString) {
    TargetConnection connection;
    expectSuccess([&] { connection.Open("localhost:1521/" + kService, kUser, kPassword); });
}

// The separators of the connection string mean nothing to the logon.
TEST_F(SimTest, PasswordWithSeparatorsLogsOn) {
    const std::string password = "a;b,c=d";
    state().addAccount(kService, "TABWRIGHT", password);
    TargetConnection connection;
    expectSuccess([&] { connection.Open(kService, "tabwright", password); });
}

// A warning at logon, such as a password about to expire, still gives a working session.
TEST_F(SimTest, ExpiringPasswordIsNoFailure) {
    state().setAccountStatus(kService, "SYSTEM", OracleSimState::AccountStatus::Expiring);
    TargetConnection connection;
    expectSuccess([&] { connection.Open(kService, kUser, kPassword); });
    expectSuccess([&] { connection.Execute("CREATE TABLE SYSTEM.T (A VARCHAR2(5))"); });
}

TEST_F(SimTest, ReopenEndsTheEarlierSession) {
    TargetConnection connection;
    connection.Open(kService, kUser, kPassword);
    connection.Open(kService, kUser, kPassword);

    const auto sessions = state().sessions();
    ASSERT_EQ(sessions.size(), 2u);
    EXPECT_TRUE(sessions[0].ended);
    EXPECT_FALSE(sessions[1].ended);
}

// After a failed open nothing of the earlier session is left to execute on.
TEST_F(SimTest, FailedReopenLeavesNoSession) {
    TargetConnection connection;
    connection.Open(kService, kUser, kPassword);
    ASSERT_TRUE(openFailure(connection, kService, "wrong").has_value());

    EXPECT_TRUE(state().sessions().at(0).ended);
    const auto error = executeFailure(connection, "COMMIT");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->code, kNoClientCode);
}

struct ConnectFailureCase {
    const char* name;
    std::function<void(OracleSimState&)> setUp;
    std::string service;
    std::string password;
    int oracleNumber;
    ConnectErrorClass expected;
};

void PrintTo(const ConnectFailureCase& c, std::ostream* out) {
    *out << c.name;
}

class ConnectFailureTest : public SimTest,
                           public testing::WithParamInterface<ConnectFailureCase> {};

TEST_P(ConnectFailureTest, RaisesClassifiedLogonError) {
    const ConnectFailureCase& c = GetParam();
    if (c.setUp) {
        c.setUp(state());
    }
    TargetConnection connection;
    const auto error = openFailure(connection, c.service, c.password);
    ASSERT_TRUE(error.has_value()) << "Open succeeded";

    const std::string text = TargetConnection::ErrorText(*error);
    EXPECT_EQ(error->code, kLogonFailedCode);
    EXPECT_EQ(error->systemMessage, "Unspecified error");
    EXPECT_EQ(error->oracleErrorNumber, c.oracleNumber) << text;
    ASSERT_TRUE(error->description.has_value());
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "ORA-%05d: ", c.oracleNumber);
    EXPECT_EQ(error->description->rfind(prefix, 0), 0u) << text;
    EXPECT_FALSE(error->description->empty() ||
                 std::isspace(static_cast<unsigned char>(error->description->back())))
        << "trailing white space kept: " << text;
    EXPECT_EQ(ClassifyConnectError(text, error->oracleErrorNumber), c.expected) << text;
    EXPECT_EQ(text.find(c.password), std::string::npos) << "password shown: " << text;

    EXPECT_THROW(connection.Execute("COMMIT"), TargetError);
}

using CE = ConnectErrorClass;
using Wording = OracleSimState::Wording;

INSTANTIATE_TEST_SUITE_P(
    Cases, ConnectFailureTest,
    testing::Values(ConnectFailureCase{"UnknownService", nullptr, "NOSUCH", kPassword, 12154,
                                       CE::BadServiceName},
                    ConnectFailureCase{"UnknownServiceAtListener", nullptr, "localhost:1521/NOSUCH",
                                       kPassword, 12514, CE::BadServiceName},
                    ConnectFailureCase{"WrongPassword", nullptr, kService, "tiger-wrong", 1017,
                                       CE::BadCredentials},
                    ConnectFailureCase{"DatabaseUnavailable",
                                       [](OracleSimState& s) { s.setUnavailable(true); }, kService,
                                       kPassword, 1034, CE::Unavailable},
                    ConnectFailureCase{"UnknownService23ai",
                                       [](OracleSimState& s) { s.setWording(Wording::Oracle23ai); },
                                       "NOSUCH", kPassword, 12154, CE::BadServiceName},
                    ConnectFailureCase{"WrongPassword23ai",
                                       [](OracleSimState& s) { s.setWording(Wording::Oracle23ai); },
                                       kService, "tiger-wrong", 1017, CE::BadCredentials},
                    ConnectFailureCase{"DatabaseUnavailable23ai",
                                       [](OracleSimState& s) {
                                           s.setWording(Wording::Oracle23ai);
                                           s.setUnavailable(true);
                                       },
                                       kService, kPassword, 1034, CE::Unavailable},
                    ConnectFailureCase{"WrongPasswordGerman",
                                       [](OracleSimState& s) { s.setGermanMessages(true); },
                                       kService, "tiger-wrong", 1017, CE::BadCredentials},
                    ConnectFailureCase{"UnknownServiceGerman",
                                       [](OracleSimState& s) { s.setGermanMessages(true); },
                                       "NOSUCH", kPassword, 12154, CE::BadServiceName}),
    [](const testing::TestParamInfo<ConnectFailureCase>& row) {
        return std::string(row.param.name);
    });

class ExecuteTest : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        m_connection.Open(kService, kUser, kPassword);
    }

    TargetConnection m_connection;
};

// Queries run without fetching and everything else runs once; the simulator refuses the
// wrong iteration count as Oracle does.
TEST_F(ExecuteTest, GoodStatementsRunAndCommit) {
    m_connection.Execute("SELECT COUNT(1) FROM USER_TABLES WHERE TABLE_NAME = 'PEOPLE'");
    m_connection.Execute("CREATE TABLE SYSTEM.PEOPLE (\"NAME\" VARCHAR2(20), \"CODE\" CHAR(2))");
    m_connection.Execute("INSERT INTO SYSTEM.PEOPLE VALUES('Ann', 'AB')");
    m_connection.Execute("COMMIT");

    const auto rows = state().rows("SYSTEM", "PEOPLE");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].at(0), "Ann");

    const auto statements = state().statements();
    ASSERT_EQ(statements.size(), 4u);
    EXPECT_EQ(statements[0].iters, 0u);
    for (std::size_t i = 0; i < statements.size(); ++i) {
        EXPECT_EQ(statements[i].ora, 0) << statements[i].text << ": " << statements[i].message;
        if (i > 0) {
            EXPECT_EQ(statements[i].iters, 1u) << statements[i].text;
        }
    }
}

struct BadStatementCase {
    const char* name;
    std::string statement;
    int oracleNumber;
    const char* phrase;
};

void PrintTo(const BadStatementCase& c, std::ostream* out) {
    *out << c.name;
}

class BadStatementTest : public ExecuteTest,
                         public testing::WithParamInterface<BadStatementCase> {};

TEST_P(BadStatementTest, RaisesStatementErrorAndConnectionStaysUsable) {
    const BadStatementCase& c = GetParam();
    const auto error = executeFailure(m_connection, c.statement);
    ASSERT_TRUE(error.has_value()) << "accepted: " << c.statement;

    const std::string text = TargetConnection::ErrorText(*error);
    EXPECT_EQ(error->code, kStatementFailedCode);
    EXPECT_EQ(error->systemMessage, "IDispatch error #3092");
    EXPECT_EQ(error->oracleErrorNumber, c.oracleNumber) << text;
    EXPECT_TRUE(ErrorReports(*error, c.phrase, c.oracleNumber)) << text;
    EXPECT_NE(text.find("\r\nORA-"), std::string::npos) << text;
    EXPECT_EQ(text.find("\n\r\n"), std::string::npos) << "trailing newline kept: " << text;

    expectSuccess([&] { m_connection.Execute("CREATE TABLE SYSTEM.AFTER (A VARCHAR2(5))"); });
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadStatementTest,
    testing::Values(BadStatementCase{"MissingTable", "INSERT INTO SYSTEM.NOSUCH VALUES('a')", 942,
                                     "table or view does not exist"},
                    BadStatementCase{"ReservedWordAsTableName",
                                     "CREATE TABLE SYSTEM.TABLE (A VARCHAR2(5))", 903,
                                     "invalid table name"},
                    BadStatementCase{"TrailingSemicolon", "COMMIT;", 911, "invalid character"},
                    BadStatementCase{"NotSql", "HELLO WORLD", 900, "invalid SQL statement"},
                    BadStatementCase{"EmptyStatement", "", 24373, "invalid length specified"}),
    [](const testing::TestParamInfo<BadStatementCase>& row) {
        return std::string(row.param.name);
    });

TEST_F(ExecuteTest, NameAlreadyUsed) {
    m_connection.Execute("CREATE TABLE SYSTEM.T (A VARCHAR2(5))");
    const auto error = executeFailure(m_connection, "CREATE TABLE SYSTEM.T (A VARCHAR2(5))");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->oracleErrorNumber, 955);
    EXPECT_TRUE(ErrorReports(*error, "name is already used by an existing object", 955));
}

// The error reported is the one of the failed statement, not of any later clean-up.
TEST_F(ExecuteTest, NthStatementFailureIsReportedAndNextStatementRuns) {
    state().failStatement(OracleSimState::FailScope::Session, 2, 1031);
    m_connection.Execute("CREATE TABLE SYSTEM.T (A VARCHAR2(5))");
    const auto error = executeFailure(m_connection, "INSERT INTO SYSTEM.T VALUES('x')");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->oracleErrorNumber, 1031);
    EXPECT_EQ(error->description, "ORA-01031: insufficient privileges");
    expectSuccess([&] { m_connection.Execute("INSERT INTO SYSTEM.T VALUES('y')"); });
}

TEST_F(ExecuteTest, DatabaseGoneUnderOpenSession) {
    state().setUnavailable(true);
    const auto error = executeFailure(m_connection, "COMMIT");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->code, kStatementFailedCode);
    EXPECT_EQ(error->oracleErrorNumber, 3113);
}

// The window thread opens; the conversion worker executes on the same connection.
TEST_F(SimTest, StatementsFromSecondThread) {
    TargetConnection& connection = TheTargetConnection();
    connection.Open(kService, kUser, kPassword);

    std::vector<std::string> failures;
    std::thread worker([&] {
        const std::vector<std::string> statements = {
            "CREATE TABLE SYSTEM.WORK (\"ID\" VARCHAR2(3))",
            "INSERT INTO SYSTEM.WORK VALUES('1')",
            "COMMIT",
            "INSERT INTO SYSTEM.WORK VALUES('2')",
            "COMMIT",
            "INSERT INTO SYSTEM.MISSING VALUES('3')",
        };
        for (const std::string& statement : statements) {
            try {
                connection.Execute(statement);
            } catch (const TargetError& error) {
                failures.push_back(error.description.value_or("(none)"));
            }
        }
    });
    worker.join();

    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].rfind("ORA-00942", 0), 0u) << failures[0];
    EXPECT_EQ(state().rows("SYSTEM", "WORK").size(), 2u);

    // And back on the opening thread.
    expectSuccess([&] { connection.Execute("INSERT INTO SYSTEM.WORK VALUES('4')"); });
    expectSuccess([&] { connection.Execute("COMMIT"); });
    EXPECT_EQ(state().rows("SYSTEM", "WORK").size(), 3u);
}

} // namespace
