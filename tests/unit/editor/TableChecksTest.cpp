// The checker's findings on the table's rows, kept up to date cell by cell, and its repairs.
#include "EditorTestLists.h"

#include "checker/VerbListChecker.h"
#include "editor/CellRules.h"
#include "editor/TableChecks.h"
#include "editor/VerFile.h"
#include "support/PseudoCatalog.h"
#include "verbdata/VerbListFile.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>

namespace
{

std::string Rules(const std::vector<Finding>& findings)
{
    std::string str;
    for (const Finding& finding : findings)
        str += (str.empty() ? "" : " ") + finding.m_strRule;
    return str;
}

// Every finding with its line, row findings and list findings alike.
std::string AllFindings(const VerbTable& table, const TableChecks& checks)
{
    std::string str;
    for (std::size_t i = 0; i < table.RowCount(); ++i)
        for (const Finding& finding : checks.RowFindings(i))
            str += "row " + std::to_string(i) + ": " + std::to_string(finding.m_nLine) + " " +
                   finding.m_strRule + " " + finding.m_strText + "\n";
    for (const Finding& finding : checks.ListFindings())
        str += "list: " + std::to_string(finding.m_nLine) + " " + finding.m_strRule + "\n";
    return str;
}

class Rechecker : public TableObserver
{
public:
    Rechecker(VerbTable& table, TableChecks& checks) : m_table(table), m_checks(checks) {}
    void OnTableChanged(const TableChange& change) override { m_checks.Update(m_table, change); }

private:
    VerbTable& m_table;
    TableChecks& m_checks;
};

const char kList[] = "# c\nT\n#\n#\nbas1\nwent\ngo\ngone\nEss1\nsaw\nsee\nseen\n"
                     "dop\nlearnt, learned\nlearn\nlearnt\nbas1\nwent\ngo\ngone\n";

} // namespace

TEST(TableChecks, FindingsLandOnTheirRows)
{
    const VerbTable table = ReadVerText(kList);
    TableChecks checks;
    checks.CheckAll(table);
    const char* const kRowRules[] = {"", "unknown-tag", "two-spellings", "same-verb-twice", ""};
    for (std::size_t i = 0; i < std::size(kRowRules); ++i)
        EXPECT_EQ(Rules(checks.RowFindings(i)), kRowRules[i]) << i;
    EXPECT_TRUE(checks.ListFindings().empty());
    EXPECT_EQ(checks.WarningCount(), 3u);
    EXPECT_EQ(checks.RowOfLine(16), 2u);
    EXPECT_EQ(checks.RowOfLine(2), 4u);
    EXPECT_EQ(checks.SummaryText(),
              "4 verbs asked in a lesson with every group (lit 0, ess1 0, ess2 0, bas1 2, bas2 0, "
              "dop 1, other tags 1), 24 questions");
}

// The counts are the checker's own, and the findings those of the list on disk.
TEST(TableChecks, AgreeWithTheCheckerOnEveryTestList)
{
    for (const auto& path : AllTestLists())
    {
        const std::string strBytes = FileBytes(path);
        const VerbTable table = ReadVerText(strBytes);
        TableChecks checks;
        checks.CheckAll(table);
        const ListCheck check = CheckVerbListBytes(strBytes, false, AllFlags<GroupSet>());
        EXPECT_EQ(checks.Summary().m_nVerbs, check.m_summary.m_nVerbs) << path;
        EXPECT_EQ(checks.Summary().m_nOtherVerbs, check.m_summary.m_nOtherVerbs) << path;
        EXPECT_EQ(checks.Summary().m_nQuestions, check.m_summary.m_nQuestions) << path;
        std::size_t nFindings = checks.ListFindings().size();
        for (std::size_t i = 0; i < table.RowCount(); ++i)
            nFindings += checks.RowFindings(i).size();
        EXPECT_EQ(nFindings, check.m_findings.size()) << path;
    }
}

