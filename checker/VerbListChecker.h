// Tells the author of a verb list what a lesson will make of it, line by line, through the
// lesson's own reader and answer rules. Knows nothing of the command line.
#pragma once

#include "checker/Findings.h"
#include "verbdata/DirectionSet.h"
#include "verbdata/GroupSet.h"
#include "verbdata/QuestionPool.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// What a lesson over the chosen directions and groups gets from the list.
struct ListSummary
{
    bool m_bAlternativeFile = false; // read as the alternative list: every group is taken
    GroupSet m_groups;
    DirectionSet m_directions;
    std::array<std::size_t, kGroupCount> m_nVerbs{}; // verbs asked at least once, by group
    std::size_t m_nOtherVerbs = 0;                   // asked, with a tag that is none of the six
    std::array<std::size_t, kDirectionCount> m_nQuestions{};
    QuestionPool m_pool; // the lesson's questions, in its order, when kept
};

struct ListCheck
{
    bool m_bRead = false;            // false: the file could not be opened or read to its end
    std::vector<Finding> m_findings; // in line order, notes among them
    ListSummary m_summary;
};

// Checks one verb list file, opened and decoded as a lesson does. A file named like the
// alternative list is counted as a lesson takes that one: with every group. The findings
// are the same whatever groups and directions are chosen; the summary counts those, and
// holds the lesson's questions unless bKeepQuestions is off (they take far more memory
// than the list).
ListCheck CheckVerbListFile(const std::string& strPath, const GroupSet& groups,
                            const DirectionSet& directions = AllFlags<DirectionSet>(),
                            bool bKeepQuestions = true);

// The same for a list's bytes as ReadListBytes gives them (a program that holds the list
// itself, such as the editor); the file's name is no concern here.
ListCheck CheckVerbListBytes(std::string strBytes, bool bAlternativeFile, const GroupSet& groups,
                             const DirectionSet& directions = AllFlags<DirectionSet>(),
                             bool bKeepQuestions = true);

// "Infinitive to Past Tense" and so on, in English (a JSON key).
std::string DirectionName(std::size_t nDirection);
// The same in the user's language.
std::string DirectionText(std::size_t nDirection);
