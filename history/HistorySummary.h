// What the history tells the learner: the mistakes still to practise on one list, and
// the progress of every lesson. Built in one pass over the answers, in file order,
// keeping only counts: a history of years never lies in memory whole.
#pragma once

#include "history/HistoryFile.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// A question across lessons, as the file has it: its verb (the Infinitive), direction and
// what was asked (the prompt; empty where an old line does not tell). Among questions asked
// alike, the expected answer of the last mistake tells which one.
struct HistoryQuestion
{
    std::string m_strVerb;
    std::string m_strDirection;
    std::string m_strPrompt;
    std::string m_strExpected;
};

struct LessonScore
{
    std::string m_strLesson; // its start
    std::uint32_t m_nRight = 0;
    std::uint32_t m_nWrong = 0;
    std::string m_strDay;     // the UTC date of its first answer: 2026-12-07
    bool m_bPractice = false; // a lesson of Practise Mistakes
};

struct MissedQuestion
{
    HistoryQuestion m_question;
    std::uint32_t m_nMissed = 0;
    std::string m_strLastTime;
    std::string m_strLastTyped;
    std::string m_strLastExpected; // the right answer of that time
};

// A question of the list as review sees it: its box (1 to 5) and its first askings, one a
// lesson. Times are seconds since 1970, UTC.
struct ReviewRecord
{
    HistoryQuestion m_question;     // without an expected answer
    int m_nBox = 0;
    std::uint32_t m_nAsked = 0;      // lessons it was asked in
    std::uint32_t m_nRightFirst = 0; // ... of those, right at the first asking
    std::int64_t m_nLastAsked = 0;   // its last first asking
};

struct HistoryProgress
{
    std::vector<LessonScore> m_lessons; // the last ones, oldest first
    std::vector<MissedQuestion> m_missed; // most often missed first; ties: missed last first
    std::uint64_t m_nAnswers = 0;
    std::uint64_t m_nRight = 0;
    std::uint32_t m_nDays = 0; // UTC dates with at least one answer
};

constexpr std::size_t kProgressLessons = 30;
constexpr std::size_t kProgressMissed = 10;

class HistorySummary
{
public:
    // Mistakes are gathered for the list at strList only: for the file it names, however
    // the history spells its path (ResolvedFilePath).
    explicit HistorySummary(const std::string& strList);

    void Add(const HistoryEntry& entry);

    // The questions of the list answered wrong in some lesson and not since answered
    // right at their first asking in two later lessons; the most recent mistake first.
    // Answering right again inside the lesson of a mistake clears nothing. A question is
    // known by what was asked: its verb, direction and prompt. A mistake of an old line
    // without a prompt stands for every question of its verb and direction.
    std::vector<HistoryQuestion> GetMistakes() const;
    HistoryProgress GetProgress() const;
    // Every question of the list that was asked, with its box. A question enters a box
    // when first asked: right at its first asking in a lesson it climbs one box (to 5 at
    // most; from none to 2), wrong it goes back to 1. Later answers in the lesson, wrong
    // or right, move nothing. A slip makes the wrong answer it names count as right.
    std::vector<ReviewRecord> GetReview() const;

private:
    // One question's way through the lessons of the list.
    struct Record
    {
        std::size_t m_nLesson = 0;   // the lesson it was last asked in
        std::uint32_t m_nWrongThere = 0; // ... its wrong answers there, slips taken off
        std::uint32_t m_nAnsweredThere = 0;
        bool m_bFirstRight = false;      // ... whether its first asking there was right
        std::int64_t m_nFirstTime = 0;   // ... and when
        int m_nBox = 0;                  // as of the lessons before
        std::uint32_t m_nAsked = 0;
        std::uint32_t m_nRightFirst = 0;
        std::int64_t m_nLastAsked = 0;
        bool m_bOpen = false;        // a mistake of an earlier lesson not yet cleared
        int m_nClearing = 0;         // later lessons right at the first asking since
        std::uint64_t m_nLastWrong = 0; // the answer number of the last wrong answer
        std::string m_strLastExpected;   // ... and what it expected
    };
    struct Missed
    {
        std::uint32_t m_nMissed = 0;
        std::uint64_t m_nLastWrong = 0;
        std::string m_strLastTime;
        std::string m_strLastTyped;
        std::string m_strLastExpected;
    };

    std::size_t LessonIndex(const std::string& strLesson);
    // Folds the finished lesson of a record into its mistake state.
    static void CloseLesson(Record& record);
    void AddTo(const std::string& strKey, std::size_t nLesson, std::uint64_t nAnswer, const HistoryEntry& entry);
    // A slip: the last answer of its lesson, when it is the wrong answer the slip names,
    // counts as right for the mistakes and boxes.
    void Forgive(const HistoryEntry& slip);
    void ForgiveIn(const std::string& strKey, std::size_t nLesson);
    bool IsOurList(const std::string& strList);

    std::string m_strList; // resolved
    std::unordered_map<std::string, bool> m_ourLists; // the history's spellings of lists
    std::string m_strLastList;
    bool m_bLastOurs = false;
    bool m_bPromptless = false; // some record has no prompt
    std::unordered_map<std::string, std::size_t> m_lessonIndex;
    std::vector<LessonScore> m_lessons;
    std::size_t m_nLastLesson = 0; // answers come in runs of one lesson: a cheap first look
    std::unordered_map<std::string, Record> m_records; // verb \t direction \t prompt
    std::unordered_map<std::string, Missed> m_missed;  // verb \t direction, all lists
    std::unordered_set<std::string> m_days;
    std::string m_strLastDay;
    std::uint64_t m_nAnswers = 0;
    std::uint64_t m_nRight = 0;
    std::string m_strKey; // reused for every answer's key
    // Per lesson: its last answer's question and list when that answer was wrong, which a
    // slip may still forgive; empty otherwise.
    std::vector<std::string> m_lastWrong;
};

// Seconds since 1970 of a time as the history writes it (2026-12-07T04:12:51Z); -1 for
// anything else.
std::int64_t HistoryTimeSeconds(std::string_view time);
// The UTC date of a time in seconds since 1970: 2026-12-07.
std::string HistoryDay(std::int64_t nSeconds);
