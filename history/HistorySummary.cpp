#include "history/HistorySummary.h"

#include <algorithm>

namespace
{

constexpr int kClearingLessons = 2;
constexpr std::size_t kDateLength = 10; // 2026-12-07

} // namespace

HistorySummary::HistorySummary(std::string strList) : m_strList(std::move(strList)) {}

std::size_t HistorySummary::LessonIndex(const std::string& strLesson)
{
    if (!m_lessons.empty() && m_lessons[m_nLastLesson].m_strLesson == strLesson)
        return m_nLastLesson;
    const auto [it, bNew] = m_lessonIndex.emplace(strLesson, m_lessons.size());
    if (bNew)
        m_lessons.push_back(LessonScore{strLesson, 0, 0, std::string(), false});
    m_nLastLesson = it->second;
    return it->second;
}

void HistorySummary::CloseLesson(Record& record)
{
    if (record.m_bWrongThere)
    {
        record.m_bOpen = true;
        record.m_nClearing = 0;
    }
    // Without a wrong answer there, its first asking there was right.
    else if (record.m_bOpen && ++record.m_nClearing >= kClearingLessons)
        record.m_bOpen = false;
}

void HistorySummary::Add(const HistoryEntry& entry)
{
    const std::uint64_t nAnswer = ++m_nAnswers;
    m_nRight += entry.m_bRight;
    const std::size_t nLesson = LessonIndex(entry.m_strLesson);
    LessonScore& lesson = m_lessons[nLesson];
    ++(entry.m_bRight ? lesson.m_nRight : lesson.m_nWrong);
    if (lesson.m_strDay.empty())
    {
        lesson.m_strDay = entry.m_strTime.substr(0, kDateLength);
        const std::string_view mark = kPracticeLessonMark;
        lesson.m_bPractice = entry.m_strLesson.size() >= mark.size() &&
                             entry.m_strLesson.compare(entry.m_strLesson.size() - mark.size(),
                                                       mark.size(), mark) == 0;
    }
    if (entry.m_strTime.compare(0, kDateLength, m_strLastDay) != 0)
    {
        m_strLastDay = entry.m_strTime.substr(0, kDateLength);
        m_days.insert(m_strLastDay);
    }

    m_strKey.assign(entry.m_strVerb).append(1, '\t').append(entry.m_strDirection);
    if (!entry.m_bRight)
    {
        Missed& missed = m_missed[m_strKey];
        ++missed.m_nMissed;
        missed.m_nLastWrong = nAnswer;
        missed.m_strLastTime = entry.m_strTime;
        missed.m_strLastTyped = entry.m_strTyped;
        missed.m_strLastExpected = entry.m_strExpected;
    }
    if (entry.m_strList != m_strList)
        return;

    auto [it, bNew] = m_records.try_emplace(m_strKey);
    Record& record = it->second;
    if (bNew || record.m_nLesson != nLesson)
    {
        if (!bNew)
            CloseLesson(record);
        record.m_nLesson = nLesson;
        record.m_bWrongThere = false;
    }
    if (!entry.m_bRight)
    {
        record.m_bWrongThere = true;
        record.m_nLastWrong = nAnswer;
    }
}

std::vector<HistoryQuestion> HistorySummary::GetMistakes() const
{
    std::vector<std::pair<std::uint64_t, const std::string*>> open;
    for (const auto& [strKey, record] : m_records)
    {
        Record closed = record;
        CloseLesson(closed);
        if (closed.m_bOpen)
            open.emplace_back(closed.m_nLastWrong, &strKey);
    }
    std::sort(open.begin(), open.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<HistoryQuestion> mistakes;
    for (const auto& [nLastWrong, pKey] : open)
    {
        const std::size_t nTab = pKey->find('\t');
        mistakes.push_back(HistoryQuestion{pKey->substr(0, nTab), pKey->substr(nTab + 1)});
    }
    return mistakes;
}

HistoryProgress HistorySummary::GetProgress() const
{
    HistoryProgress progress;
    const std::size_t nFirst = m_lessons.size() - std::min(m_lessons.size(), kProgressLessons);
    progress.m_lessons.assign(m_lessons.begin() + static_cast<std::ptrdiff_t>(nFirst), m_lessons.end());

    std::vector<std::pair<const std::string*, const Missed*>> missed;
    for (const auto& [strKey, entry] : m_missed)
        missed.emplace_back(&strKey, &entry);
    const auto byMissed = [](const auto& a, const auto& b) {
        return a.second->m_nMissed != b.second->m_nMissed
                   ? a.second->m_nMissed > b.second->m_nMissed
                   : a.second->m_nLastWrong > b.second->m_nLastWrong;
    };
    const std::size_t nShown = std::min(missed.size(), kProgressMissed);
    std::partial_sort(missed.begin(), missed.begin() + static_cast<std::ptrdiff_t>(nShown),
                      missed.end(), byMissed);
    for (std::size_t i = 0; i < nShown; ++i)
    {
        const std::string& strKey = *missed[i].first;
        const std::size_t nTab = strKey.find('\t');
        progress.m_missed.push_back(MissedQuestion{
            HistoryQuestion{strKey.substr(0, nTab), strKey.substr(nTab + 1)},
            missed[i].second->m_nMissed, missed[i].second->m_strLastTime,
            missed[i].second->m_strLastTyped, missed[i].second->m_strLastExpected});
    }
    progress.m_nAnswers = m_nAnswers;
    progress.m_nRight = m_nRight;
    progress.m_nDays = static_cast<std::uint32_t>(m_days.size());
    return progress;
}
