#include "history/HistorySummary.h"

#include "verbdata/RegularFile.h"

#include <algorithm>
#include <cstdio>

namespace
{

constexpr int kClearingLessons = 2;
constexpr std::size_t kDateLength = 10; // 2026-12-07
constexpr int kTopBox = 5;
constexpr std::int64_t kDaySeconds = 24 * 60 * 60;

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// The digits of text[nFrom, nFrom + nCount) as a number; -1 if any is no digit.
int Digits(std::string_view text, std::size_t nFrom, std::size_t nCount)
{
    int n = 0;
    for (std::size_t i = nFrom; i < nFrom + nCount; ++i)
    {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        n = n * 10 + (text[i] - '0');
    }
    return n;
}

} // namespace

std::int64_t HistoryTimeSeconds(std::string_view time)
{
    if (time.size() != 20 || time[4] != '-' || time[7] != '-' || time[10] != 'T' || time[13] != ':' ||
        time[16] != ':' || time[19] != 'Z')
        return -1;
    const int nYear = Digits(time, 0, 4), nMonth = Digits(time, 5, 2), nDay = Digits(time, 8, 2);
    const int nHour = Digits(time, 11, 2), nMinute = Digits(time, 14, 2), nSecond = Digits(time, 17, 2);
    if (nYear < 0 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31 || nHour < 0 || nHour > 23 ||
        nMinute < 0 || nMinute > 59 || nSecond < 0 || nSecond > 60)
        return -1;
    return DaysFromCivil(nYear, static_cast<unsigned>(nMonth), static_cast<unsigned>(nDay)) * kDaySeconds +
           nHour * 3600 + nMinute * 60 + nSecond;
}

std::string HistoryDay(std::int64_t nSeconds)
{
    // The inverse of DaysFromCivil.
    const std::int64_t z = (nSeconds >= 0 ? nSeconds : nSeconds - kDaySeconds + 1) / kDaySeconds + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
    char sz[32];
    std::snprintf(sz, sizeof sz, "%04lld-%02u-%02u", static_cast<long long>(y), m, d);
    return sz;
}

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
    {
        m_lessons.push_back(LessonScore{strLesson, 0, 0, std::string(), false});
        m_lastWrong.emplace_back();
    }
    m_nLastLesson = it->second;
    return it->second;
}

void HistorySummary::CloseLesson(Record& record)
{
    ++record.m_nAsked;
    if (record.m_bFirstRight)
    {
        ++record.m_nRightFirst;
        record.m_nBox = record.m_nBox == 0 ? 2 : std::min(record.m_nBox + 1, kTopBox);
    }
    else
        record.m_nBox = 1;
    record.m_nLastAsked = record.m_nFirstTime;
    if (record.m_nWrongThere > 0)
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
    if (entry.m_bSlip)
        return Forgive(entry);
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
    if (entry.m_bRight)
        m_lastWrong[nLesson].clear();
    else
    {
        m_lastWrong[nLesson].assign(m_strKey).append(1, '\t').append(entry.m_strPrompt).append(1, '\t').append(entry.m_strList);
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
        record.m_nWrongThere = 0;
        record.m_nAnsweredThere = 0;
        record.m_bFirstRight = entry.m_bRight;
        record.m_nFirstTime = HistoryTimeSeconds(entry.m_strTime);
    }
    ++record.m_nAnsweredThere;
    if (!entry.m_bRight)
    {
        ++record.m_nWrongThere;
        record.m_nLastWrong = nAnswer;
        record.m_strLastExpected = entry.m_strExpected;
    }
}

void HistorySummary::Forgive(const HistoryEntry& slip)
{
    const auto itLesson = m_lessonIndex.find(slip.m_strLesson);
    if (itLesson == m_lessonIndex.end())
        return;
    const std::size_t nLesson = itLesson->second;
    m_strKey.assign(slip.m_strVerb).append(1, '\t').append(slip.m_strDirection);
    const std::size_t nQuestion = m_strKey.size();
    m_strKey.append(1, '\t').append(slip.m_strPrompt).append(1, '\t').append(slip.m_strList);
    if (m_lastWrong[nLesson] != m_strKey)
        return;
    m_lastWrong[nLesson].clear();
    m_strKey.resize(nQuestion);
    if (const auto it = m_missed.find(m_strKey); it != m_missed.end() && --it->second.m_nMissed == 0)
        m_missed.erase(it);
    if (!IsOurList(slip.m_strList))
        return;
    m_strKey += '\t';
    if (m_bPromptless && !slip.m_strPrompt.empty())
        ForgiveIn(m_strKey, nLesson);
    ForgiveIn(m_strKey + slip.m_strPrompt, nLesson);
}

void HistorySummary::ForgiveIn(const std::string& strKey, std::size_t nLesson)
{
    const auto it = m_records.find(strKey);
    if (it == m_records.end() || it->second.m_nLesson != nLesson || it->second.m_nWrongThere == 0)
        return;
    Record& record = it->second;
    --record.m_nWrongThere;
    if (record.m_nAnsweredThere == 1)
        record.m_bFirstRight = true;
}

std::vector<ReviewRecord> HistorySummary::GetReview() const
{
    std::vector<ReviewRecord> review;
    review.reserve(m_records.size());
    for (const auto& [strKey, record] : m_records)
    {
        Record closed = record;
        CloseLesson(closed);
        const std::size_t nTab = strKey.find('\t'), nSecond = strKey.find('\t', nTab + 1);
        review.push_back(ReviewRecord{HistoryQuestion{strKey.substr(0, nTab), strKey.substr(nTab + 1, nSecond - nTab - 1),
                                                      strKey.substr(nSecond + 1), std::string()},
                                      closed.m_nBox, closed.m_nAsked, closed.m_nRightFirst, closed.m_nLastAsked});
    }
    return review;
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
