// Reads a verb list into questions: the header, the four-line verb records, the group
// filter and the rules that drop records. Knows nothing of files or of the lesson.
#pragma once

#include "verbdata/DirectionSet.h"
#include "verbdata/GroupSet.h"
#include "verbdata/QuestionPool.h"

#include <array>
#include <cstddef>
#include <istream>
#include <string>

// A longer line stops the reading; a 59-character line followed by its line feed is fine.
constexpr std::size_t kMaxLineLength = 59;

enum class VerbListEnd
{
    EndOfFile,    // the whole stream was read
    LineTooLong,  // a line held more than kMaxLineLength characters
    StreamFailed, // the stream was unusable before the first read
    OutOfMemory   // memory ran out; see ReadVerbList
};

// A record as the reader took it, for tools that tell an author what a lesson makes of a list.
struct VerbRecordSeen
{
    std::size_t m_nLine = 0;  // the line of its tag, counted from 1
    std::size_t m_nLines = 0; // lines of it the list holds: fewer than four when the list ends inside it
    std::string m_strTag;
    std::array<std::string, kVerbFormCount> m_forms; // by VerbForm; a line past the end reads as empty
    bool m_bGroupTaken = false; // false: its group was not chosen; then nothing below was tried
    bool m_bEmptyForm = false;  // dropped for an empty form
    std::array<bool, kDirectionCount> m_bAsked{}; // which directions gave a question
    std::size_t m_nStopDirection = kDirectionCount; // the direction whose "/" prompt ended it
};

// Watches one reading; the lesson reads without one.
class VerbListObserver
{
public:
    virtual ~VerbListObserver() = default;
    // The header has ended at nLine, with its title at nTitleLine; not called when it
    // never does.
    virtual void OnHeaderEnd(std::size_t nTitleLine, std::size_t nLine) = 0;
    virtual void OnRecord(const VerbRecordSeen& record) = 0;
    // How the reading ended, once it had begun and unless memory ran out: nLine is the line
    // too long, else the last line; nRecordLine the tag line of a record left unfinished.
    virtual void OnEnd(VerbListEnd end, std::size_t nLine, std::size_t nRecordLine) = 0;
};

// Appends one question per enabled direction of every record that passes the filters,
// in file order and direction order; the pool is not cleared first. Reading stops at
// the first failure, keeping the questions of the records completed before it.
// With bAlternativeFile set, records of every group are taken. When memory runs out the
// pool keeps the questions read so far, less a few at the end, which leave room for the
// copies of wrongly answered questions.
VerbListEnd ReadVerbList(std::istream& in, bool bAlternativeFile, const DirectionSet& directions,
                         const GroupSet& groups, QuestionPool& pool,
                         VerbListObserver* pObserver = nullptr);
