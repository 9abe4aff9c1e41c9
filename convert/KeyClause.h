#pragma once

#include "SourceConnection.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

using SourceFieldList = std::vector<SourceField>;

// The key clause of a table from its column descriptions: "," followed by an out-of-line
// PRIMARY KEY constraint and at most one UNIQUE constraint, each ending in "), ". BIGINT,
// BLOB and TEXT columns (CLOB in Oracle, which no key accepts) are left out. Key columns
// carry the names the column list gives them.
//
// scanList is walked once to decide which constraints to write; each constraint's columns
// are taken from a field list of its own, which freshList supplies as the table is listed
// again. Without freshList, or when it yields nothing, scanList serves.
std::string
KeyClauseForFields(const SourceFieldList& scanList,
                   const std::function<std::optional<SourceFieldList>()>& freshList = {});
