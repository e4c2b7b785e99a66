// The test sheet: one form given per row, the order shuffled by the source given, the key complete.
#include "editor/TestSheet.h"
#include "editor/VerFile.h"

#include <gtest/gtest.h>

#include <set>

namespace
{

const char kList[] = "Class 7\xE9\n#\n#\nbas1\nwent\ngo\ngone\ndop\n/learnt /learned\nlearn\nlearnt\n"
                     "bas2\nsaw\nsee\nseen\nbas1\n\nrun\nrun\n";

// Draws the numbers given, in turn.
RandomBelow Sequence(std::vector<std::size_t> numbers)
{
    auto pNext = std::make_shared<std::size_t>(0);
    return [numbers, pNext](std::size_t nBelow)
    {
        const std::size_t n = numbers[(*pNext)++ % numbers.size()];
        EXPECT_LT(n, nBelow);
        return n;
    };
}

} // namespace

TEST(TestSheet, GivesOneFormAndKeepsTheKey)
{
    const VerbTable table = ReadVerText(kList);
    const TestSheet sheet = MakeTestSheet(table, GivenForm::PastTense, false, Sequence({0}));
    EXPECT_EQ(sheet.m_strTitle, "Class 7\xC3\xA9");
    ASSERT_EQ(sheet.m_rows.size(), 3u); // the row with an empty form is left out
    EXPECT_EQ(sheet.m_rows[1].m_cells, (std::array<std::string, 3>{"", "learnt, learned", ""}));
    EXPECT_EQ(sheet.m_rows[1].m_answers, (std::array<std::string, 3>{"learn", "learnt, learned", "learnt"}));
    for (const TestSheetRow& row : sheet.m_rows)
        EXPECT_EQ(row.m_given, PastTense);
}

TEST(TestSheet, ShufflesAndMixesByTheSourceGiven)
{
    const VerbTable table = ReadVerText(kList);
    // Fisher-Yates from the end: swap 2 with 0, then 1 with 1; then the given forms.
    const TestSheet sheet = MakeTestSheet(table, GivenForm::Mixed, true, Sequence({0, 1, 2, 0, 1}));
    std::string strRows; // each row's infinitive and the form given
    for (const TestSheetRow& row : sheet.m_rows)
        strRows += row.m_answers[Infinitive] + std::to_string(row.m_given) + " ";
    EXPECT_EQ(strRows, "see" + std::to_string(PastParticiple) + " learn" + std::to_string(Infinitive) + " go" + std::to_string(PastTense) + " ");
    EXPECT_EQ(sheet.m_rows[2].m_cells, (std::array<std::string, 3>{"", "went", ""}));
    // Every order can come out.
    std::set<std::string> orders;
    for (std::size_t a = 0; a < 3; ++a)
        for (std::size_t b = 0; b < 2; ++b)
        {
            std::string strOrder;
            for (const TestSheetRow& row : MakeTestSheet(table, GivenForm::Infinitive, true, Sequence({a, b})).m_rows)
                strOrder += row.m_answers[Infinitive] + " ";
            orders.insert(strOrder);
        }
    EXPECT_EQ(orders.size(), 6u);
}
