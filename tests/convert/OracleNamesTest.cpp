#include "OracleNames.h"
#include "Utf8Check.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct NameCase {
    const char* name;
    std::string input;
    std::string expected;
};

std::ostream& operator<<(std::ostream& out, const NameCase& c) {
    return out << c.name;
}

const std::string k20 = "abcdefghijklmnopqrst";
const std::string k30 = "abcdefghijklmnopqrstuvwxyz0123";
const std::string k30Upper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";

const NameCase kColumnNames[] = {
    {"Plain", "id", "ID"},
    {"InnerBlank", "first name", "FIRST NAME"},
    {"MixedCase", "eMail_Address", "EMAIL_ADDRESS"},
    // Up to 20 bytes after trimming the name is used as stored, blanks and all.
    {"ShortKeepsBlanks", "  id  ", "  ID  "},
    {"ShortKeepsTab", "\tid", "\tID"},
    {"Exactly20", k20, "ABCDEFGHIJKLMNOPQRST"},
    {"Exactly20KeepsBlanks", " " + k20 + " ", " ABCDEFGHIJKLMNOPQRST "},
    // From 21 bytes on the name is trimmed, and cut to 30 bytes.
    {"Exactly21", k20 + "u", "ABCDEFGHIJKLMNOPQRSTU"},
    {"Exactly21Trimmed", "  " + k20 + "u \r\n", "ABCDEFGHIJKLMNOPQRSTU"},
    {"Exactly30", k30, k30Upper},
    {"Exactly31Cut", k30 + "4", k30Upper},
    {"LongTrimmedThenCut", "   " + k30 + "456789   ", k30Upper},
    {"InnerBlanksStayWhenCut", "customer billing address line one",
     "CUSTOMER BILLING ADDRESS LINE "},
    // Double quotes go; a name of exactly two of them becomes two underscores.
    {"TwoDoubleQuotes", "\"\"", "__"},
    {"QuotedName", "\"code\"", "CODE"},
    {"QuoteInside", "a\"b", "AB"},
    {"QuotesAfterCut", "\"" + k30 + "\"", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012"},
    {"FourDoubleQuotes", "a\"\"\"\"b", "AB"},
    // Leading blanks that would take a short name past 30 bytes are dropped, as Oracle
    // accepts no longer name.
    {"ShortNameBlanksBeyond30", std::string(30, ' ') + "a", "A"},
    {"ShortNameBlanksUpTo30", std::string(29, ' ') + "a", std::string(29, ' ') + "A"},
    // Non-ASCII letters are upper-cased too.
    {"Latin1", "ñandú_größe", "ÑANDÚ_GRÖßE"},
    {"LatinExtended", "łódź_țară_čaj", "ŁÓDŹ_ȚARĂ_ČAJ"},
    {"Greek", "όνομα_πελάτης", "ΌΝΟΜΑ_ΠΕΛΆΤΗΣ"},
    {"FinalSigma", "λόγος", "ΛΌΓΟΣ"},
    {"Cyrillic", "имя_клиента_ёж", "ИМЯ_КЛИЕНТА_ЁЖ"},
    {"Vietnamese", "tên_người", "TÊN_NGƯỜI"},
    {"CjkAndEmojiUnchanged", "名前😀", "名前😀"},
    // Cuts fall between characters: the character across byte 30 is left out whole.
    {"TwoByteAcrossCut", std::string(29, 'a') + "éz", std::string(29, 'A')},
    {"TwoByteEndsAtCut", std::string(28, 'a') + "éz", std::string(28, 'A') + "É"},
    {"ThreeByteAcrossCut", std::string(28, 'a') + "東z", std::string(28, 'A')},
    {"ThreeByteEndsAtCut", std::string(27, 'a') + "東z", std::string(27, 'A') + "東"},
    {"FourByteAcrossCut", std::string(27, 'a') + "😀", std::string(27, 'A')},
    {"CyrillicLong", "абвгдеёжзийклмнопр", "АБВГДЕЁЖЗИЙКЛМН"},
    {"CyrillicShortIsWhole", "абвгдеёжзий", "АБВГДЕЁЖЗИЙ"},
};

class OracleColumnNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(OracleColumnNameTest, DerivesTheName) {
    const NameCase& c = GetParam();
    const std::string name = OracleColumnName(c.input);
    EXPECT_EQ(name, c.expected);
    EXPECT_LE(name.size(), kOracleNameBytes);
    EXPECT_TRUE(IsValidUtf8(name));
    EXPECT_EQ(name.find('"'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(ColumnNames, OracleColumnNameTest, testing::ValuesIn(kColumnNames),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

const NameCase kTableNames[] = {
    {"Plain", "customers", "CUSTOMERS"},
    {"InnerBlankStays", "order items", "ORDER ITEMS"},
    {"Trimmed", " \t orders \r\n", "ORDERS"},
    {"DoubleQuoteStays", "my\"table", "MY\"TABLE"},
    {"Exactly30", k30, k30Upper},
    {"Exactly31Cut", k30 + "4", k30Upper},
    {"TrimmedBeforeCut", "  " + k30 + "  ", k30Upper},
    {"Short", "t", "T"},
    {"Greek", "ζώα", "ΖΏΑ"},
    {"TwoByteAcrossCut", std::string(29, 'x') + "ß", std::string(29, 'X')},
    {"ThreeByteAcrossCut", std::string(29, 'x') + "€", std::string(29, 'X')},
    {"ThreeByteEndsAtCut", std::string(27, 'x') + "€€", std::string(27, 'X') + "€"},
    {"FourByteAcrossCut", std::string(28, 'x') + "😀", std::string(28, 'X')},
    {"AllMultiByteCut", "ĉĉĉĉĉĉĉĉĉĉĉĉĉĉĉĉ", "ĈĈĈĈĈĈĈĈĈĈĈĈĈĈĈ"},
};

class OracleTableNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(OracleTableNameTest, DerivesTheName) {
    const NameCase& c = GetParam();
    const std::string name = OracleTableName(c.input);
    EXPECT_EQ(name, c.expected);
    EXPECT_LE(name.size(), kOracleNameBytes);
    EXPECT_TRUE(IsValidUtf8(name));
}

INSTANTIATE_TEST_SUITE_P(TableNames, OracleTableNameTest, testing::ValuesIn(kTableNames),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(OracleTableNameTest, NamesAgreeingIn30BytesCollide) {
    EXPECT_EQ(OracleTableName(k30 + "_2008"), OracleTableName(" " + k30Upper + "_2009"));
}

// Over every code point: upper-casing keeps the byte length (so it never undoes a cut),
// gives valid UTF-8, and a second pass changes nothing (the key clause is upper-cased again
// by the table creation and must still match the column list).
TEST(UpperCaseUtf8Test, KeepsLengthAndIsStableOnEveryCodePoint) {
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const std::string text = EncodeUtf8(c);
        const std::string upper = UpperCaseUtf8(text);
        ASSERT_EQ(upper.size(), text.size()) << "U+" << std::hex << static_cast<unsigned>(c);
        ASSERT_TRUE(IsValidUtf8(upper)) << "U+" << std::hex << static_cast<unsigned>(c);
        ASSERT_EQ(UpperCaseUtf8(upper), upper) << "U+" << std::hex << static_cast<unsigned>(c);
    }
}

TEST(UpperCaseUtf8Test, LeavesInvalidBytesAlone) {
    const std::string cases[] = {"\xC3",
                                 "a\xFF"
                                 "b",
                                 "\xE2\x82",
                                 "\xC0\xAF",
                                 "\xED\xA0\x80",
                                 "\xC3\xA9\xC3"};
    const std::string expected[] = {"\xC3",
                                    "A\xFF"
                                    "B",
                                    "\xE2\x82",
                                    "\xC0\xAF",
                                    "\xED\xA0\x80",
                                    "\xC3\x89\xC3"};
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(UpperCaseUtf8(cases[i]), expected[i]) << i;
}

TEST(CutUtf8Test, CountsInvalidBytesAsCharacters) {
    // A stray continuation byte or a truncated sequence does not swallow what follows.
    EXPECT_EQ(CutUtf8("ab\x80"
                      "cd",
                      4),
              "ab\x80"
              "c");
    EXPECT_EQ(CutUtf8("a\xE2\x82"
                      "bcd",
                      4),
              "a\xE2\x82"
              "b");
    EXPECT_EQ(CutUtf8("abc", 0), "");
    EXPECT_EQ(CutUtf8("é", 1), "");
}

} // namespace
