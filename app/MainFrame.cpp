#include "app/MainFrame.h"

#include "app/AboutDlg.h"
#include "app/ProgressDlg.h"
#include "app/SessionEnd.h"
#include "app/VerbListEditor.h"
#include "checker/ChosenListCheck.h"
#include "framework/SettingsStore.h"
#include "framework/UserFolders.h"
#include "framework/wx/Closing.h"
#include "framework/wx/Latin1.h"
#include "framework/wx/TemplateDialog.h"
#include "framework/wx/ViewCanvas.h"
#include "framework/wx/ViewPrinting.h"
#include "lesson/LessonHistory.h"
#include "lesson/VespinDoc.h"
#include "res/AppStrings.h"
#include "res/MainMenu.h"
#include "view/VespinView.h"

#include "res/pictures/app_icon_16.xpm"
#include "res/pictures/app_icon_32.xpm"
#include "res/pictures/toolbar.xpm"

#include <wx/accel.h>
#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/iconbndl.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace
{

constexpr int kToolSize = 16;
// How often the lock indicators look at the keyboard.
constexpr int kLockPollMilliseconds = 250;

// A command's id as the toolkit carries it. Windows carries menu, toolbar and accelerator
// ids in 16 bits and reads them back as signed numbers, so an id above 32767 (most of the
// program's) would never arrive: there the ids are folded below it, which keeps them apart.
constexpr int WxId(int nCommand)
{
#ifdef __WXMSW__
    return nCommand & 0x7FFF;
#else
    return nCommand;
#endif
}

wxAcceleratorEntry ToAcceleratorEntry(const AcceleratorDef& def)
{
    int nFlags = wxACCEL_NORMAL;
    if (def.nFlags & ACCEL_SHIFT_KEY)
        nFlags |= wxACCEL_SHIFT;
    if (def.nFlags & ACCEL_CONTROL_KEY)
        nFlags |= wxACCEL_CTRL;
    if (def.nFlags & ACCEL_ALT_KEY)
        nFlags |= wxACCEL_ALT;

    int nKey = def.nKey;
    switch (def.nKey)
    {
    case KEY_BACKSPACE:
        nKey = WXK_BACK;
        break;
    case KEY_INSERT:
        nKey = WXK_INSERT;
        break;
    case KEY_DELETE:
        nKey = WXK_DELETE;
        break;
    case KEY_F6:
        nKey = WXK_F6;
        break;
    }
    return wxAcceleratorEntry(nFlags, nKey, WxId(def.nId));
}

wxKeyCode ToLockKeyCode(LockKey key)
{
    switch (key)
    {
    case LockKey::CapsLock:
        return WXK_CAPITAL;
    case LockKey::NumLock:
        return WXK_NUMLOCK;
    case LockKey::ScrollLock:
        break;
    }
    return WXK_SCROLL;
}

// One 16 x 16 image of toolbar.xpm; its light grey is the button face, so transparent.
wxBitmap ToolImage(const wxBitmap& strip, int nImage)
{
    wxBitmap image = strip.GetSubBitmap(wxRect(nImage * kToolSize, 0, kToolSize, kToolSize));
    image.SetMask(new wxMask(image, wxColour(192, 192, 192)));
    return image;
}

// The status bar half (bTooltip false) or the tooltip half of a command's prompt.
wxString PromptPart(int nId, bool bTooltip)
{
    for (const CommandPromptDef& def : kCommandPrompts)
    {
        if (def.nId != nId)
            continue;
        const wxString strPrompt(def.pszPrompt);
        return bTooltip ? strPrompt.AfterFirst('\n') : strPrompt.BeforeFirst('\n');
    }
    return wxString();
}

// File names go to the document in the file system's own encoding.
std::string ToLocalPath(const wxString& strPath)
{
    return std::string(strPath.mb_str(*wxConvFileName));
}

wxString FromLocalPath(const std::string& strPath)
{
    return wxString(strPath.c_str(), *wxConvFileName);
}

wxString FileNameOf(const std::string& strPath)
{
    return wxFileName(FromLocalPath(strPath)).GetFullName();
}

} // namespace

CMainFrame::CMainFrame(CVespinDoc& doc, SettingsStore& store)
    : wxFrame(nullptr, wxID_ANY, wxString()), m_doc(doc), m_store(store), m_lockTimer(this)
{
    wxIconBundle icons;
    icons.AddIcon(wxIcon(app_icon_32_xpm));
    icons.AddIcon(wxIcon(app_icon_16_xpm));
    SetIcons(icons);

    CreateMenus();
    CreateTools();
    CreateStatusFields();
    CreateAccelerators();
    m_pCanvas = new ViewCanvas(this);
    BindCommands();

    m_doc.SetTitleObserver(
        [this](const std::string& strTitle) { SetTitle(FromLatin1(strTitle) + kCaptionSuffix); });
    m_doc.m_fnLessonStarted = [this] { ShowListInUse(); };
    m_lockTimer.Start(kLockPollMilliseconds);
    CVerbListEditor::SetDrill([this](const std::string& strPath) {
        if (!OpenVerbList(strPath))
            return false;
        Raise();
        return true;
    });
    CloseFrameOnSessionEnd(this);
}

