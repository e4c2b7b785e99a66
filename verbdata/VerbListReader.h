// Reads a verb list into questions: the header, the four-line verb records, the group
// filter and the rules that drop records. Knows nothing of files or of the lesson.
#pragma once

#include "verbdata/DirectionSet.h"
#include "verbdata/GroupSet.h"
#include "verbdata/QuestionPool.h"

#include <cstddef>
#include <istream>

// A longer line stops the reading; a 59-character line followed by its line feed is fine.
constexpr std::size_t kMaxLineLength = 59;

enum class VerbListEnd
{
    EndOfFile,    // the whole stream was read
    LineTooLong,  // a line held more than kMaxLineLength characters
    StreamFailed, // the stream was unusable before the first read
    OutOfMemory   // memory ran out; see ReadVerbList
};

// Appends one question per enabled direction of every record that passes the filters,
// in file order and direction order; the pool is not cleared first. Reading stops at
// the first failure, keeping the questions of the records completed before it.
// With bAlternativeFile set, records of every group are taken. When memory runs out the
// pool keeps the questions read so far, less a few at the end, which leave room for the
// copies of wrongly answered questions.
VerbListEnd ReadVerbList(std::istream& in, bool bAlternativeFile, const DirectionSet& directions,
                         const GroupSet& groups, QuestionPool& pool);
