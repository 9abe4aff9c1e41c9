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
