#include "app/MainFrame.h"

#include "app/AboutDlg.h"
#include "app/LanguageDlg.h"
#include "app/ProgressDlg.h"
#include "app/SessionEnd.h"
#include "app/VerbListEditor.h"
#include "checker/ChosenListCheck.h"
#include "framework/SettingsStore.h"
#include "framework/Translation.h"
#include "framework/UserFolders.h"
#include "framework/wx/BusyWait.h"
#include "framework/wx/Closing.h"
#include "framework/wx/Latin1.h"
#include "framework/wx/TemplateDialog.h"
#include "framework/wx/ViewCanvas.h"
#include "framework/wx/ViewPrinting.h"
#include "framework/wx/WorkArea.h"
#include "history/Review.h"
#include "lesson/LessonHistory.h"
#include "lesson/VespinDoc.h"
#include "res/AppStrings.h"
#include "res/MainMenu.h"
#include "speech/SpokenLesson.h"
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

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <new>
#include <system_error>
#include <utility>
#include <vector>

namespace
{

constexpr int kToolSize = 16;
// The status bar: messages, the list in use, the questions due, then the lock indicators.
constexpr int kListField = 1;
constexpr int kDueField = 2;
constexpr int kFirstIndicatorField = 3;
// The widest the list's pane grows, in letters; a longer name is cut with an ellipsis.
constexpr int kListFieldLetters = 36;
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
    case KEY_F1:
        nKey = WXK_F1;
        break;
    case KEY_F5:
        nKey = WXK_F5;
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
        const wxString strPrompt = WxText(Tr(def.pszPrompt));
        return bTooltip ? strPrompt.AfterFirst('\n') : strPrompt.BeforeFirst('\n');
    }
    return wxString();
}

// A file name or path as shown in the window: nothing in it is taken for a line break, a
// tab, a mnemonic or a change of direction (see PrintableName).
std::string ShownUtf8(const std::string& strLocal, bool bNameOnly)
{
#ifdef __WXMSW__
    const wxString str = bNameOnly ? FileNameOf(strLocal) : FromLocalPath(strLocal);
    return PrintableName(std::string(str.utf8_str()));
#else
    // File names are bytes here, UTF-8 only by custom.
    return PrintableName(bNameOnly ? strLocal.substr(strLocal.rfind('/') + 1) : strLocal);
#endif
}

wxString ShownName(const std::string& strPath)
{
    return wxString::FromUTF8(ShownUtf8(strPath, true));
}

wxString ShownPath(const std::string& strPath)
{
    return wxString::FromUTF8(ShownUtf8(strPath, false));
}

// Items of kItemsShowingKeys show their keys; the others keep their labels as they are.
wxMenu* BuildMenu(const MenuDef& menuDef)
{
    auto* pMenu = new wxMenu;
    for (std::size_t i = 0; i < menuDef.nItems; ++i)
    {
        const MenuItemDef& item = menuDef.pItems[i];
        if (item.nId == 0)
        {
            pMenu->AppendSeparator();
            continue;
        }
        wxString strLabel = WxText(Tr(item.pszLabel));
        if (std::find(std::begin(kItemsShowingKeys), std::end(kItemsShowingKeys), item.nId) != std::end(kItemsShowingKeys))
            for (const AcceleratorDef& def : kAccelerators)
                if (def.nId == item.nId)
                    strLabel += "\t" + ToAcceleratorEntry(def).ToString();
        const wxItemKind nKind = item.nKind == MenuItemKind::Check   ? wxITEM_CHECK
                                 : item.nKind == MenuItemKind::Radio ? wxITEM_RADIO
                                                                     : wxITEM_NORMAL;
        if (item.pSubmenu)
            pMenu->Append(WxId(item.nId), strLabel, BuildMenu(*item.pSubmenu), PromptPart(item.nId, false));
        else
            pMenu->Append(WxId(item.nId), strLabel, PromptPart(item.nId, false), nKind);
    }
    return pMenu;
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
    CreateSpeech();

    m_doc.SetTitleObserver([this](const std::string& strTitle) { ShowTitle(strTitle); });
    m_doc.m_fnListChanged = [this] {
        ShowListInUse();
        // Before the first idle moment the count waits for it: the window is painted first.
        if (m_bStarted)
            ShowDueCount();
    };
    m_doc.m_fnChosenListGone = [this](const std::string& strPath, bool bStandard) {
        OnChosenListGone(strPath, bStandard);
    };
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
    m_doc.m_fnListChanged = nullptr;
    m_doc.m_fnChosenListGone = nullptr;
    m_pCanvas->SetView(nullptr);
    // Its thread ends before the frame, which its trouble note is sent to.
    m_pSpeaker->SetTroubleHandler(nullptr);
    m_pSpeaker->Stop();
    m_pSpeaker.reset();
}

