#include "editor/TableChecks.h"

#include "checker/CheckReport.h"
#include "editor/VerFile.h"
#include "framework/Translation.h"
#include "verbdata/AnswerText.h"
#include "verbdata/ListEncoding.h"
#include "verbdata/VerbListFile.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace
{

// Rules about one record (or, for the same verb twice, about the records of one verb): a
// change of a row can be checked on that row and its verb's rows alone. Any other rule
// found anywhere makes every change check the whole list.
const std::set<std::string> kRowRules = {
    "unknown-tag",        "comment-as-form",     "empty-form",        "list-as-prompt",
    "list-accepts",       "two-spellings",       "extra-blanks",      "accent-code",
    "invisible-character", "windows-character",  "control-character", "not-latin1",
    "same-verb-twice"};

const std::vector<Finding> kNoFindings;

std::string VerbKey(const VerbRow& row)
{
    return NormaliseSpaces(ConvertAccents(row.m_forms[Infinitive]));
}

// Whether the checker reads the row on its own: four lines, a group tag, and no form
// that is empty, a group tag or a '#' line, which the rhythm of the records reads with
// the lines around them.
bool StandsAlone(const VerbRow& row)
{
    if (!row.m_strFileLines.empty() &&
        std::count(row.m_strFileLines.begin(), row.m_strFileLines.end(), '\n') != 4)
        return false;
    if (FindGroup(row.m_strTag) < 0)
        return false;
    for (const std::string& strForm : row.m_forms)
        if (strForm.empty() || strForm[0] == '#' || FindGroup(strForm) >= 0)
            return false;
    return true;
}

// Notes each record's group and asked directions, by the line of its tag.
class AskedCounter : public VerbListObserver
{
public:
    explicit AskedCounter(QuestionPool& pool) : m_pool(pool) {}
    void OnHeaderEnd(std::size_t, std::size_t) override {}
    void OnEnd(VerbListEnd, std::size_t, std::size_t) override {}
    void OnRecord(const VerbRecordSeen& record) override
    {
        m_pool.clear();
        unsigned nAsked = 0;
        for (std::size_t k = 0; k < kDirectionCount; ++k)
            nAsked |= static_cast<unsigned>(record.m_bAsked[k]) << k;
        const int nGroup = FindGroup(record.m_strTag);
        m_seen.push_back({record.m_nLine, nAsked == 0 ? -1 : nGroup < 0 ? int(kGroupCount) : nGroup,
                          nAsked});
    }

    struct Seen
    {
        std::size_t nLine;
        int nGroup;
        unsigned nAsked;
    };
    std::vector<Seen> m_seen;

private:
    QuestionPool& m_pool;
};

} // namespace

std::vector<TableChecks::Counted> TableChecks::CountRows(const std::string& strBytes,
                                                         const std::vector<std::size_t>& lines) const
{
    QuestionPool pool;
    AskedCounter counter(pool);
    ReadVerbListText(LessonBytes(strBytes), false, AllFlags<DirectionSet>(), AllFlags<GroupSet>(),
                     pool, &counter);
    std::vector<Counted> counted(lines.size());
    std::size_t i = 0;
    for (const AskedCounter::Seen& seen : counter.m_seen)
    {
        while (i < lines.size() && lines[i] < seen.nLine)
            ++i;
        if (i < lines.size() && lines[i] == seen.nLine)
            counted[i] = {seen.nGroup, seen.nAsked};
    }
    return counted;
}

void TableChecks::Count(const Counted& counted, int nSign)
{
    if (counted.nGroup < 0)
        return;
    std::size_t& nVerbs = counted.nGroup == int(kGroupCount)
                              ? m_summary.m_nOtherVerbs
                              : m_summary.m_nVerbs[static_cast<std::size_t>(counted.nGroup)];
    nVerbs += static_cast<std::size_t>(nSign);
    for (std::size_t k = 0; k < kDirectionCount; ++k)
        if (counted.nAsked >> k & 1)
            m_summary.m_nQuestions[k] += static_cast<std::size_t>(nSign);
}

