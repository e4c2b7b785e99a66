#include "editor/VerbTable.h"

#include "framework/Translation.h"
#include "verbdata/AnswerText.h"
#include "verbdata/GroupSet.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

VerbForm FormOfColumn(VerbColumn column)
{
    return column == VerbColumn::PastTense        ? PastTense
           : column == VerbColumn::PastParticiple ? PastParticiple
                                                  : Infinitive;
}

const std::string& VerbRow::Cell(VerbColumn column) const
{
    return column == VerbColumn::Group ? m_strTag : m_forms[FormOfColumn(column)];
}

std::string& VerbRow::Cell(VerbColumn column)
{
    return column == VerbColumn::Group ? m_strTag : m_forms[FormOfColumn(column)];
}

bool VerbRow::SameVerb(const VerbRow& other) const
{
    return m_strTag == other.m_strTag && m_forms == other.m_forms;
}

VerbTable::VerbTable(std::vector<VerbRow> rows, std::string strTitle,
                     std::vector<std::string> comments, ListOrigin origin)
    : m_rows(std::move(rows)), m_strTitle(std::move(strTitle)), m_comments(std::move(comments)),
      m_origin(std::move(origin))
{
}

bool VerbTable::SameContent(const VerbTable& other) const
{
    return m_strTitle == other.m_strTitle && m_comments == other.m_comments &&
           std::equal(m_rows.begin(), m_rows.end(), other.m_rows.begin(), other.m_rows.end(),
                      [](const VerbRow& a, const VerbRow& b) { return a.SameVerb(b); });
}

bool VerbTable::SetCell(std::size_t nRow, VerbColumn column, const std::string& strStored)
{
    if (nRow > m_rows.size())
        return false;
    VerbRow row;
    if (nRow < m_rows.size())
    {
        row = m_rows[nRow];
        if (row.Cell(column) == strStored)
            return false;
    }
    else
    {
        const bool bKnownAbove = !m_rows.empty() && FindGroup(m_rows.back().m_strTag) >= 0;
        row.m_strTag = bKnownAbove ? m_rows.back().m_strTag : "ess1";
        if (strStored.empty())
            return false;
    }
    row.Cell(column) = strStored;
    row.m_strFileLines.clear();
    Step step;
    // TRANSLATORS: the names of the editor's steps, after "Undo" and "Redo" in the Edit menu.
    step.pszName = nRow < m_rows.size() ? TR_NOOP("Edit Cell") : TR_NOOP("Add Row");
    step.nFirst = nRow;
    if (nRow < m_rows.size())
        step.before.push_back(m_rows[nRow]);
    step.after.push_back(std::move(row));
    return Do(std::move(step));
}

bool VerbTable::SetRow(std::size_t nRow, const VerbRow& row)
{
    if (nRow >= m_rows.size() || m_rows[nRow].SameVerb(row))
        return false;
    Step step;
    step.pszName = TR_NOOP("Edit Row");
    step.nFirst = nRow;
    step.before.push_back(m_rows[nRow]);
    step.after.push_back(row);
    step.after[0].m_strComments = m_rows[nRow].m_strComments;
    step.after[0].m_strFileLines.clear();
    return Do(std::move(step));
}

bool VerbTable::SetTitle(const std::string& strTitle)
{
    if (strTitle == m_strTitle)
        return false;
    Step step;
    step.pszName = TR_NOOP("Edit Title");
    step.bHeader = true;
    step.strTitle[0] = m_strTitle;
    step.strTitle[1] = strTitle;
    step.comments[0] = step.comments[1] = m_comments;
    return Do(std::move(step));
}

bool VerbTable::SetHeaderComments(const std::vector<std::string>& comments)
{
    std::vector<std::string> lines;
    for (const std::string& strComment : comments)
        for (std::size_t i = 0; i <= strComment.size();)
        {
            std::size_t nEnd = std::min(strComment.find('\n', i), strComment.size());
            std::string strLine = strComment.substr(i, nEnd - i);
            if (!strLine.empty() && strLine.back() == '\r')
                strLine.pop_back();
            lines.push_back(strLine.compare(0, 1, "#") == 0 ? strLine : "# " + strLine);
            i = nEnd + 1;
        }
    if (lines == m_comments)
        return false;
    Step step;
    step.pszName = TR_NOOP("Edit Comments");
    step.bHeader = true;
    step.strTitle[0] = step.strTitle[1] = m_strTitle;
    step.comments[0] = m_comments;
    step.comments[1] = std::move(lines);
    return Do(std::move(step));
}

