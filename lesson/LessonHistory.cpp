#include "lesson/LessonHistory.h"

#include "verbdata/DirectionSet.h"
#include "verbdata/ListEncoding.h"
#include "verbdata/RegularFile.h"

#include "framework/UserFile.h"

#include <algorithm>
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
    // The list by its file: the same list reached through a link is the same list.
    m_entry.m_strList = ResolvedFilePath(strList);
}

void LessonHistory::OnVerdict(const Question& question, const std::string& strTyped, bool bRight)
{
    m_entry.m_strTime = Now();
    m_entry.m_strDirection = HistoryDirectionName(question.m_nDirection);
    m_entry.m_strVerb = Latin1ToUtf8(question.m_strVerb);
    m_entry.m_strPrompt = Latin1ToUtf8(question.m_strPrompt);
    m_entry.m_strExpected = Latin1ToUtf8(question.m_strExpected);
    m_entry.m_strTyped = Latin1ToUtf8(strTyped);
    m_entry.m_bRight = bRight;
    const bool bKept = m_writer.Append(m_entry);
    if (bKept == m_bToldNotKept)
    {
        m_bToldNotKept = !bKept;
        if (m_fnNotKept)
            m_fnNotKept(bKept ? std::string() : m_writer.GetFailure());
    }
}

void LessonHistory::OnLessonEnd()
{
    m_writer.Flush();
}

std::optional<HistorySummary> LessonHistory::Summarise(const std::string& strList)
{
    HistorySummary summary(strList);
    m_lastState = ReadHistory(
        m_writer.GetPath(), [&](const HistoryEntry& entry) { summary.Add(entry); }, &m_strUnreadable);
    if (m_lastState == HistoryState::Unreadable || m_lastState == HistoryState::Foreign)
        return std::nullopt;
    return summary;
}

HistoryState LessonHistory::LookAt()
{
    return m_lastState = LookAtHistory(m_writer.GetPath(), m_strUnreadable);
}

bool LessonHistory::Forget(bool bReplaceForeign)
{
    return m_writer.Forget(bReplaceForeign);
}

namespace
{

// A path for the user to read: a byte that is no part of UTF-8 taken as the Latin-1 it
// most likely is.
std::string ReadablePath(const std::string& strPath)
{
    std::string strText;
    char32_t ch = 0;
    for (std::size_t i = 0; i < strPath.size();)
    {
        const std::size_t nLength = DecodeUtf8(std::string_view(strPath).substr(i), ch);
        strText += nLength > 0 ? strPath.substr(i, nLength) : Latin1ToUtf8(strPath.substr(i, 1));
        i += std::max<std::size_t>(nLength, 1);
    }
    return strText;
}

} // namespace

std::string LessonHistory::GetUnreadableText(bool bAdvice) const
{
    std::string strText = "Your history cannot be read: " + ReadablePath(m_writer.GetPath()) + "\n(" +
                          m_strUnreadable + ").";
    if (!bAdvice)
        return strText;
    strText += "\n\nIt is left as it is, and no answers are added to it. ";
    if (m_lastState == HistoryState::Foreign)
        return strText + "To keep what it holds, move it elsewhere; Lesson > Forget History... replaces it "
                         "with an empty history.";
    return strText + "Make it a file you can read and write, or move it elsewhere for Taldrin to start "
                     "a new one.";
}

std::string HistoryDirectionName(std::size_t nDirection)
{
    if (nDirection >= kDirectionCount)
        return std::string();
    const Direction& direction = kDirections[nDirection];
    return std::string(VerbFormName(direction.PromptForm)) + " > " + VerbFormName(direction.AskedForm);
}
