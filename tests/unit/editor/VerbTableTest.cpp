// The table's edits and their undo and redo, also over a long mixed sequence.
#include "editor/VerFile.h"
#include "editor/VerbTable.h"

#include <gtest/gtest.h>

#include <random>

namespace
{

VerbRow Verb(const char* pszTag, const char* pszInfinitive, const char* pszPast, const char* pszParticiple)
{
    VerbRow row;
    row.m_strTag = pszTag;
    row.m_forms[Infinitive] = pszInfinitive;
    row.m_forms[PastTense] = pszPast;
    row.m_forms[PastParticiple] = pszParticiple;
    return row;
}

std::vector<std::string> Infinitives(const VerbTable& table)
{
    std::vector<std::string> verbs;
    for (const VerbRow& row : table.Rows())
        verbs.push_back(row.m_forms[Infinitive]);
    return verbs;
}

class Recorder : public TableObserver
{
public:
    void OnTableChanged(const TableChange& change) override { m_changes.push_back(change); }
    std::vector<TableChange> m_changes;
};

VerbTable FiveVerbs()
{
    return VerbTable({Verb("bas1", "go", "went", "gone"), Verb("ess1", "be", "/was /were", "been"),
                      Verb("dop", "learn", "/learnt /learned", "/learnt /learned"),
                      Verb("bas2", "see", "saw", "seen"), Verb("lit", "arise", "arose", "arisen")},
                     "T", {"# c"}, ListOrigin());
}

} // namespace

TEST(VerbTable, EditsMoveSortAndDeleteAsAsked)
{
    VerbTable table = FiveVerbs();
    using V = std::vector<std::string>;
    EXPECT_TRUE(table.MoveRows({1, 3}, true));
    EXPECT_EQ(Infinitives(table), (V{"be", "go", "see", "learn", "arise"}));
    EXPECT_FALSE(table.MoveRows({0}, true));
    EXPECT_TRUE(table.MoveRows({3, 4}, false) == false);
    EXPECT_TRUE(table.MoveRows({2, 3}, false));
    EXPECT_EQ(Infinitives(table), (V{"be", "go", "arise", "see", "learn"}));
    EXPECT_TRUE(table.Sort(VerbColumn::Infinitive));
    EXPECT_EQ(Infinitives(table), (V{"arise", "be", "go", "learn", "see"}));
    EXPECT_TRUE(table.Sort(VerbColumn::PastTense, false)); // went, was, saw, learnt, arose
    EXPECT_EQ(Infinitives(table), (V{"go", "be", "see", "learn", "arise"}));
    EXPECT_TRUE(table.Sort(VerbColumn::Group)); // lit ess1 ess2 bas1 bas2 dop
    EXPECT_EQ(Infinitives(table), (V{"arise", "be", "go", "see", "learn"}));
    EXPECT_TRUE(table.DeleteRows({4, 0, 4}));
    EXPECT_EQ(Infinitives(table), (V{"be", "go", "see"}));
    EXPECT_FALSE(table.DeleteRows({3}));
    EXPECT_TRUE(table.SetCell(3, VerbColumn::Infinitive, "take"));
    EXPECT_EQ(table.Row(3).m_strTag, "bas2"); // the row above's group
    EXPECT_FALSE(table.SetCell(0, VerbColumn::Infinitive, "be"));
}

TEST(VerbTable, DeletedRowsHandTheirCommentsOn)
{
    VerbTable table = ReadVerText("T\n#\n#\n# first\nbas1\nwent\ngo\ngone\n# last\nbas1\nsaw\nsee\nseen\n");
    ASSERT_EQ(table.RowCount(), 2u);
    table.DeleteRows({0});
    EXPECT_EQ(WriteVerText(table), "T\n#\n#\n# first\n# last\nbas1\nsaw\nsee\nseen\n");
    table.DeleteRows({0});
    EXPECT_EQ(WriteVerText(table), "T\n#\n#\n# first\n# last\n");
    table.Undo();
    table.Undo();
    EXPECT_EQ(WriteVerText(table), "T\n#\n#\n# first\nbas1\nwent\ngo\ngone\n# last\nbas1\nsaw\nsee\nseen\n");
}