void TableChecks::CheckAll(const VerbTable& table)
{
    std::string strBytes = WriteVerText(table, &m_rowLines);
    const std::size_t nRows = table.RowCount();
    m_counted = CountRows(strBytes, m_rowLines);
    ListCheck check = CheckVerbListBytes(std::move(strBytes), false, AllFlags<GroupSet>(),
                                         AllFlags<DirectionSet>(), false);
    m_summary = ListSummary();
    m_summary.m_groups = AllFlags<GroupSet>();
    m_summary.m_directions = AllFlags<DirectionSet>();
    for (const Counted& counted : m_counted)
        Count(counted, +1);
    m_rowFindings.assign(nRows, {});
    m_listFindings.clear();
    m_bAlone.resize(nRows);
    m_verbs.resize(nRows);
    for (std::size_t i = 0; i < nRows; ++i)
    {
        m_bAlone[i] = StandsAlone(table.Row(i));
        m_verbs[i] = VerbKey(table.Row(i));
    }
    m_bFullOnly = false;
    for (const Finding& finding : check.m_findings)
        m_bFullOnly = m_bFullOnly || kRowRules.count(finding.m_strRule) == 0;
    std::vector<std::size_t> all(nRows);
    for (std::size_t i = 0; i < nRows; ++i)
        all[i] = i;
    Distribute(check.m_findings, all);
}

// Puts each finding on its row, when that is one of `rows`; the others go to the list.
void TableChecks::Distribute(const std::vector<Finding>& findings, const std::vector<std::size_t>& rows)
{
    for (const std::size_t nRow : rows)
        m_rowFindings[nRow].clear();
    for (const Finding& finding : findings)
    {
        const std::size_t nRow = RowOfLine(finding.m_nLine);
        if (nRow < m_rowFindings.size())
            m_rowFindings[nRow].push_back(finding);
        else
            m_listFindings.push_back(finding);
    }
}

std::size_t TableChecks::RowOfLine(std::size_t nLine) const
{
    const auto it = std::upper_bound(m_rowLines.begin(), m_rowLines.end(), nLine);
    if (it == m_rowLines.begin())
        return m_rowLines.size();
    const std::size_t nRow = static_cast<std::size_t>(it - m_rowLines.begin()) - 1;
    return nLine < m_rowLines[nRow] + 4 ? nRow : m_rowLines.size();
}

std::size_t TableChecks::LineOfRow(std::size_t nRow) const
{
    if (nRow < m_rowLines.size())
        return m_rowLines[nRow];
    return m_rowLines.empty() ? 4 : m_rowLines.back() + 4;
}

const std::vector<Finding>& TableChecks::RowFindings(std::size_t nRow) const
{
    return nRow < m_rowFindings.size() ? m_rowFindings[nRow] : kNoFindings;
}

std::size_t TableChecks::ErrorCount() const
{
    std::size_t n = 0;
    for (const auto& findings : m_rowFindings)
        for (const Finding& finding : findings)
            n += finding.m_nKind == FindingKind::Error;
    for (const Finding& finding : m_listFindings)
        n += finding.m_nKind == FindingKind::Error;
    return n;
}

std::size_t TableChecks::WarningCount() const
{
    std::size_t n = 0;
    for (const auto& findings : m_rowFindings)
        for (const Finding& finding : findings)
            n += finding.m_nKind == FindingKind::Warning;
    for (const Finding& finding : m_listFindings)
        n += finding.m_nKind == FindingKind::Warning;
    return n;
}

std::string TableChecks::SummaryText() const
{
    // The checker's own summary, its first two lines without the file name.
    ListCheck check;
    check.m_bRead = true;
    check.m_summary = m_summary;
    const std::string strReport = TextReport("-", check, ReportOptions());
    const std::size_t nFirst = strReport.find('\n');
    const std::size_t nSecond = strReport.find('\n', nFirst + 1);
    const std::string strVerbs = strReport.substr(3, nFirst - 3);
    std::string strQuestions = strReport.substr(nFirst + 4, nSecond - nFirst - 4);
    strQuestions = strQuestions.substr(0, strQuestions.find(" with"));
    return strVerbs + ", " + strQuestions;
}

