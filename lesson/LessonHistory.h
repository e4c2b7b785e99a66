// The learner's history as the lesson sees it: every verdict appended to the history
// file, and the summaries read from it when asked for, never at start-up.
#pragma once

#include "history/HistoryFile.h"
#include "history/HistorySummary.h"
#include "lesson/VerdictObserver.h"

#include <functional>
#include <optional>
#include <string>

class LessonHistory : public VerdictObserver
{
public:
    explicit LessonHistory(std::string strPath);

    void OnLessonStart(const std::string& strList, bool bPractice) override;
    void OnVerdict(const Question& question, const std::string& strTyped, bool bRight) override;
    void OnLessonEnd() override;

    // The summary for the list at strList; nothing when the history cannot be read.
    // With no history yet the summary is empty.
    std::optional<HistorySummary> Summarise(const std::string& strList) const;
    // Empties the history; false, with the reason in GetFailure, when it failed.
    bool Forget();
    const std::string& GetFailure() const { return m_writer.GetFailure(); }

    // Told once, at the first answer that could not be kept, with the reason in words.
    std::function<void(const std::string&)> m_fnNotKept;
private:
    static std::string Now();

    HistoryWriter m_writer;
    HistoryEntry m_entry;
    bool m_bToldNotKept = false;
    unsigned m_nLessons = 0;
};

// The direction's text in the history, "Infinitive > Past Tense", from its index in kDirections.
std::string HistoryDirectionName(std::size_t nDirection);
