#include "history/HistoryFile.h"

#include "framework/UserFile.h"
#include "verbdata/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Creates the folders of strPath that are missing, for the user alone.
void CreateFolders(const std::string& strPath)
{
    for (std::size_t i = strPath.find('/', 1); i != std::string::npos; i = strPath.find('/', i + 1))
        ::mkdir(strPath.substr(0, i).c_str(), 0700);
}

bool WriteAll(int fd, std::string_view bytes)
{
    // One write: O_APPEND puts the whole line at the end in one step. A short write
    // (a disk filling up) leaves a torn line, which readers skip.
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n >= 0 && n < static_cast<ssize_t>(bytes.size()))
        errno = ENOSPC;
    return n == static_cast<ssize_t>(bytes.size());
}

// A new history holding only its format line, put in place whole: written to a file
// of this process's own, then linked under the history's name, which fails rather than
// replace a history another program created meanwhile.
bool CreateHistory(const std::string& strPath)
{
    const std::string strTemporary = strPath + ".tmp." + std::to_string(::getpid());
    const int fd = ::open(strTemporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const std::string strFormat = std::string(kHistoryFormatLine) + '\n';
    const bool bWritten = WriteAll(fd, strFormat) && ::fsync(fd) == 0;
    ::close(fd);
    const bool bLinked = bWritten && (::link(strTemporary.c_str(), strPath.c_str()) == 0 || errno == EEXIST);
    ::unlink(strTemporary.c_str());
    return bLinked;
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

HistoryWriter::~HistoryWriter()
{
    Close();
}

void HistoryWriter::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

// The history is written only where the user's file rules allow it and only when it
// reads as ours: a file of another format, or one that cannot be read, is the user's and
// stays as it is.
bool HistoryWriter::Open()
{
    for (int nTry = 0; nTry < 2; ++nTry)
    {
        std::filesystem::path target;
        bool bExists = false, bLinked = false;
        m_strFailure = ResolveUserFile(m_strPath, target, bExists, bLinked);
        if (!m_strFailure.empty())
            return false;
        if (!bExists)
        {
            CreateFolders(target.string());
            if (!CreateHistory(target.string()))
            {
                m_strFailure = std::strerror(errno);
                return false;
            }
            continue;
        }
        const int fdRead = ::open(target.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fdRead < 0)
        {
            m_strFailure = std::strerror(errno);
            return false;
        }
        struct stat st;
        std::string strStart(kHistoryFormatLine.size() + 1, '\0');
        const bool bOurs = ::fstat(fdRead, &st) == 0 && S_ISREG(st.st_mode) &&
                           ::pread(fdRead, &strStart[0], strStart.size(), 0) ==
                               static_cast<ssize_t>(strStart.size()) &&
                           strStart == std::string(kHistoryFormatLine) + '\n';
        char cLast = '\n';
        if (bOurs && ::pread(fdRead, &cLast, 1, st.st_size - 1) != 1)
            cLast = '\0';
        ::close(fdRead);
        if (!bOurs)
        {
            m_strFailure = "it is not a history of this program's format";
            return false;
        }
        m_fd = ::open(target.c_str(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        struct stat stWrite;
        // The file checked must be the file opened: a rename in between would make us
        // append to something unread.
        if (m_fd < 0)
            m_strFailure = std::strerror(errno);
        else if (::fstat(m_fd, &stWrite) != 0 || stWrite.st_ino != st.st_ino || stWrite.st_dev != st.st_dev)
        {
            m_strFailure = "it was replaced while being opened";
            Close();
        }
        m_bTorn = cLast != '\n';
        return m_fd >= 0;
    }
    return false;
}

bool HistoryWriter::Append(const HistoryEntry& entry)
{
    if (m_bFailed)
        return false;
    if (m_fd < 0 && !Open())
    {
        m_bFailed = true;
        return false;
    }
    std::string strLine = FormatHistoryLine(entry);
    if (m_bTorn)
        strLine.insert(0, 1, '\n');
    if (!WriteAll(m_fd, strLine))
    {
        m_strFailure = std::strerror(errno);
        m_bFailed = true;
        Close();
        return false;
    }
    m_bTorn = false;
    return true;
}

bool HistoryWriter::Flush()
{
    return m_fd < 0 || ::fsync(m_fd) == 0;
}

// The history is emptied, not unlinked: a link to it stays a link, the file keeps its
// mode, and a file of another format is not touched.
bool HistoryWriter::Forget()
{
    Close();
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