// A seeded walk of edits; each undo must give back the snapshot before it.
TEST(VerbTable, UndoAndRedoRetraceAMixedSequence)
{
    const unsigned nSeed = std::random_device()();
    std::mt19937 random(nSeed);
    VerbTable table = FiveVerbs();
    Recorder recorder;
    table.SetObserver(&recorder);
    std::vector<VerbTable> snapshots = {table};
    const auto Pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    for (int i = 0; i < 150; ++i)
    {
        const std::size_t n = table.RowCount();
        bool bDone = false;
        switch (Pick(7))
        {
        case 0: bDone = table.SetCell(Pick(n + 1), static_cast<VerbColumn>(Pick(4)), "v" + std::to_string(i)); break;
        case 1: bDone = table.InsertRows(Pick(n + 1), {Verb("lit", "x", "y", "z"), Verb("dop", "a", "b", "c")}); break;
        case 2: bDone = n > 2 && table.DeleteRows({Pick(n), Pick(n)}); break;
        case 3: bDone = table.MoveRows({Pick(n), Pick(n)}, Pick(2) == 0); break;
        case 4: bDone = table.Sort(static_cast<VerbColumn>(Pick(4)), Pick(2) == 0); break;
        case 5: bDone = table.SetTitle("title " + std::to_string(i)); break;
        case 6: bDone = table.SetHeaderComments({"c" + std::to_string(i), "# d"}); break;
        }
        if (bDone)
            snapshots.push_back(table);
    }
    ASSERT_GT(snapshots.size(), VerbTable::kUndoSteps / 2);
    const std::size_t nSteps = std::min(snapshots.size() - 1, VerbTable::kUndoSteps);
    for (std::size_t k = 0; k < nSteps; ++k)
    {
        ASSERT_TRUE(table.Undo()) << "seed " << nSeed;
        ASSERT_TRUE(table.SameContent(snapshots[snapshots.size() - 2 - k])) << "seed " << nSeed << " undo " << k;
    }
    EXPECT_EQ(table.CanUndo(), snapshots.size() - 1 > VerbTable::kUndoSteps);
    for (std::size_t k = nSteps; k-- > 0;)
        ASSERT_TRUE(table.Redo());
    EXPECT_TRUE(table.SameContent(snapshots.back())) << "seed " << nSeed;
    EXPECT_FALSE(table.Redo());
    // Every change was told, with a range inside the table.
    EXPECT_EQ(recorder.m_changes.size(), snapshots.size() - 1 + 2 * nSteps);
}

TEST(VerbTable, ModifiedUntilSavedOrUndoneToTheSavedState)
{
    VerbTable table = FiveVerbs();
    EXPECT_FALSE(table.IsModified());
    table.SetCell(0, VerbColumn::PastTense, "wended");
    EXPECT_TRUE(table.IsModified());
    EXPECT_STREQ(table.UndoName(), "Edit Cell");
    table.Undo();
    EXPECT_FALSE(table.IsModified());
    EXPECT_STREQ(table.RedoName(), "Edit Cell");
    table.Redo();
    table.MarkSaved();
    table.DeleteRows({1});
    EXPECT_TRUE(table.IsModified());
    table.Undo();
    EXPECT_FALSE(table.IsModified());
    table.Undo();
    table.SetTitle("other"); // the saved state is out of reach now
    table.Undo();
    EXPECT_TRUE(table.IsModified());
}

TEST(VerbTable, AnUntouchedRowKeepsItsBytesAnEditedOneIsWrittenAnew)
{
    const std::string strList = "T\n#\n#\nbas1\nwent  \ngo\ngone\n";
    VerbTable table = ReadVerText(strList);
    table.SetCell(0, VerbColumn::Infinitive, "goes");
    EXPECT_EQ(WriteVerText(table), "T\n#\n#\nbas1\nwent  \ngoes\ngone\n");
    table.Undo();
    EXPECT_EQ(WriteVerText(table), strList);
}
