#include "app/VerbListEditor.h"

#include "app/ImportPreviewDlg.h"
#include "app/ListRepairsDlg.h"
#include "app/TableTransfer.h"
#include "app/TestSheetDlg.h"
#include "editor/CellRules.h"
#include "editor/ListFiles.h"
#include "editor/VerFile.h"
#include "framework/Translation.h"
#include "framework/UserFile.h"
#include "framework/wx/Closing.h"
#include "framework/wx/HelpViewer.h"
#include "framework/wx/Latin1.h"
#include "res/AppStrings.h"
#include "res/EditorMenu.h"
#include "verbdata/GroupSet.h"

#include <wx/accel.h>
#include <wx/clipbrd.h>
#include <wx/display.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/textdlg.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#ifdef __WXGTK__
#include <glib-object.h>
#endif

#include <algorithm>
#include <memory>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace
{

constexpr unsigned kFindingsColumn = kVerbColumnCount;
constexpr const char* kEditorCaption = TR_NOOP("Verb List Editor");
// TRANSLATORS: the name of a verb list not yet saved; also the file name offered for it.
constexpr const char* kNewListName = TR_NOOP("Untitled.ver");

// The groups in the order the groups dialog shows them, as indexes of kGroupTags.
constexpr std::size_t kGroupOrder[kGroupCount] = {1, 2, 3, 4, 5, 0};

std::vector<CVerbListEditor*> g_editors;
CVerbListEditor::DrillFunction g_fnDrill;

// The name of an undoable change, which the table keeps in English.
std::string TrChange(const char* pszName)
{
    return pszName && *pszName ? Tr(pszName) : std::string();
}

wxString PromptOf(int nId)
{
    for (const CommandPromptDef& def : kEditorPrompts)
        if (def.nId == nId)
            return WxText(Tr(def.pszPrompt));
    return wxString();
}

wxString Shown(VerbColumn column, const std::string& strStored)
{
    return wxString::FromUTF8(ShowCell(column, strStored));
}

const char* ColumnName(VerbColumn column)
{
    switch (column)
    {
    case VerbColumn::Group:
        return TR_NOOP("Group");
    case VerbColumn::Infinitive:
        return TR_NOOP("Infinitive");
    case VerbColumn::PastTense:
        return TR_NOOP("Past Tense");
    case VerbColumn::PastParticiple:
        break;
    }
    return TR_NOOP("Past Participle");
}

VerbColumn ColumnAt(unsigned nColumn)
{
    return static_cast<VerbColumn>(std::min<unsigned>(nColumn, kVerbColumnCount - 1));
}

// The header's comment lines as the field shows them: without their '#' and the blank
// after it.
wxString CommentsText(const std::vector<std::string>& comments)
{
    wxString strText;
    for (std::size_t i = 0; i < comments.size(); ++i)
    {
        std::string strLine = comments[i].substr(comments[i].empty() ? 0 : 1);
        if (!strLine.empty() && strLine[0] == ' ')
            strLine.erase(0, 1);
        strText << (i ? "\n" : "") << FromLatin1(strLine);
    }
    return strText;
}

std::vector<std::string> CommentLines(const wxString& strText)
{
    std::vector<std::string> lines;
    if (strText.empty())
        return lines;
    for (const wxString& strLine : wxSplit(strText, '\n', '\0'))
    {
        const wxString strTrimmed = wxString(strLine).Trim();
        lines.push_back(strTrimmed.empty() ? "#" : "# " + ToLatin1(strTrimmed));
    }
    return lines;
}

#ifdef __WXGTK__
void OnEntryChanged(GObject* pEntry, gpointer pEditor)
{
    gchar* pszText = nullptr;
    g_object_get(pEntry, "text", &pszText, nullptr);
    static_cast<CVerbListEditor*>(pEditor)->OnDraftChanged(wxString::FromUTF8(pszText ? pszText : ""));
    g_free(pszText);
}

// GtkMovementStep's GTK_MOVEMENT_BUFFER_ENDS, for the entry's "move-cursor" signal.
constexpr int kMovementBufferEnds = 8;

// The native table edits in a widget the toolkit does not wrap: it is taken here, when the
// cell's renderer hands it out.
void OnGtkEditingStarted(GObject*, GObject* pEditable, const char*, gpointer pEditor)
{
    static_cast<CVerbListEditor*>(pEditor)->SetCellEditor(pEditable);
}
#endif

// Runs fn once the toolkit's current event is done, before the next key is handled: keys
// typed on meanwhile go to the cell it opens. (The toolkit's own CallAfter waits for idle
// time, after every key already queued.)
void RunBeforeNextEvent(wxWindow* pWindow, std::function<void()> fn)
{
#ifdef __WXGTK__
    struct Call
    {
        wxWeakRef<wxWindow> window;
        std::function<void()> fn;
    };
    g_idle_add_full(
        G_PRIORITY_HIGH,
        [](gpointer pData) -> gboolean {
            const Call& call = *static_cast<Call*>(pData);
            if (call.window)
                call.fn();
            return G_SOURCE_REMOVE;
        },
        new Call{pWindow, std::move(fn)}, [](gpointer pData) { delete static_cast<Call*>(pData); });
#else
    pWindow->CallAfter(std::move(fn));
#endif
}

// A file name no file has yet: "name (unsaved).ver", then "(unsaved 2)" and so on.
std::filesystem::path FreeRescueName(const std::filesystem::path& folder, const std::string& strStem)
{
    std::error_code error;
    for (int n = 1;; ++n)
    {
        const std::string strMark = n == 1 ? " (unsaved)" : " (unsaved " + std::to_string(n) + ")";
        std::filesystem::path file = folder / (strStem + strMark + ".ver");
        if (!std::filesystem::exists(std::filesystem::symlink_status(file, error)))
            return file;
    }
}

HelpViewer& EditorHelp()
{
    static HelpViewer help;
    return help;
}

} // namespace

// The table as the native control sees it: the rows, then one empty row to type into,
// and the findings of each row in a fifth column.
class CVerbTableModel : public wxDataViewVirtualListModel
{
public:
    explicit CVerbTableModel(CVerbListEditor& editor)
        : wxDataViewVirtualListModel(static_cast<unsigned>(editor.GetTable().RowCount() + 1)), m_editor(editor)
    {
    }

