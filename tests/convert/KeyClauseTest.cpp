#include "KeyClause.h"
#include "OracleNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t PK = kPrimaryKeyFlag;
constexpr std::uint32_t UNI = kUniqueKeyFlag;
constexpr std::uint32_t MUL = kMultipleKeyFlag;

SourceField intColumn(std::string name, std::uint32_t flags = 0) {
    return {std::move(name), 3, 11, flags, 63};
}
SourceField varcharColumn(std::string name, std::uint32_t flags = 0) {
    return {std::move(name), 253, 200, flags, 8};
}
SourceField charColumn(std::string name, std::uint32_t flags = 0) {
    return {std::move(name), 254, 8, flags, 8};
}
SourceField bigintColumn(std::string name, std::uint32_t flags = 0) {
    return {std::move(name), 8, 20, flags, 63};
}
SourceField textColumn(std::string name, std::uint32_t flags = 0) {
    return {std::move(name), 252, 65535, flags, 8};
}

struct KeyCase {
    const char* name;
    SourceFieldList fields;
    std::string expected;
};

std::ostream& operator<<(std::ostream& out, const KeyCase& c) {
    return out << c.name;
}

const KeyCase kKeyCases[] = {
    {"NoKeys", {intColumn("id"), varcharColumn("name")}, ","},
    {"NoColumns", {}, ","},
    {"WorkedExample",
     {intColumn("id", PK), varcharColumn("email", UNI), intColumn("a", UNI), textColumn("note")},
     ", PRIMARY KEY(\"ID\"),  UNIQUE (\"EMAIL\",\"A\"), "},
    {"CompositePrimaryKey",
     {intColumn("a", PK), intColumn("b", PK), varcharColumn("c")},
     ", PRIMARY KEY(\"A\",\"B\"), "},
    {"PrimaryKeyNotFirstColumn",
     {varcharColumn("name"), charColumn("code", PK)},
     ", PRIMARY KEY(\"CODE\"), "},
    {"BigintPrimaryKeyFirstGivesNothing",
     {bigintColumn("id", PK), varcharColumn("email", UNI)},
     ","},
    {"TextPrimaryKeyFirstGivesNothing",
     {textColumn("body", PK), intColumn("n", PK), varcharColumn("email", UNI)},
     ","},
    {"BigintLaterInPrimaryKeyLeftOut",
     {intColumn("a", PK), bigintColumn("b", PK)},
     ", PRIMARY KEY(\"A\"), "},
    {"UniqueBigintAfterUniqueVarcharLeftOut",
     {varcharColumn("email", UNI), bigintColumn("big", UNI)},
     ", UNIQUE (\"EMAIL\"), "},
    {"UniqueBigintFirstEndsScan",
     {bigintColumn("big", UNI), varcharColumn("email", UNI), intColumn("id", PK)},
     ","},
    {"UniqueTextFirstKeepsEarlierPrimaryKey",
     {intColumn("id", PK), textColumn("body", UNI), varcharColumn("email", UNI)},
     ", PRIMARY KEY(\"ID\"), "},
    {"MultipleKeyTextFirstEndsScan",
     {intColumn("n"), textColumn("note", MUL), varcharColumn("email", UNI)},
     ","},
    {"MultipleKeyTextAfterUniqueKeepsIt",
     {varcharColumn("email", UNI), textColumn("note", MUL)},
     ", UNIQUE (\"EMAIL\"), "},
    {"MultipleKeyTextAfterIndexedColumnIsHarmless",
     {intColumn("n", MUL), textColumn("note", MUL), varcharColumn("email", UNI)},
     ", UNIQUE (\"EMAIL\"), "},
    {"MultipleKeyBigintAfterPrimaryKeyEndsScan",
     {intColumn("id", PK | MUL), bigintColumn("ref", MUL), varcharColumn("email", UNI)},
     ", PRIMARY KEY(\"ID\"), "},
    {"TwoUniqueColumnsOneConstraint",
     {varcharColumn("email", UNI), varcharColumn("login", UNI)},
     ", UNIQUE (\"EMAIL\",\"LOGIN\"), "},
    {"UniqueBeforePrimary",
     {varcharColumn("email", UNI), intColumn("id", PK)},
     ", UNIQUE (\"EMAIL\"),  PRIMARY KEY(\"ID\"), "},
    {"IndexesAloneGiveNothing", {intColumn("a", MUL), varcharColumn("b", MUL)}, ","},
    // Key columns carry the names the column list gives the same columns.
    {"LongNameCutAsInColumnList",
     {varcharColumn("  customer_email_address_for_billing  ", PK)},
     ", PRIMARY KEY(\"CUSTOMER_EMAIL_ADDRESS_FOR_BIL\"), "},
    {"BlankPaddedShortNameKeepsBlanks",
     {intColumn(" id ", PK), varcharColumn("email ", UNI)},
     ", PRIMARY KEY(\" ID \"),  UNIQUE (\"EMAIL \"), "},
    {"QuotedNamesLoseQuotes",
     {intColumn("\"id\"", PK), varcharColumn("a\"b", UNI), charColumn("\"\"", UNI)},
     ", PRIMARY KEY(\"ID\"),  UNIQUE (\"AB\",\"__\"), "},
    {"NonAsciiNameUpperCased",
     {intColumn("número", PK), varcharColumn("имя", UNI)},
     ", PRIMARY KEY(\"NÚMERO\"),  UNIQUE (\"ИМЯ\"), "},
};

