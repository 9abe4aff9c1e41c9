#include "ColumnTypeMapping.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct TypeCase {
    const char* name;
    int typeCode;
    std::uint32_t length;
    std::uint32_t charsetNumber;
    const char* expected;
};

std::ostream& operator<<(std::ostream& out, const TypeCase& c) {
    return out << c.name;
}

class MapColumnTypeTest : public testing::TestWithParam<TypeCase> {};

TEST_P(MapColumnTypeTest, GivesOracleTypeText) {
    const TypeCase& c = GetParam();
    EXPECT_EQ(MapColumnType(c.typeCode, c.length, c.charsetNumber), c.expected);
}

// One row per type code the mapping knows, with lengths that would show if the length
// leaked into a fixed text.
const TypeCase kTypeTable[] = {
    {"OldDecimal", 0, 10, 63, "VARCHAR2( 255)"},
    {"TinyIntIgnoresLength", 1, 4, 63, "VARCHAR2( 255)"},
    {"SmallInt", 2, 6, 63, "VARCHAR2(6)"},
    {"Int", 3, 11, 63, "VARCHAR2(11)"},
    {"Float", 4, 12, 63, "VARCHAR2( 255)"},
    {"Double", 5, 22, 63, "VARCHAR2( 255)"},
    {"NullTyped", 6, 0, 63, "NULL"},
    {"Timestamp", 7, 19, 63, "VARCHAR2(200 )"},
    {"BigIntIsClob", 8, 20, 63, "CLOB"},
    {"MediumInt", 9, 9, 63, "VARCHAR2(9)"},
    {"Date", 10, 10, 63, "VARCHAR2(200 )"},
    {"Time", 11, 10, 63, "VARCHAR2(200 )"},
    {"DateTime", 12, 19, 63, "VARCHAR2(200 )"},
    {"Year", 13, 4, 63, "VARCHAR2(200 )"},
    {"Varchar15", 15, 40, 8, "VARCHAR2(40)"},
    {"Bit", 16, 5, 63, "RAW(5)"},
    {"NewDecimal", 246, 7, 63, "VARCHAR2( 255)"},
    {"TinyBlob", 249, 255, 63, "CLOB"},
    {"MediumBlob", 250, 16777215, 63, "CLOB"},
    {"LongBlob", 251, 4294967295u, 63, "CLOB"},
    {"Blob", 252, 65535, 63, "CLOB"},
    {"VarString", 253, 100, 8, "VARCHAR2(100)"},
    {"String", 254, 10, 8, "CHAR(10)"},
    // Codes the mapping does not know give no type at all.
    {"NewDate14", 14, 10, 63, ""},
    {"Enum247", 247, 1, 8, ""},
    {"Set248", 248, 1, 8, ""},
    {"Geometry255", 255, 4294967295u, 63, ""},
    {"Json245", 245, 4294967295u, 45, ""},
    {"NegativeCode", -1, 10, 63, ""},
    {"Varchar2BeyondEnum", 17, 10, 63, ""},
};
INSTANTIATE_TEST_SUITE_P(TypeTable, MapColumnTypeTest, testing::ValuesIn(kTypeTable),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

// The worked examples, with lengths as the client library reports them.
const TypeCase kWorkedExamples[] = {
    {"Int11", 3, 11, 63, "VARCHAR2(11)"},
    {"TinyInt1", 1, 1, 63, "VARCHAR2( 255)"},
    {"Varchar100SingleByte", 253, 100, 8, "VARCHAR2(100)"},
    {"Varchar1ThreeByte", 253, 3, 33, "VARCHAR2(4)"},
    {"Varchar2000ThreeByte", 253, 6000, 33, "VARCHAR2(4000)"},
    {"Char1SingleByte", 254, 1, 8, "CHAR(4)"},
    {"Bit1", 16, 1, 63, "RAW(4)"},
    {"Bit8", 16, 8, 63, "RAW(8)"},
    {"TextCharset8", 252, 65535, 8, "CLOB"},
    {"BlobCharset63", 252, 65535, 63, "CLOB"},
    {"DateTime19", 12, 19, 63, "VARCHAR2(200 )"},
};
INSTANTIATE_TEST_SUITE_P(WorkedExamples, MapColumnTypeTest, testing::ValuesIn(kWorkedExamples),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

// Short lengths widen to 4, long ones stop at 4000, in every form that carries a length;
// only VARCHAR turns a length of 3 into 4.
const TypeCase kLengths[] = {
    {"Varchar0", 253, 0, 8, "VARCHAR2(4)"},
    {"Varchar1", 253, 1, 8, "VARCHAR2(4)"},
    {"Varchar2", 253, 2, 8, "VARCHAR2(4)"},
    {"Varchar3", 253, 3, 8, "VARCHAR2(4)"},
    {"Varchar15Length3", 15, 3, 8, "VARCHAR2(4)"},
    {"Varchar4", 253, 4, 8, "VARCHAR2(4)"},
    {"Varchar3999", 253, 3999, 8, "VARCHAR2(3999)"},
    {"Varchar4000", 253, 4000, 8, "VARCHAR2(4000)"},
    {"Varchar4001", 253, 4001, 8, "VARCHAR2(4000)"},
    {"VarcharHuge", 253, 4294967295u, 8, "VARCHAR2(4000)"},
    {"Char0", 254, 0, 8, "CHAR(4)"},
    {"Char2", 254, 2, 8, "CHAR(4)"},
    {"Char3Stays", 254, 3, 8, "CHAR(3)"},
    {"Char4001", 254, 4001, 8, "CHAR(4000)"},
    {"SmallInt3Stays", 2, 3, 63, "VARCHAR2(3)"},
    {"Int3Stays", 3, 3, 63, "VARCHAR2(3)"},
    {"MediumInt3Stays", 9, 3, 63, "VARCHAR2(3)"},
    {"Int1", 3, 1, 63, "VARCHAR2(4)"},
    {"Bit0", 16, 0, 63, "RAW(4)"},
    {"Bit2", 16, 2, 63, "RAW(4)"},
    {"Bit3Stays", 16, 3, 63, "RAW(3)"},
    {"Bit64", 16, 64, 63, "RAW(64)"},
    {"Raw4001", 16, 4001, 63, "RAW(4000)"},
    {"TinyIntLongLength", 1, 4001, 63, "VARCHAR2( 255)"},
    {"TimestampLength0", 7, 0, 63, "VARCHAR2(200 )"},
};
INSTANTIATE_TEST_SUITE_P(Lengths, MapColumnTypeTest, testing::ValuesIn(kLengths),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

// Every BLOB and TEXT column is a CLOB, including the collations of current servers whose
// numbers lie above 64; the character set plays no part for any other code.
const TypeCase kCharsets[] = {
    {"Blob0", 252, 65535, 0, "CLOB"},
    {"Blob64", 252, 65535, 64, "CLOB"},
    {"Blob65", 252, 65535, 65, "CLOB"},
    {"TextUtf8mb4Unicode224", 252, 262140, 224, "CLOB"},
    {"TextUtf8mb4Mysql8_255", 252, 262140, 255, "CLOB"},
    {"TextHugeCharset", 252, 4294967295u, 4294967295u, "CLOB"},
    {"VarcharCharset224", 253, 400, 224, "VARCHAR2(400)"},
    {"CharCharset255", 254, 40, 255, "CHAR(40)"},
};
INSTANTIATE_TEST_SUITE_P(Charsets, MapColumnTypeTest, testing::ValuesIn(kCharsets),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

} // namespace