bool VerbTable::InsertRows(std::size_t nAt, std::vector<VerbRow> rows)
{
    if (nAt > m_rows.size() || rows.empty())
        return false;
    Step step;
    step.pszName = rows.size() == 1 ? TR_NOOP("Add Row") : TR_NOOP("Add Rows");
    step.nFirst = nAt;
    for (VerbRow& row : rows)
        row.m_strFileLines.clear();
    step.after = std::move(rows);
    return Do(std::move(step));
}

bool VerbTable::DeleteRows(std::vector<std::size_t> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty() || rows.back() >= m_rows.size())
        return false;
    // One replacement of the range from the first row deleted to the row after the last,
    // which takes their comments.
    Step step;
    step.pszName = rows.size() == 1 ? TR_NOOP("Delete Row") : TR_NOOP("Delete Rows");
    step.nFirst = rows.front();
    const std::size_t nEnd = std::min(rows.back() + 2, m_rows.size());
    step.before.assign(m_rows.begin() + static_cast<std::ptrdiff_t>(step.nFirst),
                       m_rows.begin() + static_cast<std::ptrdiff_t>(nEnd));
    std::string strComments;
    std::size_t nNext = 0;
    for (std::size_t i = step.nFirst; i < nEnd; ++i)
    {
        const bool bDeleted = nNext < rows.size() && rows[nNext] == i;
        if (bDeleted)
        {
            strComments += m_rows[i].m_strComments;
            ++nNext;
            continue;
        }
        step.after.push_back(m_rows[i]);
        if (!strComments.empty())
            step.after.back().m_strComments = strComments + step.after.back().m_strComments;
        strComments.clear();
    }
    if (!strComments.empty())
    {
        // The last rows went: their comments go before the list's end.
        step.bHeader = true;
        step.strTitle[0] = step.strTitle[1] = m_strTitle;
        step.comments[0] = step.comments[1] = m_comments;
        step.origin[0] = step.origin[1] = m_origin;
        step.origin[1].m_strTail = strComments + m_origin.m_strTail;
    }
    return Do(std::move(step));
}

bool VerbTable::MoveRows(std::vector<std::size_t> rows, bool bUp)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.empty() || rows.back() >= m_rows.size() || (bUp && rows.front() == 0) ||
        (!bUp && rows.back() + 1 == m_rows.size()))
        return false;
    Step step;
    step.pszName = rows.size() == 1 ? TR_NOOP("Move Row") : TR_NOOP("Move Rows");
    step.nFirst = bUp ? rows.front() - 1 : rows.front();
    const std::size_t nEnd = bUp ? rows.back() + 1 : rows.back() + 2;
    std::vector<std::size_t> order(nEnd - step.nFirst);
    std::iota(order.begin(), order.end(), step.nFirst);
    // Each selected row swaps with the unselected one next to it, going away from the move.
    if (bUp)
    {
        for (std::size_t r : rows)
            std::swap(order[r - step.nFirst], order[r - 1 - step.nFirst]);
    }
    else
    {
        for (auto it = rows.rbegin(); it != rows.rend(); ++it)
            std::swap(order[*it - step.nFirst], order[*it + 1 - step.nFirst]);
    }
    step.order = std::move(order);
    return Do(std::move(step));
}

namespace
{

std::string SortKey(const std::string& strText)
{
    std::string strKey = NormaliseSpaces(ConvertAccents(strText));
    if (strKey.compare(0, 1, "/") == 0)
        strKey.erase(0, 1);
    for (char& c : strKey)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return strKey;
}

} // namespace

bool VerbTable::Sort(VerbColumn column, bool bAscending)
{
    if (m_rows.size() < 2)
        return false;
    std::vector<std::string> keys(m_rows.size());
    std::vector<int> groups(m_rows.size());
    for (std::size_t i = 0; i < m_rows.size(); ++i)
    {
        if (column == VerbColumn::Group)
        {
            const int nGroup = FindGroup(m_rows[i].m_strTag);
            groups[i] = nGroup < 0 ? static_cast<int>(kGroupCount) : nGroup;
            keys[i] = m_rows[i].m_strTag;
        }
        else
            keys[i] = SortKey(m_rows[i].Cell(column));
    }
    std::vector<std::size_t> order(m_rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b)
                     {
                         if (!bAscending)
                             std::swap(a, b);
                         return groups[a] != groups[b] ? groups[a] < groups[b] : keys[a] < keys[b];
                     });
    if (std::is_sorted(order.begin(), order.end()))
        return false;
    Step step;
    step.pszName = TR_NOOP("Sort");
    step.order = std::move(order);
    return Do(std::move(step));
}

