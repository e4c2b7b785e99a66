#include "checker/RecordShape.h"

#include <map>
#include <set>

namespace
{
const VerbForm kFileOrder[] = {PastTense, Infinitive, PastParticiple};
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

namespace
{

bool IsHashLine(const ListBytes& bytes, std::size_t nLine)
{
    return bytes.Line(nLine).compare(0, 1, "#") == 0;
}

// Records in the lines from nFrom on, counted as the reader would take them had it gone on:
// "#" lines where a record may start are comments, every other line starts four; four
// blank lines are no record.
std::size_t RecordsFrom(const ListBytes& bytes, std::size_t nFrom)
{
    std::size_t nRecords = 0;
    for (std::size_t nLine = nFrom; nLine <= bytes.LineCount();)
    {
        if (IsHashLine(bytes, nLine))
        {
            ++nLine;
            continue;
        }
        bool bBlank = true;
        for (std::size_t k = 0; k < 4; ++k)
            bBlank = bBlank && bytes.Line(nLine + k).empty();
        nRecords += !bBlank;
        nLine += 4;
    }
    return nRecords;
}

std::size_t CharacterCount(const std::string& strLine, bool bUtf8)
{
    std::size_t n = 0;
    for (const char c : strLine)
        n += !bUtf8 || (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

} // namespace

void CheckHeader(const RecordCollector& seen, const ListBytes& bytes, Findings& findings)
{
    if (bytes.LineCount() == 0 || seen.m_end == VerbListEnd::LineTooLong)
        return;
    std::size_t nTitle = seen.m_nTitleLine;
    while (nTitle == 0 || (nTitle <= bytes.LineCount() && IsHashLine(bytes, nTitle)))
        ++nTitle;
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
        strFix = "add a title line before line " + std::to_string(nTitle - 2);
    else if (bTitleIsTag)
        strFix = "add a title line and two '#' lines before line " + std::to_string(nTitle);
    else
    {
        std::size_t nHash = nTitle + 1;
        while (nHash <= bytes.LineCount() && !IsHashLine(bytes, nHash))
            ++nHash;
        strFix = nHash > bytes.LineCount()
                     ? "add two '#' lines after line " + std::to_string(nTitle)
                     : "add a '#' line after line " + std::to_string(nHash);
    }
    const std::string strTitle = "with line " + std::to_string(nTitle) + " " +
                                 Quote(bytes.Line(nTitle)) + " as its title, ";
    const std::string strCost = nVerbs == 0 ? std::string()
                                : nVerbs == 1 ? " (the verb in it is never asked)"
                                              : " (the " + std::to_string(nVerbs) +
                                                    " verbs in it are never asked)";
    if (bEnded)
        findings.Add(nTitle, FindingKind::Error, "header-eats-verbs",
                     strTitle + LineRange(1, nEnd) + " are taken as the header" + strCost +
                         ": a header is '#' lines, a title line, then two '#' lines",
                     strFix);
    else
        findings.Add(nTitle, FindingKind::Error, "no-header",
                     strTitle + "the header never ends, so no verb is read: a header is '#' "
                                "lines, a title line, then two '#' lines",
                     strFix);
}

void CheckEnd(const RecordCollector& seen, const ListBytes& bytes, bool bReadToEnd,
              Findings& findings)
{
    if (seen.m_end != VerbListEnd::LineTooLong)
    {
        if (bytes.LineCount() == 0 && bReadToEnd)
            findings.Add(0, FindingKind::Error, "empty-list", "the list is empty",
                         "write a header and the verbs into it");
        return;
    }
    const std::size_t nLine = seen.m_nEndLine;
    // Lost: the record the long line is in, or that it starts, and every record after it.
    std::size_t nLost = 0;
    if (seen.m_nCutRecordLine != 0)
        nLost = 1 + RecordsFrom(bytes, seen.m_nCutRecordLine + 4);
    else if (seen.m_nHeaderEndLine != 0)
        nLost = RecordsFrom(bytes, nLine);
    else
        nLost = RecordsFrom(bytes, nLine + 1); // roughly: where the header would have ended is unknown
    findings.Add(nLine, FindingKind::Error, "line-too-long",
                 "line too long (" +
                     std::to_string(CharacterCount(bytes.Line(nLine), bytes.IsUtf8())) + " > " +
                     std::to_string(kMaxLineLength) +
                     " characters): a lesson stops reading here" +
                     (nLost == 0 ? std::string()
                                 : ", and " + Plural(nLost, " verb", " verbs") + " from here on " +
                                       (nLost == 1 ? "is" : "are") + " lost"),
                 "shorten it");
}

namespace
{

// The lines the reader took into records, by number: a record's lines follow one another,
// and a line between two records was skipped as a comment.
class RecordLines
{
public:
    explicit RecordLines(const std::vector<VerbRecordSeen>& records)
    {
        m_nFirst = records.front().m_nLine;
        m_nLast = records.back().m_nLine + records.back().m_nLines - 1;
        m_lines.assign(m_nLast - m_nFirst + 1, nullptr);
        for (const VerbRecordSeen& record : records)
            for (std::size_t k = 0; k < record.m_nLines; ++k)
                m_lines[record.m_nLine + k - m_nFirst] = &RecordLine(record, k);
    }

    std::size_t First() const { return m_nFirst; }
    std::size_t Last() const { return m_nLast; }
    bool IsTag(std::size_t nLine) const
    {
        return nLine <= m_nLast && Text(nLine) && FindGroup(*Text(nLine)) >= 0;
    }
    // Skipped as a comment, or a "#" line the reader took for a form.
    bool IsComment(std::size_t nLine) const
    {
        return nLine <= m_nLast && (!Text(nLine) || Text(nLine)->compare(0, 1, "#") == 0);
    }
    bool IsFormComment(std::size_t nLine) const { return IsComment(nLine) && Text(nLine); }
    bool IsBlank(std::size_t nLine) const
    {
        return nLine <= m_nLast && Text(nLine) && Text(nLine)->empty();
    }
    bool IsSame(std::size_t nLine, std::size_t nOther) const
    {
        return Text(nLine) && Text(nOther) && *Text(nLine) == *Text(nOther);
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

private:
    const std::string* Text(std::size_t nLine) const
    {
        return nLine >= m_nFirst && nLine <= m_nLast ? m_lines[nLine - m_nFirst] : nullptr;
    }

    std::size_t m_nFirst = 0;
    std::size_t m_nLast = 0;
    std::vector<const std::string*> m_lines; // null: skipped as a comment
};

struct Break
{
    std::size_t nLine;
    const char* pszRule;
    std::string strWhat;
    std::string strFix;
    bool bInside = false; // inside a record, which the reader takes wrongly too
};

std::string BlankLines(std::size_t nBlank)
{
    return nBlank == 1 ? std::string("a blank line") : Plural(nBlank, "", " blank lines");
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
std::vector<bool> CheckRhythm(const std::vector<VerbRecordSeen>& records, Findings& findings)
{
    std::vector<bool> bOutOfStep(records.size(), true);
    if (records.empty())
        return bOutOfStep;
    const RecordLines lines(records);
    std::map<std::size_t, std::size_t> starts; // the author's records: first line, length
    std::vector<Break> breaks;
    std::size_t nPrevious = 0; // the author's record before nDue
    for (std::size_t nDue = lines.First(); nDue <= lines.Last();)
    {
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
                         BlankLines(nBlank) +
                             (nDue + nBlank > lines.Last() ? " at the end of the list" : "") +
                             ", read as records without forms; harmless");
            for (std::size_t nLine = nDue; nLine < nDue + nBlank; nLine += 4)
                starts[nLine] = 4;
            nDue += nBlank;
            continue;
        }
        if (nBlank > 0)
        {
            breaks.push_back({nDue, "blank-line", BlankLines(nBlank) + " inside the records",
                              "delete " + LineRange(nDue, nDue + nBlank - 1)});
            nDue += nBlank;
            continue;
        }
        const bool bTag = lines.IsTag(nDue);
        if (lines.IsFollowedAfter(lines.PastComments(nDue + 4)))
        {
            starts[nDue] = 4; // with a tag, or one that is none of the six
            nPrevious = nDue;
            nDue += 4;
            continue;
        }
        std::size_t nEnd = 0;
        if (const std::size_t nStray = bTag ? StrayLineInside(lines, nDue, nEnd) : 0)
        {
            const bool bBlank = lines.IsBlank(nStray);
            const std::string strWhere = " inside the record at line " + std::to_string(nDue);
            breaks.push_back({nStray, bBlank ? "blank-line" : "comment-in-record",
                              bBlank ? "a blank line" + strWhere
                                     : "the comment " + lines.Quoted(nStray) + strWhere +
                                           " is read as its " +
                                           FormName(kFileOrder[nStray - nDue - 1]),
                              "delete line " + std::to_string(nStray) +
                                  (bBlank ? "" : ", or move it above line " + std::to_string(nDue)),
                              true});
            starts[nDue] = 4;
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
                              "this record has only " + Plural(k, " line", " lines") +
                                  " (a group tag follows at line " + std::to_string(nDue + k) +
                                  ")",
                              "add the missing form after line " + std::to_string(nDue + k - 1)});
            starts[nDue] = k;
        }
        else if (k < 4)
        {
            // A line written twice where the record before ends: name the second.
            std::size_t nRepeat = 0;
            for (std::size_t nLine = nDue; nLine > nPrevious + 1 && nLine + 4 > nDue && nRepeat == 0;
                 --nLine)
                if (lines.IsSame(nLine, nLine - 1))
                    nRepeat = nLine;
            if (nRepeat != 0)
                breaks.push_back({nRepeat, "repeated-line",
                                  "line " + std::to_string(nRepeat) + " repeats line " +
                                      std::to_string(nRepeat - 1) + " " + lines.Quoted(nRepeat),
                                  "delete line " + std::to_string(nRepeat)});
            else
                breaks.push_back({nDue, "extra-line",
                                  (k == 1 ? std::string("an extra line ")
                                          : Plural(k, "", " extra lines from ")) +
                                      lines.Quoted(nDue) + " inside the records",
                                  "delete " + LineRange(nDue, nDue + k - 1)});
        }
        else
        {
            starts[nDue] = 4;
            nPrevious = nDue;
        }
        nDue += k;
    }

    for (std::size_t i = 0; i < records.size(); ++i)
    {
        const auto it = starts.find(records[i].m_nLine);
        bOutOfStep[i] = it == starts.end() || it->second < 4;
    }
    // Each break: the author's records after it, up to the next break, that the reader
    // takes out of step. A comment where the reader starts a record can bring it back in step.
    std::set<std::size_t> readerStarts;
    for (const VerbRecordSeen& record : records)
        readerStarts.insert(record.m_nLine);
    for (std::size_t b = 0; b < breaks.size(); ++b)
    {
        const std::size_t nTo = b + 1 < breaks.size() ? breaks[b + 1].nLine : lines.Last() + 1;
        std::size_t nShifted = 0, nUpTo = 0;
        bool bBackInStep = false;
        for (auto it = starts.upper_bound(breaks[b].nLine); it != starts.end() && it->first < nTo;
             ++it)
        {
            const bool bInStep = readerStarts.count(it->first) != 0;
            bBackInStep = bInStep && nShifted > 0;
            if (!bInStep)
                ++nShifted, nUpTo = it->first + it->second - 1;
        }
        // The record a comment is in is read wrongly too.
        if (breaks[b].bInside)
            for (std::size_t i = 0; i < records.size(); ++i)
                if (records[i].m_nLine < breaks[b].nLine &&
                    breaks[b].nLine < records[i].m_nLine + records[i].m_nLines)
                    bOutOfStep[i] = true;
        std::string strEffect =
            nShifted == 0 ? std::string()
                          : ", so a lesson takes the lines of the " +
                                (nShifted == 1 ? std::string("record")
                                               : std::to_string(nShifted) + " records") +
                                " after it for the wrong forms" +
                                (bBackInStep ? " (up to line " + std::to_string(nUpTo) + ")"
                                             : std::string());
        findings.Add(breaks[b].nLine, FindingKind::Error, breaks[b].pszRule,
                     breaks[b].strWhat + strEffect, breaks[b].strFix);
    }
    return bOutOfStep;
}
