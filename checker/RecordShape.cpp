#include "checker/RecordShape.h"

#include "framework/Translation.h"
#include "verbdata/ListEncoding.h"

#include <algorithm>
#include <new>

namespace
{
const VerbForm kFileOrder[] = {PastTense, Infinitive, PastParticiple};
}

void RecordCollector::OnRecord(const VerbRecordSeen& record)
{
    m_pool.clear();
    if (record.m_nLines == 0) // the empty line that reading at the end yields
        return;
    if (record.m_nLine > UINT32_MAX)
        throw std::bad_alloc(); // four thousand million lines: no list
    RecordSpan span;
    span.m_nLine = static_cast<std::uint32_t>(record.m_nLine);
    span.m_nLines = static_cast<std::uint8_t>(record.m_nLines);
    span.m_bEmptyForm = record.m_bEmptyForm;
    for (std::size_t k = 0; k < kDirectionCount; ++k)
        span.m_nAsked |= static_cast<std::uint8_t>(record.m_bAsked[k] << k);
    span.m_nStop = static_cast<std::uint8_t>(record.m_nStopDirection);
    m_records.push_back(span);
}

VerbRecordSeen Expand(const RecordSpan& span, const ListBytes& bytes)
{
    VerbRecordSeen record;
    record.m_nLine = span.m_nLine;
    record.m_nLines = span.m_nLines;
    record.m_strTag = bytes.Text(span.m_nLine);
    for (std::size_t k = 1; k < span.m_nLines; ++k)
        record.m_forms[kFileOrder[k - 1]] = bytes.Text(span.m_nLine + k);
    record.m_bGroupTaken = true;
    record.m_bEmptyForm = span.m_bEmptyForm;
    for (std::size_t k = 0; k < kDirectionCount; ++k)
        record.m_bAsked[k] = (span.m_nAsked >> k & 1) != 0;
    record.m_nStopDirection = span.m_nStop;
    return record;
}

VerbRecordSeen AuthorRecord(std::size_t nLine, const ListBytes& bytes)
{
    VerbRecordSeen record;
    record.m_nLine = nLine;
    record.m_nLines = 4;
    record.m_strTag = bytes.Text(nLine);
    for (std::size_t k = 1; k < 4; ++k)
    {
        record.m_forms[kFileOrder[k - 1]] = bytes.Text(nLine + k);
        record.m_bEmptyForm = record.m_bEmptyForm || record.m_forms[kFileOrder[k - 1]].empty();
    }
    record.m_bGroupTaken = true;
    for (std::size_t k = 0; k < kDirectionCount && !record.m_bEmptyForm; ++k)
    {
        if (record.m_forms[kDirections[k].PromptForm].compare(0, 1, "/") == 0)
        {
            record.m_nStopDirection = k;
            break;
        }
        record.m_bAsked[k] = true;
    }
    return record;
}

const std::string& RecordLine(const VerbRecordSeen& record, std::size_t k)
{
    return k == 0 ? record.m_strTag : record.m_forms[kFileOrder[k - 1]];
}

std::size_t FormOffset(VerbForm form)
{
    return form == PastTense ? 1 : form == Infinitive ? 2 : 3;
}

const char* FormName(VerbForm form)
{
    return form == PastTense ? "Past Tense" : form == Infinitive ? "Infinitive" : "Past Participle";
}

std::string FormText(VerbForm form)
{
    // TRANSLATORS: the three forms of a verb, by the names learners know.
    return form == PastTense    ? TrC("verb form", "Past Tense")
           : form == Infinitive ? TrC("verb form", "Infinitive")
                                : TrC("verb form", "Past Participle");
}

namespace
{

bool IsHashLine(const ListBytes& bytes, std::size_t nLine)
{
    return bytes.Line(nLine).compare(0, 1, "#") == 0;
}

} // namespace

