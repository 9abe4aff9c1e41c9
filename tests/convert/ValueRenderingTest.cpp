#include "ValueRendering.h"
#include "ColumnTypeMapping.h"
#include "OracleLiteral.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace {

// A column as the row copy sees it: its type code, display length and the Oracle type the
// mapping gives it.
struct Column {
    const char* name;
    int typeCode;
    std::uint32_t length;
    std::uint32_t charsetNumber;

    std::string oracleType() const { return MapColumnType(typeCode, length, charsetNumber); }
};

// The text families: the literal must not depend on which of them holds the value.
const Column kTextColumns[] = {
    {"Char", 254, 40, 8},     {"Text", 252, 65535, 8},    {"BigInt", 8, 20, 63},
    {"Blob", 252, 65535, 63}, {"Int", 3, 11, 63},         {"Varchar", 253, 120, 8},
    {"Varchar15", 15, 30, 8}, {"Date", 10, 10, 63},       {"Decimal", 246, 7, 63},
    {"NullTyped", 6, 0, 63},  {"UnknownCode", 245, 4, 8},
};

struct ValueCase {
    const char* name;
    std::optional<std::string> raw; // nothing for SQL NULL
    const char* expected;
};

const ValueCase kTextValues[] = {
    {"SqlNull", std::nullopt, "NULL,"},
    {"Empty", std::string(), "'',"},
    {"TextNull", std::string("NULL"), "'NULL',"},
    {"LowerCaseNull", std::string("null"), "'null',"},
    {"Quote", std::string("O'Neil"), "'O''Neil',"},
    {"OnlyQuote", std::string("'"), "'''',"},
    {"QuotesAndCommas", std::string("',',"), "''','',',"},
    {"Commas", std::string("likes fish, and more"), "'likes fish, and more',"},
    {"Brackets", std::string("[toys]"), "'[toys]',"},
    {"ByteOne",
     std::string("a\x01"
                 "b"),
     "'a\x01"
     "b',"},
    {"OnlyByteOne", std::string("\x01"), "'\x01',"},
    {"SurroundingBlanks", std::string("  a, 'b'  "), "'  a, ''b''  ',"},
    {"OnlyBlanks", std::string("   "), "'   ',"},
    {"ControlCharacters", std::string("a\\b\n\tc\r"), "'a\\b\n\tc\r',"},
    {"MultiByte", std::string("Grüße, 東京 😀"), "'Grüße, 東京 😀',"},
    {"Number", std::string("-42"), "'-42',"},
    {"DateTime", std::string("2009-01-31 10:15:00"), "'2009-01-31 10:15:00',"},
    {"EndsAtZeroByte", std::string("AB\0C", 4), "'AB',"},
    {"ZeroByteFirst", std::string("\0C", 2), "'',"},
};

std::ostream& operator<<(std::ostream& out, const Column& c) {
    return out << c.name;
}
std::ostream& operator<<(std::ostream& out, const ValueCase& c) {
    return out << c.name;
}

class TextFamilyTest : public testing::TestWithParam<std::tuple<Column, ValueCase>> {};

TEST_P(TextFamilyTest, LiteralKeepsTheValue) {
    const auto& [column, value] = GetParam();
    const char* raw = value.raw ? value.raw->c_str() : nullptr;
    EXPECT_EQ(RenderColumnValue(raw, column.typeCode, column.length, column.oracleType()),
              value.expected);
}

INSTANTIATE_TEST_SUITE_P(EveryFamily, TextFamilyTest,
                         testing::Combine(testing::ValuesIn(kTextColumns),
                                          testing::ValuesIn(kTextValues)),
                         [](const auto& caseInfo) {
                             return std::string(std::get<0>(caseInfo.param).name) + "_" +
                                    std::get<1>(caseInfo.param).name;
                         });

// BIT values are binary and may hold zero bytes anywhere: all (length + 7) / 8 of them are
// written as hexadecimal text for the RAW column.
struct BitCase {
    const char* name;
    std::uint32_t bits;
    std::optional<std::string> raw;
    const char* expected;
};

const BitCase kBitValues[] = {
    {"Bit1One", 1, std::string("\x01"), "'01',"},
    {"Bit1Zero", 1, std::string("\0", 1), "'00',"},
    {"Bit1Null", 1, std::nullopt, "NULL,"},
    {"Bit8Two", 8, std::string("\x02"), "'02',"},
    {"Bit8AllOnes", 8, std::string("\xFF"), "'FF',"},
    {"Bit9", 9, std::string("\x01\x00", 2), "'0100',"},
    {"Bit12", 12, std::string("\x0A\xBC"), "'0ABC',"},
    {"Bit16One", 16, std::string("\x00\x01", 2), "'0001',"},
    {"Bit16Zero", 16, std::string("\x00\x00", 2), "'0000',"},
    {"Bit64", 64, std::string("\x01\x23\x45\x67\x89\xAB\xCD\xEF"), "'0123456789ABCDEF',"},
    {"Bit64ZeroInside", 64, std::string("\x80\x00\x00\x00\x00\x00\x00\x01", 8),
     "'8000000000000001',"},
    {"Bit64Null", 64, std::nullopt, "NULL,"},
};

