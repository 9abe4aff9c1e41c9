// The pure functions fed with what a real MariaDB server reports: the key flags of its field
// lists and the entries of its rows.
#include "ColumnTypeMapping.h"
#include "ConversionEngine.h"
#include "OracleLiteral.h"
#include "OracleNames.h"
#include "SourceConnection.h"
#include "TestMariaDb.h"
#include "ValueRendering.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ServerDataTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        SourceConnection& source = TheSourceConnection();
        ASSERT_TRUE(
            source.Connect(TestMariaDb::host(), TestMariaDb::kLogin, TestMariaDb::kPassword));
        source.UseDatabase("convert_keys");
    }

    static std::vector<SourceField> fieldsOf(const std::string& table) {
        SourceConnection& source = TheSourceConnection();
        std::vector<SourceField> fields;
        std::optional<SourceResult> list = source.ListFields(table);
        if (!list)
            return fields;
        while (std::optional<SourceField> field = source.FetchField(*list))
            fields.push_back(*field);
        return fields;
    }

    // Each row of the table as the VALUES list the row copy would write, without the last
    // comma.
    static std::vector<std::string> valuesOf(const std::string& table) {
        SourceConnection& source = TheSourceConnection();
        const std::vector<SourceField> fields = fieldsOf(table);
        std::vector<std::string> rows;
        if (source.Query("SELECT * FROM " + QuoteSourceName(table) + " ORDER BY n") != 0)
            return rows;
        std::optional<SourceResult> result = source.StoreResult();
        if (!result)
            return rows;
        while (SourceRow row = source.FetchRow(*result)) {
            std::string values;
            for (unsigned column = 0; column < row.fieldCount(); ++column) {
                const SourceField& field = fields.at(column);
                AppendColumnValue(values, row[column], field.type, field.length,
                                  MapColumnType(field.type, field.length, field.charsetNumber));
            }
            values.pop_back();
            rows.push_back(values);
        }
        return rows;
    }
};

TEST_F(ServerDataTest, KeyClausesFollowTheServersKeyFlags) {
    struct Case {
        const char* table;
        const char* expected;
    };
    const Case cases[] = {
        {"worked", ", PRIMARY KEY(\"ID\"),  UNIQUE (\"EMAIL\",\"A\"), "},
        {"composite_primary", ", PRIMARY KEY(\"A\",\"B\"), "},
        // A unique key over two columns flags only its first column, and as indexed.
        {"composite_unique", ", UNIQUE (\"C\"), "},
        {"bigint_primary", ","},
        {"text_index_first", ","},
        {"awkward_names", ", PRIMARY KEY(\"CODE\"),  UNIQUE (\"CUSTOMER EMAIL ADDRESS FOR BIL\","
                          "\"NÚMERO_DE_CLIENTE_ÑANDÚ_GR\",\"__\"), "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BuildKeyClause(c.table), c.expected) << c.table;
    }
}

TEST_F(ServerDataTest, KeyColumnsAreNamedAsTheColumnListNamesThem) {
    const std::vector<SourceField> fields = fieldsOf("awkward_names");
    ASSERT_EQ(fields.size(), 4u);
    const std::string clause = BuildKeyClause("awkward_names");
    for (const SourceField& field : fields) {
        const std::string quoted = '"' + OracleColumnName(field.originalName) + '"';
        EXPECT_NE(clause.find(quoted), std::string::npos) << quoted << " in " << clause;
    }
}

TEST_F(ServerDataTest, BitValuesGiveEveryByteInHex) {
    const std::vector<std::string> expected = {
        "'1','01','02','0001','0102030405060708'",
        "'2','00','00','0000','0000000000000000'",
        "'3',NULL,NULL,NULL,NULL",
        "'4','01','FF','FF00','8000000000000001'",
    };
    EXPECT_EQ(valuesOf("bits"), expected);
}

TEST_F(ServerDataTest, TextValuesArriveAsTheServerHoldsThem) {
    const std::vector<std::string> rows = valuesOf("texts");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], "'1','O''Neil','NULL',' likes fish, and [toys] ','-42','2009-01-31',"
                       "'12.50'");
    EXPECT_EQ(rows[1], "'2','','','','0',NULL,NULL");
    EXPECT_EQ(rows[2], "'3',NULL,NULL,NULL,NULL,NULL,NULL");
    EXPECT_EQ(rows[3], "'4','Grüße, 東京 😀','ñandú','a\x01"
                       "b\\c','9223372036854775807',"
                       "'1999-12-31','-0.05'");
}

} // namespace
