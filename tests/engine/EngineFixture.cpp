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
#include <cstdlib>
#include <filesystem>
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
    m_database = ("eng_" + name).substr(0, 64);
    TestMariaDb::exec("DROP DATABASE IF EXISTS `" + m_database + "`; CREATE DATABASE `" +
                      m_database + "` CHARACTER SET utf8mb4");

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tabwright-engine-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    m_statePath = (folder / (name + ".sqlite")).string();
    std::filesystem::remove(m_statePath);
    OracleSimStateSetUp(m_statePath, kService, kOraclePassword);
    setenv("ORACLE_SIM_STATE", m_statePath.c_str(), 1);

    // As the main window starts: no quoted name pending.
    TheConversionRun().quoteTargetName = 0;
    connectSource(TestMariaDb::kLogin, TestMariaDb::kPassword);
}

void EngineFixture::TearDown() {
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