class KeyClauseTest : public testing::TestWithParam<KeyCase> {};

TEST_P(KeyClauseTest, WritesTheConstraints) {
    const KeyCase& c = GetParam();
    EXPECT_EQ(KeyClauseForFields(c.fields), c.expected);
}

INSTANTIATE_TEST_SUITE_P(KeyFlags, KeyClauseTest, testing::ValuesIn(kKeyCases),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

// Every name the clause writes between double quotes is one that the column list writes
// for a column of the table, so CREATE TABLE never refers to a missing column.
TEST(KeyClauseNamesTest, EveryKeyColumnIsAColumnOfTheList) {
    const SourceFieldList fields = {
        intColumn("   Order Id   ", PK),
        varcharColumn("\"region\"", PK),
        varcharColumn("  a very long customer reference number  ", UNI),
        varcharColumn(std::string(28, 'x') + "ñandú", UNI),
        charColumn("\"\"", UNI),
        intColumn("plain", MUL),
    };
    std::vector<std::string> columnNames;
    for (const SourceField& field : fields)
        columnNames.push_back(OracleColumnName(field.originalName));

    const std::string clause = UpperCaseUtf8(KeyClauseForFields(fields));
    std::size_t written = 0;
    for (std::size_t open = clause.find('"'); open != std::string::npos;
         open = clause.find('"', clause.find('"', open + 1) + 1)) {
        const std::size_t close = clause.find('"', open + 1);
        ASSERT_NE(close, std::string::npos) << clause;
        const std::string name = clause.substr(open + 1, close - open - 1);
        EXPECT_NE(std::find(columnNames.begin(), columnNames.end(), name), columnNames.end())
            << name << " in " << clause;
        ++written;
    }
    EXPECT_EQ(written, 5u) << clause;
}

TEST(KeyClauseFreshListTest, EachConstraintReadsItsOwnFieldList) {
    const SourceFieldList scan = {intColumn("id", PK), varcharColumn("email", UNI)};
    int listings = 0;
    const auto fresh = [&]() -> std::optional<SourceFieldList> {
        ++listings;
        SourceFieldList again = scan;
        for (SourceField& field : again)
            field.originalName += std::to_string(listings);
        return again;
    };
    EXPECT_EQ(KeyClauseForFields(scan, fresh), ", PRIMARY KEY(\"ID1\"),  UNIQUE (\"EMAIL2\"), ");
    EXPECT_EQ(listings, 2);
}

TEST(KeyClauseFreshListTest, ScanListServesWhenTheTableCannotBeListedAgain) {
    const SourceFieldList scan = {intColumn("a", PK), intColumn("b", PK)};
    const auto unavailable = []() -> std::optional<SourceFieldList> { return std::nullopt; };
    EXPECT_EQ(KeyClauseForFields(scan, unavailable), ", PRIMARY KEY(\"A\",\"B\"), ");
}

} // namespace