// The rows at their lines of the saved list, '#' lines between them, a draft in place of
// row nDraftRow.
std::string TableChecks::MiniList(const VerbTable& table, const std::vector<std::size_t>& rows,
                                  std::size_t nDraftRow, const VerbRow* pDraft) const
{
    const ListOrigin& origin = table.Origin();
    std::string strText = "T" + origin.m_strLineEnd + "#" + origin.m_strLineEnd + "#" + origin.m_strLineEnd;
    std::size_t nLine = 4;
    for (const std::size_t nRow : rows)
    {
        const std::size_t nAt = LineOfRow(nRow);
        for (; nLine < nAt; ++nLine)
            strText += "#" + origin.m_strLineEnd;
        const VerbRow& row = nRow == nDraftRow && pDraft ? *pDraft : table.Row(nRow);
        strText += row.m_strFileLines.empty() || (nRow == nDraftRow && pDraft)
                       ? WriteVerRow(row, origin)
                       : row.m_strFileLines;
        if (strText.back() != '\n')
            strText += origin.m_strLineEnd;
        nLine += 4;
    }
    return strText;
}

void TableChecks::Update(const VerbTable& table, const TableChange& change)
{
    const std::size_t nRow = change.m_nFirst;
    if (m_bFullOnly || change.m_bWhole || change.m_bHeader || change.m_nRemoved != 1 ||
        change.m_nInserted != 1 || table.RowCount() != m_rowFindings.size() ||
        !m_bAlone[nRow] || !StandsAlone(table.Row(nRow)))
    {
        CheckAll(table);
        return;
    }
    // The row, and the rows of its verb as it was and as it is.
    const std::string strOld = m_verbs[nRow];
    m_verbs[nRow] = VerbKey(table.Row(nRow));
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < m_verbs.size(); ++i)
        if (i == nRow || m_verbs[i] == strOld || m_verbs[i] == m_verbs[nRow])
            rows.push_back(i);
    std::string strBytes = MiniList(table, rows, SIZE_MAX, nullptr);
    const std::vector<Counted> counted = CountRows(strBytes, {LineOfRow(nRow)});
    Count(m_counted[nRow], -1);
    m_counted[nRow] = counted[0];
    Count(m_counted[nRow], +1);
    const ListCheck check = CheckVerbListBytes(std::move(strBytes), false, AllFlags<GroupSet>(),
                                               AllFlags<DirectionSet>(), false);
    for (const Finding& finding : check.m_findings)
        if (kRowRules.count(finding.m_strRule) == 0)
        {
            CheckAll(table); // the row broke more than itself
            return;
        }
    std::vector<Finding> listFindings = std::move(m_listFindings);
    m_listFindings.clear();
    Distribute(check.m_findings, rows);
    m_listFindings = std::move(listFindings);
}

std::vector<Finding> TableChecks::CheckDraft(const VerbTable& table, std::size_t nRow,
                                             const VerbRow& draft) const
{
    const std::size_t nLine = LineOfRow(nRow);
    std::string strBytes;
    if (m_bFullOnly || nRow > table.RowCount() || !StandsAlone(draft) ||
        (nRow < m_bAlone.size() && !m_bAlone[nRow]))
    {
        VerbTable copy(table.Rows(), table.Title(), table.HeaderComments(), table.Origin());
        if (nRow < copy.RowCount())
            copy.SetRow(nRow, draft);
        else
            copy.InsertRows(copy.RowCount(), {draft});
        strBytes = WriteVerText(copy);
    }
    else
    {
        const std::string strVerb = VerbKey(draft);
        std::vector<std::size_t> rows;
        for (std::size_t i = 0; i < table.RowCount() && i < m_verbs.size(); ++i)
            if (i != nRow && m_verbs[i] == strVerb)
                rows.push_back(i);
        rows.insert(std::upper_bound(rows.begin(), rows.end(), nRow), nRow);
        if (nRow == table.RowCount())
        {
            VerbTable copy(table.Rows(), table.Title(), table.HeaderComments(), table.Origin());
            copy.InsertRows(nRow, {draft});
            TableChecks checks = *this;
            checks.m_rowLines.push_back(nLine);
            strBytes = checks.MiniList(copy, rows, nRow, &draft);
        }
        else
            strBytes = MiniList(table, rows, nRow, &draft);
    }
    std::vector<Finding> findings;
    for (const Finding& finding : CheckVerbListBytes(std::move(strBytes), false, AllFlags<GroupSet>(),
                                                     AllFlags<DirectionSet>(), false)
                                      .m_findings)
        if (finding.m_nLine >= nLine && finding.m_nLine < nLine + 4)
            findings.push_back(finding);
    return findings;
}

