#pragma once

#include "SqlLexer.h"
#include "SqlStatement.h"

#include <string>

namespace oraclesim {

struct ParserRules {
    LexerLimits limits;
    std::size_t varchar2Bytes = 4000;
    std::size_t rawBytes = 2000;
    bool wording23ai = false; // a trailing ";" is ORA-00933 instead of ORA-00911
};

// Parses one statement strictly; every fault throws the OraError Oracle gives for it.
SqlStatement parseSql(const std::string& text, const ParserRules& rules);

bool isReservedWord(const std::string& upperWord);

} // namespace oraclesim