void CMainFrame::SetView(std::unique_ptr<CVespinView> pView)
{
    m_pView = std::move(pView);
    m_pView->SetSpeech(m_pSpokenLesson.get());
    m_pCanvas->SetView(m_pView.get());
}

void CMainFrame::SetHistory(LessonHistory* pHistory)
{
    m_pHistory = pHistory;
    m_pView->SetHistory(pHistory);
    if (pHistory)
        pHistory->m_fnNotKept = [this](const std::string& strReason) {
            if (strReason.empty()) // kept again
                ShowListInUse();
            else
                SetStatusText(WxText(FillIn(Tr(kHistoryNotKeptPattern), {strReason})), 0);
        };
    if (pHistory)
        pHistory->m_fnLessonEnded = [this] { CallAfter([this] { ShowDueCount(); }); };
}

void CMainFrame::CreateMenus()
{
    auto* pMenuBar = new wxMenuBar;
    for (const MenuDef& menuDef : kMainMenu)
        pMenuBar->Append(BuildMenu(menuDef), WxText(Tr(menuDef.pszTitle)));
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
    constexpr int nFields = kFirstIndicatorField + static_cast<int>(std::size(kIndicators));
    wxStatusBar* pStatusBar = CreateStatusBar(nFields);
    std::vector<int> widths{-1, 0, 0};
    for (const IndicatorDef& indicator : kIndicators)
        widths.push_back(pStatusBar->GetTextExtent(WxText(Tr(indicator.pszText))).GetWidth() + 16);
    pStatusBar->SetStatusWidths(nFields, widths.data());
    SetStatusText(WxText(Tr(kIdleMessage)), 0);
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
        about.m_fnShowLicence = [this] { ShowLicence(wxGetActiveWindow() ? wxGetActiveWindow() : this); };
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
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_pView->OnForgetHistory(); ShowDueCount(); }, WxId(ID_LESSON_FORGET));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { ReviewDue(); }, WxId(ID_LESSON_REVIEW));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { MarkSlip(); }, WxId(ID_LESSON_SLIP));
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(m_pView && m_pView->CanMarkSlip()); }, WxId(ID_LESSON_SLIP));
    // The count of questions due waits for the first moment with nothing to do: the window
    // is painted first.
    Bind(wxEVT_IDLE, &CMainFrame::OnFirstIdle, this);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { ChooseLanguageDialog(this, m_store); }, WxId(ID_LESSON_LANGUAGE));
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
    // TRANSLATORS: a file dialog's filter: the part in brackets stays as it is.
    wxFileDialog dialog(this, WxText(TrC("file dialog", "Open")), wxGetCwd(), wxString(), WxText(Tr("All Files (*.*)")) + "|*",
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK)
        return;
    if (!m_doc.OnOpenDocument(ToLocalPath(dialog.GetPath())))
        wxMessageBox(WxText(Tr("Failed to open document.")), kAppName, wxOK | wxICON_EXCLAMATION, this);
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
        wxFileDialog dialog(this, WxText(Tr("Save As")), wxGetCwd(), kNewFileName, WxText(Tr("All Files (*.*)")) + "|*",
                            wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
        if (dialog.ShowModal() != wxID_OK)
            return;
        strPath = ToLocalPath(dialog.GetPath());
    }
    if (!m_doc.OnSaveDocument(strPath))
        wxMessageBox(WxText(Tr("Failed to save document.")), kAppName, wxOK | wxICON_EXCLAMATION, this);
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
    const HistorySummary* pSummary = m_pHistory ? m_pHistory->Summarise(m_doc.GetListInUse()) : nullptr;
    if (!pSummary)
    {
        wxMessageBox(m_pHistory ? WxText(m_pHistory->GetUnreadableText()) : WxText(Tr(kHistoryUnreadableText)),
                     "Taldrin", wxOK | wxICON_EXCLAMATION, this);
        return;
    }
    const std::int64_t nNow = std::time(nullptr);
    const std::vector<ReviewItem> items = ReviewItems(pSummary->GetReview(), HistoryQuestionsOf(m_doc.ReadAllQuestions()), nNow);
    CProgressDlg dialog(this, pSummary->GetProgress(), OverviewOf(items, nNow), ReviewCsv(items), m_doc.GetReviewLimit());
    dialog.ShowModal();
    if (dialog.GetReviewLimit() != m_doc.GetReviewLimit())
        m_doc.SetReviewLimit(dialog.GetReviewLimit());
    ShowDueCount();
}