// A seeded walk of cell edits, each checked on its rows alone, must end where a check of
// the whole table does after every step.
TEST(TableChecks, ACellEditCheckedAloneAgreesWithAWholeCheck)
{
    const unsigned nSeed = std::random_device()();
    std::mt19937 random(nSeed);
    const char* kTexts[] = {"go", "went", "gone", "learnt, learned", "/a/b", "Go", "#x", "caf\xC3\xA9",
                            "a\\qb", "see", "Ess1", "bas1", "dop", "lit"};
    VerbTable table = ReadVerText(kList);
    TableChecks checks;
    checks.CheckAll(table);
    Rechecker rechecker(table, checks);
    table.SetObserver(&rechecker);
    for (int i = 0; i < 200; ++i)
    {
        const std::size_t nRow = random() % (table.RowCount() + 1);
        const auto column = static_cast<VerbColumn>(random() % 4);
        const std::string strText = kTexts[random() % std::size(kTexts)];
        const CellResult cell = ParseCell(column, strText);
        VerbRow draft = nRow < table.RowCount() ? table.Row(nRow) : VerbRow();
        if (column == VerbColumn::Group)
            draft.m_strTag = strText; // an unknown tag, as an import leaves it
        else if (cell.m_bAccepted)
            draft.Cell(column) = cell.m_strStored;
        if (nRow == table.RowCount())
        {
            // A new row takes the group of the row above when that is one of the six.
            const std::string& strAbove = table.Row(nRow - 1).m_strTag;
            draft.m_strTag = FindGroup(strAbove) >= 0 ? strAbove : "ess1";
            draft.m_forms = {"", "", ""};
            draft.Cell(column) = column == VerbColumn::Group ? strText : cell.m_strStored;
        }
        const std::vector<Finding> drafted = checks.CheckDraft(table, nRow, draft);
        if (column == VerbColumn::Group ? !table.SetCell(nRow, column, strText)
                                        : !cell.m_bAccepted || !table.SetCell(nRow, column, cell.m_strStored))
            continue;
        TableChecks whole;
        whole.CheckAll(table);
        ASSERT_EQ(AllFindings(table, checks), AllFindings(table, whole)) << "seed " << nSeed << " step " << i;
        ASSERT_EQ(Rules(drafted), Rules(checks.RowFindings(nRow)))
            << "seed " << nSeed << " step " << i << " row " << nRow << " column " << int(column)
            << " " << strText << "\n" << WriteVerText(table);
        ASSERT_EQ(checks.Summary().m_nQuestions, whole.Summary().m_nQuestions) << "seed " << nSeed;
        ASSERT_EQ(checks.Summary().m_nVerbs, whole.Summary().m_nVerbs) << "seed " << nSeed;
    }
}

