#include "checker/VerbListChecker.h"

#include "lesson/VerbListFiles.h"
#include "verbdata/AnswerText.h"
#include "verbdata/ListEncoding.h"
#include "verbdata/RegularFile.h"
#include "verbdata/VerbListFile.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <map>
#include <new>
#include <set>
#include <string_view>

namespace
{

// ---- The file's bytes, for what the reader's Latin-1 text no longer shows --------------

// The bytes of a list as the lesson takes them: read only from a regular file, opened
// without waiting; without a byte-order mark. Lines end as the reader ends them.
class RawList
{
public:
    // Empty when the file was read to its end; else why not, with m_nErrorLine the line
    // the reading stopped in (0 when nothing could be read).
    std::string Read(const std::string& strPath)
    {
        RegularFile file(strPath);
        std::string strProblem;
        switch (file.GetKind())
        {
        case RegularFile::Kind::Unopened:
            return std::string("cannot open: ") + std::strerror(file.Error());
        case RegularFile::Kind::Directory:
            strProblem = "a directory, not a verb list";
            break;
        case RegularFile::Kind::Other:
            strProblem = "not a regular file: a lesson does not open it";
            break;
        case RegularFile::Kind::Regular:
            while (file.ReadBlock(m_strBytes))
                ;
            if (file.Error() != 0)
                strProblem = std::string("read error: ") + std::strerror(file.Error());
            break;
        }
        if (m_strBytes.compare(0, kUtf8ByteOrderMark.size(), kUtf8ByteOrderMark) == 0)
            m_strBytes.erase(0, kUtf8ByteOrderMark.size());
        for (std::size_t i = 0; i < m_strBytes.size(); i = m_lineEnds.back() + 1)
        {
            const std::size_t nFeed = m_strBytes.find('\n', i);
            m_lineEnds.push_back(nFeed == std::string::npos ? m_strBytes.size() : nFeed);
        }
        if (file.GetKind() == RegularFile::Kind::Regular && !strProblem.empty())
            m_nErrorLine = LineCount() + (m_strBytes.empty() || m_strBytes.back() == '\n');
        return strProblem;
    }

    // By its byte-order mark.
    bool IsUtf16() const
    {
        return m_strBytes.compare(0, 2, "\xFF\xFE") == 0 ||
               m_strBytes.compare(0, 2, "\xFE\xFF") == 0;
    }

    std::size_t LineCount() const
    {
        return m_lineEnds.size();
    }

    // Line nLine (from 1) without its line feed and a CR before it; empty past the end.
    std::string Line(std::size_t nLine) const
    {
        if (nLine == 0 || nLine > m_lineEnds.size())
            return {};
        const std::size_t nStart = nLine == 1 ? 0 : m_lineEnds[nLine - 2] + 1;
        std::size_t nEnd = m_lineEnds[nLine - 1];
        if (nEnd < m_strBytes.size() && nEnd > nStart && m_strBytes[nEnd - 1] == '\r')
            --nEnd;
        return m_strBytes.substr(nStart, nEnd - nStart);
    }

    std::size_t m_nErrorLine = 0;

private:
    std::string m_strBytes;
    std::vector<std::size_t> m_lineEnds; // where each line's line feed is, or the end
};

// ---- What the reader saw ----------------------------------------------------------------

class RecordCollector : public VerbListObserver
{
public:
    void OnHeaderEnd() override { m_bHeaderEnded = true; }
    void OnRecord(const VerbRecordSeen& record) override
    {
        if (record.m_nLines > 0) // not the empty line that reading at the end yields
            m_records.push_back(record);
    }
    void OnEnd(VerbListEnd end, std::size_t nLine, std::size_t nRecordLine) override
    {
        m_end = end;
        m_nEndLine = nLine;
        m_nCutRecordLine = nRecordLine;
    }