void CheckHeader(const RecordCollector& seen, const ListBytes& bytes, Findings& findings)
{
    if (bytes.LineCount() == 0 || seen.m_end == VerbListEnd::LineTooLong)
        return;
    std::size_t nBlank = 1;
    while (nBlank <= bytes.LineCount() && bytes.Line(nBlank).empty())
        ++nBlank;
    if (nBlank > bytes.LineCount())
    {
        findings.Add(1, FindingKind::Error, "no-question",
                     Tr("the list holds only blank lines, so a lesson has nothing to ask"),
                     Tr("write a header and the verbs into it"));
        return;
    }
    std::size_t nTitle = seen.m_nTitleLine;
    while (nTitle == 0 || (nTitle <= bytes.LineCount() && IsHashLine(bytes, nTitle)))
        ++nTitle;
    if (nTitle > bytes.LineCount())
    {
        findings.Add(1, FindingKind::Error, "no-header",
                     Tr("the list holds only '#' lines, so no verb is read"),
                     Tr("add a title line, two '#' lines and the verbs"));
        return;
    }
    const bool bEnded = seen.m_nHeaderEndLine != 0;
    const std::size_t nEnd = bEnded ? seen.m_nHeaderEndLine : bytes.LineCount();
    std::size_t nVerbs = 0;
    for (std::size_t nLine = nTitle; nLine <= nEnd; ++nLine)
        nVerbs += FindGroup(bytes.Line(nLine)) >= 0;
    if (bEnded && nVerbs == 0)
        return;

    // Where the author's header went wrong: no title line, or a "#" line short after it.
    std::string strFix;
    const bool bTitleIsTag = FindGroup(bytes.Line(nTitle)) >= 0;
    if (bTitleIsTag && nTitle > 3 && IsHashLine(bytes, nTitle - 1) && IsHashLine(bytes, nTitle - 2))
        strFix = FillIn(Tr("add a title line before line {1}"), {std::to_string(nTitle - 2)});
    else if (bTitleIsTag)
        strFix = FillIn(Tr("add a title line and two '#' lines before line {1}"), {std::to_string(nTitle)});
    else
    {
        std::size_t nHash = nTitle + 1;
        while (nHash <= bytes.LineCount() && !IsHashLine(bytes, nHash))
            ++nHash;
        strFix = FillIn(nHash > bytes.LineCount() ? Tr("add two '#' lines after line {1}")
                                                  : Tr("add a '#' line after line {1}"),
                        {std::to_string(nHash > bytes.LineCount() ? nTitle : nHash)});
    }
    const std::string strLine = std::to_string(nTitle), strQuoted = Quote(bytes.Line(nTitle));
    if (bEnded)
        findings.Add(nTitle, FindingKind::Error, "header-eats-verbs",
                     // TRANSLATORS: {1} and {2}: the line taken as the title and its text; {3}: the lines
                     // taken as the header ("lines 1 to 9"); {4}: how many verbs are in them.
                     FillIn(TrN("with line {1} {2} as its title, {3} are taken as the header "
                                "(the verb in it is never asked, nor checked): a header is '#' "
                                "lines, a title line, then two '#' lines",
                                "with line {1} {2} as its title, {3} are taken as the header "
                                "(the {4} verbs in it are never asked, nor checked): a header is "
                                "'#' lines, a title line, then two '#' lines",
                                nVerbs),
                            {strLine, strQuoted, LineRange(1, nEnd), std::to_string(nVerbs)}),
                     strFix);
    else
        findings.Add(nTitle, FindingKind::Error, "no-header",
                     FillIn(Tr("with line {1} {2} as its title, the header never ends, so no verb "
                               "is read, nor checked: a header is '#' lines, a title line, then "
                               "two '#' lines"),
                            {strLine, strQuoted}),
                     strFix);
}

