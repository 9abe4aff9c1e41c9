#include "ConversionEngine.h"

#include "ColumnTypeMapping.h"
#include "ConversionRun.h"
#include "OracleNames.h"
#include "SourceConnection.h"

std::string BuildColumnList(ConversionWindow& window, const std::string& tableName) {
    ConversionRun& run = TheConversionRun();
    SourceConnection& source = TheSourceConnection();

    std::optional<SourceResult> fields = source.ListFields(tableName);
    if (!fields) {
        window.StopActivityTimer();
        window.ShowMessage(tableName + " table is not in expected format.", MessageIcon::None);
        run.sourceTableRejected = 1;
        return {};
    }
    run.sourceTableRejected = 0;

    std::string list;
    while (std::optional<SourceField> field = source.FetchField(*fields)) {
        list += '"';
        list += OracleColumnName(field->originalName);
        list += "\" ";
        list += MapColumnType(field->type, field->length, field->charsetNumber);
        list += ", ";
    }
    if (list.size() >= 2)
        list.resize(list.size() - 2);
    return list;
}
