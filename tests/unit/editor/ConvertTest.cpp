// taldrin-check --convert as a script runs it: what it writes, what it refuses, its exit status.
#include "EditorTestLists.h"

#include "checker/VerbListChecker.h"
#include "editor/CsvFile.h"
#include "editor/VerFile.h"
#include "support/CheckProgram.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace
{

std::string Quoted(const std::filesystem::path& path)
{
    return "\"" + path.string() + "\"";
}

} // namespace

TEST(Convert, TablesBecomeListsTheEditorWouldSave)
{
    struct Case
    {
        const char* pszName;
        const char* pszFile;
        std::string strBytes;
        const char* pszOptions;
        int nStatus;
        const char* pszRows; // tag infinitive; ...
    };
    const Case kCases[] = {
        {"comma, heading", "a.csv", "Infinitive,Past Tense,Past Participle,Group\ngo,went,gone,bas1\n", "", 0, "bas1 go;"},
        {"semicolon, BOM, two spellings", "b.csv",
         "\xEF\xBB\xBFgo;went;gone\r\nlearn;\"learnt; learned\";learnt (learned)\r\n", "--group dop", 0,
         "dop go;dop learn;"},
        {"UTF-16 tab text", "c.txt", std::string("\xFF\xFEg\0o\0\t\0w\0e\0n\0t\0\t\0g\0o\0n\0e\0\n\0", 24), "--group lit", 0,
         "lit go;"},
        {"Windows-1252 with a missing form", "d.csv", "caf\xE9;x\nsee;saw;seen\n", "", 1, "ess1 caf\xE9;ess1 see;"},
        {"a verb list as it is", "e.ver", "T\n#\n#\nbas1\nwent\ngo\ngone\n\n", "", 0, "bas1 go;;"},
    };
    TempDir dir;
    for (const Case& c : kCases)
    {
        const auto in = dir.Write(c.pszFile, c.strBytes), out = dir.Path() / (std::string(c.pszFile) + ".ver");
        EXPECT_EQ(RunCheck(std::string(c.pszOptions) + " --convert " + Quoted(in) + " " + Quoted(out)), c.nStatus)
            << c.pszName;
        const std::string strOut = FileBytes(out);
        const VerbTable table = ReadVerText(strOut);
        std::string strRows;
        for (const VerbRow& row : table.Rows())
            strRows += row.m_strTag + (row.m_strTag.empty() ? "" : " ") + row.m_forms[Infinitive] + ";";
        EXPECT_EQ(strRows, c.pszRows) << c.pszName << "\n" << strOut;
        if (c.pszFile[2] == 'v')
            EXPECT_EQ(strOut, c.strBytes) << c.pszName;
        else
        {
            // What the editor's model makes of the same bytes.
            const CsvText text = ReadCsv(c.strBytes);
            const ImportResult imported = ImportRows(text, [&] {
                ColumnMapping mapping = GuessMapping(text);
                if (c.pszOptions[0] != '\0')
                    mapping.m_strGroup = std::string(c.pszOptions).substr(8);
                return mapping;
            }());
            ASSERT_EQ(imported.m_rows.size(), table.RowCount()) << c.pszName;
            for (std::size_t i = 0; i < table.RowCount(); ++i)
                EXPECT_TRUE(imported.m_rows[i].SameVerb(table.Row(i))) << c.pszName << " row " << i;
            // Without a missing form, the list is clean.
            if (c.nStatus == 0)
            {
                const ListCheck check = CheckVerbListBytes(strOut, false, AllFlags<GroupSet>());
                for (const Finding& finding : check.m_findings)
                    EXPECT_EQ(finding.m_nKind, FindingKind::Note) << c.pszName << ": " << finding.m_strText;
            }
        }
    }
}

TEST(Convert, NeverWritesOverTheFileReadOrAnotherWithoutForce)
{
    TempDir dir;
    const auto in = dir.Write("in.csv", "go,went,gone\n"), out = dir.Write("out.ver", "kept");
    EXPECT_EQ(RunCheck("--convert " + Quoted(in) + " " + Quoted(out)), 2);
    EXPECT_EQ(FileBytes(out), "kept");
    EXPECT_EQ(RunCheck("--convert " + Quoted(in) + " " + Quoted(in)), 2);
    EXPECT_EQ(RunCheck("--force --convert " + Quoted(in) + " " + Quoted(in)), 2);
    EXPECT_EQ(FileBytes(in), "go,went,gone\n");
    EXPECT_EQ(RunCheck("--force --convert " + Quoted(in) + " " + Quoted(out)), 0);
    EXPECT_NE(FileBytes(out), "kept");
}

TEST(Convert, RefusesWhatItCannotConvert)
{
    TempDir dir;
    const auto out = dir.Path() / "out.ver";
    dir.Write("words.csv", "one\ncolumn\n");
    dir.Write("heads.csv", "Infinitive,Meaning\ngo,gehen\n");
    dir.Write("ok.csv", "go,went,gone\n");
    const std::pair<std::string, int> kRuns[] = {
        {"--convert " + Quoted(dir.Path() / "words.csv") + " " + Quoted(out), 2},   // no table
        {"--convert " + Quoted(dir.Path() / "heads.csv") + " " + Quoted(out), 2},   // no form columns
        {"--convert " + Quoted(dir.Path() / "missing.csv") + " " + Quoted(out), 2}, // cannot read
        {"--convert " + Quoted(dir.Path()) + " " + Quoted(out), 2},                 // a folder
        {"--group ess9 --convert " + Quoted(dir.Path() / "ok.csv") + " " + Quoted(out), 2},
        {"--convert " + Quoted(dir.Path() / "ok.csv"), 2},                          // no OUT
        {"--group lit " + Quoted(dir.Path() / "ok.csv"), 2},                        // not converting
    };
    for (const auto& [strArguments, nStatus] : kRuns)
    {
        EXPECT_EQ(RunCheck(strArguments), nStatus) << strArguments;
        EXPECT_FALSE(std::filesystem::exists(out)) << strArguments;
    }
}