void CheckEnd(const RecordCollector& seen, const ListBytes& bytes, bool bReadToEnd,
              Findings& findings)
{
    if (seen.m_end != VerbListEnd::LineTooLong)
    {
        if (bytes.LineCount() == 0 && bReadToEnd)
            findings.Add(0, FindingKind::Error, "empty-list", Tr("the list is empty"),
                         Tr("write a header and the verbs into it"));
        return;
    }
    const std::size_t nLine = seen.m_nEndLine;
    // Lost: the record the long line is in, or that it starts, and every record after it.
    std::size_t nLost = 0;
    if (seen.m_nCutRecordLine != 0)
        nLost = 1 + bytes.RecordsFrom(seen.m_nCutRecordLine + 4);
    else if (seen.m_nHeaderEndLine != 0)
        nLost = bytes.RecordsFrom(nLine);
    else
    {
        // Inside the header: its state before this line, as the reader counts.
        int nState = 0;
        for (std::size_t n = 1; n < nLine; ++n)
            nState = nState == 0 ? !IsHashLine(bytes, n) : nState + IsHashLine(bytes, n);
        nLost = bytes.RecordsFrom(nLine, nState);
    }
    const std::size_t nLength = bytes.LineLength(nLine), nBlanks = bytes.TrailingBlanks(nLine);
    const bool bBlanks = nBlanks > 0 && nLength - nBlanks <= kMaxLineLength;
    // TRANSLATORS: {1} the line's length, {2} the most a lesson reads, in characters.
    std::string strWhat = bBlanks ? FillIn(Tr("line too long ({1} > {2} characters, {3} of them "
                                              "blanks at its end): a lesson stops reading here"),
                                           {std::to_string(nLength), std::to_string(kMaxLineLength),
                                            std::to_string(nBlanks)})
                                  : FillIn(Tr("line too long ({1} > {2} characters): a lesson "
                                              "stops reading here"),
                                           {std::to_string(nLength), std::to_string(kMaxLineLength)});
    if (nLost > 0)
        // TRANSLATORS: {1} says the line is too long; {2} how many verbs are lost.
        strWhat = FillIn(TrN("{1}, and {2} verb from here on is lost",
                             "{1}, and {2} verbs from here on are lost", nLost),
                         {strWhat, std::to_string(nLost)});
    findings.Add(nLine, FindingKind::Error, "line-too-long",
                 FillIn(Tr("{1}; the lines after it are not checked"), {strWhat}),
                 bBlanks ? Tr("delete the blanks at its end") : Tr("shorten it"));
}

namespace
{

// The lines the reader took into records, by number: a record's lines follow one another,
// and a line between two records was skipped as a comment. Texts come from the file's
// bytes, the last few kept at hand.
class RecordLines
{
public:
    RecordLines(const std::vector<RecordSpan>& records, const ListBytes& bytes)
        : m_records(records), m_bytes(bytes)
    {
        m_nFirst = records.front().m_nLine;
        m_nLast = records.back().m_nLine + records.back().m_nLines - 1;
    }

    std::size_t First() const { return m_nFirst; }
    std::size_t Last() const { return m_nLast; }
    bool IsTag(std::size_t nLine) const
    {
        const std::string* pText = Text(nLine);
        return pText && FindGroup(*pText) >= 0;
    }
    // Skipped as a comment, or a "#" line the reader took for a form.
    bool IsComment(std::size_t nLine) const
    {
        const std::string* pText = Text(nLine);
        return nLine >= m_nFirst && nLine <= m_nLast && (!pText || pText->compare(0, 1, "#") == 0);
    }
    bool IsFormComment(std::size_t nLine) const { return IsComment(nLine) && Text(nLine); }
    bool IsBlank(std::size_t nLine) const
    {
        const std::string* pText = Text(nLine);
        return pText && pText->empty();
    }
    bool IsSame(std::size_t nLine, std::size_t nOther) const
    {
        const std::string* pText = Text(nLine);
        if (!pText)
            return false;
        const std::string strText = *pText;
        pText = Text(nOther);
        return pText && *pText == strText;
    }
    std::string Quoted(std::size_t nLine) const { return Quote(Text(nLine) ? *Text(nLine) : "#"); }

    // The next line from nLine on that is no comment.
    std::size_t PastComments(std::size_t nLine) const
    {
        while (IsComment(nLine))
            ++nLine;
        return nLine;
    }
    // Where a record of four lines from nLine would be followed: the end, a tag or a blank.
    bool IsFollowedAfter(std::size_t nLine) const
    {
        return nLine > m_nLast || IsTag(nLine) || IsBlank(nLine);
    }

    // A group tag at nLine that the next record does not belie: four lines on (past comments)
    // there is no form, as there is after a form like "lit".
    bool IsConfirmedTag(std::size_t nLine) const
    {
        return IsTag(nLine) && IsFollowedAfter(PastComments(nLine + 4));
    }

    // The record that holds the line, or the number of records.
    std::size_t RecordOf(std::size_t nLine) const
    {
        if (m_nRecord >= m_records.size() || !Holds(m_nRecord, nLine))
        {
            const auto it = std::upper_bound(m_records.begin(), m_records.end(), nLine,
                                             [](std::size_t n, const RecordSpan& span)
                                             { return n < span.m_nLine; });
            m_nRecord = it == m_records.begin()
                            ? m_records.size()
                            : static_cast<std::size_t>(it - m_records.begin()) - 1;
        }
        return m_nRecord < m_records.size() && Holds(m_nRecord, nLine) ? m_nRecord
                                                                       : m_records.size();
    }

private:
    bool Holds(std::size_t nRecord, std::size_t nLine) const
    {
        return m_records[nRecord].m_nLine <= nLine &&
               nLine < m_records[nRecord].m_nLine + m_records[nRecord].m_nLines;
    }

