// Spaced review of the questions of one list: their boxes, when each falls due, the
// lesson of those due and the record a teacher reads. Worked out from the history's
// ReviewRecords and the list's questions; the time is always given, never read here.
#pragma once

#include "history/HistorySummary.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int kReviewBoxes = 5;
// Days from a question's last first asking until it is due again, by box.
constexpr int kBoxDays[kReviewBoxes] = {1, 2, 4, 8, 16};
constexpr std::size_t kDueDays = 7; // today and the six days after
constexpr std::uint32_t kDefaultReviewLimit = 50;
constexpr std::uint32_t kMaxReviewLimit = 1000;

// A question of the list with what review knows of it; never asked: box 0, no due time.
struct ReviewItem
{
    HistoryQuestion m_question;
    int m_nBox = 0;
    std::uint32_t m_nAsked = 0;
    std::uint32_t m_nRightFirst = 0;
    std::int64_t m_nLastAsked = -1;
    std::int64_t m_nDue = -1;
};

struct ReviewOverview
{
    std::array<std::uint32_t, kReviewBoxes + 1> m_boxes{}; // [0]: never asked
    // Due by the end of each UTC day from today on; today's holds those overdue.
    std::array<std::uint32_t, kDueDays> m_dueByDay{};
    std::int64_t m_nToday = 0; // today's start
    std::uint32_t m_nDueNow = 0;
    std::int64_t m_nNextDue = -1; // the first time a question falls due after now
};

// One item per question of the list, in its order. A question is found in the history by
// its verb, direction and prompt, or else by an old line's record of its verb and
// direction. An answer given after nNow (a clock set back) counts as given now.
std::vector<ReviewItem> ReviewItems(const std::vector<ReviewRecord>& records,
                                    const std::vector<HistoryQuestion>& listQuestions, std::int64_t nNow);
ReviewOverview OverviewOf(const std::vector<ReviewItem>& items, std::int64_t nNow);
// The questions due at nNow, the most overdue first (ties in the list's order), at most nLimit.
std::vector<HistoryQuestion> DueQuestions(const std::vector<ReviewItem>& items, std::int64_t nNow, std::size_t nLimit);
// A learner's limit as kept in the settings: 0 or too many becomes a sensible one.
std::uint32_t ClampReviewLimit(std::uint32_t nLimit);

// CSV (RFC 4180, UTF-8, CR LF) with a header row: verb, conversion, box (0: never asked),
// times asked, times right at first asking, last asked, due date, and what was asked.
std::string ReviewCsv(const std::vector<ReviewItem>& items);
