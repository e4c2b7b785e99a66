#include "lesson/LessonHistory.h"

#include "verbdata/DirectionSet.h"
#include "verbdata/ListEncoding.h"
#include "verbdata/RegularFile.h"

#include "framework/Translation.h"
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
    m_bSlipPossible = false;
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
    m_bSlipPossible = bKept && !bRight;
    if (bKept && m_live)
        m_live->Add(m_entry);
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
    m_bSlipPossible = false;
    if (m_fnLessonEnded)
        m_fnLessonEnded();
}

bool LessonHistory::MarkSlip()
{
    if (!m_bSlipPossible)
        return false;
    m_bSlipPossible = false;
    HistoryEntry slip = m_entry;
    slip.m_strTime = Now();
    slip.m_bSlip = true;
    if (!m_writer.Append(slip))
        return false;
    if (m_live)
        m_live->Add(slip);
    return true;
}

const HistorySummary* LessonHistory::Summarise(const std::string& strList)
{
    m_live.reset();
    HistorySummary summary(strList);
    m_lastState = ReadHistory(
        m_writer.GetPath(), [&](const HistoryEntry& entry) { summary.Add(entry); }, &m_strUnreadable);
    if (m_lastState == HistoryState::Unreadable || m_lastState == HistoryState::Foreign)
        return nullptr;
    m_live = std::move(summary);
    m_strLiveList = strList;
    return &*m_live;
}

const HistorySummary* LessonHistory::Current(const std::string& strList)
{
    return m_live && m_strLiveList == strList ? &*m_live : Summarise(strList);
}

HistoryState LessonHistory::LookAt()
{
    return m_lastState = LookAtHistory(m_writer.GetPath(), m_strUnreadable);
}

bool LessonHistory::Forget(bool bReplaceForeign)
{
    m_live.reset();
    m_bSlipPossible = false;
    return m_writer.Forget(bReplaceForeign);
}

std::string LessonHistory::GetUnreadableText(bool bAdvice) const
{
    // TRANSLATORS: {1} is the history's file, {2} why it cannot be read.
    std::string strText =
        FillIn(Tr("Your history cannot be read: {1}\n({2})."), {ReadableText(m_writer.GetPath()), ReadableText(m_strUnreadable)});
    if (!bAdvice)
        return strText;
    strText += "\n\n";
    if (m_lastState == HistoryState::Foreign)
        // TRANSLATORS: the menu path is the menus' own translation.
        return strText + Tr("It is left as it is, and no answers are added to it. To keep what it holds, move it "
                            "elsewhere; Lesson > Forget History... replaces it with an empty history.");
    return strText + Tr("It is left as it is, and no answers are added to it. Make it a file you can read and "
                        "write, or move it elsewhere for Taldrin to start a new one.");
}

std::string HistoryDirectionName(std::size_t nDirection)
{
    if (nDirection >= kDirectionCount)
        return std::string();
    const Direction& direction = kDirections[nDirection];
    return std::string(VerbFormName(direction.PromptForm)) + " > " + VerbFormName(direction.AskedForm);
}

std::vector<HistoryQuestion> HistoryQuestionsOf(const QuestionPool& pool)
{
    std::vector<HistoryQuestion> questions;
    questions.reserve(pool.size());
    for (const Question& question : pool)
        questions.push_back(HistoryQuestion{Latin1ToUtf8(question.m_strVerb), HistoryDirectionName(question.m_nDirection),
                                            Latin1ToUtf8(question.m_strPrompt), Latin1ToUtf8(question.m_strExpected)});
    return questions;
}
