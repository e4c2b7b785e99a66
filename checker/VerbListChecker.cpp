#include "checker/VerbListChecker.h"

#include "checker/ListBytes.h"
#include "checker/RecordAnswers.h"
#include "checker/RecordShape.h"
#include "framework/Translation.h"
#include "lesson/VerbListFiles.h"
#include "verbdata/VerbListFile.h"

#include <algorithm>
#include <filesystem>
#include <new>

namespace
{

// Counts what a lesson asks, as the reader goes; keeps the questions only when asked to.
class QuestionCounter : public VerbListObserver
{
public:
    QuestionCounter(ListSummary& summary, bool bKeepQuestions)
        : m_summary(summary), m_bKeepQuestions(bKeepQuestions)
    {
    }

    void OnHeaderEnd(std::size_t, std::size_t) override {}
    void OnEnd(VerbListEnd, std::size_t, std::size_t) override {}
    void OnRecord(const VerbRecordSeen& record) override
    {
        if (!m_bKeepQuestions)
            m_summary.m_pool.clear();
        bool bAsked = false;
        for (std::size_t k = 0; k < kDirectionCount; ++k)
        {
            m_summary.m_nQuestions[k] += record.m_bAsked[k];
            bAsked = bAsked || record.m_bAsked[k];
        }
        if (!bAsked)
            return;
        const int nGroup = FindGroup(record.m_strTag);
        ++(nGroup < 0 ? m_summary.m_nOtherVerbs
                      : m_summary.m_nVerbs[static_cast<std::size_t>(nGroup)]);
    }

private:
    ListSummary& m_summary;
    bool m_bKeepQuestions;
};

// A DOS end-of-file mark alone on the last line: the reader takes it for a record's tag.
void EndsWithDosMark(const ListBytes& bytes, RecordCollector& seen, Findings& findings)
{
    if (bytes.LineCount() == 0 || bytes.Line(bytes.LineCount()) != "\x1A" ||
        seen.m_records.empty() || seen.m_records.back().m_nLine != bytes.LineCount())
        return;
    findings.Add(bytes.LineCount(), FindingKind::Note, "dos-end-mark",
                 Tr("a DOS end-of-file mark (Ctrl+Z) ends the list; harmless"));
    seen.m_records.pop_back();
}

} // namespace

std::string DirectionName(std::size_t nDirection)
{
    const Direction& direction = kDirections.at(nDirection);
    return std::string(FormName(direction.PromptForm)) + " to " + FormName(direction.AskedForm);
}

std::string DirectionText(std::size_t nDirection)
{
    const Direction& direction = kDirections.at(nDirection);
    // TRANSLATORS: a direction of questions: the form shown ({1}) to the form asked ({2}).
    return FillIn(Tr("{1} to {2}"), {FormText(direction.PromptForm), FormText(direction.AskedForm)});
}

