#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Oracle literals for the VALUES list of a row's INSERT, each followed by one comma. SQL
// NULL is the bare word NULL; every other value arrives in Oracle with exactly its bytes: a
// text literal with its single quotes doubled, or for a RAW column the hexadecimal text of
// its bytes.

// rawValue is the row's entry (nullptr for SQL NULL); fieldLength is the column's display
// length, which gives a BIT value's byte count.
std::string RenderColumnValue(const char* rawValue, int typeCode, std::uint32_t fieldLength,
                              const std::string& oracleType);
std::string RenderValue(std::string_view valueText, const std::string& oracleType);
std::string DoubleQuotes(std::string_view text);

// The same literals appended to a statement under construction, so that building a row's
// INSERT allocates nothing per value once the statement's buffer is large enough.
void AppendColumnValue(std::string& out, const char* rawValue, int typeCode,
                       std::uint32_t fieldLength, std::string_view oracleType);
void AppendValue(std::string& out, std::string_view valueText, std::string_view oracleType);

// The number of bytes of a value of the column that rendering reads: all (length + 7) / 8
// bytes of a BIT value, which may hold zero bytes, and for any other column the bytes up
// to the first zero byte.
std::size_t ValueByteCount(const char* rawValue, int typeCode, std::uint32_t fieldLength);
