#include "SqlLexer.h"

namespace oraclesim {

namespace {

bool isSpace(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}
bool isLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}
// Bytes of multibyte characters count as letters: the database character set is AL32UTF8.
bool startsIdentifier(unsigned char c) {
    return isLetter(c) || c >= 0x80;
}
bool continuesIdentifier(unsigned char c) {
    return startsIdentifier(c) || isDigit(c) || c == '_' || c == '$' || c == '#';
}

SqlToken bad(int number) {
    SqlToken token;
    token.kind = SqlToken::Kind::Bad;
    token.error.number = number;
    return token;
}

} // namespace

std::string upperIdentifier(const std::string& text) {
    std::string result = text;
    for (std::size_t i = 0; i < result.size(); ++i) {
        const auto c = static_cast<unsigned char>(result[i]);
        if (c >= 'a' && c <= 'z') {
            result[i] = static_cast<char>(c - 'a' + 'A');
        } else if (c == 0xC3 && i + 1 < result.size()) {
            // Latin-1 small letters in UTF-8 (U+00E0..U+00FE but not the division sign).
            const auto next = static_cast<unsigned char>(result[i + 1]);
            if (next >= 0xA0 && next <= 0xBE && next != 0xB7)
                result[i + 1] = static_cast<char>(next - 0x20);
            ++i;
        }
    }
    return result;
}

std::vector<SqlToken> tokenizeSql(const std::string& text, const LexerLimits& limits) {
    std::vector<SqlToken> tokens;
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto at = [&](std::size_t k) -> unsigned char {
        return k < n ? static_cast<unsigned char>(text[k]) : 0;
    };
    while (i < n) {
        const unsigned char c = at(i);
        if (isSpace(c)) {
            ++i;
            continue;
        }
        if (c == '-' && at(i + 1) == '-') {
            while (i < n && text[i] != '\n')
                ++i;
            continue;
        }
        if (c == '/' && at(i + 1) == '*') {
            const auto end = text.find("*/", i + 2);
            i = end == std::string::npos ? n : end + 2;
            continue;
        }
        const bool national = (c == 'N' || c == 'n') && at(i + 1) == '\'';
        if (c == '\'' || national) {
            std::size_t k = national ? i + 2 : i + 1;
            std::string value;
            bool closed = false;
            while (k < n) {
                if (text[k] == '\'') {
                    if (at(k + 1) == '\'') {
                        value += '\'';
                        k += 2;
                        continue;
                    }
                    closed = true;
                    ++k;
                    break;
                }
                value += text[k++];
            }
            if (!closed) {
                tokens.push_back(bad(1756));
                i = n;
                continue;
            }
            if (value.size() > limits.literalBytes) {
                tokens.push_back(bad(1704));
            } else {
                tokens.push_back({SqlToken::Kind::String, value, {}});
            }
            i = k;
            continue;
        }
        if (c == '"') {
            const auto end = text.find('"', i + 1);
            if (end == std::string::npos) {
                tokens.push_back(bad(1740));
                i = n;
                continue;
            }
            std::string name = text.substr(i + 1, end - i - 1);
            if (name.empty())
                tokens.push_back(bad(1741));
            else if (name.size() > limits.identifierBytes || name.find('\0') != std::string::npos)
                tokens.push_back(name.size() > limits.identifierBytes ? bad(972) : bad(911));
            else
                tokens.push_back({SqlToken::Kind::QuotedIdentifier, name, {}});
            i = end + 1;
            continue;
        }
        if (startsIdentifier(c)) {
            std::size_t k = i + 1;
            while (k < n && continuesIdentifier(at(k)))
                ++k;
            const std::string word = text.substr(i, k - i);
            if (word.size() > limits.identifierBytes)
                tokens.push_back(bad(972));
            else
                tokens.push_back({SqlToken::Kind::Word, upperIdentifier(word), {}});
            i = k;
            continue;
        }
        if (isDigit(c) || (c == '.' && isDigit(at(i + 1)))) {
            std::size_t k = i;
            while (isDigit(at(k)))
                ++k;
            if (at(k) == '.') {
                ++k;
                while (isDigit(at(k)))
                    ++k;
            }
            if ((at(k) == 'E' || at(k) == 'e') &&
                (isDigit(at(k + 1)) ||
                 ((at(k + 1) == '+' || at(k + 1) == '-') && isDigit(at(k + 2))))) {
                k += 2;
                while (isDigit(at(k)))
                    ++k;
            }
            tokens.push_back({SqlToken::Kind::Number, text.substr(i, k - i), {}});
            i = k;
            continue;
        }
        if (c == ';') {
            tokens.push_back({SqlToken::Kind::Semicolon, ";", {}});
            ++i;
            continue;
        }
        if (c == '|' && at(i + 1) == '|') {
            tokens.push_back({SqlToken::Kind::Symbol, "||", {}});
            i += 2;
            continue;
        }
        switch (c) {
        case '(':
        case ')':
        case ',':
        case '.':
        case '=':
        case '*':
        case '+':
        case '-':
        case '/':
            tokens.push_back({SqlToken::Kind::Symbol, std::string(1, static_cast<char>(c)), {}});
            ++i;
            continue;
        default:
            tokens.push_back(bad(911));
            ++i;
            continue;
        }
    }
    tokens.push_back({SqlToken::Kind::End, {}, {}});
    return tokens;
}

} // namespace oraclesim
