#include "SqlParser.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string_view>

namespace oraclesim {

namespace {

// Oracle's SQL reserved words: none of them may name a table or column unquoted.
constexpr std::string_view kReservedWords[] = {
    "ACCESS",    "ADD",      "ALL",        "ALTER",      "AND",      "ANY",        "AS",
    "ASC",       "AUDIT",    "BETWEEN",    "BY",         "CHAR",     "CHECK",      "CLUSTER",
    "COLUMN",    "COMMENT",  "COMPRESS",   "CONNECT",    "CREATE",   "CURRENT",    "DATE",
    "DECIMAL",   "DEFAULT",  "DELETE",     "DESC",       "DISTINCT", "DROP",       "ELSE",
    "EXCLUSIVE", "EXISTS",   "FILE",       "FLOAT",      "FOR",      "FROM",       "GRANT",
    "GROUP",     "HAVING",   "IDENTIFIED", "IMMEDIATE",  "IN",       "INCREMENT",  "INDEX",
    "INITIAL",   "INSERT",   "INTEGER",    "INTERSECT",  "INTO",     "IS",         "LEVEL",
    "LIKE",      "LOCK",     "LONG",       "MAXEXTENTS", "MINUS",    "MLSLABEL",   "MODE",
    "MODIFY",    "NOAUDIT",  "NOCOMPRESS", "NOT",        "NOWAIT",   "NULL",       "NUMBER",
    "OF",        "OFFLINE",  "ON",         "ONLINE",     "OPTION",   "OR",         "ORDER",
    "PCTFREE",   "PRIOR",    "PRIVILEGES", "PUBLIC",     "RAW",      "RENAME",     "RESOURCE",
    "REVOKE",    "ROW",      "ROWID",      "ROWNUM",     "ROWS",     "SELECT",     "SESSION",
    "SET",       "SHARE",    "SIZE",       "SMALLINT",   "START",    "SUCCESSFUL", "SYNONYM",
    "SYSDATE",   "TABLE",    "THEN",       "TO",         "TRIGGER",  "UID",        "UNION",
    "UNIQUE",    "UPDATE",   "USER",       "VALIDATE",   "VALUES",   "VARCHAR",    "VARCHAR2",
    "VIEW",      "WHENEVER", "WHERE",      "WITH"};

// Valid Oracle that this stand-in does not model: reported as ORA-03001 rather than guessed.
constexpr std::string_view kUnmodelledTypes[] = {
    "FLOAT",  "LONG",   "TIMESTAMP", "INTERVAL", "BINARY_FLOAT", "BINARY_DOUBLE", "ROWID",
    "UROWID", "BFILE",  "XMLTYPE",   "JSON",     "BOOLEAN",      "DECIMAL",       "NUMERIC",
    "REAL",   "DOUBLE", "VECTOR",    "NCHAR",    "NVARCHAR2"};

using Kind = SqlToken::Kind;

class Parser {
public:
    Parser(const std::string& text, const ParserRules& rules)
        : m_rules(rules), m_tokens(tokenizeSql(text, rules.limits)) {}

    SqlStatement statement() {
        const SqlToken& first = peek();
        if (first.kind == Kind::Bad)
            throw first.error;
        if (first.kind != Kind::Word)
            throw OraError{900, {}, {}};
        const std::string word = first.text;
        ++m_pos;
        if (word == "CREATE")
            return create();
        if (word == "DROP")
            return drop();
        if (word == "INSERT")
            return insert();
        if (word == "SELECT")
            return select();
        if (word == "COMMIT" || word == "ROLLBACK") {
            if (isWord("WORK"))
                ++m_pos;
            if (word == "ROLLBACK" && isWord("TO"))
                throw OraError{3001, {}, {}};
            expectEnd(933);
            if (word == "COMMIT")
                return CommitStatement{};
            return RollbackStatement{};
        }
        // Valid Oracle statements this stand-in does not model.
        static constexpr std::string_view unmodelled[] = {
            "WITH",    "UPDATE", "DELETE",  "MERGE",   "ALTER", "TRUNCATE",  "GRANT",
            "REVOKE",  "BEGIN",  "DECLARE", "CALL",    "LOCK",  "SAVEPOINT", "SET",
            "COMMENT", "RENAME", "ANALYZE", "EXPLAIN", "AUDIT", "FLASHBACK", "PURGE"};
        if (std::find(std::begin(unmodelled), std::end(unmodelled), word) != std::end(unmodelled))
            throw OraError{3001, {}, {}};
        throw OraError{900, {}, {}};
    }

private:
    const SqlToken& peek(std::size_t ahead = 0) const {
        return m_tokens[std::min(m_pos + ahead, m_tokens.size() - 1)];
    }
    bool isWord(std::string_view word, std::size_t ahead = 0) const {
        return peek(ahead).kind == Kind::Word && peek(ahead).text == word;
    }
    bool isSymbol(std::string_view symbol) const {
        return peek().kind == Kind::Symbol && peek().text == symbol;
    }