std::ostream& operator<<(std::ostream& out, const BitCase& c) {
    return out << c.name;
}

class BitValueTest : public testing::TestWithParam<BitCase> {};

TEST_P(BitValueTest, LiteralIsHexOfAllBytes) {
    const BitCase& c = GetParam();
    const std::string oracleType = MapColumnType(16, c.bits, 63);
    const char* raw = c.raw ? c.raw->c_str() : nullptr;
    const std::string literal = RenderColumnValue(raw, 16, c.bits, oracleType);
    EXPECT_EQ(literal, c.expected);
    if (c.raw) {
        EXPECT_EQ(ReadRawLiteral(literal), c.raw);
    }
}

INSTANTIATE_TEST_SUITE_P(BitColumn, BitValueTest, testing::ValuesIn(kBitValues),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(RenderColumnValueTest, WorkedExampleRow) {
    // id INT, name VARCHAR(20), code CHAR(3), notes TEXT, born DATE, active BIT(1),
    // weight DECIMAL(5,2), tags VARCHAR(30)
    const Column columns[] = {{"id", 3, 11, 63},        {"name", 253, 20, 8}, {"code", 254, 3, 8},
                              {"notes", 252, 65535, 8}, {"born", 10, 10, 63}, {"active", 16, 1, 63},
                              {"weight", 246, 7, 63},   {"tags", 253, 30, 8}};
    const char* row[] = {"7",          "O'Neil", nullptr, " likes fish, and [toys] ",
                         "2009-01-31", "\x01",   nullptr, ""};

    std::string values;
    std::string appended;
    for (std::size_t i = 0; i < std::size(columns); ++i) {
        const Column& column = columns[i];
        values += RenderColumnValue(row[i], column.typeCode, column.length, column.oracleType());
        AppendColumnValue(appended, row[i], column.typeCode, column.length, column.oracleType());
    }
    values.pop_back();
    EXPECT_EQ(values, "'7','O''Neil',NULL,' likes fish, and [toys] ','2009-01-31','01',NULL,''");
    EXPECT_EQ(appended, values + ",");
}

TEST(RenderValueTest, ChoosesTheFormByTheOracleType) {
    struct Case {
        const char* oracleType;
        std::string value;
        const char* expected;
    };
    const Case cases[] = {
        {"RAW(4)", "\x01", "'01',"},
        {"raw(8)", "AB", "'4142',"}, // the type is compared in upper case
        {"RAW(4)", "", "'',"},
        {"CHAR(4)", "it's", "'it''s',"},
        {"CLOB", "NULL", "'NULL',"},
        {"VARCHAR2( 255)", "12.50", "'12.50',"},
        {"", "x", "'x',"}, // a column without a type still gets a literal
        {"RA", "x", "'x',"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RenderValue(c.value, c.oracleType), c.expected) << c.oracleType << " " << c.value;
    }
}

TEST(DoubleQuotesTest, DoublesEverySingleQuoteAndNothingElse) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"plain", "plain"},
        {"'", "''"},
        {"''", "''''"},
        {"O'Neil's", "O''Neil''s"},
        {"'edge'", "''edge''"},
        {"\"double\" stays, [so] do \\ and \x01", "\"double\" stays, [so] do \\ and \x01"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(DoubleQuotes(text), expected) << text;
    }
}

TEST(RenderColumnValueTest, AwkwardValuesReadBackExactly) {
    // Every byte from 1 to 255 in one value, and quotes in runs.
    std::string allBytes;
    for (int b = 1; b < 256; ++b)
        allBytes.push_back(static_cast<char>(b));
    const std::string values[] = {allBytes, "''''", "'a''b'", std::string(5000, '\''), "\xC3"};
    for (const std::string& value : values) {
        for (const Column& column : kTextColumns) {
            const std::string literal = RenderColumnValue(value.c_str(), column.typeCode,
                                                          column.length, column.oracleType());
            EXPECT_EQ(ReadTextLiteral(literal), value) << column.name;
        }
    }
}

TEST(AppendColumnValueTest, AppendsWithoutReallocatingAReservedStatement) {
    std::string statement = "INSERT INTO T VALUES(";
    statement.reserve(4096);
    const char* buffer = statement.data();
    AppendColumnValue(statement, "O'Neil", 253, 20, "VARCHAR2(20)");
    AppendColumnValue(statement, nullptr, 3, 11, "VARCHAR2(11)");
    AppendColumnValue(statement, "\x00\x01", 16, 16, "RAW(16)");
    EXPECT_EQ(statement.data(), buffer);
    EXPECT_EQ(statement, "INSERT INTO T VALUES('O''Neil',NULL,'0001',");
}

} // namespace
