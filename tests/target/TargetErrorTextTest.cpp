#include "TargetConnection.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

TargetError oracleFailure(std::string description, int number,
                          std::int32_t code = kStatementFailedCode) {
    TargetError error;
    error.code = code;
    error.source = "Tabwright Oracle Access";
    error.description = std::move(description);
    error.systemMessage = "IDispatch error #3092";
    error.oracleErrorNumber = number;
    return error;
}

struct ErrorTextCase {
    const char* name;
    TargetError error;
    std::string expected;
};

void PrintTo(const ErrorTextCase& c, std::ostream* out) {
    *out << c.name;
}

class ErrorTextTest : public testing::TestWithParam<ErrorTextCase> {};

TEST_P(ErrorTextTest, FormatsTheFourValues) {
    EXPECT_EQ(TargetConnection::ErrorText(GetParam().error), GetParam().expected);
}

TargetError absentTexts() {
    TargetError error;
    error.code = kNoClientCode;
    error.systemMessage = "Invalid pointer";
    return error;
}

TargetError logonFailure() {
    TargetError error =
        oracleFailure("ORA-01017: invalid username/password; logon denied", 1017, kLogonFailedCode);
    error.systemMessage = "Unspecified error";
    return error;
}

TargetError positiveCode() {
    TargetError error;
    error.code = 3092;
    error.source = "";
    error.description = "";
    error.systemMessage = "IDispatch error #3092";
    return error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ErrorTextTest,
    testing::Values(
        ErrorTextCase{"StatementFailure",
                      oracleFailure("ORA-00942: table or view does not exist", 942),
                      "\nTabwright Oracle Access Error: -2147217900\r\nORA-00942: table or view "
                      "does not exist\r\nIDispatch error #3092\r\n"},
        ErrorTextCase{"LogonFailure", logonFailure(),
                      "\nTabwright Oracle Access Error: -2147467259\r\nORA-01017: invalid "
                      "username/password; logon denied\r\nUnspecified error\r\n"},
        ErrorTextCase{"AbsentSourceAndDescriptionPrintNull", absentTexts(),
                      "\n(null) Error: -2147467261\r\n(null)\r\nInvalid pointer\r\n"},
        ErrorTextCase{"EmptyTextsAreNotAbsent", positiveCode(),
                      "\n Error: 3092\r\n\r\nIDispatch error #3092\r\n"},
        ErrorTextCase{"MultiLineDescriptionKeptWhole",
                      oracleFailure("ORA-00942: table or view \"SYSTEM\".\"T\" does not exist\n"
                                    "Help: https://docs.oracle.com/error-help/db/ora-00942/",
                                    942),
                      "\nTabwright Oracle Access Error: -2147217900\r\nORA-00942: table or view "
                      "\"SYSTEM\".\"T\" does not exist\nHelp: "
                      "https://docs.oracle.com/error-help/db/ora-00942/\r\nIDispatch error "
                      "#3092\r\n"}),
    [](const testing::TestParamInfo<ErrorTextCase>& row) { return std::string(row.param.name); });

struct ClassifyCase {
    const char* name;
    TargetError error;
    ConnectErrorClass expected;
};

void PrintTo(const ClassifyCase& c, std::ostream* out) {
    *out << c.name;
}

class ClassifyConnectErrorTest : public testing::TestWithParam<ClassifyCase> {};

// The wizard classifies the whole formatted text together with the Oracle number.
TEST_P(ClassifyConnectErrorTest, ClassifiesTheFormattedText) {
    const TargetError& error = GetParam().error;
    EXPECT_EQ(ClassifyConnectError(TargetConnection::ErrorText(error), error.oracleErrorNumber),
              GetParam().expected);
}

TargetError withSystemMessage(std::string message) {
    TargetError error = oracleFailure("ORA-12541: TNS:no listener", 12541, kLogonFailedCode);
    error.systemMessage = std::move(message);
    return error;
}

