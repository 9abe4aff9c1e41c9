#pragma once

#include "ConversionWindow.h"

#include <string>

// The stages of converting one checked table, and the run over the whole table list. All of
// them run on the conversion worker and reach the window only through ConversionWindow.

std::string BuildColumnList(ConversionWindow& window, const std::string& tableName);
std::string BuildKeyClause(const std::string& tableName);
void CreateTargetTable(ConversionWindow& window, const std::string& sourceName,
                       const std::string& columnList, const std::string& keyClause);
void CopyTableRows(ConversionWindow& window, const std::string& targetName);

void RunConversion(ConversionWindow& window);
// The worker thread's entry point.
int ConversionThreadProc(ConversionWindow* window);

// Starts the worker of a Convert on ConversionThreadProc. Refuses (false) while the worker
// of an earlier run is still running; a finished one is joined first.
bool StartConversionWorker(ConversionWindow& window);

// "<tablesStarted> of <tablesCheckedText> Table(s) are converted."
std::string ProgressText(int tablesStarted);

// What the run's end reports: success only when every checked table was converted and no
// Stop cut the run short.
struct CompletionMessage {
    std::string text;
    MessageIcon icon = MessageIcon::Information;
};
CompletionMessage MakeCompletionMessage(int tablesChecked, int tablesConverted, int tablesFailed,
                                        int rowsNotCopied, bool stoppedEarly);