    unsigned GetColumnCount() const override { return kVerbColumnCount + 1; }
    wxString GetColumnType(unsigned) const override { return "string"; }

    void GetValueByRow(wxVariant& value, unsigned nRow, unsigned nColumn) const override
    {
        const VerbTable& table = m_editor.GetTable();
        if (nColumn == kFindingsColumn)
            value = m_editor.FindingsText(nRow);
        else if (nRow < table.RowCount())
            value = Shown(ColumnAt(nColumn), table.Row(nRow).Cell(ColumnAt(nColumn)));
        else
            value = wxString();
    }

    bool SetValueByRow(const wxVariant& value, unsigned nRow, unsigned nColumn) override
    {
        if (nColumn == kFindingsColumn)
            return false;
        return m_editor.CommitCell(nRow, ColumnAt(nColumn), value.GetString());
    }

    bool GetAttrByRow(unsigned nRow, unsigned nColumn, wxDataViewItemAttr& attr) const override
    {
        if (nColumn != kFindingsColumn)
            return false;
        const std::vector<Finding>& findings = m_editor.GetChecks().RowFindings(nRow);
        const auto worst = std::max_element(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
            return a.m_nKind < b.m_nKind;
        });
        if (worst == findings.end())
            return false;
        attr.SetColour(worst->m_nKind == FindingKind::Error     ? wxColour(176, 0, 0)
                       : worst->m_nKind == FindingKind::Warning ? wxColour(128, 80, 0)
                                                                : wxColour(96, 96, 96));
        return true;
    }

private:
    CVerbListEditor& m_editor;
};

void CVerbListEditor::SetDrill(DrillFunction fnDrill)
{
    g_fnDrill = std::move(fnDrill);
}

CVerbListEditor* CVerbListEditor::Open(const std::string& strPath)
{
    if (IsClosing())
        return nullptr;
    std::error_code error;
    for (CVerbListEditor* pEditor : g_editors)
        if (!strPath.empty() && !pEditor->m_strPath.empty() &&
            std::filesystem::equivalent(pEditor->m_strPath, strPath, error))
        {
            pEditor->Raise();
            return pEditor;
        }
    // Shown once the list is in: the caption names what the window holds.
    auto* pEditor = new CVerbListEditor;
    if (!pEditor->LoadFile(strPath))
    {
        pEditor->Destroy();
        return nullptr;
    }
    pEditor->Show();
    pEditor->m_pView->SetFocus();
    return pEditor;
}

bool CVerbListEditor::CloseAll()
{
    const std::vector<CVerbListEditor*> editors = g_editors;
    for (CVerbListEditor* pEditor : editors)
    {
        if (!pEditor->ConfirmDiscard())
            return false;
        pEditor->m_table.MarkSaved();
        pEditor->Destroy();
    }
    return true;
}

void CVerbListEditor::RescueUnsaved(const std::string& strFolder)
{
    for (CVerbListEditor* pEditor : g_editors)
    {
        if (!pEditor->m_table.IsModified())
            continue;
        std::filesystem::path folder = strFolder;
        std::string strStem = "Untitled";
        if (!pEditor->m_strPath.empty())
        {
            const std::filesystem::path list = pEditor->m_strPath;
            folder = list.parent_path();
            strStem = list.stem().string();
        }
        std::filesystem::path file;
        std::string strError = "no folder to write to";
        // Beside the list, or where its folder cannot be written, in the data folder.
        for (const std::filesystem::path& where : {folder, std::filesystem::path(strFolder)})
            if (!where.empty() && !strError.empty())
            {
                file = FreeRescueName(where, strStem);
                strError = ReplaceUserFile(file, WriteVerText(pEditor->m_table));
            }
        if (strError.empty())
            std::fprintf(stderr, "taldrin: the unsaved verb list was written to %s\n", file.string().c_str());
        else
            std::fprintf(stderr, "taldrin: the unsaved verb list could not be written to %s: %s\n",
                         file.string().c_str(), strError.c_str());
    }
}

CVerbListEditor::CVerbListEditor() : wxFrame(nullptr, wxID_ANY, WxText(Tr(kEditorCaption)))
{
    g_editors.push_back(this);
    m_table.SetObserver(this);
    m_checks.CheckAll(m_table);
    CreateMenus();
    CreateControls();
    BindCommands();
    UpdateCaption();
}

CVerbListEditor::~CVerbListEditor()
{
    SetCellEditor(nullptr);
    m_table.SetObserver(nullptr);
    g_editors.erase(std::remove(g_editors.begin(), g_editors.end(), this), g_editors.end());
}

void CVerbListEditor::CreateMenus()
{
    auto* pMenuBar = new wxMenuBar;
    for (const MenuDef& menuDef : kEditorMenu)
    {
        auto* pMenu = new wxMenu;
        for (std::size_t i = 0; i < menuDef.nItems; ++i)
        {
            const MenuItemDef& item = menuDef.pItems[i];
            if (item.nId == 0)
                pMenu->AppendSeparator();
            else
                pMenu->Append(item.nId, WxText(Tr(item.pszLabel)), PromptOf(item.nId));
            if (const std::unique_ptr<wxAcceleratorEntry> pEntry{wxAcceleratorEntry::Create(item.pszLabel)})
                m_shortcuts.emplace_back(pEntry->GetFlags(), pEntry->GetKeyCode(), item.nId);
        }
        pMenuBar->Append(pMenu, WxText(Tr(menuDef.pszTitle)));
    }
    SetMenuBar(pMenuBar);
    CreateStatusBar();
}

