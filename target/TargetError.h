#pragma once

#include <cstdint>
#include <optional>
#include <string>

// A failed Oracle call: the four values the error text is made of, plus the Oracle error
// number behind it (0 when there is none), so that checks survive reworded or translated
// messages.
struct TargetError {
    std::int32_t code = 0;
    std::optional<std::string> source;
    std::optional<std::string> description;
    std::string systemMessage;
    int oracleErrorNumber = 0;
};

// COM-style codes and system messages our Oracle layer reports with.
inline constexpr std::int32_t kStatementFailedCode = static_cast<std::int32_t>(0x80040E14u);
inline constexpr std::int32_t kLogonFailedCode = static_cast<std::int32_t>(0x80004005u);
inline constexpr std::int32_t kNoClientCode = static_cast<std::int32_t>(0x80004003u);
