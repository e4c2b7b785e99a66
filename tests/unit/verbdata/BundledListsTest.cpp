// Checks the verb lists shipped in data/: what a learner relies on when choosing groups.
#include "verbdata/VerbListReader.h"

#include "support/LessonChoices.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

namespace
{

std::string DataPath(const char* name)
{
    return std::string(TALDRIN_SOURCE_DIR) + "/data/" + name;
}

GroupSet OnlyGroup(int nGroup)
{
    GroupSet groups;
    if (nGroup >= 0)
        groups.Set(static_cast<std::size_t>(nGroup), true);
    return groups;
}

QuestionPool ReadList(const char* name, const DirectionSet& directions, const GroupSet& groups)
{
    std::ifstream in(DataPath(name));
    QuestionPool pool;
    EXPECT_EQ(ReadVerbList(in, false, directions, groups, pool), VerbListEnd::EndOfFile) << name;
    return pool;
}

// Lines after the header that are not comments: four per record in a sound list.
std::size_t RecordLineCount(const char* name)
{
    std::ifstream in(DataPath(name));
    std::string line;
    int nHashLines = 0;
    bool bTitleSeen = false;
    std::size_t nCount = 0;
    while (std::getline(in, line))
    {
        const bool bHash = !line.empty() && line[0] == '#';
        if (nHashLines < 2)
        {
            bTitleSeen = bTitleSeen || !bHash;
            nHashLines += bTitleSeen && bHash;
            continue;
        }
        EXPECT_LE(line.size(), kMaxLineLength) << name << ": " << line;
        nCount += !bHash;
    }
    return nCount;
}

struct ListFacts
{
    std::size_t nRecords = 0;
    std::map<std::string, std::size_t> verbsPerGroup;
};

// One question per verb (Infinitive to Past Tense) for each group in turn; checks the
// forms and the number of questions the group yields with all six directions.
ListFacts CheckList(const char* name)
{
    const std::regex word("[a-z]+");
    const std::regex list("(/[a-z]+)( /[a-z]+)+");
    ListFacts facts;
    std::set<std::string> infinitives;

    for (int g = 0; g < static_cast<int>(kGroupCount); ++g)
    {
        const QuestionPool verbs = ReadList(name, Directions({0, 1}), OnlyGroup(g));
        std::size_t nExpectedQuestions = 0;
        for (std::size_t i = 0; i + 1 < verbs.size(); i += 2)
        {
            const std::string infinitive = verbs[i].GetPrompt();
            const std::string past = verbs[i].GetExpected();
            const std::string participle = verbs[i + 1].GetExpected();
            EXPECT_TRUE(std::regex_match(infinitive, word)) << name << ": " << infinitive;
            for (const std::string& form : {past, participle})
                EXPECT_TRUE(std::regex_match(form, word) || std::regex_match(form, list))
                    << name << ": " << infinitive << " has the form '" << form << "'";
            EXPECT_TRUE(infinitives.insert(infinitive).second) << name << ": twice " << infinitive;
            // A list as the prompt ends the record's questions.
            nExpectedQuestions += past[0] == '/' ? 2 : participle[0] == '/' ? 4 : 6;
        }
        EXPECT_EQ(verbs.size() % 2, 0u) << name << ": a verb gave only one of its two questions";
        EXPECT_EQ(ReadList(name, Directions({0, 1, 2, 3, 4, 5}), OnlyGroup(g)).size(),
                  nExpectedQuestions)
            << name << ", group " << kGroupTags[g];
        facts.verbsPerGroup[kGroupTags[g]] = verbs.size() / 2;
        facts.nRecords += verbs.size() / 2;
    }

    EXPECT_TRUE(ReadList(name, Directions({0}), OnlyGroup(-1)).empty())
        << name << ": a record with an unknown group tag";
    const std::size_t nLines = RecordLineCount(name);
    EXPECT_EQ(nLines % 4, 0u) << name;
    EXPECT_EQ(facts.nRecords, nLines / 4) << name << ": records dropped by the reader";
    return facts;
}

} // namespace

TEST(BundledLists, MainListHasCompleteRecordsInAllSixGroups)
{
    const ListFacts facts = CheckList("irregu.ver");
    EXPECT_GE(facts.nRecords, 180u);
    for (const auto& [tag, nVerbs] : facts.verbsPerGroup)
    {
        EXPECT_GE(nVerbs, 20u) << tag;
        RecordProperty(tag, static_cast<int>(nVerbs));
    }
}

TEST(BundledLists, ShortListIsSoundToo)
{
    const ListFacts facts = CheckList("irrtes.ver");
    EXPECT_GE(facts.nRecords, 25u);
    EXPECT_LE(facts.nRecords, 40u);
}