    // The reader's text of a line it took into a record; null when it skipped the line.
    const std::string* Text(std::size_t nLine) const
    {
        Cached& cached = m_cache[nLine % kCacheSize];
        if (cached.nLine != nLine)
        {
            cached.nLine = nLine;
            cached.bTaken =
                nLine >= m_nFirst && nLine <= m_nLast && RecordOf(nLine) < m_records.size();
            cached.strText = cached.bTaken ? m_bytes.Text(nLine) : std::string();
        }
        return cached.bTaken ? &cached.strText : nullptr;
    }

    static constexpr std::size_t kCacheSize = 16;
    struct Cached
    {
        std::size_t nLine = 0;
        bool bTaken = false;
        std::string strText;
    };

    const std::vector<RecordSpan>& m_records;
    const ListBytes& m_bytes;
    std::size_t m_nFirst = 0;
    std::size_t m_nLast = 0;
    mutable std::size_t m_nRecord = 0;
    mutable Cached m_cache[kCacheSize];
};

struct Break
{
    std::size_t nLine;
    const char* pszRule;
    std::string strWhat;
    std::string strFix;
    bool bInside = false; // inside a record, which the reader takes wrongly too
    // The author's records after it, up to the next break, that the reader takes out of step.
    std::size_t nShifted = 0;
    std::size_t nUpTo = 0;    // the last line of the last of them
    bool bBackInStep = false; // a record after them is in step again
};

// The author's records, as the walk through the lines finds them, held against the reader's:
// which of the reader's are in step, and what each break shifts.
class AuthorRecords
{
public:
    AuthorRecords(const std::vector<RecordSpan>& records, std::vector<Break>& breaks,
                  std::vector<std::size_t>& shifted)
        : m_records(records), m_breaks(breaks), m_shifted(shifted),
          m_bOutOfStep(records.size(), true)
    {
    }

    // Starts come in line order. bWhole: the record's four lines follow one another.
    void Start(std::size_t nLine, std::size_t nLength, bool bWhole = true)
    {
        while (m_nReader < m_records.size() && m_records[m_nReader].m_nLine < nLine)
            ++m_nReader;
        const bool bInStep = m_nReader < m_records.size() && m_records[m_nReader].m_nLine == nLine;
        if (bInStep && nLength == 4)
            m_bOutOfStep[m_nReader] = false;
        else if (nLength == 4 && bWhole)
            m_shifted.push_back(nLine);
        if (m_breaks.empty() || nLine <= m_breaks.back().nLine)
            return;
        Break& last = m_breaks.back();
        last.bBackInStep = bInStep && last.nShifted > 0;
        if (!bInStep)
            ++last.nShifted, last.nUpTo = nLine + nLength - 1;
    }

    // A blank or comment line inside a record: the reader takes that record wrongly too.
    void MarkInside(std::size_t nRecord)
    {
        if (nRecord < m_bOutOfStep.size())
            m_bOutOfStep[nRecord] = true;
    }