void CVerbListEditor::CreateControls()
{
    auto* pPanel = new wxPanel(this);
    auto* pSizer = new wxBoxSizer(wxVERTICAL);
    auto* pHeader = new wxFlexGridSizer(2, wxSize(8, 4));
    pHeader->AddGrowableCol(1);
    pHeader->Add(new wxStaticText(pPanel, wxID_ANY, WxText(Tr("&Title:"))), wxSizerFlags().CenterVertical());
    m_pTitle = new wxTextCtrl(pPanel, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxTE_PROCESS_ENTER);
    pHeader->Add(m_pTitle, wxSizerFlags().Expand());
    pHeader->Add(new wxStaticText(pPanel, wxID_ANY, WxText(Tr("&Comments:"))));
    m_pComments = new wxTextCtrl(pPanel, wxID_ANY, wxString(), wxDefaultPosition,
                                 wxSize(-1, 3 * GetCharHeight() + 8), wxTE_MULTILINE);
    pHeader->Add(m_pComments, wxSizerFlags().Expand());
    pSizer->Add(pHeader, wxSizerFlags().Expand().Border(wxALL, 8));

    pSizer->Add(new wxStaticText(pPanel, wxID_ANY, WxText(Tr("&Verbs:"))), wxSizerFlags().Border(wxLEFT | wxRIGHT, 8));
    m_pView = new wxDataViewCtrl(pPanel, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                 wxDV_MULTIPLE | wxDV_ROW_LINES | wxDV_VERT_RULES);
    m_pModel = new CVerbTableModel(*this);
    m_pView->AssociateModel(m_pModel);
    m_pModel->DecRef(); // the control holds it

    wxArrayString groups;
    for (const std::size_t nGroup : kGroupOrder)
        groups.Add(wxString::FromUTF8(GroupName(nGroup)));
    const int nCharWidth = GetCharWidth();
    m_pView->AppendColumn(new wxDataViewColumn(WxText(Tr(ColumnName(VerbColumn::Group))),
                                               new wxDataViewChoiceRenderer(groups, wxDATAVIEW_CELL_EDITABLE), 0,
                                               24 * nCharWidth, wxALIGN_LEFT, wxDATAVIEW_COL_RESIZABLE));
    for (unsigned nColumn = 1; nColumn < kVerbColumnCount; ++nColumn)
        m_pView->AppendTextColumn(WxText(Tr(ColumnName(ColumnAt(nColumn)))), nColumn, wxDATAVIEW_CELL_EDITABLE,
                                  16 * nCharWidth, wxALIGN_LEFT, wxDATAVIEW_COL_RESIZABLE);
    m_pView->AppendTextColumn(WxText(Tr("Findings")), kFindingsColumn, wxDATAVIEW_CELL_INERT, 60 * nCharWidth, wxALIGN_LEFT,
                              wxDATAVIEW_COL_RESIZABLE);
#ifdef __WXGTK__
    for (unsigned nColumn = 0; nColumn < kVerbColumnCount; ++nColumn)
        g_signal_connect(m_pView->GetColumn(nColumn)->GetRenderer()->GetGtkHandle(), "editing-started",
                         G_CALLBACK(OnGtkEditingStarted), this);
#endif
    pSizer->Add(m_pView, wxSizerFlags(1).Expand().Border(wxLEFT | wxRIGHT, 8));

    m_pMessage = new wxStaticText(pPanel, wxID_ANY, wxString());
    pSizer->Add(m_pMessage, wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT | wxTOP, 8));
    m_pSummary = new wxStaticText(pPanel, wxID_ANY, wxString());
    pSizer->Add(m_pSummary, wxSizerFlags().Expand().Border(wxALL, 8));
    pPanel->SetSizer(pSizer);

    // On a small or scaled screen the work area bounds the size.
    wxSize size = FromDIP(wxSize(980, 600));
    const int nDisplay = wxDisplay::GetFromWindow(this);
    size.DecTo(wxDisplay(nDisplay == wxNOT_FOUND ? 0u : unsigned(nDisplay)).GetClientArea().GetSize());
    SetSize(size);
    SetMinSize(FromDIP(wxSize(480, 320)));
}

void CVerbListEditor::BindCommands()
{
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { NewList(); }, ID_EDITOR_NEW);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OpenList(); }, ID_EDITOR_OPEN);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { ImportTable(); }, ID_EDITOR_IMPORT);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { Save(); }, ID_EDITOR_SAVE);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { SaveAs(); }, ID_EDITOR_SAVE_AS);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) {
        if (EndEditing(true) && !IsClosing())
        {
            CommitHeader();
            RunExportCsv(this, m_table, m_strPath.empty() ? m_strSuggestedName : m_strPath);
        }
    }, ID_EDITOR_EXPORT_CSV);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) {
        if (EndEditing(true) && !IsClosing())
            RunTestSheet(this, m_table);
    }, ID_EDITOR_PRINT_SHEET);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { Close(); }, ID_EDITOR_CLOSE);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { UndoRedo(true); }, ID_EDITOR_UNDO);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { UndoRedo(false); }, ID_EDITOR_REDO);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { CopyRows(true); }, ID_EDITOR_CUT);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { CopyRows(false); }, ID_EDITOR_COPY);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { PasteRows(); }, ID_EDITOR_PASTE);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { AddRow(); }, ID_EDITOR_ADD_ROW);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { DeleteRows(); }, ID_EDITOR_DELETE_ROWS);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { MoveRows(true); }, ID_EDITOR_MOVE_UP);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { MoveRows(false); }, ID_EDITOR_MOVE_DOWN);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { SortByColumn(CurrentColumn()); }, ID_EDITOR_SORT);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { Find(true); }, ID_EDITOR_FIND);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { Find(false); }, ID_EDITOR_FIND_NEXT);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { DrillList(); }, ID_EDITOR_DRILL);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) {
        if (!IsClosing())
            EditorHelp().Show(this, "editor.html");
    }, ID_EDITOR_HELP);
    Bind(wxEVT_MENU_OPEN, [this](wxMenuEvent&) { UpdateEditItems(); });

    Bind(wxEVT_CHAR_HOOK, &CVerbListEditor::OnKey, this);
    m_pView->Bind(wxEVT_DATAVIEW_ITEM_EDITING_STARTED, [this](wxDataViewEvent& event) {
        m_bEditing = true;
        m_bColumnChosen = true;
        m_nEditRow = m_pModel->GetRow(event.GetItem());
        m_editColumn = ColumnAt(event.GetColumn());
        if (!m_bTabbing)
            m_entryColumn = m_editColumn;
        m_bTabbing = false;
        m_bRefused = false;
        event.Skip();
    });
    m_pView->Bind(wxEVT_DATAVIEW_ITEM_EDITING_DONE, &CVerbListEditor::OnEditingDone, this);
    // The current row's findings in full under the table, where they are not cut off.
    m_pView->Bind(wxEVT_DATAVIEW_SELECTION_CHANGED, [this](wxDataViewEvent& event) {
        if (!m_bEditing && !m_bRefused)
            ShowMessage(FindingsText(CurrentRow()));
        event.Skip();
    });
    // A letter typed on a cell starts editing it with that letter, as in a spreadsheet.
    m_pView->Bind(wxEVT_CHAR, [this](wxKeyEvent& event) {
        const wxChar cTyped = event.GetUnicodeKey();
        if (m_bEditing || cTyped < ' ' || cTyped == WXK_DELETE || event.ControlDown() || event.AltDown() ||
            CurrentColumn() == VerbColumn::Group)
            return event.Skip();
        m_strStartText = wxString(cTyped);
        EditCell(CurrentRow(), CurrentColumn());
    });
    m_pView->Bind(wxEVT_DATAVIEW_COLUMN_HEADER_CLICK, [this](wxDataViewEvent& event) {
        if (event.GetColumn() >= 0 && static_cast<unsigned>(event.GetColumn()) < kVerbColumnCount)
            SortByColumn(ColumnAt(event.GetColumn()));
    });
    m_pTitle->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { CommitHeader(); });
    m_pTitle->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        CommitHeader();
        event.Skip();
    });
    m_pComments->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        CommitHeader();
        event.Skip();
    });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        if (event.CanVeto() && !ConfirmDiscard())
            return event.Veto();
        Destroy();
    });
}

