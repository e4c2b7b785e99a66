#include "history/HistoryFile.h"

#include "framework/Translation.h"
#include "framework/UserFile.h"
#include "verbdata/ListEncoding.h"
#include "verbdata/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iterator>


namespace
{

// A version-1 line lacks the prompt; a version-2 line holds one more field.
constexpr std::size_t kFieldCount = 9;
// A slip: the answer line's first six fields and "slip".
constexpr std::size_t kSlipFieldCount = 7;
// No answer comes near this; a longer run of bytes without a line feed is skipped, so a
// damaged file never makes the reader hold more than this at once.
constexpr std::size_t kMaxLineLength = 1 << 20;
// Room for a byte-order mark, the format line with any version, and a carriage return.
constexpr std::size_t kMaxFormatLength = 64;
constexpr std::string_view kFromInfinitive = "Infinitive >";
// TRANSLATORS: why a history file cannot be used, shown after "Your history cannot be read: FILE".
constexpr const char* kNotAHistory = TR_NOOP("it is not a history of this program's format");

void AppendEscaped(std::string& strLine, const std::string& strText)
{
    for (std::size_t i = 0; i < strText.size();)
    {
        const char c = strText[i];
        char32_t ch = 0;
        const std::size_t nLength = DecodeUtf8(std::string_view(strText).substr(i), ch);
        if (nLength > 1)
        {
            strLine.append(strText, i, nLength);
            i += nLength;
            continue;
        }
        ++i;
        if (nLength == 0)
        {
            strLine += "\\x";
            strLine += "0123456789ABCDEF"[static_cast<unsigned char>(c) >> 4];
            strLine += "0123456789ABCDEF"[c & 15];
            continue;
        }
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

int HexDigit(char c)
{
    return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
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
        case 'x':
            if (i + 2 >= field.size() || HexDigit(field[i + 1]) < 0 || HexDigit(field[i + 2]) < 0)
                return false;
            strText += static_cast<char>(HexDigit(field[i + 1]) << 4 | HexDigit(field[i + 2]));
            i += 2;
            break;
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

// The line without the carriage return a CR LF file ends it with.
std::string_view WithoutCarriageReturn(std::string_view line)
{
    return !line.empty() && line.back() == '\r' ? line.substr(0, line.size() - 1) : line;
}

// The first line of a file's first bytes, without a byte-order mark or line end; false
// when no whole line is among them.
bool FirstLine(std::string_view bytes, std::string_view& line)
{
    if (bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark)
        bytes.remove_prefix(kUtf8ByteOrderMark.size());
    const std::size_t nFeed = bytes.find('\n');
    if (nFeed == std::string_view::npos)
        return false;
    line = WithoutCarriageReturn(bytes.substr(0, nFeed));
    return true;
}

} // namespace

std::string FormatHistoryLine(const HistoryEntry& entry)
{
    std::string strLine;
    strLine.reserve(128);
    for (const std::string* pField : {&entry.m_strTime, &entry.m_strLesson, &entry.m_strList,
                                      &entry.m_strDirection, &entry.m_strVerb, &entry.m_strPrompt,
                                      &entry.m_strExpected, &entry.m_strTyped})
    {
        if (entry.m_bSlip && pField == &entry.m_strExpected)
            return strLine + "slip\n";
        AppendEscaped(strLine, *pField);
        strLine += '\t';
    }
    strLine += entry.m_bRight ? "right\n" : "wrong\n";
    return strLine;
}

bool ParseHistoryLine(std::string_view line, HistoryEntry& entry)
{
    // The fields in one pass; one more than a line may have tells a line of another kind.
    std::string_view fields[kFieldCount + 1];
    std::size_t nFields = 0, nStart = 0;
    for (; nFields <= kFieldCount; ++nFields)
    {
        const std::size_t nTab = line.find('\t', nStart);
        fields[nFields] = line.substr(nStart, nTab - nStart);
        if (nTab == std::string_view::npos)
            break;
        nStart = nTab + 1;
    }
    ++nFields;
    const std::string_view verdict = fields[nFields - 1];
    entry.m_bSlip = nFields == kSlipFieldCount && verdict == "slip";
    if (entry.m_bSlip)
    {
        entry.m_bRight = false;
        entry.m_strExpected.clear();
        entry.m_strTyped.clear();
        std::string* const texts[] = {&entry.m_strTime, &entry.m_strLesson, &entry.m_strList,
                                      &entry.m_strDirection, &entry.m_strVerb, &entry.m_strPrompt};
        for (std::size_t i = 0; i < std::size(texts); ++i)
            if (!Unescape(fields[i], *texts[i]))
                return false;
        return LooksLikeTime(entry.m_strTime) && !entry.m_strVerb.empty() && !entry.m_strDirection.empty();
    }
    if (nFields != kFieldCount && nFields != kFieldCount - 1)
        return false;
    const bool bPrompt = nFields == kFieldCount;
    if (verdict != "right" && verdict != "wrong")
        return false;
    entry.m_bRight = verdict == "right";
    std::string* const texts[kFieldCount - 1] = {
        &entry.m_strTime,   &entry.m_strLesson, &entry.m_strList,     &entry.m_strDirection,
        &entry.m_strVerb,   &entry.m_strPrompt, &entry.m_strExpected, &entry.m_strTyped};
    for (std::size_t i = 0, nField = 0; i < kFieldCount - 1; ++i)
    {
        if (texts[i] == &entry.m_strPrompt && !bPrompt)
            continue;
        if (!Unescape(fields[nField++], *texts[i]))
            return false;
    }
    if (!bPrompt)
    {
        if (entry.m_strDirection.compare(0, kFromInfinitive.size(), kFromInfinitive) == 0)
            entry.m_strPrompt = entry.m_strVerb;
        else
            entry.m_strPrompt.clear();
    }
    return LooksLikeTime(entry.m_strTime) && !entry.m_strVerb.empty() &&
           !entry.m_strDirection.empty();
}

bool IsHistoryFormatLine(std::string_view line)
{
    if (line.size() < kHistoryFormatName.size() + 2 || line.substr(0, kHistoryFormatName.size()) != kHistoryFormatName ||
        line[kHistoryFormatName.size()] != '\t')
        return false;
    const std::string_view version = line.substr(kHistoryFormatName.size() + 1);
    return version.size() <= 9 && version[0] != '0' &&
           std::all_of(version.begin(), version.end(), [](char c) { return c >= '0' && c <= '9'; });
}

namespace
{

// Why a file that did not open as a regular file cannot be read, and whether there is none.
HistoryState NotOpened(const RegularFile& file, std::string* pstrReason)
{
    if (file.GetKind() == RegularFile::Kind::Unopened && file.Error() == ENOENT)
        return HistoryState::Missing;
    if (pstrReason)
        *pstrReason = file.GetKind() != RegularFile::Kind::Unopened ? Tr("it is not a regular file") : std::strerror(file.Error());
    return HistoryState::Unreadable;
}

HistoryState Failed(HistoryState state, std::string_view reason, std::string* pstrReason)
{
    if (pstrReason)
        *pstrReason = reason;
    return state;
}

} // namespace

HistoryState ReadHistory(const std::string& strPath,
                         const std::function<void(const HistoryEntry&)>& onEntry, std::string* pstrReason)
{
    RegularFile file(strPath);
    if (!file.IsOpen())
        return NotOpened(file, pstrReason);

    std::string strBytes;
    std::size_t nPos = 0;
    bool bFormatSeen = false, bSkipping = false;
    HistoryEntry entry;
    for (bool bMore = true; bMore;)
    {
        bMore = file.ReadBlock(strBytes);
        if (!bMore && file.Error() != 0)
            return Failed(HistoryState::Unreadable, std::strerror(file.Error()), pstrReason);
        if (!bFormatSeen && !strBytes.empty())
        {
            std::string_view line;
            if (FirstLine(strBytes, line))
            {
                if (!IsHistoryFormatLine(line))
                    return Failed(HistoryState::Foreign, Tr(kNotAHistory), pstrReason);
                bFormatSeen = true;
                nPos = strBytes.find('\n') + 1;
            }
            else if (strBytes.size() > kMaxFormatLength || !bMore)
                return Failed(HistoryState::Foreign, Tr(kNotAHistory), pstrReason);
            else
                continue;
        }
        for (;;)
        {
            const std::size_t nFeed = strBytes.find('\n', nPos);
            if (nFeed == std::string::npos)
                break;
            const std::string_view line(strBytes.data() + nPos, nFeed - nPos);
            nPos = nFeed + 1;
            if (bSkipping)
                bSkipping = false;
            else if (ParseHistoryLine(WithoutCarriageReturn(line), entry))
                onEntry(entry);
        }
        if (strBytes.size() - nPos > kMaxLineLength)
        {
            bSkipping = true;
            nPos = strBytes.size();
        }
        strBytes.erase(0, nPos);
        nPos = 0;
    }
    // What is left has no line feed: a line a crash cut short.
    return HistoryState::Read;
}

HistoryState LookAtHistory(const std::string& strPath, std::string& strReason)
{
    RegularFile file(strPath);
    if (!file.IsOpen())
        return NotOpened(file, &strReason);
    std::string strStart;
    while (strStart.size() <= kMaxFormatLength && file.ReadBlock(strStart))
    {
    }
    if (file.Error() != 0)
        return Failed(HistoryState::Unreadable, std::strerror(file.Error()), &strReason);
    std::string_view line;
    if (strStart.empty() || (FirstLine(strStart, line) && IsHistoryFormatLine(line)))
        return HistoryState::Read;
    return Failed(HistoryState::Foreign, Tr(kNotAHistory), &strReason);
}

HistoryWriter::HistoryWriter(std::string strPath) : m_strPath(std::move(strPath)) {}

// The history is written only where the user's file rules allow it and only when it
// reads as ours (of any version, or empty): a file of another format, or one that cannot
// be read, is the user's and stays as it is.
bool HistoryWriter::Open()
{
    const std::string strFormat = std::string(kHistoryFormatLine) + '\n';
    std::string strHead;
    bool bEndsInLine = true;
    m_strFailure = m_file.Open(m_strPath, strFormat, kMaxFormatLength, strHead, bEndsInLine);
    std::string_view line;
    m_strBefore.clear();
    if (!m_strFailure.empty())
        return false;
    if (strHead.empty())
        m_strBefore = strFormat;
    else if (!FirstLine(strHead, line) || !IsHistoryFormatLine(line))
    {
        // Short, for the status bar: the file by its name, as the user finds it.
        // TRANSLATORS: {1} is the file's name.
        m_strFailure = FillIn(Tr("{1} is not a Taldrin history"), {std::filesystem::path(m_strPath).filename().string()});
        m_file.Close();
    }
    else if (!bEndsInLine)
        m_strBefore = "\n";
    return m_file.IsOpen();
}

bool HistoryWriter::Append(const HistoryEntry& entry)
{
    const UserFileId atPath = IdentifyUserFile(m_strPath);
    // A file that could not be written is not tried again while it is there; where none
    // could be made, the next answer tries afresh.
    if (m_bFailed && atPath == m_failedAt && atPath != UserFileId())
        return false;
    m_bFailed = false;
    // Deleted, replaced or forgotten by another program since it was opened: the answer
    // goes to the history that is there now.
    if (m_file.IsOpen() && m_file.GetId() != atPath)
        m_file.Close();
    if (!m_file.IsOpen() && !Open())
    {
        m_bFailed = true;
        m_failedAt = atPath;
        return false;
    }
    m_strFailure = m_file.Append(m_strBefore + FormatHistoryLine(entry));
    if (!m_strFailure.empty())
    {
        m_bFailed = true;
        m_failedAt = atPath;
        m_file.Close();
        return false;
    }
    m_strBefore.clear();
    return true;
}

bool HistoryWriter::Flush()
{
    return m_file.Sync();
}

// The history is emptied, not unlinked: a link to it stays a link, the file keeps its
// mode, and a file of another format is not touched unless the user said so. Other
// programs appending to it see another file at the path and open that one.
bool HistoryWriter::Forget(bool bReplaceForeign)
{
    m_file.Close();
    m_bFailed = false;
    m_strBefore.clear();
    m_strFailure.clear();
    const HistoryState state = LookAtHistory(m_strPath, m_strFailure);
    if (state == HistoryState::Missing)
        return true;
    if (state == HistoryState::Unreadable || (state == HistoryState::Foreign && !bReplaceForeign))
        return false;
    m_strFailure = ReplaceUserFile(m_strPath, std::string(kHistoryFormatLine) + '\n', 0600);
    return m_strFailure.empty();
}