    std::vector<bool> Result() { return std::move(m_bOutOfStep); }

private:
    const std::vector<RecordSpan>& m_records;
    std::vector<Break>& m_breaks;
    std::vector<std::size_t>& m_shifted;
    std::vector<bool> m_bOutOfStep;
    std::size_t m_nReader = 0; // the first of the reader's records not before the last start
};

// The last line of a header that begins at nLine after a byte-order mark: its "#" lines, a
// title, up to two "#" lines. nLine - 1 when the mark is on a verb's line, nLine when it
// is on a comment and no header follows before a group tag.
std::size_t JoinedHeaderEnd(const ListBytes& bytes, std::size_t nLine, std::size_t nLast)
{
    const bool bComment = bytes.Line(nLine)[kUtf8ByteOrderMark.size()] == '#';
    int nState = bComment ? 0 : 1;
    for (std::size_t n = nLine + 1; n <= nLast && n < nLine + 16; ++n)
    {
        const bool bHash = IsHashLine(bytes, n);
        if (nState > 0 && !bHash && FindGroup(bytes.Text(n)) >= 0)
            break;
        nState = nState == 0 ? !bHash : nState + bHash;
        if (nState == 3)
            return n;
    }
    return bComment ? nLine : nLine - 1;
}

// "delete lines 7 to 9": strLines from LineRange.
std::string Delete(const std::string& strLines)
{
    return FillIn(Tr("delete {1}"), {strLines});
}

std::string BlankLines(std::size_t nBlank)
{
    // TRANSLATORS: {1} is the count, and may stand in every form.
    return Counted(TrN("a blank line", "{1} blank lines", nBlank), nBlank);
}

// A blank line, or a "#" line the reader took for a form, inside the author's record at nDue
// whose four other lines are followed by a record: 0 when there is none. nEnd: the record's
// last line.
std::size_t StrayLineInside(const RecordLines& lines, std::size_t nDue, std::size_t& nEnd)
{
    std::size_t nStray = 0, nLine = nDue;
    for (std::size_t k = 1; k < 4; ++k)
    {
        ++nLine;
        while (lines.IsFormComment(nLine) || lines.IsBlank(nLine))
            nStray = nStray == 0 ? nLine : nStray, ++nLine;
        if (nLine > lines.Last())
            return 0;
    }
    nEnd = nLine;
    return nStray != 0 && lines.IsFollowedAfter(lines.PastComments(nLine + 1)) ? nStray : 0;
}

} // namespace