void CMainFrame::OnFirstIdle(wxIdleEvent& event)
{
    event.Skip();
    Unbind(wxEVT_IDLE, &CMainFrame::OnFirstIdle, this);
    m_bStarted = true;
    ShowDueCount();
}

void CMainFrame::ShowDueCount()
{
    if (IsClosing())
        return;
    const HistorySummary* pSummary = m_pHistory ? m_pHistory->Current(m_doc.GetListInUse()) : nullptr;
    wxString strText;
    if (pSummary)
    {
        const std::int64_t nNow = std::time(nullptr);
        const std::uint32_t nDue =
            OverviewOf(ReviewItems(pSummary->GetReview(), HistoryQuestionsOf(m_doc.ReadAllQuestions()), nNow), nNow).m_nDueNow;
        if (nDue > 0)
            // TRANSLATORS: the status bar; {1} is how many questions of the verb list in use are due.
            strText = WxText(FillIn(TrN("{1} question due for review", "{1} questions due for review", nDue), {std::to_string(nDue)}));
    }
    wxStatusBar* pStatusBar = GetStatusBar();
    std::vector<int> widths;
    for (int i = 0; i < pStatusBar->GetFieldsCount(); ++i)
        widths.push_back(i == kDueField ? (strText.empty() ? 0 : pStatusBar->GetTextExtent(strText).GetWidth() + 16)
                                        : pStatusBar->GetStatusWidth(i));
    pStatusBar->SetStatusWidths(static_cast<int>(widths.size()), widths.data());
    SetStatusText(strText, kDueField);
}

void CMainFrame::ReviewDue()
{
    // As Practise Mistakes: a lesson in progress gives way without a question.
    if (!IsClosing())
        m_pView->OnReviewDue(std::time(nullptr));
}

void CMainFrame::MarkSlip()
{
    if (m_pView->OnSlip())
        SetStatusText(WxText(Tr("That answer counts as a slip, not as a mistake.")), 0);
}

void CMainFrame::CloseDocument()
{
    if (m_bDocumentClosed)
        return;
    m_bDocumentClosed = true;
    BeginClosing();
    m_lockTimer.Stop();
    m_pSpokenLesson->Stop();
    m_doc.OnCloseDocument();
}

