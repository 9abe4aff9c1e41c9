#include "KeyClause.h"

#include "ConversionEngine.h"
#include "OracleNames.h"

namespace {

// Oracle maps these to CLOB, which no key constraint accepts.
bool isExcludedFromKeys(const SourceField& field) {
    return field.type == 8 || field.type == 252;
}

bool hasFlag(const SourceField& field, std::uint32_t flag) {
    return (field.flags & flag) != 0;
}

// Appends the quoted names of the key's columns; true when at least one was written.
template <typename InKey>
bool appendKeyColumns(std::string& clause, const SourceFieldList& fields, InKey inKey) {
    bool first = true;
    for (const SourceField& field : fields) {
        if (!inKey(field) || isExcludedFromKeys(field))
            continue;
        if (!first)
            clause += ',';
        first = false;
        clause += '"';
        clause += OracleColumnName(field.originalName);
        clause += '"';
    }
    return !first;
}

} // namespace

std::string KeyClauseForFields(const SourceFieldList& scanList,
                               const std::function<std::optional<SourceFieldList>()>& freshList) {
    const auto constraintFields = [&]() -> SourceFieldList {
        if (freshList) {
            if (auto fields = freshList())
                return std::move(*fields);
        }
        return scanList;
    };

    std::string clause = ",";
    bool primaryMark = false;
    bool uniqueMark = false;
    bool indexMark = false;
    for (const SourceField& field : scanList) {
        const bool primary = hasFlag(field, kPrimaryKeyFlag);
        if (primary && !primaryMark) {
            // The first key column of each kind decides: a CLOB one ends the clause as it
            // stands, later ones are only left out.
            if (isExcludedFromKeys(field))
                return clause;
            primaryMark = true;
            clause += " PRIMARY KEY(";
            appendKeyColumns(clause, constraintFields(),
                             [](const SourceField& f) { return hasFlag(f, kPrimaryKeyFlag); });
            clause += "), ";
        } else if (hasFlag(field, kUniqueKeyFlag) && !primary && !uniqueMark) {
            if (isExcludedFromKeys(field))
                return clause;
            // MySQL's unique keys all go into one UNIQUE constraint.
            clause += " UNIQUE (";
            uniqueMark = appendKeyColumns(clause, constraintFields(), [](const SourceField& f) {
                return hasFlag(f, kUniqueKeyFlag);
            });
            clause += "), ";
        } else if (hasFlag(field, kMultipleKeyFlag) && !primary && !indexMark) {
            if (isExcludedFromKeys(field))
                return clause;
            // Plain indexes are not carried over; the mark only limits the stop rule to the
            // first indexed column.
            indexMark = true;
        }
    }
    return clause;
}

std::string BuildKeyClause(const std::string& tableName) {
    SourceConnection& source = TheSourceConnection();
    const auto listFields = [&]() -> std::optional<SourceFieldList> {
        auto result = source.ListFields(tableName);
        if (!result)
            return std::nullopt;
        SourceFieldList fields;
        while (auto field = source.FetchField(*result))
            fields.push_back(std::move(*field));
        return fields;
    };
    const std::optional<SourceFieldList> scanList = listFields();
    if (!scanList)
        return ",";
    return KeyClauseForFields(*scanList, listFields);
}
