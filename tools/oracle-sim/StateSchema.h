#pragma once

#include "SqliteDb.h"

#include <string>

namespace oraclesim {

// Creates the tables of a state file (see README.md); harmless on a file that has them.
void createStateSchema(SqliteDb& db);

std::string readSetting(SqliteDb& db, const std::string& key, const std::string& fallback);
void writeSetting(SqliteDb& db, const std::string& key, const std::string& value);

} // namespace oraclesim
