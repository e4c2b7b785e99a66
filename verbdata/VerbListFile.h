// Reads a verb list file: opens it without ever waiting, and hands its text, converted to
// Latin-1 when it is UTF-8, to the verb list reader. Where the file lies is the caller's.
#pragma once

#include "verbdata/VerbListReader.h"

#include <string>
#include <string_view>

class RegularFile;

// Reads a verb list file into the pool (as ReadVerbList): only a regular file is opened,
// and never in a way that blocks on a pipe or device (O_NONBLOCK + fstat). Its bytes, read
// whole up to a line too long, are decoded as DetectListEncoding says, and a UTF-8
// byte-order mark at the start is dropped.
// The line limit applies to the Latin-1 line. A file that cannot be opened reads as holding
// no records (StreamFailed); running out of memory ends the reading (OutOfMemory).
VerbListEnd ReadVerbListFile(const std::string& strPath, bool bAlternativeFile,
                             const DirectionSet& directions, const GroupSet& groups,
                             QuestionPool& pool, VerbListObserver* pObserver = nullptr);

// The bytes of an open list file as a lesson takes them: up to its end, or up to a line too
// long in either encoding. That line stops the reading anyway, and stands in the result as
// a line too long of plain ASCII, so that the encoding is decided by the bytes the reader
// will take; pCut, when given, is then set.
std::string ReadListBytes(RegularFile& file, bool* pCut = nullptr);

// The same for bytes already read whole: the bytes a lesson takes of them.
std::string LessonBytes(std::string strBytes, bool* pCut = nullptr);

// Reads the bytes of a list file (as ReadListBytes gives them) into the pool as
// ReadVerbListFile does, without copying them unless they are UTF-8.
VerbListEnd ReadVerbListText(std::string_view text, bool bAlternativeFile,
                             const DirectionSet& directions, const GroupSet& groups,
                             QuestionPool& pool, VerbListObserver* pObserver = nullptr);
