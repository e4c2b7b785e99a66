#include "editor/VerFile.h"

#include "verbdata/AnswerText.h"
#include "verbdata/ListEncoding.h"
#include "verbdata/VerbListFile.h"

#include <algorithm>

namespace
{

// Takes the reader's records, forgetting the questions as it goes.
class RecordTaker : public VerbListObserver
{
public:
    explicit RecordTaker(QuestionPool& pool) : m_pool(pool) {}

    void OnHeaderEnd(std::size_t nTitleLine, std::size_t nLine) override
    {
        m_nTitleLine = nTitleLine;
        m_nHeaderEnd = nLine;
    }
    void OnRecord(const VerbRecordSeen& record) override
    {
        m_pool.clear();
        if (record.m_nLines > 0) // not the empty line that reading at the end yields
            m_records.push_back(record);
    }
    void OnEnd(VerbListEnd, std::size_t, std::size_t) override {}

    std::size_t m_nTitleLine = 0;
    std::size_t m_nHeaderEnd = 0;
    std::vector<VerbRecordSeen> m_records;

private:
    QuestionPool& m_pool;
};

// Where each line starts, and one past the end.
std::vector<std::size_t> LineStarts(std::string_view text)
{
    std::vector<std::size_t> starts = {0};
    for (std::size_t i = text.find('\n'); i != std::string_view::npos; i = text.find('\n', i + 1))
        starts.push_back(i + 1);
    if (starts.back() != text.size())
        starts.push_back(text.size());
    return starts;
}

std::string Encoded(const std::string& strLatin1, const ListOrigin& origin)
{
    return origin.m_encoding == ListEncoding::Utf8 ? Latin1ToUtf8(strLatin1) : strLatin1;
}

std::string Decoded(std::string_view line, bool bUtf8)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    std::string str(line);
    if (bUtf8)
        Utf8ToLatin1(line, str);
    return str;
}

// Appends a piece of the list, ending the line before it when the last one has no end.
void Append(std::string& strOut, std::size_t nStart, const std::string& strPiece,
            const ListOrigin& origin)
{
    if (strPiece.empty())
        return;
    if (strOut.size() > nStart && strOut.back() != '\n')
        strOut += origin.m_strLineEnd;
    strOut += strPiece;
}

} // namespace

