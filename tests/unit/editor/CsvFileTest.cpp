// Spreadsheet tables into rows: separators, encodings, headings, quotes, and what is no table.
#include "editor/CellRules.h"
#include "editor/CsvFile.h"
#include "editor/VerFile.h"

#include <gtest/gtest.h>

namespace
{

std::string Utf16(const std::string& strUtf8, bool bLittle, bool bMark)
{
    std::string str = bMark ? (bLittle ? "\xFF\xFE" : "\xFE\xFF") : "";
    for (std::size_t i = 0; i < strUtf8.size();)
    {
        char32_t ch = static_cast<unsigned char>(strUtf8[i]);
        std::size_t n = 1;
        if (ch >= 0xC0)
            ch = (ch & 0x1F) << 6 | (static_cast<unsigned char>(strUtf8[i + 1]) & 0x3F), n = 2;
        i += n;
        const char a = static_cast<char>(ch & 0xFF), b = static_cast<char>(ch >> 8);
        str += bLittle ? std::string{a, b} : std::string{b, a};
    }
    return str;
}

// Rows as "tag|infinitive|past|participle" lines.
std::string Rows(const ImportResult& result)
{
    std::string str;
    for (const VerbRow& row : result.m_rows)
        str += row.m_strTag + "|" + row.m_forms[Infinitive] + "|" + row.m_forms[PastTense] + "|" +
               row.m_forms[PastParticiple] + "\n";
    return str;
}

} // namespace

TEST(CsvFile, EverySeparatorAndEncodingGivesTheSameRows)
{
    // UTF-8 text, ',' separated; each case changes the separator and the encoding.
    const std::string strTable = "Infinitive,Past Tense,Past Participle,Group\n"
                                 "go,went,gone,bas1\n"
                                 "learn,\"learnt, learned\",learnt or learned,Essential verbs (part 1)\n"
                                 "caf\xC3\xA9,x,y,\n";
    const std::string strExpected = "bas1|go|went|gone\ness1|learn|/learnt /learned|/learnt /learned\n"
                                    "dop|caf\xE9|x|y\n";
    struct Case
    {
        const char* pszName;
        char cSeparator;
        int nEncoding; // 0 UTF-8, 1 with BOM, 2 UTF-16 LE, 3 UTF-16 BE, 4 Windows-1252
        bool bCrLf;
        TextEncoding expected;
    };
    const Case kCases[] = {
        {"comma UTF-8", ',', 0, false, TextEncoding::Utf8},
        {"semicolon UTF-8 BOM CR LF", ';', 1, true, TextEncoding::Utf8},
        {"tab UTF-16 LE", '\t', 2, true, TextEncoding::Utf16LE},
        {"tab UTF-16 BE", '\t', 3, false, TextEncoding::Utf16BE},
        {"semicolon Windows-1252", ';', 4, true, TextEncoding::Windows1252},
        {"comma Windows-1252", ',', 4, false, TextEncoding::Windows1252},
        {"tab UTF-8", '\t', 0, false, TextEncoding::Utf8},
    };
    for (const Case& c : kCases)
    {
        std::string strText;
        bool bQuoted = false;
        for (const char ch : strTable)
        {
            bQuoted = ch == '"' ? !bQuoted : bQuoted;
            strText += ch == ',' && !bQuoted ? std::string(1, c.cSeparator)
                       : ch == '\n' && c.bCrLf ? std::string("\r\n")
                                               : std::string(1, ch);
        }
        std::string strBytes = strText;
        if (c.nEncoding == 1)
            strBytes = "\xEF\xBB\xBF" + strText;
        else if (c.nEncoding == 2 || c.nEncoding == 3)
            strBytes = Utf16(strText, c.nEncoding == 2, true);
        else if (c.nEncoding == 4)
            strBytes.replace(strBytes.find("\xC3\xA9"), 2, "\xE9");
        const CsvText text = ReadCsv(strBytes);
        EXPECT_EQ(text.m_strProblem, "") << c.pszName;
        EXPECT_EQ(text.m_dialect.m_cSeparator, c.cSeparator) << c.pszName;
        EXPECT_EQ(text.m_dialect.m_encoding, c.expected) << c.pszName;
        EXPECT_TRUE(text.m_dialect.m_bHeading) << c.pszName;
        ColumnMapping mapping = GuessMapping(text);
        EXPECT_EQ(mapping.m_nColumn, (std::array<int, 4>{3, 0, 1, 2})) << c.pszName;
        mapping.m_strGroup = "dop";
        const ImportResult result = ImportRows(text, mapping);
        EXPECT_EQ(Rows(result), strExpected) << c.pszName;
        EXPECT_TRUE(result.m_problems.empty()) << c.pszName;
    }
}

