// The verb list editor's table: one row per verb (its group tag and three forms), the
// list's title and header comments, and what the list's file was like; every edit is one
// step that can be undone and redone. Texts are stored as a lesson reads them: Latin-1
// bytes, accent codes and "/" lists as written. Knows nothing of files or windows.
#pragma once

#include "verbdata/ListEncoding.h"
#include "verbdata/VerbForm.h"

#include <array>
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

// The table's columns, in the window's order.
enum class VerbColumn
{
    Group,
    Infinitive,
    PastTense,
    PastParticiple
};

constexpr std::size_t kVerbColumnCount = 4;

// The form a column holds; the Group column has none (Infinitive is returned).
VerbForm FormOfColumn(VerbColumn column);

struct VerbRow
{
    std::string m_strTag; // one of the six tags, or what an import or a file held
    std::array<std::string, kVerbFormCount> m_forms; // by VerbForm

    // The '#' lines the file held right before this record, bytes as in the file with
    // their line ends. They travel with the row; deleting the row hands them to the next.
    std::string m_strComments;
    // The record's lines as the file held them, line ends included, while the row is as
    // it was read; empty for a row typed, imported or changed. The writer writes them
    // back as they are, so a row nobody touched keeps its bytes.
    std::string m_strFileLines;

    const std::string& Cell(VerbColumn column) const;
    std::string& Cell(VerbColumn column);
    // Tag and forms equal; comments and file bytes are not compared.
    bool SameVerb(const VerbRow& other) const;
};

// How the list's file was written, so that saving writes it the same way.
struct ListOrigin
{
    // The encoding forms are written in. A list of plain ASCII counts as UTF-8: its
    // bytes are the same either way.
    ListEncoding m_encoding = ListEncoding::Utf8;
    bool m_bByteOrderMark = false;
    // Accented letters that have an accent code are written as codes (the file used them).
    bool m_bAccentCodes = false;
#ifdef _WIN32
    std::string m_strLineEnd = "\r\n";
#else
    std::string m_strLineEnd = "\n";
#endif
    // The header as the file held it (line ends included), written back while the title
    // and comments are the ones read; empty for a new list.
    std::string m_strHeader;
    std::string m_strTitleRead;
    std::vector<std::string> m_commentsRead;
    // The two '#' lines that end the header, as read (without line ends).
    std::array<std::string, 2> m_hashLines = {"#", "#"};
    // What follows the last record: '#' lines, and whatever a lesson never reads (from a
    // line too long on). Written back as it is.
    std::string m_strTail;
};

// What an edit changed: rows [m_nFirst, m_nFirst + m_nRemoved) were replaced by
// m_nInserted rows (a cell edit: one by one; a sort or move: the range it reordered);
// m_bHeader: the title or the header comments changed.
struct TableChange
{
    std::size_t m_nFirst = 0;
    std::size_t m_nRemoved = 0;
    std::size_t m_nInserted = 0;
    bool m_bHeader = false;
    bool m_bWhole = false; // everything was replaced (a repair, undoing one)
};

class TableObserver
{
public:
    virtual ~TableObserver() = default;
    virtual void OnTableChanged(const TableChange& change) = 0;
};

class VerbTable
{
public:
    // Undo keeps at least this many steps.
    static constexpr std::size_t kUndoSteps = 200;

    VerbTable() = default;
    // A table as read from a file: not modified, nothing to undo.
    VerbTable(std::vector<VerbRow> rows, std::string strTitle, std::vector<std::string> comments,
              ListOrigin origin);

    std::size_t RowCount() const { return m_rows.size(); }
    const VerbRow& Row(std::size_t nRow) const { return m_rows.at(nRow); }
    const std::vector<VerbRow>& Rows() const { return m_rows; }
    const std::string& Title() const { return m_strTitle; }
    // Whole lines, each beginning with '#'.
    const std::vector<std::string>& HeaderComments() const { return m_comments; }
    const ListOrigin& Origin() const { return m_origin; }

    // Title, comments and every row's tag and forms equal.
    bool SameContent(const VerbTable& other) const;

    // Changed since it was read or last saved (undoing back to that point clears it).
    bool IsModified() const { return m_nSavedStep != m_nStep; }
    void MarkSaved() { m_nSavedStep = m_nStep; }

    // The observer hears of every change, undo and redo included; null for none.
    void SetObserver(TableObserver* pObserver) { m_pObserver = pObserver; }

    // Each edit is one undo step and returns false, changing nothing, when it would change
    // nothing or its rows are out of range. Texts are stored texts (see CellRules).
    //
    // nRow == RowCount() appends a row with this cell and the others empty; its group is
    // the row above's when that is one of the six, else "ess1".
    bool SetCell(std::size_t nRow, VerbColumn column, const std::string& strStored);
    bool SetRow(std::size_t nRow, const VerbRow& row);
    bool SetTitle(const std::string& strTitle);
    // A line that does not begin with '#' gets "# " before it; a line break splits a line.
    bool SetHeaderComments(const std::vector<std::string>& comments);
    bool InsertRows(std::size_t nAt, std::vector<VerbRow> rows);
    // Rows in any order; duplicates count once.
    bool DeleteRows(std::vector<std::size_t> rows);
    // Moves the rows one place up (or down), each run of them as a block; false when one
    // of them is already at the top (bottom). Afterwards they are at nRow - 1 (+ 1).
    bool MoveRows(std::vector<std::size_t> rows, bool bUp);
    // Stable, by the shown text (accents as letters, case folded for ASCII); the Group
    // column in the groups' order, unknown tags last.
    bool Sort(VerbColumn column, bool bAscending = true);
    // Everything at once (a repair re-reads the list): one step, undone as one.
    bool ReplaceAll(const VerbTable& table);

    bool CanUndo() const { return m_nStep > 0; }
    bool CanRedo() const { return m_nStep < m_steps.size(); }
    // What the step does, for the Edit menu: "Edit Cell", "Delete Rows", ...
    const char* UndoName() const;
    const char* RedoName() const;
    bool Undo();
    bool Redo();

private:
    struct Step
    {
        const char* pszName = "";
        // Rows [nFirst, nFirst + before.size()) hold `before` before the step and `after`
        // after it; a reordering keeps its permutation instead.
        std::size_t nFirst = 0;
        std::vector<VerbRow> before, after;
        std::vector<std::size_t> order; // row i after is row order[i] before
        bool bHeader = false;
        std::string strTitle[2];
        std::vector<std::string> comments[2];
        bool bWhole = false;
        ListOrigin origin[2];
    };

    bool Do(Step step);
    void Apply(const Step& step, bool bForward);
    void Tell(const TableChange& change);

    std::vector<VerbRow> m_rows;
    std::string m_strTitle;
    std::vector<std::string> m_comments;
    ListOrigin m_origin;
    std::deque<Step> m_steps;
    std::size_t m_nStep = 0;      // steps done; the rest can be redone
    std::size_t m_nSavedStep = 0; // m_nStep when last saved; SIZE_MAX when that was dropped
    TableObserver* m_pObserver = nullptr;
};
