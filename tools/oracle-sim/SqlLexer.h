#pragma once

#include "OraError.h"

#include <string>
#include <vector>

namespace oraclesim {

struct SqlToken {
    enum class Kind { Word, QuotedIdentifier, String, Number, Symbol, Semicolon, Bad, End };
    Kind kind = Kind::End;
    // Word: upper-cased; quoted identifier: as written; string: the value with '' undoubled;
    // symbol: the symbol itself.
    std::string text;
    OraError error; // Bad only
};

struct LexerLimits {
    std::size_t identifierBytes = 30;
    std::size_t literalBytes = 4000;
};

// Splits statement text into tokens. Lexical faults become Bad tokens so that the parser
// reports them only when it reaches them, in the order Oracle would.
std::vector<SqlToken> tokenizeSql(const std::string& text, const LexerLimits& limits);

std::string upperIdentifier(const std::string& text);

} // namespace oraclesim