void CMainFrame::UpdateLockIndicators()
{
    for (std::size_t i = 0; i < std::size(kIndicators); ++i)
    {
        const int nField = static_cast<int>(i) + kFirstIndicatorField;
        const wxString strText = wxGetKeyState(ToLockKeyCode(kIndicators[i].key))
                                     ? WxText(Tr(kIndicators[i].pszText))
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
        // Said once: from now on the standard list is the one remembered. In a box over
        // the shown window, where a long path is not cut.
        m_lists.UseStandard();
        m_lists.Save(m_store);
        // TRANSLATORS: {1} is the list's file with its folder.
        const wxString strText = WxText(FillIn(Tr("The verb list {1} cannot be opened; the standard list is used."),
                                               {ShownUtf8(strRemembered, false)}));
        CallAfter([this, strText] {
            if (!IsClosing())
                wxMessageBox(strText, kMessageCaption, wxOK | wxICON_EXCLAMATION, this);
        });
    }
    UpdateRecentItems();
}

// The dialog opens in the folder of the list in use.
void CMainFrame::ChooseVerbList()
{
    if (IsClosing())
        return;
    const wxString strFolder = wxFileName(FromLocalPath(m_doc.m_strVerbListPath)).GetPath();
    // TRANSLATORS: a file dialog's filters: the parts in brackets stay as they are.
    wxFileDialog dialog(this, WxText(TrC("file dialog", "Verb List")), strFolder, wxString(),
                        WxText(Tr("Verb lists (*.ver)")) + "|*.ver|" + WxText(Tr("All files (*)")) + "|*", wxFD_OPEN);
    if (dialog.ShowModal() == wxID_OK)
        OpenVerbList(ToLocalPath(dialog.GetPath()));
}

bool CMainFrame::OpenVerbList(const std::string& strPath)
{
    if (IsClosing())
        return false;
    const wxString strName = ShownName(strPath);
    // Refused rather than used and silently not remembered.
    if (!ChosenLists::CanRemember(strPath))
    {
        // TRANSLATORS: {1} is the list's file with its folder.
        wxMessageBox(WxText(FillIn(Tr("The verb list \"{1}\" is not used: its path holds a line break, which the settings "
                                      "cannot keep for the next start.\n\nRename the file (or its folder) and choose it again."),
                                   {ShownUtf8(strPath, false)})),
                     kMessageCaption, wxOK | wxICON_EXCLAMATION, this);
        return false;
    }
    const std::optional<ChosenListCheck> check = CheckInBackground(strPath, strName);
    if (!check || IsClosing())
        return false;
    const wxString strText = wxString::FromUTF8(check->m_strText);
    if (check->m_nVerdict == ChosenListVerdict::Refused)
    {
        // The reason, and below it the findings that explain it, if any.
        if (strText.Contains("\n\n"))
            ShowLongMessage(this, kMessageCaption, strText.BeforeFirst('\n'), strText.AfterFirst('\n').Trim(false),
                            wxString(), LongMessageButtons::Ok);
        else
            wxMessageBox(strText, kMessageCaption, wxOK | wxICON_EXCLAMATION, this);
        return false;
    }
    const bool bLesson = !m_doc.m_pool.empty() && !m_doc.m_bFinished;
    if (check->m_nVerdict == ChosenListVerdict::Doubtful)
    {
        const int nAnswer =
            // TRANSLATORS: above the problems found in a verb list; {1} is the list's file name.
            ShowLongMessage(this, kMessageCaption, WxText(FillIn(Tr("A lesson on \"{1}\" meets these problems:"), {Utf8Of(strName)})), strText,
                            WxText(bLesson ? Tr("Use this list anyway? The lesson you are in ends.") : Tr("Use this list anyway?")),
                            LongMessageButtons::UseEditCancel);
        if (nAnswer == wxID_EDIT) // the editor shows the findings on their rows
            EditVerbList(strPath);
        if (nAnswer != wxID_YES)
            return false;
    }
    // TRANSLATORS: {1} is the file name of the verb list chosen.
    else if (!MayEndLesson(WxText(FillIn(Tr("Start a new lesson on \"{1}\"? The lesson you are in ends."), {Utf8Of(strName)}))))
        return false;
    const std::optional<VerbListLocation> list = LocateChosenList(strPath);
    if (!list)
        return false; // gone since the check, which said why
    m_doc.UseVerbList(*list);
    m_lists.Choose(list->m_strPath);
    KeepChosenLists();
    NewLesson();
    return true;
}

