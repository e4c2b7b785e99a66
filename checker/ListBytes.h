// The bytes of a verb list, for what the reader's Latin-1 text no longer shows: line ends,
// encodings, and characters that look like others or like nothing.
#pragma once

#include "checker/Findings.h"

#include <cstddef>
#include <string>
#include <vector>

// The bytes of a list as the lesson takes them: read only from a regular file, opened
// without waiting; without a byte-order mark. Lines end as the reader ends them.
class ListBytes
{
public:
    // Empty when the file was read to its end; else why not, with m_nErrorLine the line
    // the reading stopped in (0 when nothing could be read).
    std::string Read(const std::string& strPath);
    // For lists already in memory.
    void Assign(std::string strBytes);

    bool IsUtf16() const; // by its byte-order mark
    bool IsUtf8() const { return m_bUtf8; } // as the lesson decides
    // Lines end with CR alone, as old Mac editors saved them.
    bool HasCrLineEnds() const;

    std::size_t LineCount() const { return m_lineEnds.size(); }
    // Line nLine (from 1) without its line feed and a CR before it; empty past the end.
    std::string Line(std::size_t nLine) const;

    std::size_t m_nErrorLine = 0;

private:
    std::string m_strBytes;
    std::vector<std::size_t> m_lineEnds; // where each line's line feed is, or the end
    bool m_bUtf8 = false;
};

// Findings on the file as a whole: UTF-16, CR line ends, a UTF-8 list with stray bytes.
// False when the file's lines cannot be taken as such, and other findings would mislead.
bool CheckEncoding(const ListBytes& bytes, Findings& findings);

// Findings on the characters of a form line: strBytes is the line in the file.
void CheckCharacters(std::size_t nLine, const std::string& strBytes, bool bUtf8, Findings& findings);
