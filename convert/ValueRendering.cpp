#include "ValueRendering.h"

#include <cstring>

namespace {

constexpr int kBitTypeCode = 16;

// RAW columns take their values as hexadecimal text; the test is on the type text in
// upper case, without building an upper-cased copy.
bool isRawType(std::string_view oracleType) {
    if (oracleType.size() < 3)
        return false;
    const auto upper = [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c;
    };
    return upper(oracleType[0]) == 'R' && upper(oracleType[1]) == 'A' &&
           upper(oracleType[2]) == 'W';
}

void appendHex(std::string& out, std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const std::size_t start = out.size();
    out.resize(start + 2 * bytes.size());
    char* cursor = out.data() + start;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *cursor++ = kDigits[byte >> 4];
        *cursor++ = kDigits[byte & 0x0F];
    }
}

// Appends text with every single quote doubled. Quotes are rare, so the text is searched
// for them with memchr and copied in runs between them.
void appendDoubledQuotes(std::string& out, std::string_view text, std::size_t reserveExtra) {
    std::size_t quote = text.find('\'');
    if (quote == std::string_view::npos) {
        out.reserve(out.size() + text.size() + reserveExtra);
        out.append(text);
        return;
    }
    std::size_t quotes = 0;
    for (std::size_t at = quote; at != std::string_view::npos; at = text.find('\'', at + 1))
        ++quotes;
    out.reserve(out.size() + text.size() + quotes + reserveExtra);
    while (quote != std::string_view::npos) {
        out.append(text.substr(0, quote + 1));
        out.push_back('\'');
        text.remove_prefix(quote + 1);
        quote = text.find('\'');
    }
    out.append(text);
}

} // namespace

std::size_t ValueByteCount(const char* rawValue, int typeCode, std::uint32_t fieldLength) {
    if (rawValue == nullptr)
        return 0;
    if (typeCode == kBitTypeCode)
        return (static_cast<std::size_t>(fieldLength) + 7) / 8;
    return std::strlen(rawValue);
}

void AppendValue(std::string& out, std::string_view valueText, std::string_view oracleType) {
    if (isRawType(oracleType)) {
        out.reserve(out.size() + 2 * valueText.size() + 3);
        out.push_back('\'');
        appendHex(out, valueText);
    } else {
        // Room for the value, its two quotes and the comma; doubled quotes take more.
        out.reserve(out.size() + valueText.size() + 3);
        out.push_back('\'');
        appendDoubledQuotes(out, valueText, 2);
    }
    out.append("',");
}

void AppendColumnValue(std::string& out, const char* rawValue, int typeCode,
                       std::uint32_t fieldLength, std::string_view oracleType) {
    if (rawValue == nullptr) {
        out.append("NULL,");
        return;
    }
    // A BIT value is binary: all its bytes count, zero bytes included.
    const std::size_t byteCount = isRawType(oracleType)
                                      ? ValueByteCount(rawValue, typeCode, fieldLength)
                                      : std::strlen(rawValue);
    AppendValue(out, std::string_view(rawValue, byteCount), oracleType);
}

std::string RenderColumnValue(const char* rawValue, int typeCode, std::uint32_t fieldLength,
                              const std::string& oracleType) {
    std::string literal;
    AppendColumnValue(literal, rawValue, typeCode, fieldLength, oracleType);
    return literal;
}

std::string RenderValue(std::string_view valueText, const std::string& oracleType) {
    std::string literal;
    AppendValue(literal, valueText, oracleType);
    return literal;
}

std::string DoubleQuotes(std::string_view text) {
    std::string result;
    appendDoubledQuotes(result, text, 0);
    return result;
}