namespace
{

// strPath empty: the bytes are given.
ListCheck CheckList(const std::string& strPath, std::string* pBytes, bool bAlternativeFile,
                    const GroupSet& groups, const DirectionSet& directions, bool bKeepQuestions)
{
    ListCheck check;
    ListSummary& summary = check.m_summary;
    summary.m_bAlternativeFile = bAlternativeFile;
    summary.m_groups = summary.m_bAlternativeFile ? AllFlags<GroupSet>() : groups;
    summary.m_directions = directions;
    Findings findings;
    try
    {
        ListBytes bytes;
        std::string strProblem;
        if (pBytes != nullptr)
            bytes.Take(std::move(*pBytes));
        else
            strProblem = bytes.Read(strPath);
        QuestionPool pool;
        RecordCollector seen(pool, bytes.LineCount() / 4 + 1);
        const VerbListEnd end =
            ReadVerbListText(bytes.Bytes(), summary.m_bAlternativeFile, AllFlags<DirectionSet>(),
                             AllFlags<GroupSet>(), pool, &seen);
        check.m_bRead = strProblem.empty() && end != VerbListEnd::StreamFailed &&
                        end != VerbListEnd::OutOfMemory;
        if (!strProblem.empty())
        {
            findings.Add(bytes.m_nErrorLine, FindingKind::Error, "cannot-read", strProblem,
                         bytes.m_nErrorLine == 0 ? "" : Tr("a lesson reads the list only up to here"));
            if (bytes.m_nErrorLine == 0)
            {
                check.m_findings = findings.Sorted();
                return check;
            }
        }
        if (end == VerbListEnd::OutOfMemory)
            throw std::bad_alloc();

        // Lines a lesson shows: the forms of the records it reads.
        const auto Shown = [&](std::size_t nLine)
        {
            const auto it = std::upper_bound(seen.m_records.begin(), seen.m_records.end(), nLine,
                                             [](std::size_t n, const RecordSpan& span)
                                             { return n < span.m_nLine; });
            return it != seen.m_records.begin() && nLine > (it - 1)->m_nLine &&
                   nLine < (it - 1)->m_nLine + (it - 1)->m_nLines;
        };
        if (CheckEncoding(bytes, Shown, findings) && !CheckSpreadsheet(bytes, findings))
        {
            EndsWithDosMark(bytes, seen, findings);
            CheckHeader(seen, bytes, findings);
            CheckEnd(seen, bytes, strProblem.empty(), findings);
            std::vector<std::size_t> shifted;
            const std::vector<bool> bOutOfStep =
                CheckRhythm(seen.m_records, bytes, findings, shifted);
            RecordContext context;
            context.m_bAlternativeFile = summary.m_bAlternativeFile;
            for (std::size_t i = 0; i < seen.m_records.size(); ++i)
            {
                const RecordSpan& span = seen.m_records[i];
                if (!bOutOfStep[i])
                    CheckRecord(Expand(span, bytes), context, findings);
                for (std::size_t k = 1; k < span.m_nLines && k < 4; ++k)
                    CheckCharacters(span.m_nLine + k, bytes.Line(span.m_nLine + k), bytes.IsUtf8(),
                                    findings);
            }
            // The records a break shifts, as the author wrote them: what is known once it is
            // mended. Their lines the reader took for tags get their characters checked too.
            for (const std::size_t nLine : shifted)
            {
                CheckRecord(AuthorRecord(nLine, bytes), context, findings);
                for (std::size_t k = 1; k < 4; ++k)
                    if (!Shown(nLine + k))
                        CheckCharacters(nLine + k, bytes.Line(nLine + k), bytes.IsUtf8(), findings);
            }
            CheckSameVerbs(context, bytes, findings);
            CheckCapitals(context, bytes, findings);
            CheckSomethingAsked(seen, bytes, findings);
        }
        seen.m_records = {};

        QuestionCounter counter(summary, bKeepQuestions);
        ReadVerbListText(bytes.Bytes(), summary.m_bAlternativeFile, directions, summary.m_groups,
                         summary.m_pool, &counter);
    }
    catch (const std::bad_alloc&)
    {
        check.m_bRead = false;
        findings.Add(0, FindingKind::Error, "out-of-memory", Tr("out of memory while reading the list"),
                     Tr("close other programs and try again"));
    }
    check.m_findings = findings.Sorted();
    return check;
}

} // namespace

ListCheck CheckVerbListFile(const std::string& strPath, const GroupSet& groups,
                            const DirectionSet& directions, bool bKeepQuestions)
{
    return CheckList(strPath, nullptr,
                     std::filesystem::path(strPath).filename() == kAlternativeVerbList, groups,
                     directions, bKeepQuestions);
}

ListCheck CheckVerbListBytes(std::string strBytes, bool bAlternativeFile, const GroupSet& groups,
                             const DirectionSet& directions, bool bKeepQuestions)
{
    return CheckList(std::string(), &strBytes, bAlternativeFile, groups, directions,
                     bKeepQuestions);
}
