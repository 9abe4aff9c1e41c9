#include "ColumnTypeMapping.h"

#include <cstdio>

namespace {

// The length as it stands inside VARCHAR2(...), CHAR(...) and RAW(...): short lengths are
// widened to 4 and Oracle's 4000-byte limit caps long ones.
std::string lengthText(std::uint32_t length) {
    if (length > 4000)
        return "4000";
    const std::uint32_t widened = length < 3 ? 4 : length;
    char digits[16];
    const int count = std::snprintf(digits, sizeof digits, "%d", static_cast<int>(widened));
    return std::string(digits, static_cast<std::size_t>(count));
}

} // namespace

std::string MapColumnType(int typeCode, std::uint32_t length, std::uint32_t charsetNumber) {
    // Every BLOB and TEXT column becomes a CLOB whatever its character set, so that the
    // collations of current servers (numbers above 64) still give a column type.
    static_cast<void>(charsetNumber);
    switch (typeCode) {
    case 0:
    case 1:
    case 4:
    case 5:
    case 246:
        return "VARCHAR2( 255)";
    case 2:
    case 3:
    case 9:
        return "VARCHAR2(" + lengthText(length) + ")";
    case 6:
        return "NULL";
    case 7:
    case 10:
    case 11:
    case 12:
    case 13:
        return "VARCHAR2(200 )";
    case 8:
    case 249:
    case 250:
    case 251:
    case 252:
        return "CLOB";
    case 15:
    case 253: {
        const std::string text = lengthText(length);
        return "VARCHAR2(" + (text == "3" ? std::string("4") : text) + ")";
    }
    case 16:
        return "RAW(" + lengthText(length) + ")";
    case 254:
        return "CHAR(" + lengthText(length) + ")";
    default:
        return {};
    }
}
