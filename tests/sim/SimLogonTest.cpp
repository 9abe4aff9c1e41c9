#include "SimFixture.h"

#include <cstdlib>
#include <vector>

namespace {

struct LogonCase {
    const char* name;
    const char* user;
    const char* password;
    const char* connect;
    int status;
    int ora;
    const char* text; // start of the message, or nullptr
};

// Printed by name in test output instead of as raw bytes.
void PrintTo(const LogonCase& c, std::ostream* out) {
    *out << c.name;
}

const LogonCase kLogonCases[] = {
    {"Alias", "SYSTEM", "manager", "ORCL", 0, 0, nullptr},
    {"AliasCaseIgnored", "system", "manager", "orcl", 0, 0, nullptr},
    {"EasyConnect", "system", "manager", "localhost:1521/ORCL", 0, 0, nullptr},
    {"EasyConnectDefaultPort", "system", "manager", "127.0.0.1/orcl", 0, 0, nullptr},
    {"EasyConnectSlashes", "system", "manager", "//localhost:1521/orcl", 0, 0, nullptr},
    {"Descriptor", "system", "manager",
     "(DESCRIPTION=(ADDRESS=(PROTOCOL=TCP)(HOST=localhost)(PORT=1521))"
     "(CONNECT_DATA=(SERVICE_NAME=ORCL)))",
     0, 0, nullptr},
    {"UnknownAlias", "system", "manager", "NOSUCH", -1, 12154,
     "ORA-12154: TNS:could not resolve the connect identifier specified\n"},
    {"UnknownServiceAtListener", "system", "manager", "localhost:1521/NOSUCH", -1, 12514,
     "ORA-12514: TNS:listener does not currently know of service requested in connect "
     "descriptor\n"},
    {"NoListener", "system", "manager", "localhost:1522/ORCL", -1, 12541,
     "ORA-12541: TNS:no listener\n"},
    {"WrongPassword", "system", "Manager", "ORCL", -1, 1017,
     "ORA-01017: invalid username/password; logon denied\n"},
    {"UnknownUser", "nobody", "manager", "ORCL", -1, 1017, nullptr},
    {"QuotedUserKeepsCase", "\"system\"", "manager", "ORCL", -1, 1017, nullptr},
    {"QuotedUpperUser", "\"SYSTEM\"", "manager", "ORCL", 0, 0, nullptr},
    {"EmptyConnectString", "system", "manager", "", -1, 12162,
     "ORA-12162: TNS:net service name is incorrectly specified\n"},
    {"EmptyPassword", "system", "", "ORCL", -1, 1005,
     "ORA-01005: null password given; logon denied\n"},
    {"OtherAccount", "scott", "tiger", "ORCL", 0, 0, nullptr},
    {"PasswordOfOtherAccount", "scott", "manager", "ORCL", -1, 1017, nullptr},
};

class SimLogonCases : public SimTest, public ::testing::WithParamInterface<LogonCase> {};

TEST_P(SimLogonCases, GivesOraclesOutcome) {
    const LogonCase& c = GetParam();
    SimClient client;
    const OciOutcome outcome = client.logon(c.user, c.password, c.connect);
    EXPECT_EQ(outcome.status, c.status) << outcome.text;
    EXPECT_EQ(outcome.ora, c.ora);
    if (c.text) {
        EXPECT_EQ(outcome.text, c.text);
    }
    const auto logons = state->logons();
    // Without a connect string the client refuses before it reaches any database.
    if (c.ora == 12162) {
        EXPECT_TRUE(logons.empty());
        return;
    }
    ASSERT_EQ(logons.size(), 1u);
    EXPECT_EQ(logons[0].ora, c.ora);
    EXPECT_EQ(logons[0].sessionId.has_value(), c.status == 0);
}

INSTANTIATE_TEST_SUITE_P(Table, SimLogonCases, ::testing::ValuesIn(kLogonCases),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(SimTest, LogonWithoutStateFileIsUnresolvedIdentifier) {
    ::unsetenv("ORACLE_SIM_STATE");
    SimClient client;
    EXPECT_EQ(client.logon("system", "manager", "ORCL").ora, 12154);
    ::setenv("ORACLE_SIM_STATE", (m_path + ".missing").c_str(), 1);
    EXPECT_EQ(client.logon("system", "manager", "ORCL").ora, 12154);
}

TEST_F(SimTest, PasswordWithSeparatorsLogsOn) {
    state->addAccount("ORCL", "TW", "a;b,c=d\"e'f", false);
    SimClient client;
    EXPECT_TRUE(client.logon("tw", "a;b,c=d\"e'f", "ORCL").ok());
    SimClient other;
    EXPECT_EQ(other.logon("tw", "a;b,c=d", "ORCL").ora, 1017);
}

TEST_F(SimTest, UnavailableDatabaseRefusesLogonsAndDropsOpenSessions) {
    SimClient open;
    ASSERT_TRUE(open.logon("system", "manager", "ORCL").ok());
    state->setUnavailable(true);

    SimClient late;
    const OciOutcome refused = late.logon("system", "manager", "ORCL");
    EXPECT_EQ(refused.ora, 1034);
    EXPECT_EQ(refused.text.rfind("ORA-01034: ORACLE not available\n", 0), 0u) << refused.text;

    EXPECT_EQ(open.execute("COMMIT").ora, 3113);
    EXPECT_EQ(open.execute("COMMIT").ora, 3114);
}

TEST_F(SimTest, Wording23aiRewordsLogonErrors) {
    state->setWording(OracleSimState::Wording::Oracle23ai);
    SimClient client;
    const OciOutcome denied = client.logon("system", "wrong", "ORCL");
    EXPECT_EQ(denied.ora, 1017);
    EXPECT_EQ(denied.text, "ORA-01017: invalid credential or not authorized; logon denied\n"
                           "Help: https://docs.oracle.com/error-help/db/ora-01017/\n");
    EXPECT_EQ(denied.text.find("invalid username/password"), std::string::npos);

    const OciOutcome alias = client.logon("system", "manager", "NOSUCH");
    EXPECT_EQ(alias.ora, 12154);
    EXPECT_EQ(alias.text.find("could not"), std::string::npos) << alias.text;

    state->setUnavailable(true);
    EXPECT_EQ(
        client.logon("system", "manager", "ORCL")
            .text.rfind(
                "ORA-01034: The Oracle instance is not available for use. Start the instance.", 0),
        0u);
}

TEST_F(SimTest, GermanMessagesKeepTheNumber) {
    state->setGermanMessages(true);
    SimClient client;
    const OciOutcome denied = client.logon("system", "wrong", "ORCL");
    EXPECT_EQ(denied.ora, 1017);
    EXPECT_EQ(denied.text.find("invalid username/password"), std::string::npos);
    EXPECT_NE(denied.text.find("Anmeldung abgelehnt"), std::string::npos) << denied.text;
}

TEST_F(SimTest, AccountUserNamesAreKeptAsOracleKeepsThem) {
    // Unquoted, a name is upper case, whoever writes it; in double quotes it keeps its case.
    state->addAccount("ORCL", "reader", "pw");
    state->addAccount("ORCL", "\"Mixed\"", "pw");
    const struct {
        const char* user;
        int ora;
    } cases[] = {{"reader", 0},        {"READER", 0},    {"\"READER\"", 0},
                 {"\"reader\"", 1017}, {"\"Mixed\"", 0}, {"Mixed", 1017}};
    for (const auto& c : cases) {
        SimClient client;
        EXPECT_EQ(client.logon(c.user, "pw", "ORCL").ora, c.ora) << c.user;
    }
    std::vector<std::string> users;
    for (const auto& session : state->sessions())
        users.push_back(session.user);
    EXPECT_EQ(users, (std::vector<std::string>{"READER", "READER", "READER", "Mixed"}));

    state->setAccountStatus("ORCL", "reader", OracleSimState::AccountStatus::Locked);
    SimClient locked;
    EXPECT_EQ(locked.logon("reader", "pw", "ORCL").ora, 28000);
    // The account's schema is READER's too.
    EXPECT_FALSE(state->executeAs("reader", "CREATE TABLE OWN(A VARCHAR2(1))"));
    EXPECT_TRUE(state->hasTable("READER", "OWN"));
}

TEST_F(SimTest, AccountStatusesGiveWarningsAndErrors) {
    state->setAccountStatus("ORCL", "SCOTT", OracleSimState::AccountStatus::Expiring);
    {
        SimClient client;
        const OciOutcome warned = client.logon("scott", "tiger", "ORCL");
        EXPECT_EQ(warned.status, 1); // OCI_SUCCESS_WITH_INFO: logged on
        EXPECT_EQ(warned.ora, 28002);
        EXPECT_TRUE(client.execute("COMMIT").ok());
    }
    state->setAccountStatus("ORCL", "SCOTT", OracleSimState::AccountStatus::Locked);
    SimClient locked;
    EXPECT_EQ(locked.logon("scott", "tiger", "ORCL").ora, 28000);
    state->setAccountStatus("ORCL", "SCOTT", OracleSimState::AccountStatus::Expired);
    EXPECT_EQ(locked.logon("scott", "tiger", "ORCL").ora, 28001);
}

TEST_F(SimTest, SessionRecordsModeAndCharacterSet) {
    {
        SimClient threaded(true);
        ASSERT_TRUE(threaded.logon("system", "manager", "ORCL").ok());
        ASSERT_TRUE(threaded.logoff().ok());
    }
    SimClient plain(false);
    ASSERT_TRUE(plain.logon("scott", "tiger", "ORCL").ok());
    const auto sessions = state->sessions();
    ASSERT_EQ(sessions.size(), 2u);
    EXPECT_TRUE(sessions[0].threaded);
    EXPECT_TRUE(sessions[0].ended);
    EXPECT_EQ(sessions[0].user, "SYSTEM");
    EXPECT_EQ(sessions[0].charset, 873);
    EXPECT_FALSE(sessions[1].threaded);
    EXPECT_FALSE(sessions[1].ended);
    EXPECT_EQ(sessions[1].pid, ::getpid());
}

TEST_F(SimTest, UnsupportedCharacterSetFailsOnTheEnvironment) {
    SimClient client(true, 1000);
    ASSERT_EQ(client.environmentStatus(), -1);
    ASSERT_NE(client.environment(), nullptr);
    std::int32_t code = 0;
    unsigned char buffer[512] = {};
    EXPECT_EQ(
        client.oci().errorGet(client.environment(), 1, nullptr, &code, buffer, sizeof buffer, 1),
        0);
    EXPECT_EQ(code, 12705);
}

TEST_F(SimTest, HandlesAreChecked) {
    const OciFunctions& oci = OciFunctions::load();
    SimClient client;
    void* svc = nullptr;
    const unsigned char* user = reinterpret_cast<const unsigned char*>("system");
    // A null or wrong handle gives OCI_INVALID_HANDLE and no error record.
    EXPECT_EQ(oci.logon2(nullptr, client.errorHandle(), &svc, user, 6, user, 6, user, 4, 0), -2);
    EXPECT_EQ(
        oci.logon2(client.environment(), client.environment(), &svc, user, 6, user, 6, user, 4, 0),
        -2);
    EXPECT_EQ(oci.stmtExecute(nullptr, nullptr, client.errorHandle(), 1, 0, nullptr, nullptr, 0),
              -2);
    std::int32_t code = 0;
    unsigned char buffer[64] = {};
    EXPECT_EQ(oci.errorGet(client.errorHandle(), 1, nullptr, &code, buffer, sizeof buffer, 2),
              100); // OCI_NO_DATA

    ASSERT_TRUE(client.logon("system", "manager", "ORCL").ok());
    // The service context of OCILogon2 is released by OCILogoff only.
    EXPECT_EQ(oci.handleFree(client.serviceContext(), 3), -2);
    EXPECT_TRUE(client.logoff().ok());

    void* error = nullptr;
    ASSERT_EQ(oci.handleAlloc(client.environment(), &error, 2, 0, nullptr), 0);
    EXPECT_EQ(oci.handleFree(error, 2), 0);
    EXPECT_EQ(oci.handleFree(error, 2), -2);
}

TEST_F(SimTest, ErrorTextIsCutToTheBuffer) {
    SimClient client;
    ASSERT_EQ(client.logon("system", "wrong", "ORCL").ora, 1017);
    std::int32_t code = 0;
    unsigned char buffer[10];
    std::fill(std::begin(buffer), std::end(buffer), 'x');
    ASSERT_EQ(client.oci().errorGet(client.errorHandle(), 1, nullptr, &code, buffer, 10, 2), 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer)), "ORA-01017");
    EXPECT_EQ(client.oci().errorGet(client.errorHandle(), 2, nullptr, &code, buffer, 10, 2), 100);
}

} // namespace