CMainFrame::~CMainFrame()
{
    CloseFrameOnSessionEnd(nullptr);
    CVerbListEditor::SetDrill(nullptr);
    m_doc.SetTitleObserver(nullptr);
    m_doc.m_fnLessonStarted = nullptr;
    m_pCanvas->SetView(nullptr);
}

void CMainFrame::SetView(std::unique_ptr<CVespinView> pView)
{
    m_pView = std::move(pView);
    m_pCanvas->SetView(m_pView.get());
}

void CMainFrame::SetHistory(LessonHistory* pHistory)
{
    m_pHistory = pHistory;
    m_pView->SetHistory(pHistory);
    if (pHistory)
        pHistory->m_fnNotKept = [this](const std::string& strReason) {
            SetStatusText(wxString(kHistoryNotKeptText) + ": " + wxString::FromUTF8(strReason) + ".", 0);
        };
}

void CMainFrame::CreateMenus()
{
    auto* pMenuBar = new wxMenuBar;
    for (const MenuDef& menuDef : kMainMenu)
    {
        auto* pMenu = new wxMenu;
        for (std::size_t i = 0; i < menuDef.nItems; ++i)
        {
            const MenuItemDef& item = menuDef.pItems[i];
            if (item.nId == 0)
                pMenu->AppendSeparator();
            else
                pMenu->Append(WxId(item.nId), item.pszLabel, PromptPart(item.nId, false));
        }
        pMenuBar->Append(pMenu, menuDef.pszTitle);
    }
    SetMenuBar(pMenuBar);
}

void CMainFrame::CreateTools()
{
    wxToolBar* pToolBar = CreateToolBar(wxTB_FLAT | wxTB_HORIZONTAL | wxTB_TOP);
    pToolBar->SetToolBitmapSize(wxSize(kToolSize, kToolSize));
    const wxBitmap strip(toolbar_xpm);
    for (const ToolDef& tool : kToolbar)
    {
        if (tool.nId == 0)
            pToolBar->AddSeparator();
        else
            pToolBar->AddTool(WxId(tool.nId), wxString(), ToolImage(strip, tool.nImage), wxNullBitmap,
                              wxITEM_NORMAL, PromptPart(tool.nId, true), PromptPart(tool.nId, false));
    }
    pToolBar->Realize();
}

void CMainFrame::CreateStatusFields()
{
    constexpr int nFields = 1 + static_cast<int>(std::size(kIndicators));
    wxStatusBar* pStatusBar = CreateStatusBar(nFields);
    std::vector<int> widths{-1};
    for (const IndicatorDef& indicator : kIndicators)
        widths.push_back(pStatusBar->GetTextExtent(indicator.pszText).GetWidth() + 16);
    pStatusBar->SetStatusWidths(nFields, widths.data());
    SetStatusText(kIdleMessage, 0);
}

void CMainFrame::CreateAccelerators()
{
    std::vector<wxAcceleratorEntry> entries;
    for (const AcceleratorDef& def : kAccelerators)
        entries.push_back(ToAcceleratorEntry(def));
    SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(entries.size()), entries.data()));
}

void CMainFrame::BindCommands()
{
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { NewLesson(); }, WxId(ID_FILE_NEW));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { Close(); }, WxId(ID_APP_EXIT));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) {
        CAboutDlg about;
        RunTemplateDialog(this, about);
    }, WxId(ID_APP_ABOUT));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_pView->OnGiveUp(); }, WxId(ID_LESSON_GIVEUP));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_pView->OnStatistics(); }, WxId(ID_LESSON_STATISTICS));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_pView->OnLessonView(); }, WxId(ID_LESSON_VIEW));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { ChooseVerbList(); }, WxId(ID_LESSON_VERB_LIST));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { UseStandardList(); }, WxId(ID_LESSON_STANDARD_LIST));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { EditVerbList(std::string()); }, WxId(ID_LESSON_EDIT_LIST));
    Bind(wxEVT_MENU,
         [this](wxCommandEvent& event) {
             OpenRecentList(static_cast<std::size_t>(event.GetId() - WxId(ID_LESSON_RECENT_LIST_1)));
         },
         WxId(ID_LESSON_RECENT_LIST_1), WxId(ID_LESSON_RECENT_LIST_1 + kRecentListCount - 1));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_pView->OnHelp(); }, WxId(ID_HELP));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_pView->OnPractiseMistakes(); }, WxId(ID_LESSON_MISTAKES));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { ShowProgress(); }, WxId(ID_LESSON_PROGRESS));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_pView->OnForgetHistory(); }, WxId(ID_LESSON_FORGET));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OpenFile(); }, WxId(ID_FILE_OPEN));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { SaveFile(); }, WxId(ID_FILE_SAVE));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { PrintScreen(); }, WxId(ID_FILE_PRINT));
    // Handled so that the keys count as used and go no further; they do nothing.
    for (const int nId : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_NEXT_PANE,
                          ID_PREV_PANE})
        Bind(wxEVT_MENU, [](wxCommandEvent&) {}, WxId(nId));

    // The editors ask about unsaved lists first; the user may keep the program running.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        if (event.CanVeto() && !CVerbListEditor::CloseAll())
            return event.Veto();
        if (!event.CanVeto())
            CVerbListEditor::RescueUnsaved(UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
        CloseDocument();
        Destroy();
    });
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { UpdateLockIndicators(); }, m_lockTimer.GetId());
}

