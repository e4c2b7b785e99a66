#include "checker/ListBytes.h"

#include "framework/Translation.h"
#include "verbdata/AnswerText.h"
#include "verbdata/ListEncoding.h"
#include "verbdata/RegularFile.h"
#include "verbdata/VerbListFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace
{

constexpr std::size_t kIndexStep = 64;

// Counts records line by line, as ListBytes::RecordsFrom describes.
class RecordCounter
{
public:
    explicit RecordCounter(int nHeaderState) : m_nHeaderState(nHeaderState) {}

    void Take(bool bHash, bool bEmpty)
    {
        if (m_nHeaderState < 3)
        {
            // 0: "#" lines; 1: past the title; 2: past the first "#" after it.
            m_nHeaderState = m_nHeaderState == 0 ? (bHash ? 0 : 1) : m_nHeaderState + bHash;
            return;
        }
        if (m_nTaken == 0 && bHash)
            return;
        m_bWritten = (m_nTaken > 0 && m_bWritten) || !bEmpty;
        if (++m_nTaken == 4)
            End();
    }
    std::size_t End()
    {
        m_nRecords += m_nTaken > 0 && m_bWritten;
        m_nTaken = 0;
        return m_nRecords;
    }

private:
    int m_nHeaderState;
    std::size_t m_nTaken = 0;
    bool m_bWritten = false;
    std::size_t m_nRecords = 0;
};

// Blanks at the end of n bytes, added to those before them when all n are blanks.
std::size_t BlanksAtEnd(const char* p, std::size_t n, std::size_t nBefore)
{
    std::size_t nBlanks = 0;
    while (nBlanks < n && (p[n - 1 - nBlanks] == ' ' || p[n - 1 - nBlanks] == '\t'))
        ++nBlanks;
    return nBlanks == n ? nBefore + n : nBlanks;
}

std::size_t Utf8Length(const char* p, std::size_t n, bool bUtf8)
{
    std::size_t nLength = 0;
    for (std::size_t i = 0; i < n; ++i)
        nLength += !bUtf8 || (static_cast<unsigned char>(p[i]) & 0xC0) != 0x80;
    return nLength;
}

} // namespace

std::string ListBytes::Read(const std::string& strPath)
{
    m_strPath = strPath;
    RegularFile file(strPath);
    std::string strProblem;
    switch (file.GetKind())
    {
    case RegularFile::Kind::Unopened:
        // TRANSLATORS: {1}: the system's reason, such as "No such file or directory".
        return FillIn(Tr("cannot open: {1}"), {std::strerror(file.Error())});
    case RegularFile::Kind::Directory:
        strProblem = Tr("a directory, not a verb list");
        break;
    case RegularFile::Kind::Other:
        strProblem = Tr("not a regular file: a lesson does not open it");
        break;
    case RegularFile::Kind::Regular:
        m_strBytes = ReadListBytes(file, &m_bCut);
        m_strBytes.shrink_to_fit();
        if (file.Error() != 0)
            strProblem = FillIn(Tr("read error: {1}"), {std::strerror(file.Error())});
        break;
    }
    Index();
    if (file.GetKind() == RegularFile::Kind::Regular && !strProblem.empty())
        m_nErrorLine = LineCount() + (m_text.empty() || m_text.back() == '\n');
    return strProblem;
}

void ListBytes::Take(std::string strBytes)
{
    m_strBytes = LessonBytes(strBytes, &m_bCut);
    if (m_bCut)
        m_strWhole = std::move(strBytes);
    Index();
}

void ListBytes::Index()
{
    m_text = m_strBytes;
    if (m_text.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark)
    {
        m_text.remove_prefix(kUtf8ByteOrderMark.size());
        m_nSkipped = kUtf8ByteOrderMark.size();
    }
    for (std::size_t i = 0; i < m_text.size(); ++m_nLines)
    {
        if (m_nLines % kIndexStep == 0)
            m_index.push_back(i);
        i = std::min(m_text.find('\n', i), m_text.size() - 1) + 1;
    }
    m_bUtf8 = DetectListEncoding(m_text) == ListEncoding::Utf8;
}

