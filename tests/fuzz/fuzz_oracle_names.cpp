// Properties of the names the engine writes into Oracle statements: a column name is valid
// UTF-8 (for a valid UTF-8 input), at most 30 bytes, free of double quotes and already
// upper case; a table name is at most 30 bytes and valid UTF-8 likewise; the key clause
// names only columns under the very names the column list gives them.
#include "KeyClause.h"
#include "OracleNames.h"
#include "Utf8Check.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void check(bool property) {
    if (!property)
        std::abort();
}

// Code points the names of real tables hold: blanks, quotes and letters of several scripts,
// so that valid multi-byte text is reached quickly.
constexpr char32_t kAlphabet[] = {
    ' ',    '\t',   '"',    '\'',    '`',     '[',    ']',   'a',   'Z',   '_',
    '0',    0xE9,   0xDF,   0xFF,    0xB5,    0x131,  0x17F, 0x149, 0x1C5, 0x219,
    0x1B0,  0x3C2,  0x3AC,  0x390,   0x439,   0x451,  0x4CF, 0x561, 0x587, 0x1E9E,
    0x1EDD, 0x6771, 0xFF41, 0x1F600, 0x10400, 0x2C65, 0x250,
};

std::string textFrom(std::string_view bytes) {
    std::string text;
    for (const char b : bytes)
        text += EncodeUtf8(kAlphabet[static_cast<unsigned char>(b) % std::size(kAlphabet)]);
    return text;
}

void checkColumnName(const std::string& original) {
    const std::string name = OracleColumnName(original);
    check(name.size() <= kOracleNameBytes);
    check(name.find('"') == std::string::npos);
    check(UpperCaseUtf8(name) == name);
    if (IsValidUtf8(original))
        check(IsValidUtf8(name));
}

void checkTableName(const std::string& source) {
    const std::string name = OracleTableName(source);
    check(name.size() <= kOracleNameBytes);
    check(UpperCaseUtf8(name) == name);
    if (IsValidUtf8(source))
        check(IsValidUtf8(name));
}

// Fields made from the input: each name ends at a zero byte and is preceded by one byte
// that chooses its type and key flags.
SourceFieldList fieldsFrom(const std::vector<std::string>& names, std::string_view shapes) {
    static constexpr int kTypes[] = {3, 253, 254, 8, 252, 10, 16, 246};
    SourceFieldList fields;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto shape = static_cast<unsigned char>(i < shapes.size() ? shapes[i] : 0);
        SourceField field;
        field.originalName = names[i];
        field.type = kTypes[shape % std::size(kTypes)];
        field.length = 20;
        field.flags = (shape >> 3) & 0x0Eu;
        fields.push_back(field);
    }
    return fields;
}

void checkKeyClause(const SourceFieldList& fields) {
    std::vector<std::string> columnNames;
    for (const SourceField& field : fields)
        columnNames.push_back(OracleColumnName(field.originalName));

    // The table creation upper-cases the clause once more; that must change no name.
    const std::string raw = KeyClauseForFields(fields);
    const std::string clause = UpperCaseUtf8(raw);
    check(clause == raw);
    check(!clause.empty() && clause.front() == ',');
    std::size_t open = clause.find('"');
    while (open != std::string::npos) {
        const std::size_t close = clause.find('"', open + 1);
        check(close != std::string::npos);
        const std::string name = clause.substr(open + 1, close - open - 1);
        check(std::find(columnNames.begin(), columnNames.end(), name) != columnNames.end());
        open = clause.find('"', close + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    const bool multiByte = (data[0] & 1) != 0;

    // Up to eight names separated by zero bytes, the first byte of each its shape.
    std::vector<std::string> names;
    std::string shapes;
    std::string_view rest = input;
    while (!rest.empty() && names.size() < 8) {
        const std::size_t end = std::min(rest.find('\0'), rest.size());
        std::string_view piece = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        if (piece.empty())
            continue;
        shapes += piece.front();
        piece.remove_prefix(1);
        names.push_back(multiByte ? textFrom(piece) : std::string(piece));
    }

    for (const std::string& name : names) {
        checkColumnName(name);
        checkTableName(name);
    }
    checkKeyClause(fieldsFrom(names, shapes));
    return 0;
}