// The reader takes four lines per record; a blank, extra, missing or "#" line moves the
// records the author wrote against that rhythm. Follows the author's records by their group
// tags (a form like "lit" is taken for a tag only when the next record bears it out).
std::vector<bool> CheckRhythm(const std::vector<RecordSpan>& records, const ListBytes& bytes,
                              Findings& findings, std::vector<std::size_t>& shifted)
{
    if (records.empty())
        return {};
    const RecordLines lines(records, bytes);
    std::vector<Break> breaks;
    AuthorRecords author(records, breaks, shifted);
    // Reports the breaks whose effect is known: all but the last, or all.
    const auto Report = [&](bool bAll)
    {
        const std::size_t nDone = bAll ? breaks.size() : breaks.size() - 1;
        for (std::size_t i = 0; i < nDone; ++i)
        {
            const Break& b = breaks[i];
            const std::string strWhat =
                b.nShifted == 0 ? b.strWhat
                : b.bBackInStep
                    // TRANSLATORS: {1} says what breaks the records' four-line rhythm; {2} how many
                    // records after it are shifted; {3} the last line of them.
                    ? FillIn(TrN("{1}, so a lesson takes the lines of the record after it for the "
                                 "wrong forms (up to line {3})",
                                 "{1}, so a lesson takes the lines of the {2} records after it for "
                                 "the wrong forms (up to line {3})",
                                 b.nShifted),
                             {b.strWhat, std::to_string(b.nShifted), std::to_string(b.nUpTo)})
                    : FillIn(TrN("{1}, so a lesson takes the lines of the record after it for the "
                                 "wrong forms",
                                 "{1}, so a lesson takes the lines of the {2} records after it for "
                                 "the wrong forms",
                                 b.nShifted),
                             {b.strWhat, std::to_string(b.nShifted)});
            findings.Add(b.nLine, FindingKind::Error, b.pszRule, strWhat, b.strFix);
        }
        breaks.erase(breaks.begin(), breaks.begin() + static_cast<std::ptrdiff_t>(nDone));
    };
    std::size_t nPrevious = 0; // the author's record before nDue
    for (std::size_t nDue = lines.First(); nDue <= lines.Last();)
    {
        if (breaks.size() > 64)
            Report(false);
        if (bytes.Line(nDue).compare(0, kUtf8ByteOrderMark.size(), kUtf8ByteOrderMark) == 0)
        {
            // Where a second file was joined on: the mark hides its first line's "#".
            const std::size_t nEnd = JoinedHeaderEnd(bytes, nDue, lines.Last());
            breaks.push_back(
                {nDue, "joined-lists",
                 nEnd > nDue
                     // TRANSLATORS: {1}: the lines of the second file's header ("lines 9 to 12").
                     ? FillIn(Tr("a byte-order mark (U+FEFF) begins this line, as where a second "
                                 "file was joined on; a lesson reads it as '?', so the line is no "
                                 "comment, and the second file's header, {1}, is read as verbs"),
                              {LineRange(nDue, nEnd)})
                     : Tr("a byte-order mark (U+FEFF) begins this line, as where a second file "
                          "was joined on; a lesson reads it as '?', so the line is no comment"),
                 nEnd > nDue ? Delete(LineRange(nDue, nEnd)) : Tr("delete the byte-order mark")});
            if (nEnd >= nDue)
            {
                nDue = nEnd + 1;
                continue;
            }
        }
        if (lines.IsComment(nDue))
        {
            ++nDue;
            continue;
        }
        std::size_t nBlank = 0;
        while (lines.IsBlank(nDue + nBlank))
            ++nBlank;
        if (nBlank > 0 && (nBlank % 4 == 0 || nDue + nBlank > lines.Last()))
        {
            // Read as records without forms, never asked and shifting nothing.
            findings.Add(nDue, FindingKind::Note, "harmless-blank-lines",
                         FillIn(nDue + nBlank > lines.Last()
                                    // TRANSLATORS: {1}: "a blank line", "4 blank lines".
                                    ? Tr("{1} at the end of the list, read as records without "
                                         "forms; harmless")
                                    : Tr("{1}, read as records without forms; harmless"),
                                {BlankLines(nBlank)}));
            for (std::size_t nLine = nDue; nLine < nDue + nBlank; nLine += 4)
                author.Start(nLine, 4);
            nDue += nBlank;
            continue;
        }
        if (nBlank > 0)
        {
            breaks.push_back({nDue, "blank-line",
                              FillIn(Tr("{1} inside the records"), {BlankLines(nBlank)}),
                              Delete(LineRange(nDue, nDue + nBlank - 1))});
            nDue += nBlank;
            continue;
        }
        const bool bTag = lines.IsTag(nDue);
        if (lines.IsFollowedAfter(lines.PastComments(nDue + 4)))
        {
            author.Start(nDue, 4); // with a tag, or one that is none of the six
            nPrevious = nDue;
            nDue += 4;
            continue;
        }
        std::size_t nEnd = 0;
        if (const std::size_t nStray = bTag ? StrayLineInside(lines, nDue, nEnd) : 0)
        {
            author.Start(nDue, 4, false);
            const bool bBlank = lines.IsBlank(nStray);
            const std::string strRecord = std::to_string(nDue), strStray = std::to_string(nStray);
            breaks.push_back({nStray, bBlank ? "blank-line" : "comment-in-record",
                              // TRANSLATORS: {1}: the record's first line; {2}: a comment line's text; {3}: the
                              // verb form it is taken for.
                              bBlank ? FillIn(Tr("a blank line inside the record at line {1}"), {strRecord})
                                     : FillIn(Tr("the comment {2} inside the record at line {1} "
                                                 "is read as its {3}"),
                                              {strRecord, lines.Quoted(nStray),
                                               FormText(kFileOrder[nStray - nDue - 1])}),
                              bBlank ? FillIn(Tr("delete line {1}"), {strStray})
                                     : FillIn(Tr("delete line {1}, or move it above line {2}"),
                                              {strStray, strRecord}),
                              true});
            author.MarkInside(lines.RecordOf(nStray));
            nPrevious = nDue;
            nDue = nEnd + 1;
            continue;
        }
        std::size_t k = 1;
        while (k < 4 && !lines.IsConfirmedTag(nDue + k))
            ++k;
        if (k < 4 && bTag)
        {
            breaks.push_back({nDue, "missing-line",
                              // TRANSLATORS: {1}: how many lines the record has; {2}: the line of the next tag.
                              FillIn(TrN("this record has only {1} line (a group tag follows at "
                                         "line {2})",
                                         "this record has only {1} lines (a group tag follows at "
                                         "line {2})",
                                         k),
                                     {std::to_string(k), std::to_string(nDue + k)}),
                              FillIn(Tr("add the missing form after line {1}"),
                                     {std::to_string(nDue + k - 1)})});
            author.Start(nDue, k);
        }
        else if (k < 4)
        {
            // A line written twice where the record before ends: name the second.
            std::size_t nRepeat = 0;
            for (std::size_t nLine = nDue;
                 nLine > nPrevious + 1 && nLine + 4 > nDue && nRepeat == 0; --nLine)
                if (lines.IsSame(nLine, nLine - 1))
                    nRepeat = nLine;
            if (nRepeat != 0)
                breaks.push_back({nRepeat, "repeated-line",
                                  // TRANSLATORS: {1} and {2}: line numbers; {3}: the line's text.
                                  FillIn(Tr("line {1} repeats line {2} {3}"),
                                         {std::to_string(nRepeat), std::to_string(nRepeat - 1),
                                          lines.Quoted(nRepeat)}),
                                  FillIn(Tr("delete line {1}"), {std::to_string(nRepeat)})});
            else
                breaks.push_back({nDue, "extra-line",
                                  // TRANSLATORS: {1}: how many lines; {2}: the text of the first.
                                  FillIn(TrN("an extra line {2} inside the records",
                                             "{1} extra lines from {2} inside the records", k),
                                         {std::to_string(k), lines.Quoted(nDue)}),
                                  Delete(LineRange(nDue, nDue + k - 1))});
        }
        else
        {
            author.Start(nDue, 4);
            nPrevious = nDue;
        }
        nDue += k;
    }

    Report(true);
    return author.Result();
}