TEST(CsvFile, TablesAsSpreadsheetsAndPeopleWriteThem)
{
    struct Case
    {
        const char* pszName;
        std::string strBytes;
        std::string strRows;     // as Rows() gives them, the group "ess2" where none
        std::size_t nProblems;
    };
    const Case kCases[] = {
        {"no heading, textbook order", "go,went,gone\nsee,saw,seen\n", "ess2|go|went|gone\ness2|see|saw|seen\n", 0},
        {"no heading, group first", "bas1;go;went;gone\nlit;see;saw;seen\n", "bas1|go|went|gone\nlit|see|saw|seen\n", 0},
        {"no heading, group fourth", "go\twent\tgone\tdop\n", "dop|go|went|gone\n", 0},
        {"heading in another order", "Past Participle,Base form,Simple Past\ngone,go,went\n", "ess2|go|went|gone\n", 0},
        {"quotes holding separators, quotes and a line break",
         "\"go\",\"went; \"\"gone\"\"\",\"g\none\"\n", "ess2|go|/went /\"gone\"|\n", 1},
        {"blank rows and a spreadsheet's empty columns", "go,went,gone,,,\n,,,,,\n\n  \nsee,saw,seen,,,\r\n",
         "ess2|go|went|gone\ness2|see|saw|seen\n", 0},
        {"missing form", "go,went\nsee,saw,seen\n", "ess2|go|went|\ness2|see|saw|seen\n", 1},
        {"too long, and beyond Latin-1", "go," + std::string(60, 'w') + ",gone\nbe,\xC5\x91,been\n",
         "ess2|go||gone\ness2|be||been\n", 2},
        {"an unknown group is kept", "Group,Infinitive,Past,Participle\nirregular,go,went,gone\n",
         "irregular|go|went|gone\n", 0},
        {"a group no line can hold", "Group,Infinitive,Past,Participle\n#1,go,went,gone\n",
         "ess2|go|went|gone\n", 1},
    };
    for (const Case& c : kCases)
    {
        const CsvText text = ReadCsv(c.strBytes);
        ASSERT_EQ(text.m_strProblem, "") << c.pszName;
        ColumnMapping mapping = GuessMapping(text);
        mapping.m_strGroup = "ess2";
        const ImportResult result = ImportRows(text, mapping);
        EXPECT_EQ(Rows(result), c.strRows) << c.pszName;
        EXPECT_EQ(result.m_problems.size(), c.nProblems) << c.pszName;
    }
}

TEST(CsvFile, WhatIsNoTableIsSaidSo)
{
    for (const std::string& strBytes : {std::string("just one column\nof words\n"), std::string(""),
                                        std::string("a,b\0c,d", 7), std::string("\x89PNG\r\n\x1A\n\0\0\0", 11)})
        EXPECT_NE(ReadCsv(strBytes).m_strProblem, "") << strBytes;
}

TEST(CsvFile, ExportedTableImportsAsTheSameRows)
{
    const VerbTable table = ReadVerText("T\n#\n#\nbas1\nwent\ngo\ngone\ndop\n/learnt /learned\nlearn\n"
                                        "/learnt /learned\nlit\nsa\\\"id \"x\"\nsay\nsaid\n");
    const std::string strCsv = WriteCsv(table);
    EXPECT_EQ(strCsv.substr(0, strCsv.find('\r')), "Group,Infinitive,Past Tense,Past Participle");
    const CsvText text = ReadCsv(strCsv);
    const ImportResult result = ImportRows(text, GuessMapping(text), true);
    ASSERT_EQ(result.m_rows.size(), table.RowCount());
    for (std::size_t i = 0; i < table.RowCount(); ++i)
        EXPECT_TRUE(result.m_rows[i].SameVerb(table.Row(i))) << i;
}

TEST(CsvFile, PastedRowsFromASpreadsheet)
{
    EXPECT_EQ(Rows(PasteRows("go\twent\tgone\r\nlearn\tlearnt, learned\tlearnt\r\n")),
              "ess1|go|went|gone\ness1|learn|/learnt /learned|learnt\n");
    EXPECT_EQ(Rows(PasteRows("Group\tInfinitive\tPast Tense\tPast Participle\nlit\tgo\twent\tgone\n")),
              "lit|go|went|gone\n");
}

TEST(CsvFile, EncodingsAreTakenByTheirMarksOrTheirBytes)
{
    struct Case
    {
        const char* pszName;
        std::string strBytes;
        TextEncoding encoding;
        std::string strUtf8;
    };
    const Case kCases[] = {
        {"UTF-16 LE without a mark", std::string("g\0o\0,\0\xE9\0", 8), TextEncoding::Utf16LE, "go,\xC3\xA9"},
        {"UTF-16 BE without a mark", std::string("\0g\0o\0,\0\xE9", 8), TextEncoding::Utf16BE, "go,\xC3\xA9"},
        {"UTF-16 LE, a pair", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), TextEncoding::Utf16LE, "\xF0\x9F\x98\x80"},
        {"UTF-16 LE, a lone half", std::string("\xFF\xFE\x3D\xD8", 4), TextEncoding::Utf16LE, "\xEF\xBF\xBD"},
        {"Windows-1252 punctuation", "don\x92t \x96 \x97 \x80 \x85", TextEncoding::Windows1252,
         "don\xE2\x80\x99t \xE2\x80\x93 \xE2\x80\x94 \xE2\x82\xAC \xE2\x80\xA6"},
        {"Windows-1252 letters", "caf\xE9 \x9C", TextEncoding::Windows1252, "caf\xC3\xA9 \xC5\x93"},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" "caf\xC3\xA9", TextEncoding::Utf8, "caf\xC3\xA9"},
    };
    for (const Case& c : kCases)
    {
        EXPECT_EQ(GuessEncoding(c.strBytes), c.encoding) << c.pszName;
        EXPECT_EQ(DecodeText(c.strBytes, c.encoding), c.strUtf8) << c.pszName;
    }
}