TEST(TableChecks, RepairsLeaveAListALessonReadsWhole)
{
    struct Case
    {
        const char* pszName;
        std::string strList;
        std::size_t nVerbs; // asked with every group, after the repairs
    };
    const Case kCases[] = {
        {"blank line", "T\n#\n#\nbas1\nwent\ngo\ngone\n\nbas1\nsaw\nsee\nseen\nbas1\nran\nrun\nrun\n", 3},
        {"two blank lines", "T\n#\n#\nbas1\nwent\ngo\ngone\n\n\nbas1\nsaw\nsee\nseen\n", 2},
        {"repeated line", "T\n#\n#\nbas1\nwent\ngo\ngone\ngone\nbas1\nsaw\nsee\nseen\n", 2},
        {"header without '#' lines", "T\nbas1\nwent\ngo\ngone\nbas1\nsaw\nsee\nseen\n", 2},
        {"header short of a '#' line", "T\n#\nbas1\nwent\ngo\ngone\nbas1\nsaw\nsee\nseen\n", 2},
        {"tags and spellings", "T\n#\n#\nEss1\nwent\ngo\ngone\ndop\n/learnt/learned\nlearn\nburnt, burned\n", 2},
        {"comment in a record", "T\n#\n#\nbas1\nwent\n# x\ngo\ngone\nbas1\nsaw\nsee\nseen\n", 2},
    };
    // In another language too: the fixes are made in English words the repairs read back.
    for (const bool bTranslated : {false, true})
    for (const Case& c : kCases)
    {
        std::optional<PseudoLanguage> language;
        if (bTranslated)
            language.emplace();
        VerbTable table = ReadVerText(c.strList);
        std::size_t nApplied = 0;
        for (int nRound = 0; nRound < 10; ++nRound)
        {
            TableChecks checks;
            checks.CheckAll(table);
            const std::vector<Repair> repairs = ProposedRepairs(table, checks);
            if (repairs.empty())
                break;
            ASSERT_TRUE(ApplyRepair(table, repairs.front())) << c.pszName << ": " << repairs.front().m_strLabel;
            EXPECT_EQ(repairs.front().m_strLabel.find("Write") == 0 || repairs.front().m_strLabel.find("Delete") == 0 ||
                          repairs.front().m_strLabel.find("Add") == 0,
                      !bTranslated)
                << c.pszName << ": " << repairs.front().m_strLabel;
            ++nApplied;
        }
        EXPECT_GT(nApplied, 0u) << c.pszName;
        TableChecks checks;
        checks.CheckAll(table);
        EXPECT_EQ(checks.ErrorCount() + checks.WarningCount(), 0u) << c.pszName << "\n" << WriteVerText(table);
        std::size_t nVerbs = checks.Summary().m_nOtherVerbs;
        for (const std::size_t n : checks.Summary().m_nVerbs)
            nVerbs += n;
        EXPECT_EQ(nVerbs, c.nVerbs) << c.pszName << "\n" << WriteVerText(table);
        // Every repair is one step back.
        while (nApplied-- > 0)
            ASSERT_TRUE(table.Undo());
        EXPECT_EQ(WriteVerText(table), c.strList) << c.pszName;
    }
}

TEST(TableChecks, AVerbTwiceComesAndGoesWithTheEdit)
{
    VerbTable table = ReadVerText(kList);
    TableChecks checks;
    checks.CheckAll(table);
    Rechecker rechecker(table, checks);
    table.SetObserver(&rechecker);
    ASSERT_EQ(Rules(checks.RowFindings(3)), "same-verb-twice");
    table.SetCell(0, VerbColumn::Infinitive, "run"); // the first of the two changes
    EXPECT_EQ(Rules(checks.RowFindings(3)), "");
    table.SetCell(3, VerbColumn::Infinitive, "run");
    EXPECT_EQ(Rules(checks.RowFindings(3)), "same-verb-twice");
    EXPECT_EQ(Rules(checks.RowFindings(0)), "");
    table.Undo();
    table.Undo();
    EXPECT_EQ(Rules(checks.RowFindings(3)), "same-verb-twice");
    EXPECT_EQ(checks.WarningCount(), 3u);
}

// The new row at the end typed into, cell by cell, as a teacher makes a list.
TEST(TableChecks, TypingANewListAgreesWithAWholeCheck)
{
    VerbTable table = ReadVerText("Class 7\n#\n#\n");
    TableChecks checks;
    checks.CheckAll(table);
    Rechecker rechecker(table, checks);
    table.SetObserver(&rechecker);
    const char* kVerbs[][3] = {{"go", "went", "gone"}, {"learn", "learnt, learned", "learnt"},
                               {"go", "went", "gone"}, {"see", "#saw", "seen"}};
    for (const auto& verb : kVerbs)
        for (VerbColumn column : {VerbColumn::Infinitive, VerbColumn::PastTense, VerbColumn::PastParticiple})
        {
            const std::size_t nRow = column == VerbColumn::Infinitive ? table.RowCount() : table.RowCount() - 1;
            ASSERT_TRUE(table.SetCell(nRow, column, verb[static_cast<int>(column) - 1]));
            TableChecks whole;
            whole.CheckAll(table);
            ASSERT_EQ(AllFindings(table, checks), AllFindings(table, whole)) << WriteVerText(table);
        }
    EXPECT_EQ(Rules(checks.RowFindings(2)), "same-verb-twice");
}