const wxString& CVerbListEditor::FindingsText(std::size_t nRow) const
{
    static const wxString strNone;
    return nRow < m_findingsText.size() ? m_findingsText[nRow] : strNone;
}

// Loading

bool CVerbListEditor::LoadFile(const std::string& strGivenPath)
{
    // Kept absolute: the working directory is not the user's to think of.
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(strGivenPath, error);
    const std::string strPath = strGivenPath.empty() || error ? strGivenPath : absolute.string();
    if (strPath.empty())
    {
        TakeTable(VerbTable(), std::string());
        return true;
    }
    std::string strBytes;
    std::string strError = ReadListFile(strPath, strBytes);
    if (strError.empty() && KindOfListFile(strPath, strBytes) == ListFileKind::Table)
    {
        // A spreadsheet's table becomes a new list: saving never writes over it.
        ImportResult result;
        if (!RunImportPreview(this, strPath, result))
            return false;
        VerbTable table;
        table.InsertRows(0, std::move(result.m_rows));
        table.MarkSaved();
        TakeTable(std::move(table), std::string());
        m_strSuggestedName = ToLocalPath(wxFileName(FromLocalPath(strPath)).GetPathWithSep() +
                                         wxFileName(FromLocalPath(strPath)).GetName() + ".ver");
        ShowImportProblems(this, result);
        return true;
    }
    if (!strError.empty())
    {
        // TRANSLATORS: {1} is the list's file with its folder, {2} why it cannot be opened.
        wxMessageBox(WxText(FillIn(Tr("The verb list {1} cannot be opened: {2}."), {Utf8Of(FromLocalPath(strPath)), strError})),
                     WxText(Tr(kEditorCaption)), wxOK | wxICON_EXCLAMATION, this);
        return false;
    }
    TakeTable(ReadVerText(strBytes), strPath);
    // What a lesson would make of the file, before anything is saved.
    if (m_checks.ErrorCount() + m_checks.WarningCount() > 0 && !IsClosing())
        CallAfter([this] {
            if (!IsClosing())
                RunListRepairs(this, std::string(FileNameOf(m_strPath).utf8_str()), m_table, m_checks);
        });
    return true;
}

void CVerbListEditor::TakeTable(VerbTable table, const std::string& strPath)
{
    m_table.SetObserver(nullptr);
    m_table = std::move(table);
    m_table.SetObserver(this);
    m_strPath = strPath;
    m_strSuggestedName.clear();
    m_checks.CheckAll(m_table);
    m_findingsText.clear();
    RefreshFindings();
    m_pModel->Reset(static_cast<unsigned>(m_table.RowCount() + 1));
    ShowHeader();
    ShowMessage(wxString());
    UpdateCaption();
    UpdateSummary();
    m_pView->SetFocus();
    const wxDataViewItem first = m_pModel->GetItem(0);
    m_pView->SetCurrentItem(first);
    m_pView->Select(first);
}

void CVerbListEditor::OnTableChanged(const TableChange& change)
{
    m_checks.Update(m_table, change);
    const unsigned nCount = static_cast<unsigned>(m_table.RowCount() + 1);
    if (change.m_bWhole || change.m_nRemoved != change.m_nInserted)
    {
        // The row typed into at the end became a verb: a new empty row follows it.
        if (!change.m_bWhole && change.m_nRemoved == 0 && change.m_nInserted == 1 &&
            change.m_nFirst + 2 == nCount && m_pModel->GetCount() + 1 == nCount)
        {
            m_pModel->RowChanged(static_cast<unsigned>(change.m_nFirst));
            m_pModel->RowAppended();
        }
        else
            m_pModel->Reset(nCount);
    }
    else
        for (std::size_t nRow = change.m_nFirst; nRow < change.m_nFirst + change.m_nInserted; ++nRow)
            m_pModel->RowChanged(static_cast<unsigned>(nRow));
    RefreshFindings();
    if (change.m_bHeader || change.m_bWhole)
        ShowHeader();
    UpdateCaption();
    UpdateSummary();
}

// Every row's findings as one line ("message [rule]; ..."); rows whose line changed are
// redrawn.
void CVerbListEditor::RefreshFindings()
{
    m_findingsText.resize(m_table.RowCount());
    for (std::size_t nRow = 0; nRow < m_table.RowCount(); ++nRow)
    {
        wxString strText;
        for (const Finding& finding : m_checks.RowFindings(nRow))
        {
            if (!strText.empty())
                strText << "; ";
            strText << wxString::FromUTF8(finding.WindowText()) << " [" << finding.m_strRule << "]";
        }
        if (strText != m_findingsText[nRow])
        {
            m_findingsText[nRow] = strText;
            if (nRow < m_pModel->GetCount())
                m_pModel->RowValueChanged(static_cast<unsigned>(nRow), kFindingsColumn);
        }
    }
}

