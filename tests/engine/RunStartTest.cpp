#include "ConsoleWindow.h"
#include "ConversionEngine.h"
#include "ConversionRun.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CompletionCase {
    const char* name;
    int checked, converted, failed, rowsNotCopied;
    bool stoppedEarly;
    const char* text;
    MessageIcon icon;
};

const CompletionCase kCompletionCases[] = {
    {"AllConverted", 3, 3, 0, 0, false, "MySQL to ORACLE conversion completed successfully.",
     MessageIcon::Information},
    {"StoppedWithoutFailures", 3, 1, 0, 0, true,
     "MySQL to ORACLE conversion stopped: 1 of 3 Table(s) are converted.",
     MessageIcon::Information},
    {"FailedTable", 3, 2, 1, 0, false,
     "MySQL to ORACLE conversion completed with errors: 2 of 3 Table(s) are converted, 1 "
     "Table(s) failed and 0 row(s) were not copied.",
     MessageIcon::Exclamation},
    // A table whose copy finished still makes the run one with errors when rows were skipped.
    {"SkippedRowsOnly", 2, 2, 0, 5, false,
     "MySQL to ORACLE conversion completed with errors: 2 of 2 Table(s) are converted, 0 "
     "Table(s) failed and 5 row(s) were not copied.",
     MessageIcon::Exclamation},
    {"StoppedWithErrors", 4, 1, 1, 2, true,
     "MySQL to ORACLE conversion stopped with errors: 1 of 4 Table(s) are converted, 1 "
     "Table(s) failed and 2 row(s) were not copied.",
     MessageIcon::Exclamation},
    {"EveryTableRejected", 2, 0, 2, 0, false,
     "MySQL to ORACLE conversion completed with errors: 0 of 2 Table(s) are converted, 2 "
     "Table(s) failed and 0 row(s) were not copied.",
     MessageIcon::Exclamation},
};

void PrintTo(const CompletionCase& c, std::ostream* out) {
    *out << c.name;
}

class CompletionMessageTest : public testing::TestWithParam<CompletionCase> {};

TEST_P(CompletionMessageTest, TellsWhatHappened) {
    const CompletionCase& c = GetParam();
    const CompletionMessage message =
        MakeCompletionMessage(c.checked, c.converted, c.failed, c.rowsNotCopied, c.stoppedEarly);
    EXPECT_EQ(message.text, c.text);
    EXPECT_EQ(message.icon, c.icon);
}

INSTANTIATE_TEST_SUITE_P(Cases, CompletionMessageTest, testing::ValuesIn(kCompletionCases),
                         [](const testing::TestParamInfo<CompletionCase>& param) {
                             return std::string(param.param.name);
                         });

// Runs that end before touching either database need no server.
class RunStartTest : public testing::Test {
protected:
    void SetUp() override {
        TableNames().assign(kTableNameSlots, std::string());
        TableNames()[0] = "a";
        TableNames()[1] = "b";
        CheckedTables().assign(2, std::string());
    }
};

TEST_F(RunStartTest, NoCheckedTableWarnsAndChangesNothingElse) {
    ConsoleWindow window({"a", "b"}, "shop", nullptr);
    window.setChecked(0, false);
    window.setChecked(1, false);

    RunConversion(window);

    const std::vector<std::string> expected = {
        "TableItemCount 2",
        "IsTableChecked 0 no",
        "IsTableChecked 1 no",
        "SetProgressText 0 of 0 Table(s) are converted.",
        "ShowMessage [exclamation] Please select at least one table to continue the "
        "conversion. -> OK",
        "RestoreConvertButton",
    };
    EXPECT_EQ(window.lines(), expected);
    EXPECT_FALSE(window.running());

    // Convert works again right after: the same window with a table checked gets past the
    // warning (and stops at the missing database selection).
    window.setChecked(1, true);
    window.setDatabaseSelected(false);
    RunConversion(window);
    EXPECT_EQ(window.messages().size(), 1u);
    EXPECT_EQ(window.lines().back(), "SelectedDatabase (none)");
}

TEST_F(RunStartTest, UnusableDatabaseSelectionEndsTheRunSilently) {
    struct Case {
        const char* name;
        bool selected;
        std::string database;
    };
    const Case cases[] = {
        {"NothingSelected", false, "shop"},
        {"EmptyText", true, ""},
        {"Longer than 123 bytes", true, std::string(124, 'd')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConsoleWindow window({"a", "b"}, c.database, nullptr);
        window.setDatabaseSelected(c.selected);
        RunConversion(window);
        EXPECT_TRUE(window.messages().empty());
        EXPECT_EQ(window.lines().back().rfind("SelectedDatabase", 0), 0u);
        EXPECT_EQ(window.progressText(), "0 of 2 Table(s) are converted.");
        EXPECT_TRUE(window.isChecked(0));
        EXPECT_FALSE(window.running());
    }
}

TEST_F(RunStartTest, WorkerIsToldApartOnceFinished) {
    ConsoleWindow window({"a"}, "shop", nullptr);
    window.setChecked(0, false);
    ConversionRun& run = TheConversionRun();
    ASSERT_FALSE(run.workerRunning);
    ASSERT_TRUE(StartConversionWorker(window));
    run.workerThread.join();
    EXPECT_FALSE(run.workerRunning);
    EXPECT_EQ(window.messages().size(), 1u);
    // A finished worker does not stand in the way of the next Convert.
    ASSERT_TRUE(StartConversionWorker(window));
    run.workerThread.join();
    EXPECT_EQ(window.messages().size(), 2u);
}

} // namespace
