// What a cell takes and how it shows it: two spellings, accents, and what no verb list can hold.
#include "editor/CellRules.h"

#include <gtest/gtest.h>

TEST(CellRules, TypedFormsAreStoredAsALessonReadsThem)
{
    struct Case
    {
        std::string strTyped;
        bool bAccentCodes;
        std::string strStored;
    };
    const Case kCases[] = {
        {"went", false, "went"},
        {"  go   away ", false, "go away"},
        {"learnt, learned", false, "/learnt /learned"},
        {"learnt / learned", false, "/learnt /learned"},
        {"learnt/learned", false, "/learnt /learned"},
        {"learnt or learned", false, "/learnt /learned"},
        {"learnt (learned)", false, "/learnt /learned"},
        {"learnt; learned", false, "/learnt /learned"},
        {"/learnt/learned", false, "/learnt /learned"},
        {"/learnt   /learned ", false, "/learnt /learned"},
        {"learnt, learnt", false, "learnt"},
        {"/learnt", false, "learnt"},
        {"caf\xC3\xA9", false, "caf\xE9"},
        {"caf\xC3\xA9", true, "caf\\'e"},
        {"gar\xC3\xA7on", true, "gar\\cc""on"},
        {"\xC3\x89t\xC3\xA9", true, "\xC9t\\'e"}, // no code for a capital
        {"no\xC2\xA0" "break", false, "no break"},
        {"soft\xC2\xADhyphen", false, "softhyphen"},
        {"#hash", false, "#hash"}, // read as a form; the checks name it
        {std::string(59, 'a'), false, std::string(59, 'a')},
    };
    for (const Case& c : kCases)
    {
        const CellResult result = ParseCell(VerbColumn::PastTense, c.strTyped, c.bAccentCodes);
        EXPECT_TRUE(result.m_bAccepted) << c.strTyped << ": " << result.m_strMessage;
        EXPECT_EQ(result.m_strStored, c.strStored) << c.strTyped;
    }
}

TEST(CellRules, WhatNoListCanHoldIsRefusedWithAReason)
{
    struct Case
    {
        std::string strTyped;
        bool bAccentCodes;
        const char* pszWords; // in the message
    };
    const Case kCases[] = {
        {"", false, "empty"},
        {"   ", false, "empty"},
        {"\xC2\xA0", false, "empty"},
        {", ", false, "empty"},
        {"went\nwent", false, "line break"},
        {"went\r", false, "line break"},
        {"\xC5\x91", false, "no verb list can hold"},
        {"\xE2\x80\x99", false, "no verb list can hold"},
        {"a\tb", false, "tab"},
        {"a\x01", false, "control"},
        {"\xC2\x85", false, "control"},
        {"\xFF", false, "UTF-8"},
        {std::string(60, 'a'), false, "59"},
        // Codes make it longer: 20 letters of three characters each.
        {[] { std::string s; for (int i = 0; i < 20; ++i) s += "\xC3\xA9"; return s; }(), true, "59"},
    };
    for (const Case& c : kCases)
    {
        const CellResult result = ParseCell(VerbColumn::Infinitive, c.strTyped, c.bAccentCodes);
        EXPECT_FALSE(result.m_bAccepted) << c.strTyped << " gave " << result.m_strStored;
        EXPECT_NE(result.m_strMessage.find(c.pszWords), std::string::npos)
            << c.strTyped << ": " << result.m_strMessage;
    }
}

TEST(CellRules, GroupsByTagOrNameAnyCase)
{
    const std::pair<const char*, const char*> kAccepted[] = {
        {"ess1", "ess1"}, {" Bas2 ", "bas2"}, {"LIT", "lit"},
        {"Essential verbs (part 1)", "ess1"}, {"literature verbs", "lit"},
        {"Verbs that exist in irregular and regular form", "dop"}};
    for (const auto& [pszTyped, pszTag] : kAccepted)
    {
        const CellResult result = ParseCell(VerbColumn::Group, pszTyped);
        EXPECT_TRUE(result.m_bAccepted) << pszTyped;
        EXPECT_EQ(result.m_strStored, pszTag) << pszTyped;
    }
    for (const char* pszTyped : {"", "ess3", "essential"})
        EXPECT_FALSE(ParseCell(VerbColumn::Group, pszTyped).m_bAccepted) << pszTyped;
    EXPECT_EQ(ShowCell(VerbColumn::Group, "bas1"), "Basic verbs (part 1)");
    EXPECT_EQ(ShowCell(VerbColumn::Group, "Ess1"), "Ess1");
    EXPECT_EQ(GroupName(6), "");
}

TEST(CellRules, StoredFormsAreShownAsTypedAndTypeBackTheSame)
{
    const std::pair<const char*, const char*> kShown[] = {
        {"went", "went"},
        {"/learnt /learned", "learnt, learned"},
        {"/learnt/learned", "learnt, learned"},
        {"caf\\'e", "caf\xC3\xA9"},
        {"caf\xE9", "caf\xC3\xA9"},
        {"/dreamt /dre\\'amed", "dreamt, dre\xC3\xA1med"},
    };
    for (const auto& [pszStored, pszShown] : kShown)
        EXPECT_EQ(ShowCell(VerbColumn::Infinitive, pszStored), pszShown) << pszStored;
    for (const char* pszStored : {"went", "/learnt /learned", "caf\\'e", "/a /b /c"})
        EXPECT_EQ(ParseCell(VerbColumn::PastTense, ShowCell(VerbColumn::PastTense, pszStored), true)
                      .m_strStored,
                  pszStored);
}

TEST(CellRules, TitlesAreOneLineThatIsNoComment)
{
    EXPECT_TRUE(ParseTitle("").m_bAccepted);
    EXPECT_EQ(ParseTitle("Class 7b \xC3\xA9").m_strStored, "Class 7b \xE9");
    for (const std::string& strTitle : {std::string("# x"), std::string("a\nb"), std::string(60, 't'),
                                        std::string("\xE2\x82\xAC")})
        EXPECT_FALSE(ParseTitle(strTitle).m_bAccepted) << strTitle;
}