TargetError noClientLibrary() {
    TargetError error;
    error.code = kNoClientCode;
    error.systemMessage = "Invalid pointer";
    return error;
}

using CE = ConnectErrorClass;

INSTANTIATE_TEST_SUITE_P(
    Cases, ClassifyConnectErrorTest,
    testing::Values(
        ClassifyCase{"CouldNotPhrase",
                     oracleFailure("ORA-12154: TNS:could not resolve the connect identifier "
                                   "specified",
                                   12154),
                     CE::BadServiceName},
        ClassifyCase{"CouldNotInSystemMessageCounts", withSystemMessage("it could not be done"),
                     CE::BadServiceName},
        ClassifyCase{"CredentialsPhrase",
                     oracleFailure("ORA-01017: invalid username/password; logon denied", 1017),
                     CE::BadCredentials},
        ClassifyCase{"CredentialsPhraseWithoutNumber",
                     oracleFailure("logon refused: invalid username/password", 0),
                     CE::BadCredentials},
        ClassifyCase{"BothPhrasesGiveServiceName",
                     oracleFailure("could not log on: invalid username/password", 1017),
                     CE::BadServiceName},
        ClassifyCase{"CapitalisedCredentialsPhraseIsUnavailable",
                     oracleFailure("Invalid username/password; logon denied", 0), CE::Unavailable},
        ClassifyCase{"CapitalisedCouldNotIsUnavailable",
                     oracleFailure("Could not reach the server", 0), CE::Unavailable},
        ClassifyCase{"PhraseDecidesBeforeNumber",
                     oracleFailure("ORA-12154: invalid username/password", 12154),
                     CE::BadCredentials},
        ClassifyCase{"NotAvailable", oracleFailure("ORA-01034: ORACLE not available", 1034),
                     CE::Unavailable},
        ClassifyCase{"NotAvailable23ai",
                     oracleFailure("ORA-01034: The Oracle instance is not available for use. "
                                   "Start the instance.",
                                   1034),
                     CE::Unavailable},
        ClassifyCase{"NoListener", oracleFailure("ORA-12541: TNS:no listener", 12541),
                     CE::Unavailable},
        ClassifyCase{"UnknownAlias23ai",
                     oracleFailure("ORA-12154: Cannot connect to database. Cannot find alias "
                                   "NOSUCH in /opt/oracle/network/admin/tnsnames.ora.\nHelp: "
                                   "https://docs.oracle.com/error-help/db/ora-12154/",
                                   12154),
                     CE::BadServiceName},
        ClassifyCase{"UnknownAliasGerman",
                     oracleFailure("ORA-12154: TNS: Angegebener Connect Identifier konnte "
                                   "nicht aufgelöst werden",
                                   12154),
                     CE::BadServiceName},
        ClassifyCase{"ServiceNotRegistered",
                     oracleFailure("ORA-12514: TNS:listener does not currently know of service "
                                   "requested in connect descriptor",
                                   12514),
                     CE::BadServiceName},
        ClassifyCase{"ServiceNotRegistered23ai",
                     oracleFailure("ORA-12514: Cannot connect to database. Service NOSUCH is "
                                   "not registered with the listener at host 10.0.0.5 port "
                                   "1521.",
                                   12514),
                     CE::BadServiceName},
        ClassifyCase{"UnknownSid",
                     oracleFailure("ORA-12505: TNS:listener does not currently know of SID "
                                   "given in connect descriptor",
                                   12505),
                     CE::BadServiceName},
        ClassifyCase{"BadCredentials23ai",
                     oracleFailure("ORA-01017: invalid credential or not authorized; logon "
                                   "denied",
                                   1017),
                     CE::BadCredentials},
        ClassifyCase{"BadCredentialsGerman",
                     oracleFailure("ORA-01017: Benutzername/Kennwort ungültig; Anmeldung "
                                   "abgelehnt",
                                   1017),
                     CE::BadCredentials},
        ClassifyCase{"BadCredentialsFrench",
                     oracleFailure("ORA-01017: nom utilisateur/mot de passe non valide ; "
                                   "connexion refusée",
                                   1017),
                     CE::BadCredentials},
        ClassifyCase{"NoClientLibrary", noClientLibrary(), CE::Unavailable}),
    [](const testing::TestParamInfo<ClassifyCase>& row) { return std::string(row.param.name); });