    bool m_bHeaderEnded = false;
    std::vector<VerbRecordSeen> m_records;
    VerbListEnd m_end = VerbListEnd::EndOfFile;
    std::size_t m_nEndLine = 0;
    std::size_t m_nCutRecordLine = 0;
};

// Line k of a record, 0 the tag and 1 to 3 the forms in the file's order.
const std::string& RecordLine(const VerbRecordSeen& record, std::size_t k)
{
    static const VerbForm kFileOrder[] = {PastTense, Infinitive, PastParticiple};
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

// ---- Texts of findings ------------------------------------------------------------------

void AppendUtf8(std::string& str, unsigned char c)
{
    if (c < 0x80)
        str += static_cast<char>(c);
    else
    {
        str += static_cast<char>(0xC0 | c >> 6);
        str += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// A Latin-1 text in quotes, in UTF-8, with control characters written as \xNN.
std::string Quote(const std::string& strLatin1)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string str = "'";
    for (const char ch : strLatin1)
    {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || (c >= 0x7F && c < 0xA0))
            str += std::string("\\x") + kHex[c >> 4] + kHex[c & 0xF];
        else
            AppendUtf8(str, c);
    }
    return str + "'";
}

// "1 record", "2 records"; with no singular, "2 blank lines".
std::string Plural(std::size_t n, const char* pszOne, const char* pszMany)
{
    return std::to_string(n) + (n == 1 ? pszOne : pszMany);
}

class Findings
{
public:
    void Add(std::size_t nLine, FindingKind nKind, std::string strText)
    {
        m_findings.push_back({nLine, nKind, std::move(strText)});
    }

    std::vector<Finding> Sorted()
    {
        std::stable_sort(m_findings.begin(), m_findings.end(),
                         [](const Finding& a, const Finding& b) { return a.m_nLine < b.m_nLine; });
        return std::move(m_findings);
    }

private:
    std::vector<Finding> m_findings;
};

// ---- Where reading stops ----------------------------------------------------------------

// Records in the lines from nFrom on, counted as the reader would take them had it gone on:
// "#" lines where a record may start are comments, every other line starts four.
std::size_t RecordsFrom(const RawList& raw, std::size_t nFrom)
{
    std::size_t nRecords = 0;
    for (std::size_t nLine = nFrom; nLine <= raw.LineCount();)
    {
        if (raw.Line(nLine).compare(0, 1, "#") == 0)
            ++nLine;
        else
        {
            ++nRecords;
            nLine += 4;
        }
    }
    return nRecords;
}

// bReadToEnd: the file could be read to its end (else that is the finding).
void CheckEnd(const RecordCollector& seen, const RawList& raw, bool bReadToEnd, Findings& findings)
{
    if (seen.m_end != VerbListEnd::LineTooLong)
    {
        if (!seen.m_bHeaderEnded && bReadToEnd)
            findings.Add(raw.LineCount() == 0 ? 0 : 1, FindingKind::Error,
                         raw.LineCount() == 0
                             ? "the list is empty"
                             : "the header never ends, so no verb is read: a header is "
                               "'#' lines, a title line, then two '#' lines");
        return;
    }
    const std::size_t nLine = seen.m_nEndLine;
    // Lost: the record the long line is in, or that it starts, and every record after it.
    std::size_t nLost = 0;
    if (seen.m_nCutRecordLine != 0)
        nLost = 1 + RecordsFrom(raw, seen.m_nCutRecordLine + 4);
    else if (seen.m_bHeaderEnded)
        nLost = RecordsFrom(raw, nLine);
    else
        nLost =
            RecordsFrom(raw, nLine + 1); // roughly: where the header would have ended is unknown
    findings.Add(nLine, FindingKind::Error,
                 "the line is longer than " + std::to_string(kMaxLineLength) +
                     " characters: the lesson stops reading here" +
                     (nLost == 0 ? std::string()
                                 : ", and " + Plural(nLost, " record", " records") +
                                       " from here on " + (nLost == 1 ? "is" : "are") + " lost"));
}

// ---- Records out of step ----------------------------------------------------------------

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
    bool IsComment(std::size_t nLine) const
    {
        return nLine <= m_nLast && (!Text(nLine) || Text(nLine)->compare(0, 1, "#") == 0);
    }
    bool IsBlank(std::size_t nLine) const
    {
        return nLine <= m_nLast && Text(nLine) && Text(nLine)->empty();
    }
    std::string Quoted(std::size_t nLine) const { return Quote(Text(nLine) ? *Text(nLine) : "#"); }

    // Where the record after one starting at nLine starts, past comments.
    std::size_t NextStart(std::size_t nLine) const
    {
        for (nLine += 4; IsComment(nLine);)
            ++nLine;
        return nLine;
    }

    // A group tag at nLine that the next record does not belie: four lines on (past comments)
    // there is no form, as there is after a form like "lit".
    bool IsConfirmedTag(std::size_t nLine) const
    {
        const std::size_t nNext = NextStart(nLine);
        return IsTag(nLine) && (nNext > m_nLast || IsTag(nNext) || IsBlank(nNext));
    }

private:
    const std::string* Text(std::size_t nLine) const { return m_lines[nLine - m_nFirst]; }

    std::size_t m_nFirst = 0;
    std::size_t m_nLast = 0;
    std::vector<const std::string*> m_lines; // null: skipped as a comment
};

// The reader takes four lines per record; a blank, extra or missing line moves the records
// the author wrote against that rhythm. Follows the author's records by their group tags
// (a form like "lit" is taken for a tag only when the next record bears it out), reports
// each line that breaks the rhythm, and marks the records the reader takes out of step.
std::vector<bool> CheckRhythm(const std::vector<VerbRecordSeen>& records, Findings& findings)
{
    std::vector<bool> bOutOfStep(records.size(), true);
    if (records.empty())
        return bOutOfStep;
    const RecordLines lines(records);
    std::map<std::size_t, std::size_t> starts; // the author's records: first line, length
    struct Break
    {
        std::size_t nLine;
        std::string strText;
    };
    std::vector<Break> breaks;
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
            const bool bAtEnd = nDue + nBlank > lines.Last();
            findings.Add(
                nDue, FindingKind::Note,
                (nBlank == 1 ? std::string("a blank line") : Plural(nBlank, "", " blank lines")) +
                    (bAtEnd ? " at the end of the list" : "") +
                    ", read as records without forms; harmless");
            for (std::size_t nLine = nDue; nLine < nDue + nBlank; nLine += 4)
                starts[nLine] = 4;
            nDue += nBlank;
            continue;
        }
        std::size_t k = 1;
        const bool bTag = lines.IsTag(nDue);
        const bool bNextFound =
            lines.NextStart(nDue) > lines.Last() || lines.IsTag(lines.NextStart(nDue));
        while (k < 4 && !(lines.IsConfirmedTag(nDue + k) && !(bTag && bNextFound)))
            ++k;
        if (nBlank > 0)
            breaks.push_back({nDue, (nBlank == 1 ? std::string("a blank line")
                                                 : Plural(nBlank, "", " blank lines")) +
                                        " inside the records"});
        else if (k < 4 && bTag)
            breaks.push_back({nDue, "this record has only " + Plural(k, " line", " lines") +
                                        " (a group tag follows at line " +
                                        std::to_string(nDue + k) + ")"});
        else if (k < 4)
            breaks.push_back({nDue, (k == 1 ? std::string("an extra line ")
                                            : Plural(k, "", " extra lines from ")) +
                                        lines.Quoted(nDue) + " inside the records"});
        if (nBlank > 0)
            nDue += nBlank;
        else if (k < 4)
        {
            if (bTag)
                starts[nDue] = k;
            nDue += k;
        }
        else
        {
            starts[nDue] = 4; // with a tag, or one that is none of the six
            nDue += 4;
        }
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
        std::string strEffect = nShifted == 0   ? ": the records after it are in step"
                                : nShifted == 1 ? ": the record after it is read out of step"
                                                : ": the " + std::to_string(nShifted) +
                                                      " records after it are read out of step";
        if (nShifted > 0)
            strEffect += (bBackInStep ? " up to line " + std::to_string(nUpTo) : std::string()) +
                         (nShifted == 1 ? ", its lines" : ", their lines") +
                         " taken as the wrong forms";
        findings.Add(breaks[b].nLine, FindingKind::Error, breaks[b].strText + strEffect);
    }
    return bOutOfStep;
}

