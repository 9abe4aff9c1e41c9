#include "OracleNames.h"

#include <cstdint>

namespace {

bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence at the start of text, or 0 when there is none; the
// code point goes to codePoint.
std::size_t decodeUtf8(std::string_view text, char32_t& codePoint) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if (!isContinuation(byte(i)))
            return 0;
        value = (value << 6) | (byte(i) & 0x3Fu);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    codePoint = value;
    return length;
}

// Only capitals of the same UTF-8 length are given, so upper-casing never moves a cut.
char32_t upperCase(char32_t c) {
    const auto odd = [c](char32_t first, char32_t last) {
        return c >= first && c <= last && (c & 1u) == 1;
    };
    const auto even = [c](char32_t first, char32_t last) {
        return c >= first && c <= last && (c & 1u) == 0;
    };
    if (c >= 'a' && c <= 'z')
        return c - 0x20;
    if (c < 0xB5)
        return c;
    if (c == 0xB5)
        return 0x39C;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return c - 0x20;
    if (c == 0xFF)
        return 0x178;
    // Latin Extended-A and the common part of Extended-B.
    if (odd(0x101, 0x12F) || odd(0x133, 0x137) || even(0x13A, 0x148) || odd(0x14B, 0x177) ||
        even(0x17A, 0x17E))
        return c - 1;
    if (c == 0x180)
        return 0x243;
    if (c == 0x183 || c == 0x185 || c == 0x188 || c == 0x18C || c == 0x192 || c == 0x199 ||
        odd(0x1A1, 0x1A5) || c == 0x1A8 || c == 0x1AD || c == 0x1B0 || c == 0x1B4 || c == 0x1B6 ||
        c == 0x1B9 || c == 0x1BD)
        return c - 1;
    if (c == 0x1C5 || c == 0x1C8 || c == 0x1CB || c == 0x1F2)
        return c - 1;
    if (c == 0x1C6 || c == 0x1C9 || c == 0x1CC || c == 0x1F3)
        return c - 2;
    if (even(0x1CE, 0x1DC) || odd(0x1DF, 0x1EF) || c == 0x1F5 || odd(0x1F9, 0x21F) ||
        odd(0x223, 0x233))
        return c - 1;
    // Greek.
    if (c == 0x3AC)
        return 0x386;
    if (c >= 0x3AD && c <= 0x3AF)
        return c - 0x25;
    if (c == 0x3C2)
        return 0x3A3;
    if ((c >= 0x3B1 && c <= 0x3C1) || (c >= 0x3C3 && c <= 0x3CB))
        return c - 0x20;
    if (c == 0x3CC)
        return 0x38C;
    if (c == 0x3CD || c == 0x3CE)
        return c - 0x3F;
    if (odd(0x3D9, 0x3EF))
        return c - 1;
    // Cyrillic.
    if (c >= 0x430 && c <= 0x44F)
        return c - 0x20;
    if (c >= 0x450 && c <= 0x45F)
        return c - 0x50;
    if (odd(0x461, 0x481) || odd(0x48B, 0x4BF) || even(0x4C2, 0x4CE) || odd(0x4D1, 0x52F))
        return c - 1;
    if (c == 0x4CF)
        return 0x4C0;
    // Armenian.
    if (c >= 0x561 && c <= 0x586)
        return c - 0x30;
    // Latin Extended Additional (Vietnamese among others) and full-width Latin.
    if (odd(0x1E01, 0x1E95) || odd(0x1EA1, 0x1EFF))
        return c - 1;
    if (c >= 0xFF41 && c <= 0xFF5A)
        return c - 0x20;
    return c;
}

// Writes c over the length bytes at out; the caller guarantees c has that UTF-8 length.
void encodeUtf8(char32_t c, char* out, std::size_t length) {
    if (length == 2) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
    } else if (length == 3) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
    }
}

void removeDoubleQuotes(std::string& text) {
    std::erase(text, '"');
}

} // namespace

std::string_view TrimWhiteSpace(std::string_view text) {
    while (!text.empty() && isWhiteSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isWhiteSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view CutUtf8(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = 0;
    while (end < text.size()) {
        char32_t codePoint = 0;
        std::size_t length = decodeUtf8(text.substr(end), codePoint);
        if (length == 0)
            length = 1;
        if (end + length > maxBytes)
            break;
        end += length;
    }
    return text.substr(0, end);
}

void UpperCaseUtf8InPlace(std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            if (lead >= 'a' && lead <= 'z')
                text[i] = static_cast<char>(lead - 0x20);
            ++i;
            continue;
        }
        char32_t codePoint = 0;
        const std::size_t length = decodeUtf8(std::string_view(text).substr(i), codePoint);
        if (length == 0) {
            ++i;
            continue;
        }
        const char32_t upper = upperCase(codePoint);
        if (upper != codePoint)
            encodeUtf8(upper, text.data() + i, length);
        i += length;
    }
}

std::string UpperCaseUtf8(std::string_view text) {
    std::string result(text);
    UpperCaseUtf8InPlace(result);
    return result;
}

std::string OracleColumnName(std::string_view originalName) {
    const std::string_view trimmed = TrimWhiteSpace(originalName);
    std::string name;
    if (trimmed.size() > 20) {
        name = CutUtf8(trimmed, kOracleNameBytes);
    } else if (originalName == "\"\"") {
        name = "__";
    } else {
        name = originalName;
    }
    removeDoubleQuotes(name);
    // A short name keeps its surrounding blanks, but never beyond what Oracle accepts as
    // an identifier: then the blanks go.
    if (name.size() > kOracleNameBytes) {
        name = trimmed;
        removeDoubleQuotes(name);
    }
    UpperCaseUtf8InPlace(name);
    return name;
}

std::string OracleTableName(std::string_view sourceName) {
    std::string name(CutUtf8(TrimWhiteSpace(sourceName), kOracleNameBytes));
    UpperCaseUtf8InPlace(name);
    return name;
}