void CVerbListEditor::UpdateCaption()
{
    const wxString strName = m_strPath.empty() ? WxText(Tr(kNewListName)) : FileNameOf(m_strPath);
    // TRANSLATORS: the editor's caption; {1} is the list's file name, {2} "Verb List Editor".
    SetTitle((m_table.IsModified() ? "*" : "") + WxText(FillIn(Tr("{1} - {2}"), {Utf8Of(strName), Tr(kEditorCaption)})));
}

void CVerbListEditor::UpdateSummary()
{
    const std::size_t nErrors = m_checks.ErrorCount(), nWarnings = m_checks.WarningCount();
    wxString strText = nErrors + nWarnings == 0
                           ? WxText(Tr("No errors or warnings."))
                           // TRANSLATORS: {1} is "1 error", "2 errors" ..., {2} "1 warning", "2 warnings" ...
                           : WxText(FillIn(Tr("{1}, {2}."), {FillIn(TrN("{1} error", "{1} errors", nErrors), {std::to_string(nErrors)}),
                                                             FillIn(TrN("{1} warning", "{1} warnings", nWarnings), {std::to_string(nWarnings)})}));
    strText << "\n" << wxString::FromUTF8(m_checks.SummaryText());
    for (const Finding& finding : m_checks.ListFindings())
        if (finding.m_nKind != FindingKind::Note)
            strText << "\n" << wxString::FromUTF8(finding.WindowText()) << " [" << finding.m_strRule << "]";
    if (m_pSummary->GetLabel() != strText)
    {
        m_pSummary->SetLabel(strText);
        m_pSummary->GetParent()->Layout();
    }
}

void CVerbListEditor::ShowHeader()
{
    const wxString strTitle = FromLatin1(m_table.Title());
    if (m_pTitle->GetValue() != strTitle)
        m_pTitle->ChangeValue(strTitle);
    m_strShownComments = CommentsText(m_table.HeaderComments());
    if (m_pComments->GetValue() != m_strShownComments)
        m_pComments->ChangeValue(m_strShownComments);
}

// Wrapped to the window's width: findings are long.
void CVerbListEditor::ShowMessage(const wxString& strText)
{
    if (m_strMessage == strText)
        return;
    m_strMessage = strText;
    m_pMessage->SetLabel(strText);
    m_pMessage->Wrap(std::max(m_pView->GetClientSize().GetWidth(), 200));
    m_pMessage->GetParent()->Layout();
}

void CVerbListEditor::CommitHeader()
{
    const std::string strTitle = ToLatin1(m_pTitle->GetValue());
    if (strTitle != m_table.Title())
        m_table.SetTitle(strTitle);
    if (m_pComments->GetValue() != m_strShownComments)
    {
        m_table.SetHeaderComments(CommentLines(m_pComments->GetValue()));
        ShowHeader();
    }
}

// Cells

bool CVerbListEditor::CommitCell(std::size_t nRow, VerbColumn column, const wxString& strTyped)
{
    const wxString strShown = nRow < m_table.RowCount() ? Shown(column, m_table.Row(nRow).Cell(column)) : wxString();
    if (strTyped == strShown)
    {
        m_bRefused = false;
        return true;
    }
    const CellResult result = ParseCell(column, std::string(strTyped.utf8_str()), m_table.Origin().m_bAccentCodes);
    if (!result.m_bAccepted)
    {
        m_bRefused = true;
        m_strStartText = strTyped;
        // TRANSLATORS: {1} is a column's name, {2} the row's number, {3} why the text is refused, {4} the cell's text.
        ShowMessage(WxText(FillIn(Tr("{1}, row {2}: {3}. The cell keeps \"{4}\"."),
                                  {Tr(ColumnName(column)), std::to_string(nRow + 1), result.m_strMessage, Utf8Of(strShown)})));
        wxBell();
        return false;
    }
    m_bRefused = false;
    ShowMessage(wxString());
    m_table.SetCell(std::min(nRow, m_table.RowCount()), column, result.m_strStored);
    return true;
}

void CVerbListEditor::OnDraftChanged(const wxString& strTyped)
{
    if (!m_bEditing)
        return;
    const CellResult result = ParseCell(m_editColumn, std::string(strTyped.utf8_str()), m_table.Origin().m_bAccentCodes);
    if (!result.m_bAccepted)
    {
        // TRANSLATORS: {1} is a column's name, {2} why the text is refused.
        ShowMessage(WxText(FillIn(Tr("{1}: {2}."), {Tr(ColumnName(m_editColumn)), result.m_strMessage})));
        return;
    }
    VerbRow draft = m_nEditRow < m_table.RowCount() ? m_table.Row(m_nEditRow) : VerbRow();
    draft.Cell(m_editColumn) = result.m_strStored;
    wxString strText;
    for (const Finding& finding : m_checks.CheckDraft(m_table, m_nEditRow, draft))
        strText << (strText.empty() ? "" : "; ") << wxString::FromUTF8(finding.WindowText()) << " ["
                    << finding.m_strRule << "]";
    ShowMessage(strText);
}

void CVerbListEditor::SetCellEditor(void* pEditable)
{
#ifdef __WXGTK__
    if (m_pCellEditor)
        g_object_unref(m_pCellEditor);
    m_pCellEditor = pEditable ? g_object_ref(pEditable) : nullptr;
    if (!pEditable || m_editColumn == VerbColumn::Group)
        return;
    g_signal_connect(pEditable, "changed", G_CALLBACK(OnEntryChanged), this);
    if (!m_strStartText.empty())
    {
        g_object_set(G_OBJECT(pEditable), "text", static_cast<const char*>(m_strStartText.utf8_str()), nullptr);
        g_signal_emit_by_name(pEditable, "move-cursor", kMovementBufferEnds, 1, FALSE);
    }
    m_strStartText.clear();
#else
    (void)pEditable;
#endif
}