// ---- One record, read in step -----------------------------------------------------------

// A tag the author probably meant, or empty.
std::string MeantTag(const std::string& strTag)
{
    std::string strLower = NormaliseSpaces(strTag);
    for (char& c : strLower)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return FindGroup(strLower) >= 0 ? strLower : std::string();
}

void CheckRecord(const VerbRecordSeen& record, Findings& findings,
                 std::map<std::string, std::size_t>& infinitives)
{
    const std::size_t nLine = record.m_nLine;
    bool bBlank = true;
    for (std::size_t k = 0; k < record.m_nLines; ++k)
        bBlank = bBlank && RecordLine(record, k).empty();
    if (bBlank)
        return; // told with the rhythm
    if (record.m_nLines < 4)
    {
        findings.Add(nLine, FindingKind::Error,
                     "the list ends after " + Plural(record.m_nLines, " line", " lines") +
                         " of this record: it is never asked");
        return;
    }
    if (FindGroup(record.m_strTag) < 0)
    {
        const std::string strMeant = MeantTag(record.m_strTag);
        findings.Add(nLine, FindingKind::Warning,
                     Quote(record.m_strTag) +
                         " is none of the six group tags: this verb is asked "
                         "whatever groups are chosen" +
                         (strMeant.empty() ? "" : " (meant '" + strMeant + "'?)"));
    }
    if (record.m_bEmptyForm)
    {
        for (VerbForm form : {PastTense, Infinitive, PastParticiple})
            if (record.m_forms[form].empty())
            {
                findings.Add(nLine + FormOffset(form), FindingKind::Error,
                             std::string("the ") + FormName(form) +
                                 " is empty: this verb is never asked");
                break;
            }
        return;
    }
    if (record.m_nStopDirection < kDirectionCount)
    {
        const VerbForm prompt = kDirections[record.m_nStopDirection].PromptForm;
        std::string strLost;
        for (std::size_t k = record.m_nStopDirection; k < kDirectionCount; ++k)
            strLost += (strLost.empty() ? "" : ", ") + DirectionName(k);
        findings.Add(nLine + FormOffset(prompt),
                     prompt == Infinitive ? FindingKind::Warning : FindingKind::Note,
                     std::string("the ") + FormName(prompt) +
                         " is a list, which is never shown as a question: with every direction "
                         "chosen, this verb gives " +
                         (record.m_nStopDirection == 0 ? std::string("no question at all")
                                                       : "no " + strLost));
    }
    for (VerbForm form : {PastTense, Infinitive, PastParticiple})
    {
        const std::string& strForm = record.m_forms[form];
        const std::size_t nFormLine = nLine + FormOffset(form);
        if (NormaliseSpaces(strForm) != strForm)
            findings.Add(nFormLine, FindingKind::Note,
                         Quote(strForm) + " has blanks that the answer check ignores");
        if (strForm.compare(0, 1, "/") != 0)
            continue;
        // Each alternative as written must be an answer the rules accept.
        const std::string strExpected = NormaliseSpaces(ConvertAccents(strForm));
        for (std::size_t i = 1; i <= strExpected.size();)
        {
            const std::size_t nNext = std::min(strExpected.find('/', i), strExpected.size());
            const std::string strAlternative = NormaliseSpaces(strExpected.substr(i, nNext - i));
            if (!strAlternative.empty() && !MatchAnswer(strAlternative, strExpected))
                findings.Add(nFormLine, FindingKind::Warning,
                             "the answer " + Quote(strAlternative) +
                                 " is never accepted: write a list as '/one /two', one blank "
                                 "before each '/'");
            i = nNext + 1;
        }
    }
    const std::string strVerb = NormaliseSpaces(ConvertAccents(record.m_forms[Infinitive]));
    const auto [it, bNew] = infinitives.emplace(strVerb, nLine + FormOffset(Infinitive));
    if (!bNew)
        findings.Add(nLine + FormOffset(Infinitive), FindingKind::Warning,
                     Quote(strVerb) + " is already at line " + std::to_string(it->second) +
                         ": the verb is asked twice");
}

