// The learner's history as the lesson sees it: every verdict appended to the history
// file, and the summaries read from it when asked for, never at start-up.
#pragma once

#include "history/HistoryFile.h"
#include "history/HistorySummary.h"
#include "lesson/VerdictObserver.h"
#include "verbdata/QuestionPool.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class LessonHistory : public VerdictObserver
{
public:
    explicit LessonHistory(std::string strPath);

    void OnLessonStart(const std::string& strList, bool bPractice) override;
    void OnVerdict(const Question& question, const std::string& strTyped, bool bRight) override;
    void OnLessonEnd() override;

    // The summary for the list at strList, read afresh; nullptr when the history cannot be
    // read, and GetUnreadableText then says so for the user. With no history yet the summary
    // is empty. It is kept, and the answers and slips kept from now on go into it as well,
    // until the next Summarise or Forget.
    const HistorySummary* Summarise(const std::string& strList);
    // The summary kept, when it is for strList; else read as Summarise does.
    const HistorySummary* Current(const std::string& strList);
    // Whether the last answer was wrong and not yet called a slip.
    bool CanMarkSlip() const { return m_bSlipPossible; }
    // Adds a slip line for the last answer: it was wrong only by a slip of the fingers.
    // False when there is none to mark or the line was not kept.
    bool MarkSlip();
    // Whether the history is ours, without reading its answers; GetUnreadableText tells
    // the user about one that is not.
    HistoryState LookAt();
    // Empties the history, and replaces one that is no history with bReplaceForeign;
    // false, with the reason in GetFailure, when it failed.
    bool Forget(bool bReplaceForeign = false);
    const std::string& GetFailure() const { return m_writer.GetFailure(); }
    const std::string& GetPath() const { return m_writer.GetPath(); }
    // After Summarise or LookAt found the history unreadable: the file and why, in UTF-8;
    // with bAdvice what to do as well.
    std::string GetUnreadableText(bool bAdvice = true) const;

    // Told at the first answer that could not be kept, with the reason in words; and once
    // answers are kept again (another program forgot the history, say), with an empty one.
    std::function<void(const std::string&)> m_fnNotKept;
    // Told when a lesson ended, was given up or left.
    std::function<void()> m_fnLessonEnded;
private:
    static std::string Now();

    HistoryWriter m_writer;
    HistoryEntry m_entry;
    bool m_bToldNotKept = false;
    HistoryState m_lastState = HistoryState::Missing;
    std::string m_strUnreadable; // why the history was last found unreadable
    unsigned m_nLessons = 0;
    std::optional<HistorySummary> m_live;
    std::string m_strLiveList;
    bool m_bSlipPossible = false;
};

// The list's questions as the history names them: UTF-8, the direction by its name.
std::vector<HistoryQuestion> HistoryQuestionsOf(const QuestionPool& pool);

// The direction's text in the history, "Infinitive > Past Tense", from its index in kDirections.
std::string HistoryDirectionName(std::size_t nDirection);
