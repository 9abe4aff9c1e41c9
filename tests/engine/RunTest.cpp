#include "ConversionEngine.h"
#include "ConversionRun.h"
#include "EngineFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const char* const kSuccess = "MySQL to ORACLE conversion completed successfully.";

class RunTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        sourceSql("CREATE TABLE a (id INT); INSERT INTO a VALUES (1), (2);"
                  "CREATE TABLE b (id INT); INSERT INTO b VALUES (1);"
                  "CREATE TABLE c (id INT); INSERT INTO c VALUES (1)");
    }

    bool oracleHeardOf(const std::string& table) const {
        for (const ReceivedStatement& statement : statements()) {
            if (statement.text.find("'" + table + "'") != std::string::npos ||
                statement.text.find("\"" + table + "\"") != std::string::npos ||
                statement.text.find("." + table + " ") != std::string::npos)
                return true;
        }
        return false;
    }
};

// Stop while a table is copied: that table finishes, no later one is touched.
TEST_F(RunTest, StopTakesEffectBetweenTables) {
    RunOptions options;
    options.onCall = [](ConsoleWindow&, const std::string& line) {
        if (line == "SetTitle Converting Table: [A] 1 rows converted...")
            TheConversionRun().stopRequested = 1;
    };

    const auto window = convert({"a", "b", "c"}, options);

    EXPECT_EQ(oracleRows("A").size(), 2u);
    EXPECT_FALSE(oracleHeardOf("B"));
    EXPECT_FALSE(oracleHeardOf("C"));
    EXPECT_EQ(messageTexts(*window),
              std::vector<std::string>{
                  "MySQL to ORACLE conversion stopped: 1 of 3 Table(s) are converted."});
    EXPECT_EQ(window->messages().back().icon, MessageIcon::Information);
    EXPECT_EQ(TheConversionRun().stopRequested, 0);
    EXPECT_FALSE(window->running());
}

// A Stop that comes when no table is left changes nothing: the run completed.
TEST_F(RunTest, StopDuringTheLastTableStillCompletes) {
    RunOptions options;
    options.onCall = [](ConsoleWindow&, const std::string& line) {
        if (line.rfind("SetTitle Converting Table: [B]", 0) == 0)
            TheConversionRun().stopRequested = 1;
    };

    const auto window = convert({"a", "b"}, options);

    EXPECT_EQ(messageTexts(*window), std::vector<std::string>{kSuccess});
}

// Unchecked items are passed over, and a stop is seen at an unchecked item too.
TEST_F(RunTest, UncheckedItemsArePassedOver) {
    RunOptions options;
    options.checked = {true, false, true};
    auto window = convert({"a", "b", "c"}, options);
    EXPECT_TRUE(oracleHeardOf("A"));
    EXPECT_FALSE(oracleHeardOf("B"));
    EXPECT_TRUE(oracleHeardOf("C"));
    EXPECT_EQ(window->progressText(), "2 of 2 Table(s) are converted.");
    EXPECT_EQ(window->tableBarRange(), 2);
    EXPECT_EQ(messageTexts(*window), std::vector<std::string>{kSuccess});

    options.checked = {true, false, false, true};
    options.onCall = [](ConsoleWindow&, const std::string& line) {
        if (line == "StepTableBar 1")
            TheConversionRun().stopRequested = 1;
    };
    window = convert({"a", "b", "missing", "c"}, options);
    const std::vector<std::string> lines = window->lines();
    const auto stepped = std::find(lines.begin(), lines.end(), "StepTableBar 1");
    ASSERT_NE(stepped, lines.end());
    // The walk leaves at item 1 without asking for its check mark.
    EXPECT_EQ(std::find(stepped, lines.end(), "IsTableChecked 1 no"), lines.end());
    EXPECT_EQ(messageTexts(*window),
              std::vector<std::string>{
                  "MySQL to ORACLE conversion stopped: 1 of 2 Table(s) are converted."});
}