namespace
{

// The first text in quotes after strAfter in the fix, as Latin-1; false when there is none.
bool QuotedAfter(const std::string& strFix, const char* pszAfter, std::string& strText)
{
    const std::size_t nAt = strFix.find(pszAfter);
    if (nAt == std::string::npos)
        return false;
    const std::size_t nOpen = strFix.find('\'', nAt + std::strlen(pszAfter));
    const std::size_t nClose = strFix.find('\'', nOpen + 1);
    if (nOpen == std::string::npos || nClose == std::string::npos)
        return false;
    Utf8ToLatin1(strFix.substr(nOpen + 1, nClose - nOpen - 1), strText);
    return true;
}

// "delete line 17", "delete lines 14 to 15"; false for another fix.
bool DeletedLines(const std::string& strFix, std::size_t& nFirst, std::size_t& nLast)
{
    unsigned long a = 0, b = 0;
    if (std::sscanf(strFix.c_str(), "delete lines %lu to %lu", &a, &b) == 2 ||
        (std::sscanf(strFix.c_str(), "delete line %lu", &a) == 1 && (b = a)))
    {
        nFirst = a;
        nLast = b;
        return nFirst > 0 && nFirst <= nLast;
    }
    return false;
}

// The header's missing lines: "add a title line before line 4", "add a '#' line after line
// 5", "add two '#' lines after line 3", "add a title line and two '#' lines before line 1".
bool AddedLines(const std::string& strFix, std::size_t& nBefore, std::string& strLines)
{
    unsigned long n = 0;
    if (std::sscanf(strFix.c_str(), "add a title line and two '#' lines before line %lu", &n) == 1)
        strLines = "Verb list\n#\n#", nBefore = n;
    else if (std::sscanf(strFix.c_str(), "add a title line before line %lu", &n) == 1)
        strLines = "Verb list", nBefore = n;
    else if (std::sscanf(strFix.c_str(), "add a '#' line after line %lu", &n) == 1)
        strLines = "#", nBefore = n + 1;
    else if (std::sscanf(strFix.c_str(), "add two '#' lines after line %lu", &n) == 1)
        strLines = "#\n#", nBefore = n + 1;
    else
        return false;
    return n > 0;
}

} // namespace

namespace
{

std::vector<Finding> FindingsInLineOrder(const VerbTable& table, const TableChecks& checks)
{
    std::vector<Finding> findings = checks.ListFindings();
    for (std::size_t i = 0; i < table.RowCount(); ++i)
        for (const Finding& finding : checks.RowFindings(i))
            findings.push_back(finding);
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.m_nLine < b.m_nLine; });
    return findings;
}

} // namespace