// The check runs on a thread of its own: a large list takes a while, and the window must
// go on repainting. It touches nothing but the file and its own result.
std::optional<ChosenListCheck> CMainFrame::CheckInBackground(const std::string& strPath,
                                                             const wxString& strName)
{
    const std::string strNameUtf8(strName.utf8_str());
    const auto check = [strPath, strNameUtf8] { return CheckChosenList(strPath, strNameUtf8); };
    const auto refused = [&](const std::string& strWhy) {
        // TRANSLATORS: {1} is a verb list's file name, {2} why it could not be checked.
        return ChosenListCheck{ChosenListVerdict::Refused, FillIn(Tr("\"{1}\" could not be checked: {2}"), {strNameUtf8, strWhy})};
    };
    std::future<ChosenListCheck> pending;
    try
    {
        pending = std::async(std::launch::async, check);
    }
    catch (const std::system_error&)
    {
        return check(); // no thread to be had: checked here, the window waiting
    }
    // TRANSLATORS: {1} is a verb list's file name.
    const bool bDone = WaitWhileBusy(this, WxText(Tr("Checking the Verb List")), WxText(FillIn(Tr("Checking \"{1}\"..."), {strNameUtf8})), [&pending] {
        return pending.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    });
    if (!bDone)
    {
        m_abandonedChecks.erase(std::remove_if(m_abandonedChecks.begin(), m_abandonedChecks.end(),
                                               [](const std::future<ChosenListCheck>& abandoned) {
                                                   return abandoned.wait_for(std::chrono::seconds(0)) ==
                                                          std::future_status::ready;
                                               }),
                                m_abandonedChecks.end());
        m_abandonedChecks.push_back(std::move(pending));
        return std::nullopt;
    }
    try
    {
        return pending.get();
    }
    catch (const std::bad_alloc&)
    {
        return refused(Tr("there is not enough memory."));
    }
    catch (const std::exception& error)
    {
        return refused(std::string(error.what()) + ".");
    }
}

bool CMainFrame::MayEndLesson(const wxString& strQuestion)
{
    if (m_doc.m_pool.empty() || m_doc.m_bFinished)
        return true;
    return wxMessageBox(strQuestion, kMessageCaption,
                        wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION, this) == wxYES;
}

// As at start: the standard list from now on, and the reason said.
void CMainFrame::OnChosenListGone(const std::string& strPath, bool bStandard)
{
    std::string strWhy = UnreadableReason(strPath);
    if (strWhy.empty())
        strWhy = Tr("cannot be opened.");
    // TRANSLATORS: {1} is the list's file with its folder, {2} why it cannot be read ("cannot be opened." and the like).
    wxMessageBox(WxText(FillIn(Tr("The verb list \"{1}\" {2}"), {ShownUtf8(strPath, false), strWhy})) + "\n\n" +
                     WxText(bStandard ? Tr("The standard list is used from now on.") : Tr(kMissingFilesText)),
                 kMessageCaption, wxOK | wxICON_EXCLAMATION, this);
    if (!bStandard)
        return;
    m_lists.UseStandard();
    KeepChosenLists();
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
    // TRANSLATORS: {1} is the list's file with its folder.
    wxMessageBox(WxText(FillIn(Tr("The verb list {1} is gone; it is taken off the recent lists."), {ShownUtf8(strPath, false)})),
                 kMessageCaption, wxOK | wxICON_EXCLAMATION, this);
    m_lists.Forget(strPath);
    KeepChosenLists();
}

