// Property: every literal, read back as Oracle reads a text literal, gives exactly the bytes
// of the value (up to its first zero byte, as the row hands them over); a BIT value gives
// the hexadecimal text of all its bytes; SQL NULL gives the bare word NULL.
#include "ColumnTypeMapping.h"
#include "OracleLiteral.h"
#include "ValueRendering.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

struct Column {
    int typeCode;
    std::uint32_t length;
    std::uint32_t charsetNumber;
};

// One column of every family and a few codes without an Oracle type.
constexpr Column kColumns[] = {
    {3, 11, 63},       {253, 120, 8}, {15, 30, 8},  {254, 40, 8}, {252, 65535, 8},
    {252, 65535, 224}, {8, 20, 63},   {10, 10, 63}, {246, 7, 63}, {6, 0, 63},
    {245, 4, 8},       {1, 4, 63},    {12, 19, 63}, {16, 1, 63},
};

void check(bool property) {
    if (!property)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const bool sqlNull = (data[0] & 0x80) != 0;
    Column column = kColumns[(data[0] & 0x7F) % std::size(kColumns)];
    const std::string value(reinterpret_cast<const char*>(data + 2), size - 2);
    const bool bit = column.typeCode == 16;
    if (bit)
        column.length = 1 + data[1] % 64u;
    const std::string oracleType =
        MapColumnType(column.typeCode, column.length, column.charsetNumber);

    // The row's entry: a zero-terminated buffer, for BIT at least as long as the value.
    std::string entry = value;
    const std::size_t bitBytes = (column.length + 7u) / 8u;
    if (bit && entry.size() < bitBytes)
        entry.resize(bitBytes, '\0');
    const char* raw = sqlNull ? nullptr : entry.c_str();

    const std::string literal = RenderColumnValue(raw, column.typeCode, column.length, oracleType);
    std::string statement = "INSERT INTO \"T\" VALUES(";
    const std::size_t prefix = statement.size();
    AppendColumnValue(statement, raw, column.typeCode, column.length, oracleType);
    check(std::string_view(statement).substr(prefix) == literal);

    if (sqlNull) {
        check(literal == "NULL,");
    } else if (bit) {
        check(ReadRawLiteral(literal) == entry.substr(0, bitBytes));
    } else {
        check(ReadTextLiteral(literal) == value.substr(0, value.find('\0')));
    }

    // The first stage alone keeps every byte it is given.
    check(ReadTextLiteral(RenderValue(value, "VARCHAR2(4000)")) == value);
    check(ReadRawLiteral(RenderValue(value, "RAW(4000)")) == value);
    // Doubling quotes is undone by reading two quotes as one.
    check(ReadTextLiteral("'" + DoubleQuotes(value) + "',") == value);
    return 0;
}
