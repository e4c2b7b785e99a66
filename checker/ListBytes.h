// The bytes of a verb list, for what the reader's Latin-1 text no longer shows: line ends,
// encodings, and characters that look like others or like nothing.
#pragma once

#include "checker/Findings.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The bytes of a list as far as a lesson reads them: from a regular file, opened without
// waiting, up to the first line too long in any encoding, which stands there as the lesson
// has it. What follows is only counted, on demand.
class ListBytes
{
public:
    // Empty when the file was read; else why not, with m_nErrorLine the line the reading
    // stopped in (0 when nothing could be read).
    std::string Read(const std::string& strPath);
    // The same for the bytes of a list held in memory, whole.
    void Take(std::string strBytes);

    bool IsUtf16() const;                   // by its byte-order mark, or by its zero bytes
    bool IsUtf8() const { return m_bUtf8; } // as the lesson decides
    // Lines end with CR alone, as old Mac editors saved them.
    bool HasCrLineEnds() const;

    // The lines held: the last may be one cut short.
    std::size_t LineCount() const { return m_nLines; }
    // Line nLine (from 1) without its line feed and a CR before it; empty past the end.
    std::string Line(std::size_t nLine) const;
    // The same as the reader takes it: in Latin-1.
    std::string Text(std::size_t nLine) const;
    // Its length in characters, also of a line cut short.
    std::size_t LineLength(std::size_t nLine) const;
    // The blanks (spaces, tabs) at its end, also of a line cut short.
    std::size_t TrailingBlanks(std::size_t nLine) const;

    // Records in the lines from nFrom on, counted as the reader would take them had it gone
    // on: "#" lines where a record may start are comments, every other line starts four;
    // four blank lines are no record. nHeaderState: where the header stands before nFrom,
    // as the reader counts (3: it has ended). Reads the rest of the file for it, a block at
    // a time.
    std::size_t RecordsFrom(std::size_t nFrom, int nHeaderState = 3) const;

    std::size_t m_nErrorLine = 0;

private:
    std::size_t LineStart(std::size_t nLine) const;
    void Index();

public:
    // The bytes for the lesson's reader, a byte-order mark included.
    std::string_view Bytes() const { return m_strBytes; }

private:
    std::string m_strPath;
    std::string m_strWhole; // of a list taken from memory and cut short: all of it
    std::string m_strBytes;     // as a lesson reads them, a line too long cut short
    std::string_view m_text;    // without a byte-order mark
    std::size_t m_nSkipped = 0; // bytes of a byte-order mark before m_text
    std::size_t m_nLines = 0;
    bool m_bCut = false;                  // a line too long was cut short, and the file may go on
    mutable std::size_t m_nCutLength = 0; // characters of the line cut short, once measured
    mutable std::size_t m_nCutBlanks = 0; // blanks at its end
    bool m_bUtf8 = false;
    std::vector<std::size_t> m_index; // where line 64k + 1 starts
    mutable std::size_t m_nCachedLine = 0, m_nCachedStart = 0;
};

// Findings on the file as a whole: UTF-16, CR line ends, a UTF-8 list with stray bytes
// where the UTF-8 shows (bShown: a lesson shows the line). False when the file's lines
// cannot be taken as such, and other findings would mislead.
bool CheckEncoding(const ListBytes& bytes, const std::function<bool(std::size_t)>& bShown,
                   Findings& findings);

// Findings on the characters of a form line: strBytes is the line in the file.
void CheckCharacters(std::size_t nLine, const std::string& strBytes, bool bUtf8,
                     Findings& findings);