void CMainFrame::UseStandardList()
{
    if (IsClosing())
        return;
    if (!MayEndLesson(WxText(Tr("Start a new lesson on the standard list? The lesson you are in ends."))))
        return;
    if (!m_doc.UseStandardVerbList())
    {
        wxMessageBox(WxText(Tr(kMissingFilesText)), kMessageCaption, wxOK | wxICON_EXCLAMATION, this);
        return;
    }
    m_lists.UseStandard();
    KeepChosenLists();
    NewLesson();
}

// Written at once, so that a list chosen is remembered whatever ends the run; a failure is
// told once, as the options dialog tells its own. The menu is changed once the command
// that chose, perhaps one of its items, has returned.
void CMainFrame::KeepChosenLists()
{
    m_lists.Save(m_store);
    if (!m_store.Flush() && m_doc.DescribeSaveFailure() != m_strListSaveFailureTold)
    {
        m_strListSaveFailureTold = m_doc.DescribeSaveFailure();
        // TRANSLATORS: {1} says why the settings could not be written.
        wxMessageBox(WxText(FillIn(Tr("The verb list in use {1}.\n\nIt is used until the program ends, but the next start will not know it."),
                                   {m_strListSaveFailureTold})),
                     kMessageCaption, wxOK | wxICON_EXCLAMATION, this);
    }
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
        pMenu->Insert(nPosition + 1 + i, WxId(ID_LESSON_RECENT_LIST_1 + static_cast<int>(i)),
                      wxString::FromUTF8(RecentListLabel(i + 1, ShownUtf8(recent[i], true))),
                      ShownPath(recent[i]));
}

void CMainFrame::EditVerbList(const std::string& strPath)
{
    if (!IsClosing())
        CVerbListEditor::Open(strPath.empty() ? m_doc.GetListInUse() : strPath);
}

// In a pane of its own, so that the message pane keeps its prompts.
void CMainFrame::ShowListInUse()
{
    wxStatusBar* pStatusBar = GetStatusBar();
    // TRANSLATORS: the status bar; {1} is the file name of the verb list in use.
    const wxString strText = WxText(FillIn(Tr("Verb list: {1}"), {ShownUtf8(m_doc.GetListInUse(), true)}));
    std::vector<int> widths{-1, std::min(pStatusBar->GetTextExtent(strText).GetWidth(),
                                         pStatusBar->GetTextExtent(wxString('n', kListFieldLetters)).GetWidth()) +
                                    16};
    for (int i = kListField + 1; i < pStatusBar->GetFieldsCount(); ++i)
        widths.push_back(pStatusBar->GetStatusWidth(i));
    pStatusBar->SetStatusWidths(static_cast<int>(widths.size()), widths.data());
    SetStatusText(strText, kListField);
}

void CMainFrame::CreateSpeech()
{
    m_pSpeaker = MakeSystemSpeaker();
    // Each utterance's words as a line of that file, for tests and for checking a voice.
    if (const char* pszLog = std::getenv("TALDRIN_SPEECH_LOG"); pszLog && *pszLog)
        m_pSpeaker = LoggingSpeaker(std::move(m_pSpeaker), pszLog);
    m_pSpokenLesson = std::make_unique<SpokenLesson>(*m_pSpeaker);
    m_pSpokenLesson->m_settings = ReadSpeechSettings(m_store);
    // Told on the speech thread; said once, in the status bar.
    m_pSpeaker->SetTroubleHandler([this](const std::string& strWhy) {
        CallAfter([this, strWhy] {
            if (!std::exchange(m_bSpeechTroubleTold, true))
                SetStatusText(wxString::FromUTF8(strWhy), 0);
        });
    });
    m_strSpeechWhyNotShown = m_pSpeaker->WhyUnavailable();
    if (!m_strSpeechWhyNotShown.empty())
        ShowSpeechPrompts(m_strSpeechWhyNotShown);
    BindSpeechCommands();
}

