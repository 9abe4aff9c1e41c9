#include "ConversionEngine.h"

#include "ConversionRun.h"

#include <algorithm>

namespace {

constexpr std::size_t kLongestDatabaseName = 123;

} // namespace

std::string ProgressText(int tablesStarted) {
    return std::to_string(tablesStarted) + " of " + TheConversionRun().tablesCheckedText +
           " Table(s) are converted.";
}

CompletionMessage MakeCompletionMessage(int tablesChecked, int tablesConverted, int tablesFailed,
                                        int rowsNotCopied, bool stoppedEarly) {
    const std::string converted =
        std::to_string(tablesConverted) + " of " + std::to_string(tablesChecked) + " Table(s)";
    if (tablesFailed == 0 && rowsNotCopied == 0) {
        if (!stoppedEarly)
            return {"MySQL to ORACLE conversion completed successfully.", MessageIcon::Information};
        return {"MySQL to ORACLE conversion stopped: " + converted + " are converted.",
                MessageIcon::Information};
    }
    return {std::string(stoppedEarly ? "MySQL to ORACLE conversion stopped with errors: "
                                     : "MySQL to ORACLE conversion completed with errors: ") +
                converted + " are converted, " + std::to_string(tablesFailed) +
                " Table(s) failed and " + std::to_string(rowsNotCopied) +
                " row(s) were not copied.",
            MessageIcon::Exclamation};
}

void RunConversion(ConversionWindow& window) {
    ConversionRun& run = TheConversionRun();

    run.stopRequested = 0;
    run.tablesStarted = 0;
    run.sourceTableRejected = 0;
    run.tablesConverted = 0;
    run.tablesFailed = 0;
    run.rowsNotCopied = 0;
    run.stoppedEarly = false;
    // The check marks cleared at the end are those the selection page counted before the run.
    const std::size_t checkedLength = CheckedTables().size();

    int itemCount = window.TableItemCount();
    int tablesChecked = 0;
    for (int i = 0; i < itemCount; ++i) {
        if (window.IsTableChecked(i))
            ++tablesChecked;
    }
    run.tablesChecked = tablesChecked;
    run.tablesCheckedText = std::to_string(tablesChecked);
    window.SetProgressText(ProgressText(0));

    if (run.tablesChecked < 1) {
        window.ShowMessage("Please select at least one table to continue the conversion.",
                           MessageIcon::Exclamation);
        window.RestoreConvertButton();
        return;
    }
    std::string database;
    if (!window.SelectedDatabase(database) || database.empty() ||
        database.size() > kLongestDatabaseName)
        return;

    itemCount = window.TableItemCount();
    window.BeginRunControls(run.tablesChecked);

    const std::vector<std::string>& tableNames = TableNames();
    for (int i = 0; i < itemCount; ++i) {
        if (run.stopRequested == 1) {
            run.stoppedEarly = run.tablesStarted < run.tablesChecked;
            break;
        }
        if (!window.IsTableChecked(i))
            continue;
        const auto slot = static_cast<std::size_t>(i);
        run.currentTable = slot < tableNames.size() ? tableNames[slot] : std::string();
        ++run.tablesStarted;
        const int convertedBefore = run.tablesConverted;

        const std::string columnList = BuildColumnList(window, run.currentTable);
        if (run.sourceTableRejected != 1) {
            const std::string keyClause = BuildKeyClause(run.currentTable);
            CreateTargetTable(window, run.currentTable, columnList, keyClause);
        }
        if (run.tablesConverted == convertedBefore)
            ++run.tablesFailed;
    }

    window.EndRunControls();
    const std::size_t toUncheck = std::min(checkedLength, static_cast<std::size_t>(itemCount));
    for (std::size_t i = 0; i < toUncheck; ++i)
        window.UncheckTable(static_cast<int>(i));
    const CompletionMessage completion =
        MakeCompletionMessage(run.tablesChecked, run.tablesConverted, run.tablesFailed,
                              run.rowsNotCopied, run.stoppedEarly);
    window.ShowMessage(completion.text, completion.icon);
    run.stopRequested = 0;
}

int ConversionThreadProc(ConversionWindow* window) {
    RunConversion(*window);
    // The last act of the worker: from here on the exit path leaves it alone.
    TheConversionRun().workerRunning = false;
    return 0;
}

bool StartConversionWorker(ConversionWindow& window) {
    ConversionRun& run = TheConversionRun();
    if (run.workerRunning)
        return false;
    if (run.workerThread.joinable())
        run.workerThread.join();
    run.workerRunning = true;
    run.workerThread = std::thread(ConversionThreadProc, &window);
    return true;
}