bool VerbTable::ReplaceAll(const VerbTable& table)
{
    Step step;
    step.pszName = TR_NOOP("Repair");
    step.bWhole = true;
    step.before = m_rows;
    step.after = table.m_rows;
    step.strTitle[0] = m_strTitle;
    step.strTitle[1] = table.m_strTitle;
    step.comments[0] = m_comments;
    step.comments[1] = table.m_comments;
    step.origin[0] = m_origin;
    step.origin[1] = table.m_origin;
    return Do(std::move(step));
}

const char* VerbTable::UndoName() const
{
    return CanUndo() ? m_steps[m_nStep - 1].pszName : "";
}

const char* VerbTable::RedoName() const
{
    return CanRedo() ? m_steps[m_nStep].pszName : "";
}

bool VerbTable::Undo()
{
    if (!CanUndo())
        return false;
    Apply(m_steps[--m_nStep], false);
    return true;
}

bool VerbTable::Redo()
{
    if (!CanRedo())
        return false;
    Apply(m_steps[m_nStep++], true);
    return true;
}

bool VerbTable::Do(Step step)
{
    m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_nStep), m_steps.end());
    if (m_nSavedStep > m_nStep)
        m_nSavedStep = SIZE_MAX; // the saved state can no longer be reached
    m_steps.push_back(std::move(step));
    if (m_steps.size() > kUndoSteps)
    {
        m_steps.pop_front();
        m_nSavedStep = m_nSavedStep == 0 || m_nSavedStep == SIZE_MAX ? SIZE_MAX : m_nSavedStep - 1;
    }
    else
        ++m_nStep;
    Apply(m_steps.back(), true);
    return true;
}

void VerbTable::Apply(const Step& step, bool bForward)
{
    TableChange change;
    if (step.bWhole)
    {
        change.m_nRemoved = m_rows.size();
        m_rows = bForward ? step.after : step.before;
        change.m_nInserted = m_rows.size();
        change.m_bHeader = change.m_bWhole = true;
    }
    else if (!step.order.empty())
    {
        // A reordering of the rows from nFirst on.
        std::vector<VerbRow> rows(step.order.size());
        for (std::size_t i = 0; i < step.order.size(); ++i)
        {
            if (bForward)
                rows[i] = std::move(m_rows[step.order[i]]);
            else
                rows[step.order[i] - step.nFirst] = std::move(m_rows[step.nFirst + i]);
        }
        std::move(rows.begin(), rows.end(), m_rows.begin() + static_cast<std::ptrdiff_t>(step.nFirst));
        change.m_nFirst = step.nFirst;
        change.m_nRemoved = change.m_nInserted = rows.size();
    }
    else
    {
        const std::vector<VerbRow>& gone = bForward ? step.before : step.after;
        const std::vector<VerbRow>& come = bForward ? step.after : step.before;
        const auto first = m_rows.begin() + static_cast<std::ptrdiff_t>(step.nFirst);
        if (gone.size() == come.size())
            std::copy(come.begin(), come.end(), first);
        else
        {
            m_rows.erase(first, first + static_cast<std::ptrdiff_t>(gone.size()));
            m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(step.nFirst), come.begin(),
                          come.end());
        }
        change.m_nFirst = step.nFirst;
        change.m_nRemoved = gone.size();
        change.m_nInserted = come.size();
    }
    if (step.bHeader || step.bWhole)
    {
        m_strTitle = step.strTitle[bForward];
        m_comments = step.comments[bForward];
        change.m_bHeader = true;
    }
    if (step.bWhole || step.origin[0].m_strTail != step.origin[1].m_strTail)
        m_origin = step.origin[bForward];
    Tell(change);
}

void VerbTable::Tell(const TableChange& change)
{
    if (m_pObserver != nullptr)
        m_pObserver->OnTableChanged(change);
}