VerbTable ReadVerText(std::string_view bytes)
{
    ListOrigin origin;
    std::string_view text = bytes;
    if (text.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark)
    {
        origin.m_bByteOrderMark = true;
        text.remove_prefix(kUtf8ByteOrderMark.size());
    }
    QuestionPool pool;
    RecordTaker taker(pool);
    ReadVerbListText(LessonBytes(std::string(bytes)), true, AllFlags<DirectionSet>(),
                     AllFlags<GroupSet>(), pool, &taker);

    const bool bUtf8 = DetectListEncoding(text) == ListEncoding::Utf8;
    const bool bAscii = std::all_of(text.begin(), text.end(),
                                    [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    origin.m_encoding = bUtf8 || bAscii ? ListEncoding::Utf8 : ListEncoding::Latin1;
    const std::size_t nFeed = text.find('\n');
    if (nFeed != std::string_view::npos)
        origin.m_strLineEnd = nFeed > 0 && text[nFeed - 1] == '\r' ? "\r\n" : "\n";

    const std::vector<std::size_t> starts = LineStarts(text);
    const std::size_t nLines = starts.size() - 1;
    // Lines [nFirst, nLast] (from 1), as the file holds them.
    const auto Lines = [&](std::size_t nFirst, std::size_t nLast)
    {
        nLast = std::min(nLast, nLines);
        return nFirst > nLast ? std::string()
                              : std::string(text.substr(starts[nFirst - 1],
                                                        starts[nLast] - starts[nFirst - 1]));
    };
    const auto Line = [&](std::size_t nLine) { return Decoded(Lines(nLine, nLine), bUtf8); };

    // The header: comments up to the title; the title; the two '#' lines that end it.
    std::string strTitle;
    std::vector<std::string> comments;
    std::size_t nLine = 1;
    for (; nLine <= nLines && Line(nLine).compare(0, 1, "#") == 0; ++nLine)
        comments.push_back(Line(nLine));
    if (nLine <= nLines)
        strTitle = Line(nLine);
    std::size_t nDone = 0; // lines taken so far
    if (taker.m_nHeaderEnd != 0)
    {
        std::size_t nHash = 0;
        for (std::size_t n = taker.m_nTitleLine + 1; n <= taker.m_nHeaderEnd; ++n)
            if (const std::string strLine = Line(n); strLine.compare(0, 1, "#") == 0 && nHash < 2)
                origin.m_hashLines[nHash++] = strLine;
        origin.m_strHeader = Lines(1, taker.m_nHeaderEnd);
        nDone = taker.m_nHeaderEnd;
    }
    origin.m_strTitleRead = strTitle;
    origin.m_commentsRead = comments;

    std::vector<VerbRow> rows;
    rows.reserve(taker.m_records.size());
    for (const VerbRecordSeen& record : taker.m_records)
    {
        VerbRow row;
        row.m_strTag = record.m_strTag;
        row.m_forms = record.m_forms;
        row.m_strComments = Lines(nDone + 1, record.m_nLine - 1);
        row.m_strFileLines = Lines(record.m_nLine, record.m_nLine + record.m_nLines - 1);
        nDone = record.m_nLine + record.m_nLines - 1;
        for (const std::string& strForm : row.m_forms)
            origin.m_bAccentCodes = origin.m_bAccentCodes || ConvertAccents(strForm) != strForm;
        rows.push_back(std::move(row));
    }
    origin.m_strTail = std::string(text.substr(nDone < nLines ? starts[nDone] : text.size()));
    return VerbTable(std::move(rows), std::move(strTitle), std::move(comments), std::move(origin));
}

std::string WriteVerRow(const VerbRow& row, const ListOrigin& origin)
{
    std::string str;
    for (const std::string* pLine :
         {&row.m_strTag, &row.m_forms[PastTense], &row.m_forms[Infinitive], &row.m_forms[PastParticiple]})
        str += Encoded(*pLine, origin) + origin.m_strLineEnd;
    return str;
}

std::string WriteVerText(const VerbTable& table, std::vector<std::size_t>* pRowLines)
{
    const ListOrigin& origin = table.Origin();
    std::string strOut;
    if (origin.m_bByteOrderMark)
        strOut += kUtf8ByteOrderMark;
    const std::size_t nStart = strOut.size();
    if (!origin.m_strHeader.empty() && table.Title() == origin.m_strTitleRead &&
        table.HeaderComments() == origin.m_commentsRead)
        strOut += origin.m_strHeader;
    else if (origin.m_strHeader.empty() && !origin.m_strTail.empty() && table.RowCount() == 0 &&
             table.Title() == origin.m_strTitleRead && table.HeaderComments() == origin.m_commentsRead)
        ; // a list whose header never ends: all of it is in the tail
    else
    {
        std::string strHeader;
        for (const std::string& strComment : table.HeaderComments())
            strHeader += Encoded(strComment, origin) + origin.m_strLineEnd;
        strHeader += Encoded(table.Title(), origin) + origin.m_strLineEnd;
        for (const std::string& strHash : origin.m_hashLines)
            strHeader += Encoded(strHash, origin) + origin.m_strLineEnd;
        strOut += strHeader;
    }
    if (pRowLines != nullptr)
        pRowLines->clear();
    std::size_t nCounted = 0, nLine = 1;
    for (const VerbRow& row : table.Rows())
    {
        Append(strOut, nStart, row.m_strComments, origin);
        const std::string strRecord =
            row.m_strFileLines.empty() ? WriteVerRow(row, origin) : row.m_strFileLines;
        if (strOut.size() > nStart && strOut.back() != '\n')
            strOut += origin.m_strLineEnd;
        if (pRowLines != nullptr)
        {
            nLine += static_cast<std::size_t>(
                std::count(strOut.begin() + static_cast<std::ptrdiff_t>(nCounted), strOut.end(), '\n'));
            nCounted = strOut.size();
            pRowLines->push_back(nLine);
        }
        strOut += strRecord;
    }
    Append(strOut, nStart, origin.m_strTail, origin);
    return strOut;
}
