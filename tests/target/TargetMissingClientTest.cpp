#include "TargetConnection.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

// Runs in a process of its own: once a client library is loaded it stays for the process, so
// the search must not have succeeded earlier in the same process.
namespace {

const std::string kPassword = "pw;never,shown=1";

TargetError openFailure(TargetConnection& connection) {
    try {
        connection.Open("FREEPDB1", "system", kPassword);
    } catch (const TargetError& error) {
        return error;
    }
    ADD_FAILURE() << "Open succeeded without a usable client library";
    return {};
}

std::string oracleHome() {
    const char* home = std::getenv("ORACLE_HOME");
    return home != nullptr ? home : "";
}

TEST(MissingClientTest, OpenRaisesInvalidPointerClassifiedUnavailable) {
    TargetConnection connection;
    const TargetError error = openFailure(connection);
    const std::string text = TargetConnection::ErrorText(error);

    EXPECT_EQ(error.code, kNoClientCode);
    EXPECT_EQ(error.systemMessage, "Invalid pointer");
    EXPECT_EQ(error.oracleErrorNumber, 0);
    ASSERT_TRUE(error.source.has_value());
    ASSERT_TRUE(error.description.has_value());
    EXPECT_NE(text.find("-2147467261"), std::string::npos) << text;

    // The operator learns what was searched and what to install.
    EXPECT_NE(error.description->find("libclntsh.so"), std::string::npos) << text;
    EXPECT_NE(error.description->find(oracleHome() + "/lib/libclntsh.so"), std::string::npos)
        << text;
    EXPECT_NE(error.description->find("Instant Client"), std::string::npos) << text;

    EXPECT_EQ(text.find("could not"), std::string::npos) << text;
    EXPECT_EQ(text.find("invalid username/password"), std::string::npos) << text;
    EXPECT_EQ(ClassifyConnectError(text, error.oracleErrorNumber), ConnectErrorClass::Unavailable);
    EXPECT_EQ(text.find(kPassword), std::string::npos) << text;
}

TEST(MissingClientTest, NamesTheEntryPointsALibraryLacks) {
    TargetConnection connection;
    const TargetError error = openFailure(connection);
    const std::string text = TargetConnection::ErrorText(error);

    EXPECT_EQ(error.code, kNoClientCode);
    EXPECT_NE(text.find("not an Oracle client library"), std::string::npos) << text;
    EXPECT_NE(text.find("OCILogon2"), std::string::npos) << text;
    EXPECT_EQ(ClassifyConnectError(text, error.oracleErrorNumber), ConnectErrorClass::Unavailable);
}

// A failed open leaves no session behind: statements are refused with an error, and asking
// again searches again rather than reusing a failed result.
TEST(MissingClientTest, ExecuteAfterFailedOpenRaisesAndOpenRetries) {
    TargetConnection& connection = TheTargetConnection();
    const TargetError first = openFailure(connection);
    EXPECT_EQ(first.code, kNoClientCode);

    EXPECT_THROW(connection.Execute("COMMIT"), TargetError);

    const TargetError second = openFailure(connection);
    EXPECT_EQ(second.code, kNoClientCode);
    EXPECT_EQ(second.description, first.description);
}

} // namespace
