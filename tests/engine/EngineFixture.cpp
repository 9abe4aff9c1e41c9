#include "EngineFixture.h"

#include "ConversionEngine.h"
#include "ConversionRun.h"
#include "OracleSimState.h"
#include "SourceConnection.h"
#include "TargetConnection.h"
#include "TestMariaDb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <unistd.h>

namespace {

const char* const kService = "FREEPDB1";
const char* const kOraclePassword = "sim-secret";

std::string testName() {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

} // namespace

void EngineFixture::SetUp() {
    const std::string name = testName();
    // MariaDB names stop at 64 characters; the hash keeps cut names of parameterised
    // tests apart when they run side by side.
    char hash[9];
    std::snprintf(hash, sizeof hash, "%08zx", std::hash<std::string>{}(name)&0xFFFFFFFFu);
    m_database = "eng_" + name.substr(0, 50) + "_" + hash;
    TestMariaDb::exec("DROP DATABASE IF EXISTS `" + m_database + "`; CREATE DATABASE `" +
                      m_database + "` CHARACTER SET utf8mb4");

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tabwright-engine-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    m_statePath = (folder / (name + ".sqlite")).string();
    std::filesystem::remove(m_statePath);
    m_sim = std::make_unique<OracleSimState>(OracleSimState::create(m_statePath));
    m_sim->addService(kService);
    m_sim->addAccount(kService, "SYSTEM", kOraclePassword, true);
    m_sim->addAccount(kService, "SCOTT", kOraclePassword, true);
    setenv("ORACLE_SIM_STATE", m_statePath.c_str(), 1);
    setenv("ORACLE_HOME", TABWRIGHT_SIM_ORACLE_HOME, 0);

    // As the main window starts: no quoted name pending.
    TheConversionRun().quoteTargetName = 0;
    connectSource(TestMariaDb::kLogin, TestMariaDb::kPassword);
}

void EngineFixture::TearDown() {
    m_sim.reset();
    std::error_code ignored;
    std::filesystem::remove(m_statePath, ignored);
}

void EngineFixture::connectSource(const std::string& login, const std::string& password) {
    ASSERT_TRUE(TheSourceConnection().Connect(TestMariaDb::host(), login, password));
    TheSourceConnection().UseDatabase(m_database);
}

void EngineFixture::sourceSql(const std::string& sql) {
    TestMariaDb::exec("USE `" + m_database + "`; " + sql);
}

std::unique_ptr<ConsoleWindow> EngineFixture::convert(const std::vector<std::string>& tables,
                                                      RunOptions options) {
    // A new session for every run, as a Next before Convert would open.
    try {
        TheTargetConnection().Open(kService, m_oracleUser, kOraclePassword);
    } catch (const TargetError& error) {
        ADD_FAILURE() << TargetConnection::ErrorText(error);
    }

    std::vector<std::string>& names = TableNames();
    names.assign(std::max(kTableNameSlots, tables.size()), std::string());
    std::copy(tables.begin(), tables.end(), names.begin());
    CheckedTables().assign(options.checkedTablesLength.value_or(tables.size()), std::string());

    auto window = std::make_unique<ConsoleWindow>(tables, m_database, nullptr);
    for (std::size_t i = 0; i < options.checked.size(); ++i)
        window->setChecked(static_cast<int>(i), options.checked[i]);
    if (options.onCall) {
        ConsoleWindow* raw = window.get();
        window->onCall = [raw, onCall = options.onCall](const std::string& line) {
            onCall(*raw, line);
        };
    }
    EXPECT_TRUE(StartConversionWorker(*window));
    TheConversionRun().workerThread.join();
    return window;
}

std::vector<std::string> EngineFixture::callsOf(const ConsoleWindow& window,
                                                const std::string& kind) {
    std::vector<std::string> calls;
    for (const std::string& line : window.lines()) {
        if (line == kind || line.rfind(kind + " ", 0) == 0)
            calls.push_back(line);
    }
    return calls;
}

std::vector<std::string> EngineFixture::messageTexts(const ConsoleWindow& window) {
    std::vector<std::string> texts;
    for (const ConsoleWindow::Message& message : window.messages())
        texts.push_back(message.text);
    return texts;
}

std::vector<ReceivedStatement> EngineFixture::statements() const {
    std::vector<ReceivedStatement> received;
    for (const OracleSimState::Statement& statement : m_sim->statements())
        received.push_back({statement.text, statement.ora, statement.message});
    return received;
}

std::vector<OracleRow> EngineFixture::oracleRows(const std::string& table,
                                                 const std::string& owner) const {
    if (!m_sim->hasTable(owner, table))
        return {};
    return m_sim->rows(owner, table);
}

bool EngineFixture::oracleTableExists(const std::string& table, const std::string& owner) const {
    return m_sim->hasTable(owner, table);
}

std::vector<OracleSimState::Column> EngineFixture::oracleColumns(const std::string& table) const {
    return m_sim->columns("SYSTEM", table);
}

void EngineFixture::failStatement(int nth, int ora, const std::string& message) {
    m_sim->failStatement(OracleSimState::FailScope::Session, nth, ora, message);
}