bool ListBytes::IsUtf16() const
{
    if (m_strBytes.compare(0, 2, "\xFF\xFE") == 0 || m_strBytes.compare(0, 2, "\xFE\xFF") == 0)
        return true;
    // Without a mark: ASCII letters in UTF-16 put a zero byte beside each one.
    const std::size_t n = std::min<std::size_t>(m_strBytes.size(), 4096) / 2 * 2;
    std::size_t nZeros[2] = {};
    for (std::size_t i = 0; i < n; ++i)
        nZeros[i % 2] += m_strBytes[i] == '\0';
    return n >= 4 && std::max(nZeros[0], nZeros[1]) * 4 >= n;
}

bool ListBytes::HasCrLineEnds() const
{
    return m_text.find('\n') == std::string::npos && m_text.find('\r') != std::string::npos;
}

std::size_t ListBytes::LineStart(std::size_t nLine) const
{
    // Lines are mostly asked for in order: go on from the last one found.
    std::size_t nFrom = (nLine - 1) / kIndexStep * kIndexStep + 1;
    std::size_t nStart = m_index[(nLine - 1) / kIndexStep];
    if (m_nCachedLine != 0 && m_nCachedLine <= nLine && m_nCachedLine >= nFrom)
        nFrom = m_nCachedLine, nStart = m_nCachedStart;
    for (; nFrom < nLine; ++nFrom)
        nStart = m_text.find('\n', nStart) + 1;
    m_nCachedLine = nLine;
    m_nCachedStart = nStart;
    return nStart;
}

std::string ListBytes::Line(std::size_t nLine) const
{
    if (nLine == 0 || nLine > m_nLines)
        return {};
    const std::size_t nStart = LineStart(nLine);
    std::size_t nEnd = std::min(m_text.find('\n', nStart), m_text.size());
    if (nEnd < m_text.size() && nEnd > nStart && m_text[nEnd - 1] == '\r')
        --nEnd;
    return std::string(m_text.substr(nStart, nEnd - nStart));
}

std::string ListBytes::Text(std::size_t nLine) const
{
    if (!m_bUtf8)
        return Line(nLine);
    std::string strLatin1;
    Utf8ToLatin1(Line(nLine), strLatin1);
    return strLatin1;
}

std::size_t ListBytes::LineLength(std::size_t nLine) const
{
    if (m_bCut && nLine == m_nLines)
    {
        if (m_nCutLength == 0)
            RecordsFrom(SIZE_MAX); // which measures it
        return m_nCutLength;
    }
    const std::string strLine = Line(nLine);
    return Utf8Length(strLine.data(), strLine.size(), m_bUtf8);
}

std::size_t ListBytes::TrailingBlanks(std::size_t nLine) const
{
    if (m_bCut && nLine == m_nLines)
    {
        if (m_nCutLength == 0)
            RecordsFrom(SIZE_MAX);
        return m_nCutBlanks;
    }
    const std::string strLine = Line(nLine);
    return BlanksAtEnd(strLine.data(), strLine.size(), 0);
}