// ---- Characters -------------------------------------------------------------------------

bool IsControl(unsigned char c)
{
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

// strText: the line as the reader took it; strBytes: the line in the file.
void CheckCharacters(std::size_t nLine, const std::string& strText, const std::string& strBytes,
                     Findings& findings)
{
    for (std::size_t i = 0; i + 2 < strText.size(); ++i)
    {
        const std::string strCode = strText.substr(i, 3);
        const auto cLetter = static_cast<unsigned char>(strCode[2]);
        if (strCode[0] == '\\' && std::strchr("'`^\"c", strCode[1]) != nullptr && cLetter < 0x80 &&
            std::isalpha(cLetter) && ConvertAccents(strCode) == strCode)
            findings.Add(nLine, FindingKind::Warning,
                         Quote(strCode) + " is no accent code: it stays as it is written, which no "
                                          "learner types");
    }
    const bool bDecoded = strText != strBytes; // the list is UTF-8
    for (const char ch : strText)
        if (IsControl(static_cast<unsigned char>(ch)))
        {
            findings.Add(
                nLine, FindingKind::Warning,
                "the control character " + Quote(std::string(1, ch)) +
                    (!bDecoded && static_cast<unsigned char>(ch) >= 0x80
                         ? " cannot be typed: it is no Latin-1 letter (is the list in a Windows "
                           "encoding? save it as UTF-8)"
                         : " cannot be typed"));
            break;
        }
    for (std::size_t i = 0; i < strBytes.size();)
    {
        char32_t ch = 0;
        const std::size_t nLength = DecodeUtf8(std::string_view(strBytes).substr(i), ch);
        if (nLength == 0 || nLength == 1)
        {
            ++i;
            continue;
        }
        const std::string strChar = strBytes.substr(i, nLength);
        if (bDecoded && ch > 0xFF)
            findings.Add(nLine, FindingKind::Warning,
                         "'" + strChar +
                             "' is no Latin-1 letter: the lesson reads it as '?', and no "
                             "learner can type it");
        else if (!bDecoded)
        {
            findings.Add(nLine, FindingKind::Warning,
                         "'" + strChar +
                             "' is written in UTF-8, but a byte elsewhere in the list is "
                             "not, so the list is read as Latin-1 and this shows as " +
                             Quote(strChar));
            return;
        }
        i += nLength;
    }
}

// ---- The lesson's count -----------------------------------------------------------------

void Count(const RecordCollector& seen, ListSummary& summary)
{
    for (const VerbRecordSeen& record : seen.m_records)
    {
        if (!record.m_bGroupTaken || record.m_bEmptyForm)
            continue;
        const int nGroup = FindGroup(record.m_strTag);
        ++(nGroup < 0 ? summary.m_nOtherVerbs : summary.m_nVerbs[static_cast<std::size_t>(nGroup)]);
        for (std::size_t k = 0; k < kDirectionCount; ++k)
            summary.m_nQuestions[k] += record.m_bAsked[k];
    }
}

// Reads the file as a lesson over every direction and the given groups does.
VerbListEnd ReadAsLesson(const std::string& strPath, bool bAlternativeFile, const GroupSet& groups,
                         QuestionPool& pool, RecordCollector& seen)
{
    return ReadVerbListFile(strPath, bAlternativeFile, AllFlags<DirectionSet>(), groups, pool, &seen);
}

} // namespace

