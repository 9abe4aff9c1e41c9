#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Oracle identifiers are limited to 30 bytes.
inline constexpr std::size_t kOracleNameBytes = 30;

// The name a MySQL column gets in Oracle, from its original column name: what the column
// list writes between double quotes and what the key clause writes for the same column, so
// that a key never names a column the table does not have. Upper case, no double quote.
std::string OracleColumnName(std::string_view originalName);

// The name a MySQL table gets in Oracle: trimmed, cut to 30 bytes and upper-cased. Blanks
// inside the name and double quotes stay.
std::string OracleTableName(std::string_view sourceName);

// Text with leading and trailing blanks, tabs, line feeds, vertical tabs, form feeds and
// carriage returns removed.
std::string_view TrimWhiteSpace(std::string_view text);

// The longest start of a UTF-8 text that has at most maxBytes bytes and does not split a
// character. A byte that starts no valid sequence counts as a character of its own.
std::string_view CutUtf8(std::string_view text, std::size_t maxBytes);

// UTF-8 text upper-cased: ASCII, Latin-1, Latin Extended-A and Additional, Greek, Cyrillic
// and Armenian letters. A letter whose capital has another byte length is left alone, so the
// byte length never changes; anything that is not a valid sequence passes unchanged.
std::string UpperCaseUtf8(std::string_view text);
void UpperCaseUtf8InPlace(std::string& text);