std::vector<Repair> ProposedRepairs(const VerbTable& table, const TableChecks& checks)
{
    // The fixes are read in English, the words they were made from, and shown in the
    // learner's language: two checks of the whole table, whose findings pair up in order.
    TableChecks shownChecks;
    shownChecks.CheckAll(table);
    const std::vector<Finding> findings = FindingsInLineOrder(table, shownChecks);
    std::vector<Finding> english;
    {
        const EnglishOnThisThread inEnglish;
        TableChecks englishChecks;
        englishChecks.CheckAll(table);
        english = FindingsInLineOrder(table, englishChecks);
    }
    std::vector<Repair> repairs;
    for (std::size_t nFinding = 0; nFinding < findings.size() && nFinding < english.size(); ++nFinding)
    {
        const Finding& finding = findings[nFinding];
        Repair repair;
        repair.m_finding = finding;
        const std::string& strFix = english[nFinding].m_strFix;
        const std::size_t nRow = checks.RowOfLine(finding.m_nLine);
        std::string strText;
        if (DeletedLines(strFix, repair.m_nLine, repair.m_nLast))
        {
            repair.m_kind = RepairKind::DeleteLines;
            // TRANSLATORS: a repair offered in the verb list editor; {1} and {2} are line numbers.
            repair.m_strLabel = repair.m_nLine == repair.m_nLast
                                    ? FillIn(Tr("Delete line {1}"), {std::to_string(repair.m_nLine)})
                                    : FillIn(Tr("Delete lines {1} to {2}"),
                                             {std::to_string(repair.m_nLine), std::to_string(repair.m_nLast)});
        }
        else if (AddedLines(strFix, repair.m_nLine, repair.m_strText))
        {
            repair.m_kind = RepairKind::InsertLines;
            // TRANSLATORS: repairs offered in the verb list editor; {1} is a line number. '#' stays.
            const char* pszLabel = repair.m_strText == "#"            ? TR_NOOP("Add a '#' line before line {1}")
                                   : repair.m_strText == "#\n#"       ? TR_NOOP("Add two '#' lines before line {1}")
                                   : repair.m_strText == "Verb list" ? TR_NOOP("Add a title line before line {1}")
                                       : TR_NOOP("Add a title line and two '#' lines before line {1}");
            repair.m_strLabel = FillIn(Tr(pszLabel), {std::to_string(repair.m_nLine)});
        }
        else if (nRow < table.RowCount() && finding.m_strRule == "unknown-tag" &&
                 QuotedAfter(strFix, "write ", strText))
        {
            repair.m_column = VerbColumn::Group;
            repair.m_strText = strText;
        }
        else if (nRow < table.RowCount() && finding.m_nLine > checks.LineOfRow(nRow) &&
                 QuotedAfter(strFix, "write it as ", strText))
        {
            const std::size_t nOffset = finding.m_nLine - checks.LineOfRow(nRow);
            repair.m_column = nOffset == 1   ? VerbColumn::PastTense
                              : nOffset == 2 ? VerbColumn::Infinitive
                                             : VerbColumn::PastParticiple;
            repair.m_strText = strText;
        }
        else
            continue;
        if (repair.m_kind == RepairKind::SetCell)
        {
            repair.m_nRow = nRow;
            // TRANSLATORS: a repair offered in the verb list editor; {1} is the text in quotes.
            repair.m_strLabel = FillIn(Tr("Write {1}"), {Quote(repair.m_strText)});
        }
        repairs.push_back(std::move(repair));
    }
    return repairs;
}

bool ApplyRepair(VerbTable& table, const Repair& repair)
{
    if (repair.m_kind == RepairKind::SetCell)
        return table.SetCell(repair.m_nRow, repair.m_column, repair.m_strText);
    const std::string strText = WriteVerText(table);
    std::vector<std::size_t> starts = {0};
    for (std::size_t i = strText.find('\n'); i != std::string::npos; i = strText.find('\n', i + 1))
        starts.push_back(i + 1);
    const std::size_t nLines = starts.size() - (starts.back() == strText.size());
    const std::size_t nFirst = repair.m_nLine;
    const std::size_t nSkip = table.Origin().m_bByteOrderMark && nFirst == 1 ? kUtf8ByteOrderMark.size() : 0;
    std::string strNew;
    if (repair.m_kind == RepairKind::DeleteLines)
    {
        if (repair.m_nLast > nLines)
            return false;
        const std::size_t nEnd = repair.m_nLast < starts.size() ? starts[repair.m_nLast] : strText.size();
        strNew = strText.substr(0, starts[nFirst - 1] + nSkip) + strText.substr(nEnd);
    }
    else
    {
        if (nFirst > nLines + 1)
            return false;
        std::string strLines;
        const ListOrigin& origin = table.Origin();
        for (std::size_t i = 0; i <= repair.m_strText.size();)
        {
            const std::size_t nEnd = std::min(repair.m_strText.find('\n', i), repair.m_strText.size());
            const std::string strLine = repair.m_strText.substr(i, nEnd - i);
            strLines += (origin.m_encoding == ListEncoding::Utf8 ? Latin1ToUtf8(strLine) : strLine) +
                        origin.m_strLineEnd;
            i = nEnd + 1;
        }
        const std::size_t nAt = nFirst <= nLines ? starts[nFirst - 1] + nSkip : strText.size();
        std::string strBefore = strText.substr(0, nAt);
        if (!strBefore.empty() && strBefore.back() != '\n' && nAt == strText.size())
            strBefore += origin.m_strLineEnd;
        strNew = strBefore + strLines + strText.substr(nAt);
    }
    VerbTable repaired = ReadVerText(strNew);
    return table.ReplaceAll(repaired);
}
