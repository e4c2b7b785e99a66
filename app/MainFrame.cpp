#include "app/MainFrame.h"

#include "app/AboutDlg.h"
#include "app/SessionEnd.h"
#include "framework/wx/Latin1.h"
#include "framework/wx/TemplateDialog.h"
#include "framework/wx/ViewCanvas.h"
#include "framework/wx/ViewPrinting.h"
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
#include <wx/msgdlg.h>
#include <wx/iconbndl.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include <vector>

namespace
{

constexpr int kToolSize = 16;
// How often the lock indicators look at the keyboard.
constexpr int kLockPollMilliseconds = 250;

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
    return wxAcceleratorEntry(nFlags, nKey, def.nId);
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

} // namespace

CMainFrame::CMainFrame(CVespinDoc& doc)
    : wxFrame(nullptr, wxID_ANY, wxString()), m_doc(doc), m_lockTimer(this)
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
    m_lockTimer.Start(kLockPollMilliseconds);
    CloseFrameOnSessionEnd(this);
}

CMainFrame::~CMainFrame()
{
    CloseFrameOnSessionEnd(nullptr);
    m_doc.SetTitleObserver(nullptr);
    m_pCanvas->SetView(nullptr);
}

void CMainFrame::SetView(std::unique_ptr<CVespinView> pView)
{
    m_pView = std::move(pView);
    m_pCanvas->SetView(m_pView.get());
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
                pMenu->Append(item.nId, item.pszLabel, PromptPart(item.nId, false));
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
            pToolBar->AddTool(tool.nId, wxString(), ToolImage(strip, tool.nImage), wxNullBitmap,
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
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { NewLesson(); }, ID_FILE_NEW);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { Close(); }, ID_APP_EXIT);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) {
        CAboutDlg about;
        RunTemplateDialog(this, about);
    }, ID_APP_ABOUT);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_pView->OnGiveUp(); }, ID_LESSON_GIVEUP);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_pView->OnStatistics(); }, ID_LESSON_STATISTICS);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_pView->OnLessonView(); }, ID_LESSON_VIEW);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_pView->OnHelp(); }, ID_HELP);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OpenFile(); }, ID_FILE_OPEN);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { SaveFile(); }, ID_FILE_SAVE);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { PrintScreen(); }, ID_FILE_PRINT);
    // Handled so that the keys count as used and go no further; they do nothing.
    for (const int nId : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_NEXT_PANE,
                          ID_PREV_PANE})
        Bind(wxEVT_MENU, [](wxCommandEvent&) {}, nId);

    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { CloseDocument(); Destroy(); });
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
    ScreenPrintout printout(kAppName, *m_pView);
    wxPrinter printer;
    printer.Print(this, &printout, true);
}

void CMainFrame::CloseDocument()
{
    if (m_bDocumentClosed)
        return;
    m_bDocumentClosed = true;
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
