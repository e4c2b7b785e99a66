#include "history/HistoryFile.h"

#include "framework/UserFile.h"
#include "verbdata/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>


namespace
{

constexpr std::size_t kFieldCount = 8;
// No answer comes near this; a longer run of bytes without a line feed is skipped, so a
// damaged file never makes the reader hold more than this at once.
constexpr std::size_t kMaxLineLength = 1 << 20;

void AppendEscaped(std::string& strLine, const std::string& strText)
{
    for (const char c : strText)
    {
        switch (c)
        {
        case '\\': strLine += "\\\\"; break;
        case '\t': strLine += "\\t"; break;
        case '\n': strLine += "\\n"; break;
        case '\r': strLine += "\\r"; break;
        default: strLine += c;
        }
    }
}

// False for a backslash that starts no escape.
bool Unescape(std::string_view field, std::string& strText)
{
    // Most fields hold no escape at all, and many the same text as on the line before:
    // one copy, or none.
    std::size_t i = field.find('\\');
    if (i == std::string_view::npos && field == strText)
        return true;
    strText.assign(field.data(), std::min(i, field.size()));
    for (; i < field.size(); ++i)
    {
        if (field[i] != '\\')
        {
            strText += field[i];
            continue;
        }
        if (++i == field.size())
            return false;
        switch (field[i])
        {
        case '\\': strText += '\\'; break;
        case 't': strText += '\t'; break;
        case 'n': strText += '\n'; break;
        case 'r': strText += '\r'; break;
        default: return false;
        }
    }
    return true;
}

// 2026-12-07T04:12:51Z: enough of a look to tell a line from garbage.
bool LooksLikeTime(std::string_view field)
{
    return field.size() == 20 && field[4] == '-' && field[10] == 'T' && field[19] == 'Z';
}

} // namespace

std::string FormatHistoryLine(const HistoryEntry& entry)
{
    std::string strLine;
    strLine.reserve(128);
    for (const std::string* pField : {&entry.m_strTime, &entry.m_strLesson, &entry.m_strList,
                                      &entry.m_strDirection, &entry.m_strVerb,
                                      &entry.m_strExpected, &entry.m_strTyped})
    {
        AppendEscaped(strLine, *pField);
        strLine += '\t';
    }
    strLine += entry.m_bRight ? "right\n" : "wrong\n";
    return strLine;
}

bool ParseHistoryLine(std::string_view line, HistoryEntry& entry)
{
    std::string* const fields[kFieldCount - 1] = {
        &entry.m_strTime, &entry.m_strLesson,  &entry.m_strList, &entry.m_strDirection,
        &entry.m_strVerb, &entry.m_strExpected, &entry.m_strTyped};
    std::size_t nStart = 0;
    for (std::string* pField : fields)
    {
        const std::size_t nTab = line.find('\t', nStart);
        if (nTab == std::string_view::npos ||
            !Unescape(line.substr(nStart, nTab - nStart), *pField))
            return false;
        nStart = nTab + 1;
    }
    const std::string_view verdict = line.substr(nStart);
    if (verdict != "right" && verdict != "wrong")
        return false;
    entry.m_bRight = verdict == "right";
    return LooksLikeTime(entry.m_strTime) && !entry.m_strVerb.empty() &&
           !entry.m_strDirection.empty();
}

HistoryState ReadHistory(const std::string& strPath,
                         const std::function<void(const HistoryEntry&)>& onEntry)
{
    RegularFile file(strPath);
    if (!file.IsOpen())
        return file.GetKind() == RegularFile::Kind::Unopened && file.Error() == ENOENT
                   ? HistoryState::Missing
                   : HistoryState::Unreadable;

    std::string strBytes;
    std::size_t nPos = 0;
    bool bFormatSeen = false, bSkipping = false;
    HistoryEntry entry;
    for (bool bMore = true; bMore;)
    {
        bMore = file.ReadBlock(strBytes);
        if (!bMore && file.Error() != 0)
            return HistoryState::Unreadable;
        for (;;)
        {
            const std::size_t nFeed = strBytes.find('\n', nPos);
            if (nFeed == std::string::npos)
                break;
            const std::string_view line(strBytes.data() + nPos, nFeed - nPos);
            nPos = nFeed + 1;
            if (bSkipping)
                bSkipping = false;
            else if (!bFormatSeen)
            {
                if (line != kHistoryFormatLine)
                    return HistoryState::Unreadable;
                bFormatSeen = true;
            }
            else if (ParseHistoryLine(line, entry))
                onEntry(entry);
        }
        if (!bFormatSeen && strBytes.size() - nPos > kHistoryFormatLine.size())
            return HistoryState::Unreadable;
        if (strBytes.size() - nPos > kMaxLineLength)
        {
            bSkipping = true;
            nPos = strBytes.size();
        }
        strBytes.erase(0, nPos);
        nPos = 0;
    }
    // What is left has no line feed: a line a crash cut short, or a format line that
    // never was one.
    if (!bFormatSeen && !strBytes.empty())
        return HistoryState::Unreadable;
    return HistoryState::Read;
}

HistoryWriter::HistoryWriter(std::string strPath) : m_strPath(std::move(strPath)) {}

// The history is written only where the user's file rules allow it and only when it
// reads as ours: a file of another format, or one that cannot be read, is the user's and
// stays as it is.
bool HistoryWriter::Open()
{
    const std::string strFormat = std::string(kHistoryFormatLine) + '\n';
    std::string strHead;
    bool bEndsInLine = true;
    m_strFailure = m_file.Open(m_strPath, strFormat, strFormat.size(), strHead, bEndsInLine);
    if (m_strFailure.empty() && strHead != strFormat)
    {
        m_strFailure = "it is not a history of this program's format";
        m_file.Close();
    }
    m_bTorn = !bEndsInLine;
    return m_file.IsOpen();
}

bool HistoryWriter::Append(const HistoryEntry& entry)
{
    if (m_bFailed)
        return false;
    if (!m_file.IsOpen() && !Open())
    {
        m_bFailed = true;
        return false;
    }
    std::string strLine = FormatHistoryLine(entry);
    if (m_bTorn)
        strLine.insert(0, 1, '\n');
    m_strFailure = m_file.Append(strLine);
    if (!m_strFailure.empty())
    {
        m_bFailed = true;
        m_file.Close();
        return false;
    }
    m_bTorn = false;
    return true;
}

bool HistoryWriter::Flush()
{
    return m_file.Sync();
}

// The history is emptied, not unlinked: a link to it stays a link, the file keeps its
// mode, and a file of another format is not touched.
bool HistoryWriter::Forget()
{
    m_file.Close();
    m_bFailed = false;
    m_bTorn = false;
    m_strFailure.clear();
    RegularFile file(m_strPath);
    if (!file.IsOpen() && file.GetKind() == RegularFile::Kind::Unopened && file.Error() == ENOENT)
        return true;
    std::string strStart;
    const std::string strFormat = std::string(kHistoryFormatLine) + '\n';
    while (strStart.size() < strFormat.size() && file.ReadBlock(strStart))
    {
    }
    if (strStart.compare(0, strFormat.size(), strFormat) != 0)
        m_strFailure = file.Error() != 0 ? std::strerror(file.Error()) : "it is not a history of this program's format";
    else
        m_strFailure = ReplaceUserFile(m_strPath, strFormat, 0600);
    return m_strFailure.empty();
}