std::size_t ListBytes::RecordsFrom(std::size_t nFrom, int nHeaderState) const
{
    RecordCounter counter(nHeaderState);
    if (!m_bCut)
    {
        for (std::size_t nLine = nFrom; nLine <= m_nLines; ++nLine)
        {
            const std::string strLine = Line(nLine);
            counter.Take(strLine.compare(0, 1, "#") == 0, strLine.empty());
        }
        return counter.End();
    }
    // The file goes on past what is held: read it again, a block at a time, keeping of each
    // line only its first two bytes, and measure the line cut short.
    RegularFile file(m_strWhole.empty() ? m_strPath : std::string());
    m_nCutBlanks = 0;
    bool bWholeGiven = false;
    const auto ReadBlock = [&](std::string& strBlock)
    {
        if (m_strWhole.empty())
            return file.ReadBlock(strBlock);
        strBlock = bWholeGiven ? std::string() : m_strWhole;
        bWholeGiven = true;
        return !strBlock.empty();
    };
    std::string strBlock, strStart;
    std::size_t nLine = 1, nSkip = m_nSkipped, nLength = 0;
    bool bOpen = false; // a line has begun
    char cLast = 0;     // the last byte of the line so far
    while (strBlock.clear(), ReadBlock(strBlock))
    {
        std::size_t i = std::min(nSkip, strBlock.size());
        nSkip -= i;
        while (i < strBlock.size())
        {
            const std::size_t nFeed = std::min(strBlock.find('\n', i), strBlock.size());
            const std::size_t nWanted = 2 - std::min<std::size_t>(strStart.size(), 2);
            strStart.append(strBlock, i, std::min(nFeed - i, nWanted));
            if (nLine == m_nLines)
            {
                nLength += Utf8Length(&strBlock[i], nFeed - i, m_bUtf8);
                const bool bCr = nFeed > i && nFeed < strBlock.size() && strBlock[nFeed - 1] == '\r';
                m_nCutBlanks = BlanksAtEnd(&strBlock[i], nFeed - i - bCr, m_nCutBlanks);
            }
            cLast = nFeed > i ? strBlock[nFeed - 1] : cLast;
            bOpen = true;
            if (nFeed == strBlock.size())
                break;
            i = nFeed + 1;
            if (nLine == m_nLines) // a CR before the line feed is no character of the line
                m_nCutLength = nLength - (cLast == '\r');
            if (nLine++ >= nFrom)
                counter.Take(strStart.compare(0, 1, "#") == 0,
                             strStart.empty() || strStart == "\r");
            strStart.clear();
            bOpen = false;
            cLast = 0;
        }
    }
    if (nLine == m_nLines)
        m_nCutLength = nLength;
    if (bOpen && nLine >= nFrom)
        counter.Take(strStart.compare(0, 1, "#") == 0, strStart.empty());
    return counter.End();
}

namespace
{

std::string Hex(unsigned c)
{
    char sz[16];
    std::snprintf(sz, sizeof sz, c > 0xFF ? "U+%04X" : "0x%02X", c);
    return sz;
}

// Bytes of a line that are no UTF-8, and whether it holds UTF-8 beyond ASCII.
std::vector<std::size_t> StrayBytes(const std::string& strLine, bool& bUtf8)
{
    std::vector<std::size_t> stray;
    for (std::size_t i = 0; i < strLine.size();)
    {
        char32_t ch = 0;
        const std::size_t nLength = DecodeUtf8(std::string_view(strLine).substr(i), ch);
        if (nLength == 0)
            stray.push_back(i);
        bUtf8 = bUtf8 || nLength > 1;
        i += nLength == 0 ? 1 : nLength;
    }
    return stray;
}

struct LookAlike
{
    char32_t ch;
    const char* pszWhat;
    const char* pszFix;
};

// Characters pasted from web pages and word processors, by what they are taken for.
const LookAlike kLookAlikes[] = {
    {0xA0, TR_NOOP("a no-break space, which looks like a blank but is none"), TR_NOOP("type a plain blank")},
    {0xAD, TR_NOOP("an invisible soft hyphen"), TR_NOOP("delete it")},
    {0x200B, TR_NOOP("an invisible zero-width space"), TR_NOOP("delete it")},
    {0x200C, TR_NOOP("an invisible zero-width non-joiner"), TR_NOOP("delete it")},
    {0x200D, TR_NOOP("an invisible zero-width joiner"), TR_NOOP("delete it")},
    {0x200E, TR_NOOP("an invisible left-to-right mark"), TR_NOOP("delete it")},
    {0x200F, TR_NOOP("an invisible right-to-left mark"), TR_NOOP("delete it")},
    {0x2060, TR_NOOP("an invisible word joiner"), TR_NOOP("delete it")},
    {0xFEFF, TR_NOOP("an invisible zero-width no-break space"), TR_NOOP("delete it")},
    {0x2018, TR_NOOP("a curly apostrophe"), TR_NOOP("type ' instead")},
    {0x2019, TR_NOOP("a curly apostrophe"), TR_NOOP("type ' instead")},
    {0x201C, TR_NOOP("a curly quotation mark"), TR_NOOP("type \" instead")},
    {0x201D, TR_NOOP("a curly quotation mark"), TR_NOOP("type \" instead")},
    {0x2013, TR_NOOP("a dash"), TR_NOOP("type - instead")},
    {0x2014, TR_NOOP("a dash"), TR_NOOP("type - instead")},
    {0x2026, TR_NOOP("an ellipsis"), TR_NOOP("type ... instead")},
};

// Windows-1252's characters at 0x80 to 0x9F that lists meet, by their code there.
const char32_t kWindows1252[32] = {
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0,      0,      0, 0, 0, 0, 0, 0, 0, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0,      0x2013, 0x2014, 0, 0, 0, 0, 0, 0, 0, 0};

const LookAlike* FindLookAlike(char32_t ch)
{
    for (const LookAlike& lookAlike : kLookAlikes)
        if (lookAlike.ch == ch)
            return &lookAlike;
    return nullptr;
}

std::string Utf8(unsigned char c)
{
    std::string str;
    AppendUtf8(str, c);
    return str;
}

} // namespace

