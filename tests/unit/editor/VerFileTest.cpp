// Verb lists into the editor's table and back: byte for byte unless changed, and read back the same.
#include "EditorTestLists.h"

#include "checker/VerbListChecker.h"
#include "editor/CellRules.h"
#include "editor/VerFile.h"

#include <gtest/gtest.h>

namespace
{

std::size_t ErrorsAndWarnings(const ListCheck& check, std::string& strWhat)
{
    std::size_t n = 0;
    for (const Finding& finding : check.m_findings)
        if (finding.m_nKind != FindingKind::Note)
            ++n, strWhat += std::to_string(finding.m_nLine) + ": " + finding.m_strText + "\n";
    return n;
}

// The table with every row as if typed again: written by the writer, not copied.
VerbTable Retyped(const VerbTable& table)
{
    std::vector<VerbRow> rows;
    for (VerbRow row : table.Rows())
    {
        row.m_strFileLines.clear();
        row.m_strComments.clear();
        rows.push_back(row);
    }
    ListOrigin origin;
    origin.m_encoding = table.Origin().m_encoding;
    origin.m_strLineEnd = table.Origin().m_strLineEnd;
    return VerbTable(rows, table.Title(), table.HeaderComments(), origin);
}

} // namespace

TEST(VerFile, EveryTestListIsWrittenBackByteForByte)
{
    for (const auto& path : AllTestLists())
    {
        const std::string strBytes = FileBytes(path);
        const VerbTable table = ReadVerText(strBytes);
        EXPECT_EQ(WriteVerText(table), strBytes) << path;
    }
}

TEST(VerFile, EveryTestListWrittenAfreshReadsBackIntoTheSameTable)
{
    for (const auto& path : AllTestLists())
    {
        const VerbTable table = Retyped(ReadVerText(FileBytes(path)));
        const VerbTable again = ReadVerText(WriteVerText(table));
        EXPECT_TRUE(again.SameContent(table)) << path;
        EXPECT_EQ(again.RowCount(), table.RowCount()) << path;
    }
}

TEST(VerFile, BundledListsTypedAgainAreCleanUnderTheChecker)
{
    for (const char* pszList : {"data/irregu.ver", "data/irrtes.ver"})
    {
        const VerbTable read = ReadVerText(FileBytes(std::filesystem::path(TALDRIN_SOURCE_DIR) / pszList));
        std::vector<VerbRow> rows;
        for (const VerbRow& row : read.Rows())
        {
            VerbRow typed;
            for (VerbColumn column : {VerbColumn::Group, VerbColumn::Infinitive,
                                      VerbColumn::PastTense, VerbColumn::PastParticiple})
            {
                const CellResult cell = ParseCell(column, ShowCell(column, row.Cell(column)));
                ASSERT_TRUE(cell.m_bAccepted) << pszList << ": " << row.m_forms[Infinitive];
                typed.Cell(column) = cell.m_strStored;
            }
            rows.push_back(typed);
        }
        const VerbTable table(rows, read.Title(), read.HeaderComments(), ListOrigin());
        const std::string strBytes = WriteVerText(table);
        std::string strWhat;
        EXPECT_EQ(ErrorsAndWarnings(CheckVerbListBytes(strBytes, false, AllFlags<GroupSet>()), strWhat), 0u)
            << pszList << "\n" << strWhat;
        EXPECT_TRUE(ReadVerText(strBytes).SameContent(table)) << pszList;
    }
}

