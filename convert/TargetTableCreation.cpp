#include "ConversionEngine.h"

#include "ConversionRun.h"
#include "OracleNames.h"
#include "TargetConnection.h"
#include "ValueRendering.h"

namespace {

// Sends the existence query and then the drop. Failures only mean that there was nothing to
// drop; a failed existence query leaves the drop unsent.
void dropIfPresent(TargetConnection& target, const std::string& existenceQuery,
                   const std::string& dropStatement) {
    try {
        target.Execute(existenceQuery);
        target.Execute(dropStatement);
    } catch (const TargetError&) {
    }
}

std::string quoted(const std::string& name) {
    return '"' + name + '"';
}

} // namespace

void CreateTargetTable(ConversionWindow& window, const std::string& sourceName,
                       const std::string& columnList, const std::string& keyClause) {
    ConversionRun& run = TheConversionRun();
    TargetConnection& target = TheTargetConnection();

    const std::string targetName = OracleTableName(sourceName);
    // A quote in the name is doubled so that the query stays one literal and the drop follows.
    const std::string existenceQuery =
        "SELECT COUNT(1)  FROM USER_TABLES WHERE TABLE_NAME = '" + DoubleQuotes(targetName) + "'";
    // The drop names the schema the create uses, so that a table converted again by a login
    // other than SYSTEM replaces the earlier one instead of colliding with it.
    const std::string dropStatement =
        "DROP TABLE \"SYSTEM\"." + quoted(targetName) + "  CASCADE CONSTRAINTS";
    dropIfPresent(target, existenceQuery, dropStatement);

    std::string constraints = keyClause;
    UpperCaseUtf8InPlace(constraints);
    constraints.resize(constraints.size() >= 2 ? constraints.size() - 2 : 0);
    const std::string tableBody = "(" + columnList + constraints + ")";

    try {
        window.StartActivityTimer();
        target.Execute("CREATE TABLE \"SYSTEM\"." + quoted(targetName) + tableBody);
        CopyTableRows(window, targetName);
    } catch (const TargetError& error) {
        window.StopActivityTimer();
        if (ErrorReports(error, "invalid table name", 903)) {
            // The name is tried once more without the schema prefix, and the rows follow it
            // quoted.
            run.quoteTargetName = 1;
            dropIfPresent(target, existenceQuery, "DROP TABLE " + quoted(targetName));
            try {
                target.Execute("CREATE TABLE " + quoted(targetName) + tableBody);
                CopyTableRows(window, targetName);
            } catch (const TargetError& retryError) {
                window.ShowMessage(TargetConnection::ErrorText(retryError), MessageIcon::None);
            }
        } else if (ErrorReports(error, "name is already used by an existing object", 955)) {
            run.quoteTargetName = 1;
            window.ShowMessage(
                "you don't have sufficient privilege to perform this operation on table [" +
                    targetName + "].",
                MessageIcon::None);
        } else {
            window.ShowMessage(TargetConnection::ErrorText(error), MessageIcon::None);
        }
        window.StartActivityTimer();
    }
}
