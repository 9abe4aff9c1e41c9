#include "ConversionEngine.h"

#include "ColumnTypeMapping.h"
#include "ConversionRun.h"
#include "OracleNames.h"
#include "SourceConnection.h"
#include "TargetConnection.h"
#include "ValueRendering.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// The type text of one column. The field list is read anew for every row, but its
// descriptions rarely change, so the mapping is only redone when they do.
struct ColumnType {
    int typeCode = -1;
    std::uint32_t length = 0;
    std::uint32_t charsetNumber = 0;
    std::string text;
};

const std::string& oracleTypeOf(ColumnType& cached, const SourceField& field) {
    if (cached.typeCode != field.type || cached.length != field.length ||
        cached.charsetNumber != field.charsetNumber) {
        cached.typeCode = field.type;
        cached.length = field.length;
        cached.charsetNumber = field.charsetNumber;
        cached.text = MapColumnType(field.type, field.length, field.charsetNumber);
    }
    return cached.text;
}

std::string displayNameOf(const std::string& targetName) {
    std::string name = targetName;
    std::erase(name, '"');
    return std::string(TrimWhiteSpace(name));
}

void setRowCaption(ConversionWindow& window, std::string& caption, const std::string& displayName,
                   int rowsConverted) {
    caption.assign("Converting Table: [");
    caption += displayName;
    caption += "] ";
    caption += std::to_string(rowsConverted);
    caption += " rows converted...";
    window.SetTitle(caption);
}

// The VALUES list of one row, from a field list of its own; false when the descriptions
// cannot be had for every column.
bool renderRow(SourceConnection& source, const std::string& table, const SourceRow& row,
               unsigned fieldCount, std::vector<ColumnType>& types, std::string& values) {
    std::optional<SourceResult> fields = source.ListFields(table);
    if (!fields)
        return false;
    values.clear();
    bool complete = true;
    for (unsigned column = 0; column < fieldCount; ++column) {
        std::optional<SourceField> field = source.FetchField(*fields);
        if (!field || column >= row.fieldCount()) {
            complete = false;
            break;
        }
        values += RenderColumnValue(row[column], field->type, field->length,
                                    oracleTypeOf(types[column], *field));
    }
    source.FreeResult(*fields);
    if (!complete)
        return false;
    if (!values.empty())
        values.pop_back();
    return true;
}

// Errors after which the session is gone: every later row would fail the same way and show
// its own message box, so the table is given up at once instead.
bool sessionLost(const TargetError& error) {
    switch (error.oracleErrorNumber) {
    case 28:   // your session has been killed
    case 1012: // not logged on
    case 1033: // initialization or shutdown in progress
    case 1034: // ORACLE not available
    case 1089: // immediate shutdown in progress
    case 1092: // ORACLE instance terminated
    case 3113: // end-of-file on communication channel
    case 3114: // not connected to ORACLE
    case 3135: // connection lost contact
        return true;
    default:
        return false;
    }
}

} // namespace

void CopyTableRows(ConversionWindow& window, const std::string& targetName) {
    ConversionRun& run = TheConversionRun();
    SourceConnection& source = TheSourceConnection();
    TargetConnection& target = TheTargetConnection();

    const std::string quotedName = '"' + targetName + '"';
    const std::string& designation = run.quoteTargetName != 0 ? quotedName : targetName;
    run.quoteTargetName = 0;
    const std::string displayName = displayNameOf(targetName);
    const std::string table = run.currentTable;

    if (source.Query("SELECT * FROM " + QuoteSourceName(table)) != 0)
        return;
    std::optional<SourceResult> result = source.StoreResult();
    if (!result) {
        window.StopActivityTimer();
        window.ShowMessage(table + " table could not be read completely from MySQL.",
                           MessageIcon::None);
        return;
    }
    std::int64_t rowsLeft = result->rowCount();
    const unsigned fieldCount = result->fieldCount();

    const std::string insertPrefix = "INSERT INTO \"SYSTEM\"." + designation + " VALUES(";
    const std::string retryPrefix = "INSERT INTO \"SYSTEM\"." + quotedName + " VALUES(";
    std::vector<ColumnType> types(fieldCount);
    std::string values;
    std::string statement;
    std::string caption;
    int rowsConverted = 0;

    while (SourceRow row = source.FetchRow(*result)) {
        if (!renderRow(source, table, row, fieldCount, types, values)) {
            window.StopActivityTimer();
            window.ShowMessage(table + " table could not be read completely from MySQL.",
                               MessageIcon::None);
            return;
        }
        statement.assign(insertPrefix);
        statement += values;
        statement += ')';
        try {
            target.Execute(statement);
            target.Execute("COMMIT");
            ++rowsConverted;
        } catch (const TargetError& error) {
            window.StopActivityTimer();
            if (sessionLost(error))
                throw;
            // "invalid character": a name Oracle takes only in quotes, such as one holding a
            // backquote or brackets, which the quoted form below inserts like any other.
            if (ErrorReports(error, "missing VALUES keyword", 926) ||
                ErrorReports(error, "invalid table name", 903) ||
                ErrorReports(error, "table or view does not exist", 942) ||
                ErrorReports(error, "invalid character", 911)) {
                // A failure of the quoted form is left to the caller, which gives the
                // table up.
                statement.assign(retryPrefix);
                statement += values;
                statement += ')';
                target.Execute(statement);
                target.Execute("COMMIT");
                ++rowsConverted;
            } else {
                ++run.rowsNotCopied;
                if (ErrorReports(error, "string literal too long", 1704))
                    window.ShowMessage("Data Length is too long.", MessageIcon::None);
                else
                    window.ShowMessage(TargetConnection::ErrorText(error), MessageIcon::None);
            }
        }
        setRowCaption(window, caption, displayName, rowsConverted);
        --rowsLeft;
    }
    if (rowsLeft == 0)
        setRowCaption(window, caption, displayName, rowsConverted);

    window.SetProgressText(ProgressText(run.tablesStarted));
    window.StepTableBar();
    ++run.tablesConverted;
}