// Small lists, one row changed: what stays as the file had it, what is written anew.
TEST(VerFile, AChangedRowIsWrittenInTheFilesWayTheRestAsItWas)
{
    struct Case
    {
        const char* pszName;
        std::string strBytes;
        std::string strInfinitive; // stored, for the first row
        std::string strExpected;
    };
    const std::string strHeader = "# c\r\nTitle\r\n#\r\n#\r\n";
    const Case kCases[] = {
        {"CR LF, comment kept", strHeader + "# one\r\nbas1\r\nwent\r\ngo\r\ngone\r\n", "goes",
         strHeader + "# one\r\nbas1\r\nwent\r\ngoes\r\ngone\r\n"},
        {"no line end at the end", "T\n#\n#\nbas1\nwent\ngo\ngone", "walk",
         "T\n#\n#\nbas1\nwent\nwalk\ngone\n"},
        {"Latin-1 letter", "T\n#\n#\nbas1\nw\xE9nt\ngo\ngone\n", "g\xE9",
         "T\n#\n#\nbas1\nw\xE9nt\ng\xE9\ngone\n"},
        {"UTF-8 letter", "T\n#\n#\nbas1\nw\xC3\xA9nt\ngo\ngone\n", "g\xE9",
         "T\n#\n#\nbas1\nw\xC3\xA9nt\ng\xC3\xA9\ngone\n"},
        {"ASCII list takes UTF-8", "T\n#\n#\nbas1\nwent\ngo\ngone\n", "g\xE9",
         "T\n#\n#\nbas1\nwent\ng\xC3\xA9\ngone\n"},
        {"byte-order mark kept", "\xEF\xBB\xBFT\n#\n#\nbas1\nwent\ngo\ngone\n", "gi",
         "\xEF\xBB\xBFT\n#\n#\nbas1\nwent\ngi\ngone\n"},
        {"tail kept", "T\n#\n#\nbas1\nwent\ngo\ngone\n# end\n", "gi",
         "T\n#\n#\nbas1\nwent\ngi\ngone\n# end\n"},
    };
    for (const Case& c : kCases)
    {
        VerbTable table = ReadVerText(c.strBytes);
        ASSERT_EQ(table.RowCount(), 1u) << c.pszName;
        ASSERT_TRUE(table.SetCell(0, VerbColumn::Infinitive, c.strInfinitive)) << c.pszName;
        EXPECT_EQ(WriteVerText(table), c.strExpected) << c.pszName;
    }
}

TEST(VerFile, ReadsAsTheLessonReadsAndKeepsWhatItDoesNotRead)
{
    // A blank line shifts the records after it; the line too long ends the reading.
    const std::string strBytes = "# c\nT\n#\n#\nbas1\nwent\ngo\ngone\n\nbas1\nsaw\nsee\nseen\n" +
                                 std::string(60, 'x') + "\nbas1\nran\nrun\nrun\n";
    const VerbTable table = ReadVerText(strBytes);
    // The record begun at "seen" is cut by the long line: not read, but kept.
    ASSERT_EQ(table.RowCount(), 2u);
    EXPECT_EQ(table.Title(), "T");
    EXPECT_EQ(table.HeaderComments(), std::vector<std::string>{"# c"});
    EXPECT_EQ(table.Row(1).m_strTag, "");
    EXPECT_EQ(table.Row(1).m_forms[PastTense], "bas1");
    EXPECT_EQ(table.Row(1).m_forms[PastParticiple], "see");
    EXPECT_EQ(table.Origin().m_strTail, "seen\n" + std::string(60, 'x') + "\nbas1\nran\nrun\nrun\n");
    EXPECT_EQ(WriteVerText(table), strBytes);
}

TEST(VerFile, RowLinesPointAtEachTag)
{
    VerbTable table = ReadVerText("# a\n# b\nT\n#\n#\nbas1\nwent\ngo\ngone\n# x\nbas1\nsaw\nsee\nseen\n");
    table.SetTitle("New");
    std::vector<std::size_t> lines;
    const std::string strText = WriteVerText(table, &lines);
    EXPECT_EQ(lines, (std::vector<std::size_t>{6, 11}));
    EXPECT_EQ(strText, "# a\n# b\nNew\n#\n#\nbas1\nwent\ngo\ngone\n# x\nbas1\nsaw\nsee\nseen\n");
}