void CMainFrame::NewLesson()
{
    m_doc.OnNewDocument();
    m_pCanvas->InvalidateRect(nullptr, true);
}

// The document only takes the file's name: it reads nothing.
void CMainFrame::OpenFile()
{
    if (IsClosing())
        return;
    wxFileDialog dialog(this, "Open", wxGetCwd(), wxString(), "All Files (*.*)|*",
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK)
        return;
    if (!m_doc.OnOpenDocument(ToLocalPath(dialog.GetPath())))
        wxMessageBox("Failed to open document.", kAppName, wxOK | wxICON_EXCLAMATION, this);
}

// Asks for a file the first time; the document writes nothing into it, and an existing
// file keeps its contents.
void CMainFrame::SaveFile()
{
    if (IsClosing())
        return;
    std::string strPath = m_doc.GetPathName();
    if (strPath.empty())
    {
        wxFileDialog dialog(this, "Save As", wxGetCwd(), kNewFileName, "All Files (*.*)|*",
                            wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
        if (dialog.ShowModal() != wxID_OK)
            return;
        strPath = ToLocalPath(dialog.GetPath());
    }
    if (!m_doc.OnSaveDocument(strPath))
        wxMessageBox("Failed to save document.", kAppName, wxOK | wxICON_EXCLAMATION, this);
}

void CMainFrame::PrintScreen()
{
    if (IsClosing())
        return;
    ScreenPrintout printout(kAppName, *m_pView);
    wxPrinter printer;
    printer.Print(this, &printout, true);
}

void CMainFrame::ShowProgress()
{
    if (IsClosing())
        return;
    const std::optional<HistorySummary> summary =
        m_pHistory ? m_pHistory->Summarise(m_doc.GetListInUse()) : std::nullopt;
    if (!summary)
    {
        wxMessageBox(kHistoryUnreadableText, "Taldrin", wxOK | wxICON_EXCLAMATION, this);
        return;
    }
    CProgressDlg dialog(this, summary->GetProgress());
    dialog.ShowModal();
}

void CMainFrame::CloseDocument()
{
    if (m_bDocumentClosed)
        return;
    m_bDocumentClosed = true;
    BeginClosing();
    m_lockTimer.Stop();
    m_doc.OnCloseDocument();
}

void CMainFrame::UpdateLockIndicators()
{
    for (std::size_t i = 0; i < std::size(kIndicators); ++i)
    {
        const int nField = static_cast<int>(i) + 1;
        const wxString strText = wxGetKeyState(ToLockKeyCode(kIndicators[i].key))
                                     ? wxString(kIndicators[i].pszText)
                                     : wxString();
        if (GetStatusBar()->GetStatusText(nField) != strText)
            SetStatusText(strText, nField);
    }
}

void CMainFrame::RestoreVerbList()
{
    m_lists.Load(m_store);
    const std::string strRemembered = m_lists.GetInUse();
    if (strRemembered.empty())
        return UpdateRecentItems();
    if (const std::optional<VerbListLocation> list = LocateChosenList(strRemembered))
        m_doc.UseVerbList(*list);
    else
    {
        // Said once: from now on the standard list is the one remembered.
        m_lists.UseStandard();
        m_lists.Save(m_store);
        SetStatusText("The verb list " + FromLocalPath(strRemembered) +
                          " cannot be opened; the standard list is used.",
                      0);
    }
    UpdateRecentItems();
}

// The dialog opens in the folder of the list in use.
void CMainFrame::ChooseVerbList()
{
    if (IsClosing())
        return;
    const wxString strFolder = wxFileName(FromLocalPath(m_doc.m_strVerbListPath)).GetPath();
    wxFileDialog dialog(this, "Verb List", strFolder, wxString(),
                        "Verb lists (*.ver)|*.ver|All files (*)|*", wxFD_OPEN);
    if (dialog.ShowModal() == wxID_OK)
        OpenVerbList(ToLocalPath(dialog.GetPath()));
}

bool CMainFrame::OpenVerbList(const std::string& strPath)
{
    if (IsClosing())
        return false;
    const wxString strName = FileNameOf(strPath);
    const ChosenListCheck check = CheckChosenList(strPath, std::string(strName.utf8_str()));
    const wxString strText = wxString::FromUTF8(check.m_strText);
    if (check.m_nVerdict == ChosenListVerdict::Refused)
    {
        wxMessageBox(strText, kMessageCaption, wxOK | wxICON_EXCLAMATION, this);
        return false;
    }
    if (check.m_nVerdict == ChosenListVerdict::Doubtful)
    {
        wxMessageDialog dialog(this,
                               "A lesson on \"" + strName + "\" meets these problems:\n\n" + strText +
                                   "\nUse this list anyway?",
                               kMessageCaption, wxYES_NO | wxCANCEL | wxCANCEL_DEFAULT | wxICON_QUESTION);
        dialog.SetYesNoCancelLabels("&Use Anyway", "&Edit", "Cancel");
        const int nAnswer = dialog.ShowModal();
        if (nAnswer == wxID_NO) // Edit: the editor shows the findings on their rows
            EditVerbList(strPath);
        if (nAnswer != wxID_YES)
            return false;
    }
    const std::optional<VerbListLocation> list = LocateChosenList(strPath);
    if (!list)
        return false; // gone since the check, which said why
    m_doc.UseVerbList(*list);
    m_lists.Choose(list->m_strPath);
    KeepChosenLists();
    NewLesson();
    return true;
}

void CMainFrame::OpenRecentList(std::size_t nRecent)
{
    if (IsClosing())
        return;
    if (nRecent >= m_lists.GetRecent().size())
        return;
    const std::string strPath = m_lists.GetRecent()[nRecent];
    std::error_code error;
    if (std::filesystem::exists(strPath, error) || error)
    {
        OpenVerbList(strPath);
        return;
    }
    wxMessageBox("The verb list " + FromLocalPath(strPath) +
                     " is gone; it is taken off the recent lists.",
                 kMessageCaption, wxOK | wxICON_EXCLAMATION, this);
    m_lists.Forget(strPath);
    KeepChosenLists();
}

void CMainFrame::UseStandardList()
{
    if (IsClosing())
        return;
    if (!m_doc.UseStandardVerbList())
    {
        wxMessageBox(kMissingFilesText, kMessageCaption, wxOK | wxICON_EXCLAMATION, this);
        return;
    }
    m_lists.UseStandard();
    KeepChosenLists();
    NewLesson();
}

// Written at once, so that a list chosen is remembered whatever ends the run. The menu is
// changed once the command that chose, perhaps one of its items, has returned.
void CMainFrame::KeepChosenLists()
{
    m_lists.Save(m_store);
    m_store.Flush();
    CallAfter([this] { UpdateRecentItems(); });
}

// Numbered items right under "Verb List...", with the full path as their prompt.
void CMainFrame::UpdateRecentItems()
{
    wxMenuBar* pMenuBar = GetMenuBar();
    wxMenu* pMenu = nullptr;
    pMenuBar->FindItem(WxId(ID_LESSON_VERB_LIST), &pMenu);
    if (!pMenu)
        return;
    for (std::size_t i = 0; i < kRecentListCount; ++i)
        if (pMenu->FindItem(WxId(ID_LESSON_RECENT_LIST_1 + static_cast<int>(i))))
            pMenu->Destroy(WxId(ID_LESSON_RECENT_LIST_1 + static_cast<int>(i)));
    std::size_t nPosition = 0;
    pMenu->FindChildItem(WxId(ID_LESSON_VERB_LIST), &nPosition);
    const std::vector<std::string>& recent = m_lists.GetRecent();
    for (std::size_t i = 0; i < recent.size(); ++i)
    {
        wxString strLabel = FileNameOf(recent[i]);
        strLabel.Replace("&", "&&");
        pMenu->Insert(nPosition + 1 + i, WxId(ID_LESSON_RECENT_LIST_1 + static_cast<int>(i)),
                      wxString::Format("&%zu %s", i + 1, strLabel), FromLocalPath(recent[i]));
    }
}

void CMainFrame::EditVerbList(const std::string& strPath)
{
    if (!IsClosing())
        CVerbListEditor::Open(strPath.empty() ? m_doc.GetListInUse() : strPath);
}

void CMainFrame::ShowListInUse()
{
    SetStatusText("Verb list: " + FileNameOf(m_doc.m_strVerbListPath), 0);
}