    // Reports the fault at the current token: a lexical fault there wins over the
    // syntax error the parser expected to give.
    [[noreturn]] void fail(int number, std::vector<std::string> args = {}) const {
        const SqlToken& token = peek();
        if (token.kind == Kind::Bad)
            throw token.error;
        if (token.kind == Kind::Semicolon) {
            const bool last = peek(1).kind == Kind::End;
            throw OraError{m_rules.wording23ai && last ? 933 : 911, {}, {}};
        }
        throw OraError{number, std::move(args), {}};
    }

    void expectSymbol(std::string_view symbol, int number) {
        if (!isSymbol(symbol))
            fail(number);
        ++m_pos;
    }
    void expectWord(std::string_view word, int number) {
        if (!isWord(word))
            fail(number);
        ++m_pos;
    }
    void expectEnd(int number) {
        if (peek().kind != Kind::End)
            fail(number);
    }

    // A name in the position of a table (or its schema).
    std::string tableIdentifier() {
        const SqlToken& token = peek();
        if (token.kind == Kind::QuotedIdentifier ||
            (token.kind == Kind::Word && !isReservedWord(token.text))) {
            ++m_pos;
            return token.text;
        }
        fail(903);
    }

    TableName tableName() {
        TableName result;
        std::string first = tableIdentifier();
        if (isSymbol(".")) {
            ++m_pos;
            result.schema = std::move(first);
            result.name = tableIdentifier();
        } else {
            result.name = std::move(first);
        }
        return result;
    }

    std::string columnIdentifier() {
        const SqlToken& token = peek();
        if (token.kind == Kind::QuotedIdentifier ||
            (token.kind == Kind::Word && !isReservedWord(token.text))) {
            ++m_pos;
            return token.text;
        }
        fail(904, {""});
    }

    long long length(int missingNumber) {
        const SqlToken& token = peek();
        if (token.kind != Kind::Number ||
            token.text.find_first_not_of("0123456789") != std::string::npos)
            fail(missingNumber);
        ++m_pos;
        return std::strtoll(token.text.c_str(), nullptr, 10);
    }

    // ( n [BYTE|CHAR] )
    void sizedLength(ColumnType& type, bool allowSemantics) {
        expectSymbol("(", 906);
        type.length = length(907);
        if (allowSemantics && (isWord("BYTE") || isWord("CHAR"))) {
            type.charSemantics = peek().text == "CHAR";
            ++m_pos;
        }
        expectSymbol(")", 907);
        if (type.length == 0)
            throw OraError{1723, {}, {}};
    }