// What is being typed into the cell editor; nothing when none is open. The choice of
// groups gives the group's name.
std::optional<wxString> CVerbListEditor::EditorText() const
{
#ifdef __WXGTK__
    if (!m_pCellEditor)
        return std::nullopt;
    GObject* pWidget = G_OBJECT(m_pCellEditor);
    if (m_editColumn == VerbColumn::Group)
    {
        int nActive = -1;
        g_object_get(pWidget, "active", &nActive, nullptr);
        if (nActive < 0 || nActive >= static_cast<int>(kGroupCount))
            return std::nullopt;
        return wxString::FromUTF8(GroupName(kGroupOrder[nActive]));
    }
    gchar* pszText = nullptr;
    g_object_get(pWidget, "text", &pszText, nullptr);
    wxString strText = wxString::FromUTF8(pszText ? pszText : "");
    g_free(pszText);
    return strText;
#else
    wxDataViewRenderer* pRenderer = m_pView->GetColumn(static_cast<unsigned>(m_editColumn))->GetRenderer();
    wxWindow* pEditor = pRenderer->GetEditorCtrl();
    wxVariant value;
    if (!pEditor || !pRenderer->GetValueFromEditorCtrl(pEditor, value))
        return std::nullopt;
    return value.GetString();
#endif
}

bool CVerbListEditor::EndEditing(bool bCommit)
{
    if (!m_bEditing)
        return true;
    wxDataViewColumn* pColumn = m_pView->GetColumn(static_cast<unsigned>(m_editColumn));
    if (bCommit)
        if (const std::optional<wxString> strText = EditorText())
            if (!CommitCell(m_nEditRow, m_editColumn, *strText))
                return false;
    // The native table drops what its editor holds: it was taken above.
    m_bEditing = false;
    pColumn->GetRenderer()->FinishEditing();
    SetCellEditor(nullptr);
    m_pView->SetFocus();
    return true;
}

void CVerbListEditor::EditCell(std::size_t nRow, VerbColumn column)
{
    nRow = std::min(nRow, m_table.RowCount());
    const wxDataViewItem item = m_pModel->GetItem(static_cast<unsigned>(nRow));
    m_pView->UnselectAll();
    m_pView->Select(item);
    m_pView->SetCurrentItem(item);
    m_pView->EnsureVisible(item);
    m_pView->EditItem(item, m_pView->GetColumn(static_cast<unsigned>(column)));
}

// Tab and Shift+Tab go from cell to cell, on into the next (previous) row; F2 edits the
// current cell. Return is the native table's: it edits the current cell, and in an editor
// takes the text (OnEditingDone goes on to the next row).
void CVerbListEditor::OnKey(wxKeyEvent& event)
{
    const int nKey = event.GetKeyCode();
    // The native table has keys of its own (Ctrl+N, Ctrl+P and Ctrl+F move and search):
    // the menu's come first, but for the editing keys of a cell editor.
    const wxAcceleratorEntry pressed(event.GetModifiers(), nKey);
    for (const wxAcceleratorEntry& shortcut : m_shortcuts)
    {
        if (shortcut.GetFlags() != pressed.GetFlags() || shortcut.GetKeyCode() != pressed.GetKeyCode())
            continue;
        const int nId = shortcut.GetCommand();
        if (m_bEditing && (nId == ID_EDITOR_CUT || nId == ID_EDITOR_COPY || nId == ID_EDITOR_PASTE ||
                           nId == ID_EDITOR_UNDO || nId == ID_EDITOR_REDO))
            break;
        if (wxWindow::FindFocus() != m_pTitle && wxWindow::FindFocus() != m_pComments)
        {
            ProcessCommand(nId);
            return;
        }
        break;
    }
    if (m_bEditing && nKey == WXK_TAB && !event.ControlDown() && !event.AltDown())
    {
        const std::size_t nRow = m_nEditRow;
        const VerbColumn column = m_editColumn;
        if (!EndEditing(true))
            return;
        int nNext = static_cast<int>(column) + (event.ShiftDown() ? -1 : 1);
        std::size_t nNextRow = nRow;
        if (nNext < 0)
        {
            if (nRow == 0)
                return;
            nNextRow = nRow - 1;
            nNext = kVerbColumnCount - 1;
        }
        else if (nNext >= static_cast<int>(kVerbColumnCount))
        {
            nNextRow = nRow + 1;
            nNext = 0;
        }
        m_bTabbing = nNextRow == nRow;
        RunBeforeNextEvent(this, [this, nNextRow, nNext] { EditCell(nNextRow, ColumnAt(static_cast<unsigned>(nNext))); });
        return;
    }
    const bool bInTable = !m_bEditing && wxWindow::FindFocus() == m_pView && !event.HasAnyModifiers();
    if (bInTable && (nKey == WXK_F2 || nKey == WXK_RETURN || nKey == WXK_NUMPAD_ENTER))
    {
        EditCell(CurrentRow(), CurrentColumn());
        return;
    }
    if (bInTable && (nKey == WXK_LEFT || nKey == WXK_RIGHT))
        m_bColumnChosen = true;
    // The native table lets the first arrow key after an edit only show where it is.
    if (bInTable && (nKey == WXK_UP || nKey == WXK_DOWN))
    {
        const std::size_t nRow = CurrentRow();
        if (nKey == WXK_UP ? nRow > 0 : nRow < m_table.RowCount())
            SelectRows(nKey == WXK_UP ? nRow - 1 : nRow + 1, 1);
        return;
    }

    if (bInTable && nKey == WXK_DELETE)
    {
        DeleteRows();
        return;
    }
    event.Skip();
}

void CVerbListEditor::OnEditingDone(wxDataViewEvent& event)
{
    const bool bWasEditing = m_bEditing;
    m_bEditing = false;
    SetCellEditor(nullptr);
    event.Skip();
    if (!bWasEditing || event.IsEditCancelled())
        return;
    // Return: on to the next row, in the column this row's typing began in; after a group
    // is chosen, on to the row's Infinitive. A refused text stays in its cell's editor.
    const std::size_t nRow = m_nEditRow;
    const VerbColumn column = m_editColumn;
    RunBeforeNextEvent(this, [this, nRow, column] {
        m_bTabbing = true;
        if (m_bRefused)
            EditCell(nRow, column);
        else if (column == VerbColumn::Group)
            EditCell(nRow, VerbColumn::Infinitive);
        else
        {
            m_bTabbing = false;
            EditCell(nRow + 1, m_entryColumn == VerbColumn::Group ? VerbColumn::Infinitive : m_entryColumn);
        }
    });
}

// Rows

