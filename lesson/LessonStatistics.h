// The right and wrong answers of a lesson, and the texts made from them.
#pragma once

#include <cstdint>
#include <string>

class LessonStatistics
{
public:
    LessonStatistics() = default;
    LessonStatistics(const LessonStatistics&) = default;
    LessonStatistics& operator=(const LessonStatistics&) = default;
    virtual ~LessonStatistics() = default;

    bool Reset();

    // The two percentage lines; only meaningful once an answer was counted.
    std::string GetPercentText() const;

    // The full report: counts, then percentages; a single sentence before any answer.
    std::string GetReportText() const;

    std::uint32_t m_nRight = 0;
    std::uint32_t m_nWrong = 0;
};