std::string DirectionName(std::size_t nDirection)
{
    const Direction& direction = kDirections.at(nDirection);
    return std::string(FormName(direction.PromptForm)) + " to " + FormName(direction.AskedForm);
}

ListCheck CheckVerbListFile(const std::string& strPath, const GroupSet& groups)
{
    ListCheck check;
    ListSummary& summary = check.m_summary;
    summary.m_bAlternativeFile = std::filesystem::path(strPath).filename() == kAlternativeVerbList;
    summary.m_groups = summary.m_bAlternativeFile ? AllFlags<GroupSet>() : groups;
    Findings findings;
    try
    {
        RawList raw;
        const std::string strProblem = raw.Read(strPath);
        RecordCollector seen;
        QuestionPool pool;
        const VerbListEnd end =
            ReadAsLesson(strPath, summary.m_bAlternativeFile, AllFlags<GroupSet>(), pool, seen);
        check.m_bRead = strProblem.empty() && end != VerbListEnd::StreamFailed &&
                        end != VerbListEnd::OutOfMemory;
        if (!strProblem.empty() || end == VerbListEnd::StreamFailed)
        {
            findings.Add(
                raw.m_nErrorLine, FindingKind::Error,
                (strProblem.empty() ? "cannot be read" : strProblem) +
                    (raw.m_nErrorLine == 0 ? "" : ": the lesson reads the list only up to here"));
            if (raw.m_nErrorLine == 0)
            {
                check.m_findings = findings.Sorted();
                return check;
            }
        }
        if (end == VerbListEnd::OutOfMemory)
            throw std::bad_alloc();

        if (raw.IsUtf16())
            findings.Add(0, FindingKind::Error,
                         "the list is saved as UTF-16, which a lesson reads as noise: save it as "
                         "UTF-8 or Latin-1");
        CheckEnd(seen, raw, strProblem.empty(), findings);
        const std::vector<bool> bOutOfStep = CheckRhythm(seen.m_records, findings);
        std::map<std::string, std::size_t> infinitives;
        for (std::size_t i = 0; i < seen.m_records.size(); ++i)
        {
            const VerbRecordSeen& record = seen.m_records[i];
            if (!bOutOfStep[i])
                CheckRecord(record, findings, infinitives);
            for (std::size_t k = 0; k < record.m_nLines && k < 4; ++k)
                CheckCharacters(record.m_nLine + k, RecordLine(record, k),
                                raw.Line(record.m_nLine + k), findings);
        }

        if (summary.m_bAlternativeFile || groups.All())
        {
            Count(seen, summary);
            summary.m_pool = std::move(pool);
        }
        else
        {
            RecordCollector chosen;
            ReadAsLesson(strPath, false, groups, summary.m_pool, chosen);
            Count(chosen, summary);
        }
    }
    catch (const std::bad_alloc&)
    {
        check.m_bRead = false;
        findings.Add(0, FindingKind::Error, "out of memory while reading the list");
    }
    check.m_findings = findings.Sorted();
    return check;
}
