#pragma once

#include <optional>
#include <string>
#include <string_view>

// Reads one VALUES entry back as Oracle reads it: a text literal between single quotes in
// which two single quotes stand for one, followed by the comma that separates entries.
// Nothing when the entry is not exactly such a literal (a lone quote inside, text after the
// closing quote, no comma).
inline std::optional<std::string> ReadTextLiteral(std::string_view entry) {
    if (entry.size() < 3 || entry.front() != '\'' || entry.substr(entry.size() - 2) != "',")
        return std::nullopt;
    const std::string_view body = entry.substr(1, entry.size() - 3);
    std::string text;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] == '\'') {
            if (i + 1 >= body.size() || body[i + 1] != '\'')
                return std::nullopt;
            ++i;
        }
        text.push_back(body[i]);
    }
    return text;
}

// Reads a text literal into a RAW column as Oracle converts it: pairs of hexadecimal
// digits, one byte each.
inline std::optional<std::string> ReadRawLiteral(std::string_view entry) {
    const std::optional<std::string> text = ReadTextLiteral(entry);
    if (!text || text->size() % 2 != 0)
        return std::nullopt;
    const auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    std::string bytes;
    for (std::size_t i = 0; i < text->size(); i += 2) {
        const int high = digit((*text)[i]);
        const int low = digit((*text)[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(static_cast<char>(high * 16 + low));
    }
    return bytes;
}
