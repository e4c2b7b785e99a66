// The verb list editor's window: a table of verbs on the toolkit's native table, the
// list's title and header comments above it, its findings and counts below. The table,
// its edits and undo, the cell rules, the files and the checks are the editor model's
// (editor/); this window shows them, turns keys and menu commands into the model's edits
// and asks the user where a file goes. The dialogs for importing, repairing and printing
// are functions of their own in app/, called from the menu.
#pragma once

#include "editor/TableChecks.h"
#include "editor/VerbTable.h"

#include <wx/accel.h>
#include <wx/dataview.h>
#include <wx/frame.h>

#include <functional>
#include <optional>
#include <string>

class wxStaticText;
class wxTextCtrl;
class CVerbTableModel;

class CVerbListEditor : public wxFrame, private TableObserver
{
public:
    // Makes the saved list at the path the list in use and starts a lesson on it; false
    // when the lesson window refused it (and said why).
    using DrillFunction = std::function<bool(const std::string& strPath)>;

    // The lesson window's side, set once before any editor opens.
    static void SetDrill(DrillFunction fnDrill);

    // Opens a window on the list at strPath (the file system's encoding), or on a new list
    // when strPath is empty; a window already open on that file is raised instead. The
    // window is a top-level window of its own and destroys itself when closed. Null when
    // the file could not be opened (the user was told why).
    static CVerbListEditor* Open(const std::string& strPath);

    // Closes every editor window, asking about each one with unsaved changes; false, with
    // the windows left open from the first the user kept, when the user cancelled.
    static bool CloseAll();
    // For an end that cannot ask: each list with unsaved changes is written beside its
    // file (or into strFolder for a new list) under a name no file has yet, said on
    // standard error; nothing the user saved is replaced. No window is touched.
    static void RescueUnsaved(const std::string& strFolder);

    ~CVerbListEditor() override;

    // For the table's model.
    const VerbTable& GetTable() const { return m_table; }
    const TableChecks& GetChecks() const { return m_checks; }
    const wxString& FindingsText(std::size_t nRow) const;
    // A typed cell through the cell rules into the table; false, with the reason shown
    // under the table, when refused.
    bool CommitCell(std::size_t nRow, VerbColumn column, const wxString& strTyped);

    // While a cell is edited: the text typed so far.
    void OnDraftChanged(const wxString& strTyped);
    // The native table's editor of the cell being edited (a GObject on GTK); null when
    // editing ends.
    void SetCellEditor(void* pEditable);

private:
    CVerbListEditor();

    void CreateMenus();
    void CreateControls();
    void BindCommands();

    // Takes the table as read or made: a new list when strPath is empty. The file's
    // findings are offered for repair.
    bool LoadFile(const std::string& strPath);
    void TakeTable(VerbTable table, const std::string& strPath);
    void OnTableChanged(const TableChange& change) override;
    void RefreshFindings();
    void UpdateCaption();
    void UpdateSummary();
    void ShowHeader();
    void ShowMessage(const wxString& strText);

    // Asks whether to save unsaved changes; false when the user cancelled, or when saving
    // failed.
    bool ConfirmDiscard();
    bool Save();
    bool SaveAs();
    void NewList();
    void OpenList();
    void ImportTable();
    void DrillList();

    // The title and comments fields into the table when they differ from it.
    void CommitHeader();
    // A cell being edited is taken (bCommit) or dropped; true when none is edited any more.
    bool EndEditing(bool bCommit);
    std::optional<wxString> EditorText() const;
    void EditCell(std::size_t nRow, VerbColumn column);
    void OnKey(wxKeyEvent& event);
    void OnEditingDone(wxDataViewEvent& event);

    std::vector<std::size_t> SelectedRows() const;
    std::size_t CurrentRow() const;
    VerbColumn CurrentColumn() const;
    void SelectRows(std::size_t nFirst, std::size_t nCount);
    void DeleteRows();
    void MoveRows(bool bUp);
    void SortByColumn(VerbColumn column);
    void CopyRows(bool bCut);
    void PasteRows();
    void AddRow();
    void Find(bool bAsk);
    void UndoRedo(bool bUndo);
    void UpdateEditItems();

    VerbTable m_table;
    TableChecks m_checks;
    std::string m_strPath; // empty for a list never saved
    std::string m_strSuggestedName; // for Save As of an imported table
    std::vector<wxString> m_findingsText;

    wxTextCtrl* m_pTitle = nullptr;
    wxTextCtrl* m_pComments = nullptr;
    wxDataViewCtrl* m_pView = nullptr;
    CVerbTableModel* m_pModel = nullptr;
    wxStaticText* m_pMessage = nullptr;
    wxStaticText* m_pSummary = nullptr;
    wxString m_strShownComments;
    wxString m_strMessage;
    std::vector<wxAcceleratorEntry> m_shortcuts;
    wxString m_strFind;

    // The cell edited, and the column the row's typing began in (Return goes on there).
    bool m_bEditing = false;
    std::size_t m_nEditRow = 0;
    VerbColumn m_editColumn = VerbColumn::Group;
    VerbColumn m_entryColumn = VerbColumn::Group;
    void* m_pCellEditor = nullptr;
    bool m_bTabbing = false;
    bool m_bColumnChosen = false;
    bool m_bRefused = false;
    wxString m_strStartText; // what the next cell editor opens with: a refused text, a letter typed
};
