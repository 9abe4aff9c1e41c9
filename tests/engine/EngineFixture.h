#pragma once

#include "ConsoleWindow.h"
#include "OracleSimState.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// One statement the Oracle simulator received, with its outcome: 0 for success, else the
// ORA number.
struct ReceivedStatement {
    std::string text;
    int ora = 0;
    std::string message;
};

using OracleRow = std::vector<std::optional<std::string>>;

// A conversion from a database of the test MariaDB into a fresh simulator state of its own.
// Each test gets a database named after it and an Oracle account SYSTEM.
class EngineFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Connects the process-wide source connection anew and makes the test's database current.
    void connectSource(const std::string& login, const std::string& password);
    // Statements run as root in the test's database.
    void sourceSql(const std::string& sql);
    const std::string& database() const { return m_database; }

    struct RunOptions {
        std::vector<bool> checked;                      // all checked when empty
        std::optional<std::size_t> checkedTablesLength; // the item count when absent
        std::function<void(ConsoleWindow&, const std::string& line)> onCall;
    };
    // Runs the conversion on its worker, as Convert does, and waits for it.
    std::unique_ptr<ConsoleWindow> convert(const std::vector<std::string>& tables,
                                           RunOptions options = {});

    // What the simulator holds.
    std::vector<ReceivedStatement> statements() const;
    std::vector<OracleRow> oracleRows(const std::string& table,
                                      const std::string& owner = "SYSTEM") const;
    bool oracleTableExists(const std::string& table, const std::string& owner = "SYSTEM") const;
    std::vector<OracleSimState::Column> oracleColumns(const std::string& table) const;
    // The nth statement of every session (from 1) fails with the ORA error.
    void failStatement(int nth, int ora, const std::string& message = {});

    // Only the lines of one kind of window call ("SetTitle", "ShowMessage", ...).
    static std::vector<std::string> callsOf(const ConsoleWindow& window, const std::string& kind);
    static std::vector<std::string> messageTexts(const ConsoleWindow& window);

    std::string m_database;
    std::string m_statePath;
    std::unique_ptr<OracleSimState> m_sim;
    std::string m_oracleUser = "SYSTEM";
};