void CMainFrame::BindSpeechCommands()
{
    SpeechSettings& settings = m_pSpokenLesson->m_settings;
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_pView->OnSpeak(); }, WxId(ID_SPEECH_SAY));
    Bind(wxEVT_MENU, [this, &settings](wxCommandEvent&) {
        settings.m_bAfterVerdict = !settings.m_bAfterVerdict;
        KeepSpeechSettings();
    }, WxId(ID_SPEECH_AFTER_VERDICT));
    Bind(wxEVT_MENU, [this, &settings](wxCommandEvent& event) {
        settings.m_accent = event.GetId() == WxId(ID_SPEECH_AMERICAN) ? SpeechAccent::American : SpeechAccent::British;
        KeepSpeechSettings();
    }, WxId(ID_SPEECH_BRITISH), WxId(ID_SPEECH_AMERICAN));
    Bind(wxEVT_MENU, [this, &settings](wxCommandEvent&) {
        settings.m_bByEar = !settings.m_bByEar;
        KeepSpeechSettings();
        ShowTitle(m_doc.GetTitle());
        m_pCanvas->InvalidateRect(nullptr, true);
        m_pSpokenLesson->OnQuestion(m_doc);
    }, WxId(ID_SPEECH_BY_EAR));
    Bind(wxEVT_UPDATE_UI, &CMainFrame::UpdateSpeechCommand, this, WxId(ID_SPEECH_SAY), WxId(ID_SPEECH_BY_EAR));
}

void CMainFrame::UpdateSpeechCommand(wxUpdateUIEvent& event)
{
    const std::string strWhyNot = m_pSpeaker->WhyUnavailable();
    if (strWhyNot != m_strSpeechWhyNotShown)
        ShowSpeechPrompts(m_strSpeechWhyNotShown = strWhyNot);
    event.Enable(strWhyNot.empty());
    const SpeechSettings& settings = m_pSpokenLesson->m_settings;
    if (event.GetId() == WxId(ID_SPEECH_AFTER_VERDICT))
        event.Check(settings.m_bAfterVerdict);
    else if (event.GetId() == WxId(ID_SPEECH_BRITISH))
        event.Check(settings.m_accent == SpeechAccent::British);
    else if (event.GetId() == WxId(ID_SPEECH_AMERICAN))
        event.Check(settings.m_accent == SpeechAccent::American);
    else if (event.GetId() == WxId(ID_SPEECH_BY_EAR))
        event.Check(settings.m_bByEar);
}

// The submenu itself stays enabled, so that its prompt can be read.
void CMainFrame::ShowSpeechPrompts(const std::string& strWhyNot)
{
    for (const int nId : {ID_LESSON_SPEECH, ID_SPEECH_SAY, ID_SPEECH_AFTER_VERDICT, ID_SPEECH_BRITISH,
                          ID_SPEECH_AMERICAN, ID_SPEECH_BY_EAR})
        GetMenuBar()->SetHelpString(WxId(nId), strWhyNot.empty() ? PromptPart(nId, false) : wxString::FromUTF8(strWhyNot));
    GetToolBar()->SetToolLongHelp(WxId(ID_SPEECH_SAY),
                                  strWhyNot.empty() ? PromptPart(ID_SPEECH_SAY, false) : wxString::FromUTF8(strWhyNot));
}

void CMainFrame::KeepSpeechSettings()
{
    WriteSpeechSettings(m_store, m_pSpokenLesson->m_settings);
    if (!m_store.Flush())
        // TRANSLATORS: the status bar; {1} is the settings file, {2} why it could not be written.
        SetStatusText(WxText(FillIn(Tr("The speech settings could not be saved in {1}: {2}"),
                                    {m_store.GetLocation(), m_store.GetFlushFailure()})),
                      0);
}

void CMainFrame::ShowTitle(const std::string& strTitle)
{
    const bool bHidden = m_pSpokenLesson && m_pSpokenLesson->HidesPrompt() && !m_doc.m_pool.empty() && !m_doc.m_bFinished;
    // TRANSLATORS: the caption's word in a lesson by ear, where the word asked is heard, not shown.
    SetTitle(WxText(FillIn(Tr(kCaptionPattern), {bHidden ? Tr("Listen") : strTitle})));
}
