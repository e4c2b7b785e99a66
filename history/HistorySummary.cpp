#include "history/HistorySummary.h"

#include "verbdata/RegularFile.h"

#include <algorithm>

namespace
{

constexpr int kClearingLessons = 2;
constexpr std::size_t kDateLength = 10; // 2026-12-07

} // namespace

HistorySummary::HistorySummary(const std::string& strList) : m_strList(ResolvedFilePath(strList)) {}

// Answers come in runs of one list: a path is resolved once, and compared once per run.
bool HistorySummary::IsOurList(const std::string& strList)
{
    if (!m_ourLists.empty() && strList == m_strLastList)
        return m_bLastOurs;
    m_strLastList = strList;
    const auto [it, bNew] = m_ourLists.try_emplace(strList, false);
    if (bNew)
        it->second = ResolvedFilePath(strList) == m_strList;
    return m_bLastOurs = it->second;
}

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
    if (!IsOurList(entry.m_strList))
        return;

    m_strKey += '\t';
    // An old mistake that does not say what was asked is answered by every question of
    // its verb and direction.
    if (m_bPromptless && !entry.m_strPrompt.empty())
        if (const auto it = m_records.find(m_strKey); it != m_records.end())
            AddTo(m_strKey, nLesson, nAnswer, entry);
    m_bPromptless = m_bPromptless || entry.m_strPrompt.empty();
    m_strKey += entry.m_strPrompt;
    AddTo(m_strKey, nLesson, nAnswer, entry);
}

void HistorySummary::AddTo(const std::string& strKey, std::size_t nLesson, std::uint64_t nAnswer,
                           const HistoryEntry& entry)
{
    auto [it, bNew] = m_records.try_emplace(strKey);
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
        record.m_strLastExpected = entry.m_strExpected;
    }
}

std::vector<HistoryQuestion> HistorySummary::GetMistakes() const
{
    std::vector<std::pair<const std::string*, const Record*>> open;
    for (const auto& [strKey, record] : m_records)
    {
        Record closed = record;
        CloseLesson(closed);
        if (closed.m_bOpen)
            open.emplace_back(&strKey, &record);
    }
    // An answer is the last mistake of at most its own question and an old line's question
    // without a prompt: the question that says what it asked first.
    std::sort(open.begin(), open.end(), [](const auto& a, const auto& b) {
        return a.second->m_nLastWrong != b.second->m_nLastWrong ? a.second->m_nLastWrong > b.second->m_nLastWrong
                                                                 : a.first->back() != '\t' && b.first->back() == '\t';
    });
    std::vector<HistoryQuestion> mistakes;
    for (const auto& [pKey, pRecord] : open)
    {
        const std::size_t nTab = pKey->find('\t'), nSecond = pKey->find('\t', nTab + 1);
        mistakes.push_back(HistoryQuestion{pKey->substr(0, nTab), pKey->substr(nTab + 1, nSecond - nTab - 1),
                                           pKey->substr(nSecond + 1), pRecord->m_strLastExpected});
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
            HistoryQuestion{strKey.substr(0, nTab), strKey.substr(nTab + 1), "", ""},
            missed[i].second->m_nMissed, missed[i].second->m_strLastTime,
            missed[i].second->m_strLastTyped, missed[i].second->m_strLastExpected});
    }
    progress.m_nAnswers = m_nAnswers;
    progress.m_nRight = m_nRight;
    progress.m_nDays = static_cast<std::uint32_t>(m_days.size());
    return progress;
}