bool CheckEncoding(const ListBytes& bytes, const std::function<bool(std::size_t)>& bShown,
                   Findings& findings)
{
    if (bytes.IsUtf16())
    {
        findings.Add(0, FindingKind::Error, "utf-16",
                     Tr("the list is saved as UTF-16, which a lesson reads as noise"),
                     Tr("save it as UTF-8 or Latin-1"));
        return false;
    }
    if (bytes.HasCrLineEnds())
    {
        findings.Add(0, FindingKind::Error, "cr-line-ends",
                     Tr("the lines end with CR alone, as old Mac editors saved them, so a lesson "
                        "reads the whole list as one line"),
                     Tr("save it with Unix (LF) or Windows (CR LF) line ends"));
        return false;
    }
    if (bytes.IsUtf8())
        return true;
    // Read as Latin-1; when UTF-8 shows in the lesson, the stray bytes are the fault.
    std::size_t nUtf8Line = 0;
    std::vector<std::pair<std::size_t, std::size_t>> stray; // line, offset
    for (std::size_t nLine = 1; nLine <= bytes.LineCount(); ++nLine)
    {
        bool bUtf8 = false;
        const std::string strLine = bytes.Line(nLine);
        for (const std::size_t i : StrayBytes(strLine, bUtf8))
            stray.emplace_back(nLine, i);
        if (bUtf8 && nUtf8Line == 0 && bShown(nLine))
            nUtf8Line = nLine;
    }
    if (nUtf8Line == 0)
        return true;
    for (const auto& [nLine, i] : stray)
    {
        const auto c = static_cast<unsigned char>(bytes.Line(nLine)[i]);
        findings.Add(
            nLine, FindingKind::Warning, "mixed-encoding",
            // TRANSLATORS: {1}: a byte ("0xE9"); {2}: the letter it is in Latin-1; {3}: a line.
            FillIn(c >= 0xA0 ? Tr("the byte {1} ('{2}' in Latin-1) is no UTF-8, though line {3} is, "
                                  "so a lesson reads the whole list as Latin-1 and shows every "
                                  "UTF-8 letter as two")
                             // TRANSLATORS: {1}: a byte ("0x92"); {3}: a line number.
                             : Tr("the byte {1} is no UTF-8, though line {3} is, so a lesson reads "
                                  "the whole list as Latin-1 and shows every UTF-8 letter as two"),
                   {Hex(c), Utf8(static_cast<unsigned char>(c)), std::to_string(nUtf8Line)}),
            Tr("write this letter in UTF-8 too (save the list as UTF-8)"), i + 1);
    }
    return true;
}