bool CheckSpreadsheet(const ListBytes& bytes, Findings& findings)
{
    static const char kSeparators[] = {',', ';', '\t'};
    // TRANSLATORS: what separates a spreadsheet's fields, in "its fields separated by {1}".
    const std::string strNames[] = {Tr("commas"), Tr("semicolons"), Tr("tabs")};
    std::size_t nLines = 0, nSplit[3] = {}, nFirst[3] = {};
    for (std::size_t nLine = 1; nLine <= bytes.LineCount(); ++nLine)
    {
        const std::string strLine = bytes.Line(nLine);
        if (strLine.empty() || strLine[0] == '#')
            continue;
        ++nLines;
        for (std::size_t k = 0; k < 3; ++k)
            if (std::count(strLine.begin(), strLine.end(), kSeparators[k]) >= 2)
                nFirst[k] = nSplit[k]++ == 0 ? nLine : nFirst[k];
    }
    const std::size_t k =
        static_cast<std::size_t>(std::max_element(nSplit, nSplit + 3) - nSplit);
    if (nSplit[k] == 0 || nSplit[k] * 2 < nLines)
        return false;
    const std::string strWhat =
        FillIn(Tr("this list holds one verb a line, its fields separated by {1}, as a spreadsheet "
                  "saves it; a lesson reads a verb from four lines (group tag, Past Tense, "
                  "Infinitive, Past Participle) and makes nonsense of these"),
               {strNames[k]});
    findings.Add(nFirst[k], FindingKind::Error, "spreadsheet", strWhat,
                 // TRANSLATORS: Lesson > Edit Verb List... is the menu command, as the menus name it; the
                 // command in quotes stays as it is.
                 FillIn(Tr("open it in Taldrin with Lesson > Edit Verb List..., or convert it with "
                           "{1}, rather than mend it line by line"),
                        {"'taldrin-check --convert LIST NEW.ver'"}),
                 0, Tr("open it with Lesson > Edit Verb List..., which makes a verb list of it"));
    return true;
}

void CheckSomethingAsked(const RecordCollector& seen, const ListBytes& bytes, Findings& findings)
{
    if (findings.Has(FindingKind::Error) ||
        std::any_of(seen.m_records.begin(), seen.m_records.end(),
                    [](const RecordSpan& span) { return span.m_nAsked != 0; }))
        return;
    const bool bVerbs = std::any_of(seen.m_records.begin(), seen.m_records.end(),
                                    [&](const RecordSpan& span)
                                    {
                                        for (std::size_t k = 0; k < span.m_nLines; ++k)
                                            if (!bytes.Line(span.m_nLine + k).empty())
                                                return true;
                                        return false;
                                    });
    const std::size_t nEnd = seen.m_nHeaderEndLine;
    if (nEnd == 0)
        return; // told as a header that never ends
    if (bVerbs)
        findings.Add(0, FindingKind::Error, "no-question",
                     Tr("none of the verbs gives a question, whatever groups and directions are "
                        "chosen, so a lesson has nothing to ask"),
                     Tr("mend what the warnings say"));
    else
        findings.Add(nEnd, FindingKind::Error, "no-question",
                     seen.m_records.empty()
                         ? Tr("no verb after the header, so a lesson has nothing to ask")
                         : Tr("only blank lines after the header, so a lesson has nothing to ask"),
                     FillIn(Tr("write the verbs after line {1}, four lines each: group tag, Past "
                               "Tense, Infinitive, Past Participle"),
                            {std::to_string(nEnd)}));
}
