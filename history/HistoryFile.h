// The learner's history file: a format line, then one tab-separated line per judged
// answer, only ever appended to. Reading and writing it; what the lines mean to the
// learner is HistorySummary's.
#pragma once

#include "framework/UserFile.h"

#include <functional>
#include <string>
#include <string_view>

constexpr const char* kHistoryFileName = "history.tsv";
// The first line: the format's name, a tab and the version of the program that began
// the file. This program begins its files with version 3 and reads every version: a
// version may add kinds of line, which older readers skip, but never change one.
constexpr std::string_view kHistoryFormatName = "Taldrin history";
constexpr std::string_view kHistoryFormatLine = "Taldrin history\t3";

// Ends the lesson field of a lesson of Practise Mistakes.
constexpr std::string_view kPracticeLessonMark = " practice";

// One answer as the file holds it. Texts are UTF-8; the list is a path as the system
// gives it, which may be any bytes.
struct HistoryEntry
{
    std::string m_strTime;   // ISO 8601 UTC: 2026-12-07T04:12:51Z
    std::string m_strLesson; // the lesson's start, with milliseconds; shared by its answers
    std::string m_strList;
    std::string m_strDirection; // "Infinitive > Past Tense"
    std::string m_strVerb;      // the Infinitive
    // What was asked; empty where a version-1 line does not tell (it is the Infinitive
    // for a direction from the Infinitive, and is read so).
    std::string m_strPrompt;
    std::string m_strExpected;
    std::string m_strTyped;
    bool m_bRight = false;
    // A slip line (version 3): the wrong answer just given to this question in this lesson
    // was a typing slip. It holds no expected or typed text and no verdict.
    bool m_bSlip = false;
};

// The line for an entry, with its line feed: time, lesson, list, direction, verb, prompt,
// expected, typed, verdict. A backslash, tab, line feed or carriage return inside a text
// is written as \\, \t, \n or \r, and a byte that is no part of valid UTF-8 (a file name
// in another encoding) as \x and two hex digits, so that every answer is one line of
// UTF-8 that reads back to the same bytes. A slip has 7 fields: time, lesson, list,
// direction, verb, prompt and "slip".
std::string FormatHistoryLine(const HistoryEntry& entry);
// False for anything but a whole answer line of version 1 (no prompt) or 2, or a slip, without its
// line end; entry is then left in an unspecified state. Reuses entry's strings, so a
// reader allocates little.
bool ParseHistoryLine(std::string_view line, HistoryEntry& entry);
// "Taldrin history", a tab and a version from 1 up.
bool IsHistoryFormatLine(std::string_view line);

enum class HistoryState
{
    Missing,    // no history yet: nothing read, and the first answer creates it
    Read,       // every whole answer line was handed on; torn, garbled and unknown lines
                // skipped. An empty file is a history without answers.
    Unreadable, // there, but not ours to read or write (no permission, not a regular
                // file): left alone
    Foreign     // a file that reads, but no history of this program's format: left alone
                // until Forget is told to replace it
};

// Hands every answer of the history at strPath, in file order, to onEntry, reading a
// block at a time: a history of years is never held in memory whole. Lines may end in
// CR LF, and the file may start with a UTF-8 byte-order mark (a spreadsheet's round trip).
// When the history is Unreadable or Foreign, pstrReason (if given) receives why, in words.
HistoryState ReadHistory(const std::string& strPath,
                         const std::function<void(const HistoryEntry&)>& onEntry,
                         std::string* pstrReason = nullptr);
// As ReadHistory, from the format line alone.
HistoryState LookAtHistory(const std::string& strPath, std::string& strReason);

// Appends answers to the history at strPath, one write per line, so that two programs
// at once interleave whole lines. The file is looked at and opened at the first answer,
// never before, under the rules of every user file (UserFile.h): links only where they
// are ours, nothing written to a read-only file. Before each answer it makes sure the
// file at the path is still the one it holds, and opens it afresh when it is not (deleted,
// replaced, forgotten by another program). Once an answer could not be kept nothing more
// is tried until Forget or until another file lies at the path.
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
    // when a history that is there is not ours or could not be replaced. A Foreign file is
    // replaced only with bReplaceForeign.
    bool Forget(bool bReplaceForeign = false);

    const std::string& GetPath() const { return m_strPath; }
    // Why the last answer was not kept, in words for the user; empty while all is well.
    const std::string& GetFailure() const { return m_strFailure; }

private:
    bool Open();

    std::string m_strPath;
    std::string m_strFailure;
    UserFileAppender m_file;
    bool m_bFailed = false;
    UserFileId m_failedAt; // what lay at the path when an answer was last not kept
    // What the next line needs before it: a line feed ending a line a crash cut short, or
    // the format line of an empty file.
    std::string m_strBefore;
};
