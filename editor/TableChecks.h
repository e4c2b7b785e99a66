// The checker's findings on the table: the list is written as it would be saved and the
// checker's own rules run on it, each finding put on the row it is about. After a cell
// edit only that row and the rows sharing its verb are checked again.
#pragma once

#include "checker/VerbListChecker.h"
#include "editor/VerbTable.h"

#include <cstddef>
#include <string>
#include <vector>

class TableChecks
{
public:
    // Checks everything.
    void CheckAll(const VerbTable& table);
    // After a change the table reported: checks what it can have changed.
    void Update(const VerbTable& table, const TableChange& change);

    // The findings of a row (its tag or form lines), notes included, in line order; empty
    // past the end. Line numbers in them are those of the list as it would be saved.
    const std::vector<Finding>& RowFindings(std::size_t nRow) const;
    // Findings on no row: the header, encoding, the end of the list.
    const std::vector<Finding>& ListFindings() const { return m_listFindings; }
    // The row that a line of the saved list belongs to, or RowCount when none.
    std::size_t RowOfLine(std::size_t nLine) const;
    // The line of a row's tag in the list as it would be saved.
    std::size_t LineOfRow(std::size_t nRow) const;

    // Errors and warnings (notes aside) over the whole table.
    std::size_t ErrorCount() const;
    std::size_t WarningCount() const;

    // What a lesson with every group and direction asks, counted as the checker does.
    const ListSummary& Summary() const { return m_summary; }
    // The checker's summary line: "12 verbs asked in a lesson with every group (lit 0,
    // ess1 4, ...), 72 questions".
    std::string SummaryText() const;

    // The findings a row would have with this content (typed but not yet stored), against
    // the rest of the table as it is.
    std::vector<Finding> CheckDraft(const VerbTable& table, std::size_t nRow,
                                    const VerbRow& draft) const;

private:
    // What a row adds to the summary: its group (kGroupCount: another tag; -1 not asked)
    // and the directions that ask it.
    struct Counted
    {
        int nGroup = -1;
        unsigned nAsked = 0;
    };

    void Distribute(const std::vector<Finding>& findings, const std::vector<std::size_t>& rows);
    void Count(const Counted& counted, int nSign);
    std::string MiniList(const VerbTable& table, const std::vector<std::size_t>& rows,
                         std::size_t nDraftRow, const VerbRow* pDraft) const;
    std::vector<Counted> CountRows(const std::string& strBytes,
                                   const std::vector<std::size_t>& lines) const;

    std::vector<std::vector<Finding>> m_rowFindings;
    std::vector<Finding> m_listFindings;
    std::vector<std::size_t> m_rowLines;
    std::vector<bool> m_bAlone; // the row is four lines that no rule reads with its neighbours'
    std::vector<std::string> m_verbs; // each row's Infinitive as the answer check takes it
    std::vector<Counted> m_counted;
    ListSummary m_summary;
    bool m_bFullOnly = false; // findings that span rows: every change checks all
};

enum class RepairKind
{
    DeleteLines, // lines m_nLine .. m_nLast of the list as saved
    InsertLines, // m_strText (whole lines, Latin-1, no line ends but '\n' between) before line m_nLine
    SetCell      // m_column of m_nRow to m_strText (stored)
};

// A repair the checker proposes, as an edit of the table.
struct Repair
{
    Finding m_finding;
    std::string m_strLabel; // e.g. "Delete line 17", "Write 'ess1'" (UTF-8)
    RepairKind m_kind = RepairKind::SetCell;
    std::size_t m_nRow = 0; // SetCell: the row it changes
    std::size_t m_nLine = 0, m_nLast = 0;
    VerbColumn m_column = VerbColumn::Group;
    std::string m_strText;
};

// The repairs for the findings (the checker's fixes that can be done without asking
// anything), in line order.
std::vector<Repair> ProposedRepairs(const VerbTable& table, const TableChecks& checks);

// Applies a repair as one undo step: a line repair edits the list's text and reads it
// again as a lesson would. False when it no longer fits the table.
bool ApplyRepair(VerbTable& table, const Repair& repair);
