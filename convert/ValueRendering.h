#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Oracle literals for the VALUES list of a row's INSERT, each followed by one comma.

// rawValue is the row's entry (nullptr for SQL NULL); fieldLength is the column's display
// length, which gives a BIT value's byte count.
std::string RenderColumnValue(const char* rawValue, int typeCode, std::uint32_t fieldLength,
                              const std::string& oracleType);
std::string RenderValue(std::string_view valueText, const std::string& oracleType);
std::string DoubleQuotes(std::string_view text);
