// Tells the author of a verb list what a lesson will make of it, line by line, through the
// lesson's own reader and answer rules. Knows nothing of the command line.
#pragma once

#include "verbdata/DirectionSet.h"
#include "verbdata/GroupSet.h"
#include "verbdata/QuestionPool.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// Error: the lesson loses verbs or asks them wrongly. Warning: it asks them, but not as the
// author is likely to mean. Note: worth knowing, nothing to fix.
enum class FindingKind
{
    Note,
    Warning,
    Error
};

struct Finding
{
    std::size_t m_nLine = 0; // counted from 1; 0 for the file as a whole
    FindingKind m_nKind = FindingKind::Note;
    std::string m_strText; // UTF-8
};

// What a lesson over all six directions and the chosen groups gets from the list.
struct ListSummary
{
    bool m_bAlternativeFile = false; // read as the alternative list: every group is taken
    GroupSet m_groups;
    std::array<std::size_t, kGroupCount> m_nVerbs{}; // records taken, by group
    std::size_t m_nOtherVerbs = 0;                   // taken with a tag that is none of the six
    std::array<std::size_t, kDirectionCount> m_nQuestions{};
    QuestionPool m_pool; // the lesson's questions, in its order
};

struct ListCheck
{
    bool m_bRead = false;            // false: the file could not be opened or read to its end
    std::vector<Finding> m_findings; // in line order
    ListSummary m_summary;
};

// Checks one verb list file, opened and decoded as a lesson does. A file named like the
// alternative list is counted as a lesson takes that one: with every group.
ListCheck CheckVerbListFile(const std::string& strPath, const GroupSet& groups);

// "Infinitive to Past Tense" and so on.
std::string DirectionName(std::size_t nDirection);
