#pragma once

#include "SqliteDb.h"

#include <functional>
#include <map>
#include <string>

namespace oraclesim {

// Creates the tables of a state file (see README.md); harmless on a file that has them.
void createStateSchema(SqliteDb& db);

// The switches of the settings table, read together with one query.
using Settings = std::map<std::string, std::string, std::less<>>;
Settings readSettings(SqliteDb& db);
std::string setting(const Settings& settings, const std::string& key, const std::string& fallback);

std::string readSetting(SqliteDb& db, const std::string& key, const std::string& fallback);
void writeSetting(SqliteDb& db, const std::string& key, const std::string& value);

} // namespace oraclesim