    ColumnType columnType() {
        const SqlToken& token = peek();
        if (isSymbol(",") || isSymbol(")"))
            throw OraError{2263, {}, {}};
        if (token.kind != Kind::Word)
            fail(902);
        const std::string word = token.text;
        ++m_pos;
        ColumnType type;
        if (word == "VARCHAR2" || word == "VARCHAR") {
            type.kind = ColumnKind::Varchar2;
            sizedLength(type, true);
            if (static_cast<std::size_t>(type.length) > m_rules.varchar2Bytes)
                throw OraError{910, {}, {}};
        } else if (word == "CHAR") {
            type.kind = ColumnKind::Char;
            type.length = 1;
            if (isSymbol("("))
                sizedLength(type, true);
            if (type.length > 2000)
                throw OraError{910, {}, {}};
        } else if (word == "RAW") {
            type.kind = ColumnKind::Raw;
            sizedLength(type, false);
            if (static_cast<std::size_t>(type.length) > m_rules.rawBytes)
                throw OraError{910, {}, {}};
        } else if (word == "CLOB") {
            type.kind = ColumnKind::Clob;
        } else if (word == "NUMBER" || word == "INTEGER" || word == "INT" || word == "SMALLINT") {
            type.kind = ColumnKind::Number;
            if (word != "NUMBER") {
                type.precision = 38;
            } else if (isSymbol("(")) {
                ++m_pos;
                type.precision = static_cast<int>(length(907));
                if (isSymbol(",")) {
                    ++m_pos;
                    type.scale = static_cast<int>(length(907));
                }
                expectSymbol(")", 907);
                if (type.precision < 1 || type.precision > 38)
                    throw OraError{1727, {}, {}};
            }
        } else if (word == "DATE") {
            type.kind = ColumnKind::Date;
        } else if (std::find(std::begin(kUnmodelledTypes), std::end(kUnmodelledTypes), word) !=
                   std::end(kUnmodelledTypes)) {
            throw OraError{3001, {}, {}};
        } else {
            --m_pos;
            fail(902);
        }
        return type;
    }

    std::vector<std::string> keyColumns() {
        expectSymbol("(", 906);
        std::vector<std::string> columns;
        columns.push_back(columnIdentifier());
        while (isSymbol(",")) {
            ++m_pos;
            columns.push_back(columnIdentifier());
        }
        expectSymbol(")", 907);
        return columns;
    }

    bool startsConstraint() const {
        return isWord("CONSTRAINT") || (isWord("PRIMARY") && isWord("KEY", 1)) ||
               isWord("UNIQUE") || isWord("CHECK") || (isWord("FOREIGN") && isWord("KEY", 1));
    }

    ConstraintDefinition outOfLineConstraint() {
        ConstraintDefinition constraint;
        if (isWord("CONSTRAINT")) {
            ++m_pos;
            constraint.name = columnIdentifier();
        }
        if (isWord("PRIMARY")) {
            ++m_pos;
            expectWord("KEY", 905);
            constraint.primary = true;
        } else if (isWord("UNIQUE")) {
            ++m_pos;
        } else if (isWord("CHECK") || isWord("FOREIGN")) {
            throw OraError{3001, {}, {}};
        } else {
            fail(905);
        }
        constraint.columns = keyColumns();
        return constraint;
    }

    void columnConstraints(ColumnDefinition& column, std::vector<ConstraintDefinition>& out) {
        for (;;) {
            std::optional<std::string> name;
            if (isWord("CONSTRAINT")) {
                ++m_pos;
                name = columnIdentifier();
            }
            if (isWord("NOT")) {
                ++m_pos;
                expectWord("NULL", 905);
                column.notNull = true;
            } else if (isWord("NULL")) {
                ++m_pos;
            } else if (isWord("PRIMARY")) {
                ++m_pos;
                expectWord("KEY", 905);
                out.push_back({name, true, {column.name}});
            } else if (isWord("UNIQUE")) {
                ++m_pos;
                out.push_back({name, false, {column.name}});
            } else if (isWord("DEFAULT") || isWord("CHECK") || isWord("REFERENCES") ||
                       isWord("COLLATE") || isWord("GENERATED") || isWord("ENCRYPT")) {
                throw OraError{3001, {}, {}};
            } else {
                if (name)
                    fail(905);
                return;
            }
        }
    }

