// The learner's history file: a format line, then one tab-separated line per judged
// answer, only ever appended to. Reading and writing it; what the lines mean to the
// learner is HistorySummary's.
#pragma once

#include "framework/UserFile.h"

#include <functional>
#include <string>
#include <string_view>

constexpr const char* kHistoryFileName = "history.tsv";
// The first line: the format's name and version, tab-separated like the answers.
constexpr std::string_view kHistoryFormatLine = "Taldrin history\t1";

// Ends the lesson field of a lesson of Practise Mistakes.
constexpr std::string_view kPracticeLessonMark = " practice";

// One answer as the file holds it. Texts are UTF-8; the list is a path as the system
// gives it.
struct HistoryEntry
{
    std::string m_strTime;   // ISO 8601 UTC: 2026-12-07T04:12:51Z
    std::string m_strLesson; // the lesson's start, with milliseconds; shared by its answers
    std::string m_strList;
    std::string m_strDirection; // "Infinitive > Past Tense"
    std::string m_strVerb;      // the Infinitive
    std::string m_strExpected;
    std::string m_strTyped;
    bool m_bRight = false;
};

// The line for an entry, with its line feed. A backslash, tab, line feed or carriage
// return inside a text is written as \\, \t, \n or \r, so that every answer is one line.
std::string FormatHistoryLine(const HistoryEntry& entry);
// False for anything but a whole answer line (without its line feed); entry is then
// left in an unspecified state. Reuses entry's strings, so a reader allocates little.
bool ParseHistoryLine(std::string_view line, HistoryEntry& entry);

enum class HistoryState
{
    Missing,   // no history yet: nothing read, and the first answer creates it
    Read,      // every whole answer line was handed on; torn and garbled lines skipped
    Unreadable // there, but not ours to read or write (no permission, not a regular
               // file, another format or version): left alone
};

// Hands every answer of the history at strPath, in file order, to onEntry, reading a
// block at a time: a history of years is never held in memory whole.
HistoryState ReadHistory(const std::string& strPath,
                         const std::function<void(const HistoryEntry&)>& onEntry);

// Appends answers to the history at strPath, one write per line, so that two programs
// at once interleave whole lines. The file is looked at and opened at the first answer,
// never before, under the rules of every user file (UserFile.h): links only where they
// are ours, nothing written to a read-only file. Once a write fails nothing more is tried
// until Forget.
class HistoryWriter
{
public:
    explicit HistoryWriter(std::string strPath);
    HistoryWriter(const HistoryWriter&) = delete;
    HistoryWriter& operator=(const HistoryWriter&) = delete;

    // False when the answer was not kept: the history is unreadable, or could not be
    // created or written (a full disk, a read-only folder).
    bool Append(const HistoryEntry& entry);
    // Makes what was appended durable; false when that failed.
    bool Flush();
    // Empties the history down to its format line; false, with the reason in GetFailure,
    // when a history that is there is not ours or could not be replaced.
    bool Forget();

    const std::string& GetPath() const { return m_strPath; }
    // Why the last answer was not kept, in words for the user; empty while all is well.
    const std::string& GetFailure() const { return m_strFailure; }

private:
    bool Open();

    std::string m_strPath;
    std::string m_strFailure;
    UserFileAppender m_file;
    bool m_bFailed = false;
    // The file ends inside a line a crash cut short: the next line starts a fresh one.
    bool m_bTorn = false;
};