std::vector<std::size_t> CVerbListEditor::SelectedRows() const
{
    wxDataViewItemArray items;
    m_pView->GetSelections(items);
    std::vector<std::size_t> rows;
    for (const wxDataViewItem& item : items)
    {
        const std::size_t nRow = m_pModel->GetRow(item);
        if (nRow < m_table.RowCount())
            rows.push_back(nRow);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::size_t CVerbListEditor::CurrentRow() const
{
    const wxDataViewItem item = m_pView->GetCurrentItem();
    return item.IsOk() ? std::min<std::size_t>(m_pModel->GetRow(item), m_table.RowCount()) : 0;
}

// Until a cell was edited or the cursor moved across, the Infinitive: rows are typed from
// there.
VerbColumn CVerbListEditor::CurrentColumn() const
{
    const wxDataViewColumn* pColumn = m_bColumnChosen ? m_pView->GetCurrentColumn() : nullptr;
    return pColumn ? ColumnAt(pColumn->GetModelColumn()) : VerbColumn::Infinitive;
}

void CVerbListEditor::SelectRows(std::size_t nFirst, std::size_t nCount)
{
    m_pView->UnselectAll();
    for (std::size_t nRow = nFirst; nRow < nFirst + nCount && nRow <= m_table.RowCount(); ++nRow)
        m_pView->Select(m_pModel->GetItem(static_cast<unsigned>(nRow)));
    const wxDataViewItem item = m_pModel->GetItem(static_cast<unsigned>(std::min(nFirst, m_table.RowCount())));
    m_pView->SetCurrentItem(item);
    m_pView->EnsureVisible(item);
    if (!m_bEditing && !m_bRefused)
        ShowMessage(FindingsText(nFirst));
}

void CVerbListEditor::DeleteRows()
{
    if (!EndEditing(false))
        return;
    const std::vector<std::size_t> rows = SelectedRows();
    if (rows.empty() || !m_table.DeleteRows(rows))
        return;
    SelectRows(rows.front(), 1);
}

void CVerbListEditor::MoveRows(bool bUp)
{
    if (!EndEditing(true))
        return;
    const std::vector<std::size_t> rows = SelectedRows();
    if (rows.empty() || !m_table.MoveRows(rows, bUp))
        return;
    m_pView->UnselectAll();
    for (const std::size_t nRow : rows)
        m_pView->Select(m_pModel->GetItem(static_cast<unsigned>(bUp ? nRow - 1 : nRow + 1)));
    const wxDataViewItem item = m_pModel->GetItem(static_cast<unsigned>(bUp ? rows.front() - 1 : rows.back() + 1));
    m_pView->SetCurrentItem(item);
    m_pView->EnsureVisible(item);
}

// A second sort by the same column, with nothing changed between, sorts the other way.
void CVerbListEditor::SortByColumn(VerbColumn column)
{
    if (!EndEditing(true))
        return;
    if (!m_table.Sort(column, true) && !m_table.Sort(column, false))
        return;
    SelectRows(0, 1);
}

// Rows go to the clipboard as a spreadsheet takes them: tab-separated, as shown, in the
// order textbooks print the forms and the group's tag last, the order Paste takes.
void CVerbListEditor::CopyRows(bool bCut)
{
    if (m_bEditing || !m_pView->HasFocus())
        return;
    const std::vector<std::size_t> rows = SelectedRows();
    if (rows.empty())
        return;
    wxString strText;
    for (const std::size_t nRow : rows)
    {
        const VerbRow& row = m_table.Row(nRow);
        for (const VerbColumn column : {VerbColumn::Infinitive, VerbColumn::PastTense, VerbColumn::PastParticiple})
            strText << Shown(column, row.Cell(column)) << '\t';
        strText << wxString::FromUTF8(row.m_strTag) << '\n';
    }
    wxClipboardLocker lock;
    if (!lock)
        return;
    wxTheClipboard->SetData(new wxTextDataObject(strText));
    if (bCut)
        DeleteRows();
}

void CVerbListEditor::PasteRows()
{
    if (m_bEditing || IsClosing())
        return;
    const std::size_t nAt = CurrentRow();
    if (PasteClipboardRows(this, m_table, nAt))
        SelectRows(nAt, 1);
}

void CVerbListEditor::AddRow()
{
    if (!EndEditing(true))
        return;
    const std::size_t nAt = CurrentRow();
    VerbRow row;
    row.m_strTag = nAt > 0 ? m_table.Row(nAt - 1).m_strTag : kGroupTags[kGroupOrder[0]];
    if (m_table.InsertRows(nAt, {row}))
        EditCell(nAt, VerbColumn::Infinitive);
}

// Finds the text, in any case, in a cell of the rows after the current one, from the top
// again after the last.
void CVerbListEditor::Find(bool bAsk)
{
    if (!EndEditing(true) || IsClosing())
        return;
    if (bAsk || m_strFind.empty())
    {
        wxTextEntryDialog dialog(this, WxText(Tr("Find the rows holding:")), WxText(TrC("dialog title", "Find")), m_strFind);
        if (dialog.ShowModal() != wxID_OK || dialog.GetValue().empty())
            return;
        m_strFind = dialog.GetValue();
    }
    const wxString strWanted = m_strFind.Lower();
    const std::size_t nCount = m_table.RowCount();
    const std::size_t nStart = CurrentRow();
    for (std::size_t i = 1; i <= nCount; ++i)
    {
        const std::size_t nRow = (nStart + i) % std::max<std::size_t>(nCount, 1);
        for (std::size_t nColumn = 0; nColumn < kVerbColumnCount; ++nColumn)
        {
            const VerbColumn column = ColumnAt(static_cast<unsigned>(nColumn));
            if (Shown(column, m_table.Row(nRow).Cell(column)).Lower().Contains(strWanted))
            {
                SelectRows(nRow, 1);
                ShowMessage(wxString());
                return;
            }
        }
    }
    // TRANSLATORS: {1} is the text looked for.
    ShowMessage(WxText(FillIn(Tr("\"{1}\" is in no row."), {Utf8Of(m_strFind)})));
    wxBell();
}

void CVerbListEditor::UndoRedo(bool bUndo)
{
    if (!EndEditing(false))
        return;
    CommitHeader();
    if (bUndo ? m_table.Undo() : m_table.Redo())
        ShowMessage(wxString());
}

void CVerbListEditor::UpdateEditItems()
{
    wxMenuBar* pMenuBar = GetMenuBar();
    pMenuBar->Enable(ID_EDITOR_UNDO, m_table.CanUndo());
    pMenuBar->Enable(ID_EDITOR_REDO, m_table.CanRedo());
    // TRANSLATORS: the Edit menu; {1} names the change ("Typing", "Paste" ...), or is empty.
    // The shortcut after the tab stays in English.
    pMenuBar->SetLabel(ID_EDITOR_UNDO, WxText(FillIn(Tr("&Undo {1}\tCtrl+Z"), {m_table.CanUndo() ? TrChange(m_table.UndoName()) : ""})));
    // TRANSLATORS: the Edit menu; {1} names the change, or is empty. The shortcut stays in English.
    pMenuBar->SetLabel(ID_EDITOR_REDO, WxText(FillIn(Tr("&Redo {1}\tCtrl+Y"), {m_table.CanRedo() ? TrChange(m_table.RedoName()) : ""})));
}

// Files

bool CVerbListEditor::ConfirmDiscard()
{
    if (!EndEditing(true))
        return false;
    CommitHeader();
    if (!m_table.IsModified())
        return true;
    if (IsClosing())
        return true;
    Raise();
    const wxString strName = m_strPath.empty() ? WxText(Tr(kNewListName)) : FileNameOf(m_strPath);
    // TRANSLATORS: {1} is the list's file name.
    wxMessageDialog dialog(this, WxText(FillIn(Tr("Save the changes to \"{1}\" before closing?"), {Utf8Of(strName)})),
                           WxText(Tr(kEditorCaption)), wxYES_NO | wxCANCEL | wxYES_DEFAULT | wxICON_QUESTION);
    dialog.SetYesNoCancelLabels(WxText(Tr("&Save")), WxText(Tr("Do&n't Save")), WxText(Tr("&Cancel")));
    switch (dialog.ShowModal())
    {
    case wxID_YES:
        return Save();
    case wxID_NO:
        return true;
    default:
        return false;
    }
}

bool CVerbListEditor::Save()
{
    if (!EndEditing(true))
        return false;
    CommitHeader();
    if (m_strPath.empty())
        return SaveAs();
    const std::string strError = SaveVerbList(m_strPath, m_table);
    if (!strError.empty())
    {
        // TRANSLATORS: {1} is the list's file with its folder, {2} why it could not be saved.
        wxMessageBox(WxText(FillIn(Tr("The verb list could not be saved to {1}: {2}. It stays open here, unsaved."),
                                   {Utf8Of(FromLocalPath(m_strPath)), strError})),
                     WxText(Tr(kEditorCaption)), wxOK | wxICON_EXCLAMATION, this);
        return false;
    }
    UpdateCaption();
    return true;
}

bool CVerbListEditor::SaveAs()
{
    if (!EndEditing(true) || IsClosing())
        return false;
    CommitHeader();
    const wxFileName suggested(FromLocalPath(!m_strPath.empty()            ? m_strPath
                                             : !m_strSuggestedName.empty() ? m_strSuggestedName
                                                                           : ToLocalPath(WxText(Tr(kNewListName)))));
    // TRANSLATORS: a file dialog's filters: the parts in brackets stay as they are.
    wxFileDialog dialog(this, WxText(Tr("Save Verb List As")), suggested.IsAbsolute() ? suggested.GetPath() : wxGetCwd(),
                        suggested.GetFullName(), WxText(Tr("Verb lists (*.ver)")) + "|*.ver|" + WxText(Tr("All files (*)")) + "|*",
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    wxFileName file(dialog.GetPath());
    if (!file.HasExt())
        file.SetExt("ver");
    const std::string strOld = m_strPath;
    m_strPath = ToLocalPath(file.GetFullPath());
    if (!Save())
    {
        m_strPath = strOld;
        UpdateCaption();
        return false;
    }
    m_strSuggestedName.clear();
    return true;
}

void CVerbListEditor::NewList()
{
    if (ConfirmDiscard())
        TakeTable(VerbTable(), std::string());
}

void CVerbListEditor::OpenList()
{
    if (IsClosing() || !ConfirmDiscard())
        return;
    const wxString strFolder = m_strPath.empty() ? wxGetCwd() : wxFileName(FromLocalPath(m_strPath)).GetPath();
    // TRANSLATORS: a file dialog's filters: the parts in brackets stay as they are.
    wxFileDialog dialog(this, WxText(Tr("Open Verb List")), strFolder, wxString(),
                        WxText(Tr("Verb lists and tables (*.ver;*.csv;*.tsv;*.txt)")) + "|*.ver;*.csv;*.tsv;*.txt|" +
                            WxText(Tr("All files (*)")) + "|*",
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() == wxID_OK)
        LoadFile(ToLocalPath(dialog.GetPath()));
}

void CVerbListEditor::ImportTable()
{
    if (IsClosing() || !ConfirmDiscard())
        return;
    const wxString strFolder = m_strPath.empty() ? wxGetCwd() : wxFileName(FromLocalPath(m_strPath)).GetPath();
    // TRANSLATORS: a file dialog's filters: the parts in brackets stay as they are.
    wxFileDialog dialog(this, WxText(Tr("Import Table")), strFolder, wxString(),
                        WxText(Tr("Tables (*.csv;*.tsv;*.txt)")) + "|*.csv;*.tsv;*.txt|" + WxText(Tr("All files (*)")) + "|*",
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK)
        return;
    const std::string strPath = ToLocalPath(dialog.GetPath());
    ImportResult result;
    if (!RunImportPreview(this, strPath, result))
        return;
    VerbTable table;
    table.InsertRows(0, std::move(result.m_rows));
    TakeTable(std::move(table), std::string());
    m_strSuggestedName = ToLocalPath(wxFileName(FromLocalPath(strPath)).GetPathWithSep() +
                                     wxFileName(FromLocalPath(strPath)).GetName() + ".ver");
    UpdateCaption();
    ShowImportProblems(this, result);
}

// A list saved as it is is not written again.
void CVerbListEditor::DrillList()
{
    if (IsClosing() || !EndEditing(true))
        return;
    CommitHeader();
    if ((m_table.IsModified() || m_strPath.empty()) && !Save())
        return;
    if (!g_fnDrill)
        return;
    g_fnDrill(m_strPath);
}