    SqlStatement create() {
        if (!isWord("TABLE")) {
            static constexpr std::array<std::string_view, 16> known = {
                "INDEX",    "VIEW",    "SEQUENCE", "USER",        "SYNONYM", "UNIQUE",
                "BITMAP",   "OR",      "GLOBAL",   "PRIVATE",     "PUBLIC",  "PROCEDURE",
                "FUNCTION", "TRIGGER", "ROLE",     "MATERIALIZED"};
            if (peek().kind == Kind::Word &&
                std::find(known.begin(), known.end(), peek().text) != known.end())
                throw OraError{3001, {}, {}};
            fail(901);
        }
        ++m_pos;
        CreateTableStatement create;
        create.table = tableName();
        if (isWord("AS"))
            throw OraError{3001, {}, {}};
        expectSymbol("(", 906);
        for (;;) {
            if (startsConstraint()) {
                create.constraints.push_back(outOfLineConstraint());
            } else {
                ColumnDefinition column;
                column.name = columnIdentifier();
                column.type = columnType();
                columnConstraints(column, create.constraints);
                create.columns.push_back(std::move(column));
            }
            if (isSymbol(",")) {
                ++m_pos;
                continue;
            }
            expectSymbol(")", 907);
            break;
        }
        expectEnd(922);
        return create;
    }

    SqlStatement drop() {
        if (!isWord("TABLE")) {
            static constexpr std::array<std::string_view, 7> known = {
                "INDEX", "VIEW", "SEQUENCE", "USER", "SYNONYM", "PUBLIC", "MATERIALIZED"};
            if (peek().kind == Kind::Word &&
                std::find(known.begin(), known.end(), peek().text) != known.end())
                throw OraError{3001, {}, {}};
            fail(950);
        }
        ++m_pos;
        DropTableStatement drop;
        drop.table = tableName();
        if (isWord("CASCADE")) {
            ++m_pos;
            expectWord("CONSTRAINTS", 905);
        }
        if (isWord("PURGE"))
            ++m_pos;
        expectEnd(933);
        return drop;
    }

    Literal expression() {
        const SqlToken& token = peek();
        Literal literal;
        if (token.kind == Kind::String) {
            ++m_pos;
            // '' is NULL in Oracle.
            literal.kind = token.text.empty() ? Literal::Kind::Null : Literal::Kind::Text;
            literal.value = token.text;
        } else if (token.kind == Kind::Number) {
            ++m_pos;
            literal.kind = Literal::Kind::Number;
            literal.value = token.text;
        } else if ((isSymbol("-") || isSymbol("+")) && peek(1).kind == Kind::Number) {
            literal.kind = Literal::Kind::Number;
            literal.value = (token.text == "-" ? "-" : "") + peek(1).text;
            m_pos += 2;
        } else if (isWord("NULL")) {
            ++m_pos;
        } else if (token.kind == Kind::Word && !isReservedWord(token.text)) {
            if (peek(1).kind == Kind::Symbol && peek(1).text == "(")
                fail(904, {token.text});
            fail(984);
        } else if (token.kind == Kind::QuotedIdentifier) {
            fail(984);
        } else if (isWord("SELECT") || isWord("SYSDATE") || isWord("USER") || isWord("UID")) {
            throw OraError{3001, {}, {}};
        } else {
            fail(936);
        }
        if (isSymbol("||") || isSymbol("+") || isSymbol("-") || isSymbol("*") || isSymbol("/"))
            throw OraError{3001, {}, {}};
        return literal;
    }

    SqlStatement insert() {
        expectWord("INTO", 925);
        if (isSymbol("("))
            throw OraError{3001, {}, {}};
        InsertStatement insert;
        insert.table = tableName();
        // An alias may follow the table name.
        if (peek().kind == Kind::QuotedIdentifier ||
            (peek().kind == Kind::Word && !isReservedWord(peek().text)))
            ++m_pos;
        if (isSymbol("(")) {
            ++m_pos;
            std::vector<std::string> columns;
            columns.push_back(columnIdentifier());
            while (isSymbol(",")) {
                ++m_pos;
                columns.push_back(columnIdentifier());
            }
            expectSymbol(")", 907);
            insert.columns = std::move(columns);
        }
        if (isWord("SELECT") || isWord("WITH"))
            throw OraError{3001, {}, {}};
        expectWord("VALUES", 926);
        expectSymbol("(", 906);
        for (;;) {
            insert.values.push_back(expression());
            if (isSymbol(",")) {
                ++m_pos;
                continue;
            }
            expectSymbol(")", 917);
            break;
        }
        expectEnd(933);
        return insert;
    }