// The table bar counts copied tables, the progress text started ones.
TEST_F(RunTest, RejectedTableMovesTheTextButNotTheBar) {
    const auto window = convert({"missing", "a", "also_missing"});

    const std::vector<std::string> progress = callsOf(*window, "SetProgressText");
    ASSERT_EQ(progress.size(), 2u);
    EXPECT_EQ(progress[0], "SetProgressText 0 of 3 Table(s) are converted.");
    EXPECT_EQ(progress[1], "SetProgressText 2 of 3 Table(s) are converted.");
    EXPECT_EQ(callsOf(*window, "StepTableBar"), std::vector<std::string>{"StepTableBar 1"});
    EXPECT_EQ(window->tableBarPosition(), 1);
    EXPECT_EQ(window->tableBarRange(), 3);
    EXPECT_EQ(messageTexts(*window),
              (std::vector<std::string>{
                  "missing table is not in expected format.",
                  "also_missing table is not in expected format.",
                  "MySQL to ORACLE conversion completed with errors: 1 of 3 Table(s) are "
                  "converted, 2 Table(s) failed and 0 row(s) were not copied."}));
    // A rejected table stops the activity bar; the next create starts it again.
    const std::vector<std::string> lines = window->lines();
    const auto rejected = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find("missing table is not") != std::string::npos;
    });
    ASSERT_NE(rejected, lines.begin());
    EXPECT_EQ(*(rejected - 1), "StopActivityTimer");
}

// Row captions, and the window put back at the end in the right order.
TEST_F(RunTest, CaptionsAndTheEndOfTheRun) {
    sourceSql("CREATE TABLE ` empty table` (id INT)");
    RunOptions options;
    options.checkedTablesLength = 2;
    const auto window = convert({"a", " empty table", "b"}, options);

    const std::vector<std::string> expectedTitles = {
        "SetTitle Converting Table: [A] 1 rows converted...",
        "SetTitle Converting Table: [A] 2 rows converted...",
        "SetTitle Converting Table: [A] 2 rows converted...",
        "SetTitle Converting Table: [EMPTY TABLE] 0 rows converted...",
        "SetTitle Converting Table: [B] 1 rows converted...",
        "SetTitle Converting Table: [B] 1 rows converted...",
    };
    EXPECT_EQ(callsOf(*window, "SetTitle"), expectedTitles);
    EXPECT_EQ(window->tableBarPosition(), 3);

    const std::vector<std::string> lines = window->lines();
    ASSERT_GE(lines.size(), 4u);
    const std::vector<std::string> ending(lines.end() - 4, lines.end());
    EXPECT_EQ(ending[0], "EndRunControls");
    EXPECT_EQ(ending[1], "UncheckTable 0");
    EXPECT_EQ(ending[2], "UncheckTable 1");
    EXPECT_EQ(ending[3].rfind("ShowMessage", 0), 0u);
    EXPECT_FALSE(window->isChecked(0));
    EXPECT_FALSE(window->isChecked(1));
    EXPECT_TRUE(window->isChecked(2));
    EXPECT_EQ(window->title(), ConsoleWindow::kIdleTitle);
    EXPECT_FALSE(window->running());
    EXPECT_FALSE(window->timerRunning());
}

// A quoted name left over from a table whose create found its name used is taken up by the
// first row copy of the next run.
TEST_F(RunTest, QuotedNameCarriesOverToTheNextRun) {
    failStatement(3, 955);
    convert({"a"});
    EXPECT_EQ(TheConversionRun().quoteTargetName, 1);
    m_sim->clearFailures();

    convert({"b"});
    EXPECT_EQ(TheConversionRun().quoteTargetName, 0);
    bool quoted = false;
    for (const ReceivedStatement& statement : statements())
        quoted |= statement.text == "INSERT INTO \"SYSTEM\".\"B\" VALUES('1')";
    EXPECT_TRUE(quoted);
}

} // namespace
