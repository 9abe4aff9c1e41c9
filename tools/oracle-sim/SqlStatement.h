#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace oraclesim {

// A table name as written: the schema is empty when the statement names none.
struct TableName {
    std::optional<std::string> schema;
    std::string name;
};

enum class ColumnKind { Varchar2, Char, Raw, Clob, Number, Date };

struct ColumnType {
    ColumnKind kind = ColumnKind::Varchar2;
    long long length = 0;
    bool charSemantics = false;
    int precision = 0; // NUMBER only, 0 when not given
    int scale = 0;
};

struct ColumnDefinition {
    std::string name;
    ColumnType type;
    bool notNull = false;
};

struct ConstraintDefinition {
    std::optional<std::string> name;
    bool primary = false;
    std::vector<std::string> columns;
};

struct CreateTableStatement {
    TableName table;
    std::vector<ColumnDefinition> columns;
    std::vector<ConstraintDefinition> constraints;
};

struct DropTableStatement {
    TableName table;
};

struct Literal {
    enum class Kind { Null, Text, Number };
    Kind kind = Kind::Null;
    std::string value;
};

struct InsertStatement {
    TableName table;
    std::optional<std::vector<std::string>> columns;
    std::vector<Literal> values;
};

// The queries the simulator understands: a count, *, or columns from one table or view with
// equality conditions joined by AND.
struct SelectStatement {
    std::vector<std::string> columns; // named columns of the select list
    TableName from;
    std::vector<std::pair<std::string, Literal>> conditions;
};

struct CommitStatement {};
struct RollbackStatement {};

using SqlStatement = std::variant<CreateTableStatement, DropTableStatement, InsertStatement,
                                  SelectStatement, CommitStatement, RollbackStatement>;

// OCI_ATTR_STMT_TYPE as the client library works it out from the leading keyword.
unsigned short statementTypeOf(const std::string& text);

std::string columnTypeText(const ColumnType& type);

} // namespace oraclesim