    SqlStatement select() {
        SelectStatement select;
        for (;;) {
            if (isSymbol("*")) {
                ++m_pos;
            } else if (isWord("COUNT") && peek(1).kind == Kind::Symbol && peek(1).text == "(") {
                m_pos += 2;
                if (isSymbol("*") || peek().kind == Kind::Number)
                    ++m_pos;
                else
                    select.columns.push_back(columnIdentifier());
                expectSymbol(")", 907);
            } else if (peek().kind == Kind::Number || peek().kind == Kind::String) {
                ++m_pos;
            } else if (peek().kind == Kind::QuotedIdentifier ||
                       (peek().kind == Kind::Word && !isReservedWord(peek().text))) {
                if (peek(1).kind == Kind::Symbol && peek(1).text == "(")
                    throw OraError{3001, {}, {}};
                select.columns.push_back(peek().text);
                ++m_pos;
            } else {
                fail(936);
            }
            if (!isSymbol(","))
                break;
            ++m_pos;
        }
        expectWord("FROM", 923);
        select.from = tableName();
        if (peek().kind == Kind::QuotedIdentifier ||
            (peek().kind == Kind::Word && !isReservedWord(peek().text)))
            ++m_pos;
        if (isWord("WHERE")) {
            ++m_pos;
            for (;;) {
                std::string column = columnIdentifier();
                expectSymbol("=", 920);
                Literal value = expression();
                select.conditions.emplace_back(std::move(column), std::move(value));
                if (!isWord("AND"))
                    break;
                ++m_pos;
            }
        }
        if (isWord("ORDER") || isWord("GROUP") || isWord("OR") || isWord("UNION"))
            throw OraError{3001, {}, {}};
        expectEnd(933);
        return select;
    }

    const ParserRules& m_rules;
    std::vector<SqlToken> m_tokens;
    std::size_t m_pos = 0;
};

} // namespace

bool isReservedWord(const std::string& upperWord) {
    return std::find(std::begin(kReservedWords), std::end(kReservedWords), upperWord) !=
           std::end(kReservedWords);
}

SqlStatement parseSql(const std::string& text, const ParserRules& rules) {
    Parser parser(text, rules);
    return parser.statement();
}

unsigned short statementTypeOf(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                               text[i] == '\r' || text[i] == '('))
        ++i;
    std::size_t k = i;
    while (k < text.size() &&
           ((text[k] >= 'A' && text[k] <= 'Z') || (text[k] >= 'a' && text[k] <= 'z')))
        ++k;
    const std::string word = upperIdentifier(text.substr(i, k - i));
    if (word == "SELECT" || word == "WITH")
        return 1;
    if (word == "UPDATE")
        return 2;
    if (word == "DELETE")
        return 3;
    if (word == "INSERT")
        return 4;
    if (word == "CREATE")
        return 5;
    if (word == "DROP")
        return 6;
    if (word == "ALTER")
        return 7;
    if (word == "BEGIN")
        return 8;
    if (word == "DECLARE")
        return 9;
    return 0;
}

std::string columnTypeText(const ColumnType& type) {
    const std::string length = std::to_string(type.length);
    const std::string semantics = type.charSemantics ? " CHAR" : "";
    switch (type.kind) {
    case ColumnKind::Varchar2:
        return "VARCHAR2(" + length + semantics + ")";
    case ColumnKind::Char:
        return "CHAR(" + length + semantics + ")";
    case ColumnKind::Raw:
        return "RAW(" + length + ")";
    case ColumnKind::Clob:
        return "CLOB";
    case ColumnKind::Number:
        if (type.precision == 0)
            return "NUMBER";
        return "NUMBER(" + std::to_string(type.precision) + "," + std::to_string(type.scale) + ")";
    case ColumnKind::Date:
        return "DATE";
    }
    return {};
}

} // namespace oraclesim