struct ReportsCase {
    const char* name;
    TargetError error;
    const char* phrase;
    int number;
    bool expected;
};

void PrintTo(const ReportsCase& c, std::ostream* out) {
    *out << c.name;
}

class ErrorReportsTest : public testing::TestWithParam<ReportsCase> {};

TEST_P(ErrorReportsTest, MatchesPhraseOrNumber) {
    const ReportsCase& c = GetParam();
    EXPECT_EQ(ErrorReports(c.error, c.phrase, c.number), c.expected);
}

TargetError ownFailure() {
    TargetError error;
    error.code = kNoClientCode;
    error.source = "Tabwright Oracle Access";
    error.description = "The Oracle connection is not open.";
    error.systemMessage = "Invalid pointer";
    return error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ErrorReportsTest,
    testing::Values(
        ReportsCase{"ClassicPhrase", oracleFailure("ORA-00942: table or view does not exist", 942),
                    "table or view does not exist", 942, true},
        ReportsCase{"Reworded23aiByNumber",
                    oracleFailure("ORA-00942: table or view \"SYSTEM\".\"T\" does not exist", 942),
                    "table or view does not exist", 942, true},
        ReportsCase{"RewordedMissingValues23ai",
                    oracleFailure("ORA-00926: Missing VALUES or SET keyword", 926),
                    "missing VALUES keyword", 926, true},
        ReportsCase{"TranslatedByNumber",
                    oracleFailure("ORA-00955: Name wird bereits von einem vorhandenen Objekt "
                                  "verwendet",
                                  955),
                    "name is already used by an existing object", 955, true},
        ReportsCase{"PhraseWithoutNumber", oracleFailure("ORA-01704: string literal too long", 0),
                    "string literal too long", 1704, true},
        ReportsCase{"OtherError", oracleFailure("ORA-00903: invalid table name", 903),
                    "table or view does not exist", 942, false},
        ReportsCase{"OwnFailureIsNotNumberZero", ownFailure(), "invalid table name", 0, false}),
    [](const testing::TestParamInfo<ReportsCase>& row) { return std::string(row.param.name); });

TEST(BuildConnectionStringTest, NamesUserTwicePasswordOnceAndEndsWithComma) {
    EXPECT_EQ(BuildConnectionString("ORCL", "scott", "tiger"),
              "Provider=MSDAORA.1;Data Source=ORCL;Database=scott;User ID=scott;"
              "Password=tiger,");
}

TEST(BuildConnectionStringTest, ConcatenatesWithoutQuoting) {
    EXPECT_EQ(BuildConnectionString("db.example:1521/FREEPDB1", "sys tem", "a;b,c=d"),
              "Provider=MSDAORA.1;Data Source=db.example:1521/FREEPDB1;Database=sys tem;"
              "User ID=sys tem;Password=a;b,c=d,");
}

// A connection that was never opened refuses statements with an error, not a crash, and
// without touching the client library.
TEST(TargetConnectionTest, ExecuteBeforeOpenRaisesTargetError) {
    TargetConnection connection;
    try {
        connection.Execute("COMMIT");
        FAIL() << "Execute on a connection that was never opened succeeded";
    } catch (const TargetError& error) {
        EXPECT_EQ(error.code, kNoClientCode);
        EXPECT_EQ(error.systemMessage, "Invalid pointer");
        EXPECT_EQ(ClassifyConnectError(TargetConnection::ErrorText(error), 0),
                  ConnectErrorClass::Unavailable);
    }
}

} // namespace
