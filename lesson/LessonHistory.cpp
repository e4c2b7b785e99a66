#include "lesson/LessonHistory.h"

#include "verbdata/DirectionSet.h"
#include "verbdata/ListEncoding.h"

#include "framework/UserFile.h"

#include <ctime>

LessonHistory::LessonHistory(std::string strPath) : m_writer(std::move(strPath)) {}

std::string LessonHistory::Now()
{
    const std::time_t now = std::time(nullptr);
    char sz[32];
    std::strftime(sz, sizeof sz, "%Y-%m-%dT%H:%M:%SZ", std::gmtime(&now));
    return sz;
}

// A lesson is named by its start, the process and its number in the run, so that two
// programs writing at once keep their lessons apart.
void LessonHistory::OnLessonStart(const std::string& strList, bool bPractice)
{
    m_entry.m_strLesson =
        Now() + " " + std::to_string(CurrentProcessId()) + "." + std::to_string(++m_nLessons);
    if (bPractice)
        m_entry.m_strLesson += kPracticeLessonMark;
    m_entry.m_strList = strList;
}

void LessonHistory::OnVerdict(const Question& question, const std::string& strTyped, bool bRight)
{
    m_entry.m_strTime = Now();
    m_entry.m_strDirection = HistoryDirectionName(question.m_nDirection);
    m_entry.m_strVerb = Latin1ToUtf8(question.m_strVerb);
    m_entry.m_strExpected = Latin1ToUtf8(question.m_strExpected);
    m_entry.m_strTyped = Latin1ToUtf8(strTyped);
    m_entry.m_bRight = bRight;
    if (!m_writer.Append(m_entry) && !m_bToldNotKept)
    {
        m_bToldNotKept = true;
        if (m_fnNotKept)
            m_fnNotKept(m_writer.GetFailure());
    }
}

void LessonHistory::OnLessonEnd()
{
    m_writer.Flush();
}

std::optional<HistorySummary> LessonHistory::Summarise(const std::string& strList) const
{
    HistorySummary summary(strList);
    if (ReadHistory(m_writer.GetPath(), [&](const HistoryEntry& entry) { summary.Add(entry); }) ==
        HistoryState::Unreadable)
        return std::nullopt;
    return summary;
}

bool LessonHistory::Forget()
{
    m_bToldNotKept = false;
    return m_writer.Forget();
}

std::string HistoryDirectionName(std::size_t nDirection)
{
    if (nDirection >= kDirectionCount)
        return std::string();
    const Direction& direction = kDirections[nDirection];
    return std::string(VerbFormName(direction.PromptForm)) + " > " + VerbFormName(direction.AskedForm);
}
