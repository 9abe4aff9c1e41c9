#pragma once

#include <optional>
#include <string>
#include <vector>

// The MariaDB server started for the tests (folder $TABWRIGHT_TEST_MARIADB_DIR). Every
// function throws std::runtime_error with the server's message when something fails, so a
// test reports the cause instead of crashing.
class TestMariaDb {
public:
    static constexpr const char* kLogin = "tabwright";
    static constexpr const char* kPassword = "tw-secret";

    using Row = std::vector<std::optional<std::string>>;

    // The server's folder, $TABWRIGHT_TEST_MARIADB_DIR.
    static std::string dir();
    // The loopback address on whose port the server listens (3306 for the main server).
    static std::string host();
    // Root's way in, without a password.
    static std::string socketPath();

    // Runs one or more statements (separated by ";") as root over the socket.
    static void exec(const std::string& sql);
    // Runs one query as root and returns all its rows; SQL NULL is an absent entry.
    static std::vector<Row> query(const std::string& sql);
};