void CheckCharacters(std::size_t nLine, const std::string& strBytes, bool bUtf8, Findings& findings)
{
    const bool bList = strBytes.compare(0, 1, "/") == 0;
    bool bMixedTold = false;
    std::size_t nColumn = 0;
    for (std::size_t i = 0; i < strBytes.size();)
    {
        ++nColumn;
        char32_t ch = static_cast<unsigned char>(strBytes[i]);
        std::size_t nLength = 1;
        if (ch >= 0x80)
        {
            char32_t chUtf8 = 0;
            const std::size_t nUtf8 = DecodeUtf8(std::string_view(strBytes).substr(i), chUtf8);
            if (bUtf8 && nUtf8 > 0)
                ch = chUtf8, nLength = nUtf8;
            else if (!bUtf8 && nUtf8 > 1 && !bMixedTold)
            {
                bMixedTold = true;
                findings.Add(nLine, FindingKind::Warning, "mixed-encoding",
                             // TRANSLATORS: {1}: a letter; {2}: the two it shows as.
                             FillIn(Tr("{1} is written in UTF-8, but a byte elsewhere in the list "
                                       "is not, so the list is read as Latin-1 and this shows as {2}"),
                                    {QuoteUtf8(strBytes.substr(i, nUtf8)),
                                     Quote(strBytes.substr(i, nUtf8))}),
                             Tr("save the whole list as UTF-8"), nColumn);
            }
        }
        const std::string strAt = strBytes.substr(i, 3), strChar = strBytes.substr(i, nLength);
        i += nLength;
        if (ch == '\\')
        {
            if (ConvertAccents(strAt) == strAt)
                findings.Add(nLine, FindingKind::Warning, "accent-code",
                             FillIn(Tr("{1} begins no accent code, so the learner is shown the "
                                       "backslash and must type it"),
                                    {Quote(strAt.substr(
                                        0, strAt.size() == 3 && std::strchr("'`^\"c", strAt[1]) ? 3 : 2))}),
                             // TRANSLATORS: the accent codes of a verb list stay as they are;
                             // {1} is the letter c with cedilla.
                             FillIn(Tr("write \\' \\` \\^ or \\\" before a, e, i, o or u, or "
                                       "\\cc for {1}; else delete the backslash"),
                                    {"'\xC3\xA7'"}),
                             nColumn);
            continue;
        }
        const LookAlike* pLookAlike =
            FindLookAlike(ch >= 0x80 && ch < 0xA0 && !bUtf8 && kWindows1252[ch - 0x80] != 0
                              ? kWindows1252[ch - 0x80]
                              : ch);
        if (ch >= 0x80 && ch < 0xA0 && !bUtf8)
            findings.Add(nLine, FindingKind::Warning, "windows-character",
                         // TRANSLATORS: {1}: a byte ("0x92"); {2}: what it is ("a curly
                         // apostrophe").
                         FillIn(Tr("{1} is {2} from a Windows editor, which no learner can type"),
                                {Hex(ch), pLookAlike != nullptr ? Tr(pLookAlike->pszWhat)
                                                                : Tr("no Latin-1 letter")}),
                         pLookAlike != nullptr ? Tr(pLookAlike->pszFix)
                                               : Tr("type it again, or save the list as UTF-8"),
                         nColumn);
        else if ((ch == 0xA0 || ch == '\t') && bList && i < strBytes.size() && strBytes[i] == '/' &&
                 strBytes[i - nLength - 1] != ' ')
            continue; // the one character before a "/" that the answer check drops
        else if (pLookAlike != nullptr)
            findings.Add(nLine, FindingKind::Warning, "invisible-character",
                         // TRANSLATORS: {1}: what the character is; {2}: its code.
                         FillIn(Tr("{1} ({2})"), {Tr(pLookAlike->pszWhat), Hex(ch)}),
                         Tr(pLookAlike->pszFix), nColumn);
        else if (ch == '\t')
            findings.Add(nLine, FindingKind::Warning, "control-character",
                         Tr("a tab, which the answer check takes for no blank"), Tr("delete it"),
                         nColumn);
        else if (ch < 0x20 || (ch >= 0x7F && ch < 0xA0))
            findings.Add(nLine, FindingKind::Warning, "control-character",
                         FillIn(Tr("the control character {1}, which no one can type"), {Hex(ch)}),
                         Tr("delete it"), nColumn);
        else if (ch > 0xFF)
            findings.Add(nLine, FindingKind::Warning, "not-latin1",
                         FillIn(Tr("{1} is no Latin-1 letter: the lesson shows it as '?', and no "
                                   "learner can type it"),
                                {QuoteUtf8(strChar)}),
                         Tr("write it without"), nColumn);
    }
}
