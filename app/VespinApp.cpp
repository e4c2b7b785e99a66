#include "app/VespinApp.h"

#include "app/LanguageDlg.h"
#include "app/MainFrame.h"
#include "framework/UserFolders.h"
#include "framework/Translation.h"
#include "framework/UserSettings.h"
#include "framework/wx/Latin1.h"
#include "framework/wx/ViewCanvas.h"
#include "lesson/LessonHistory.h"
#include "lesson/ProgressExport.h"
#include "lesson/VerbListFiles.h"
#include "lesson/VespinDoc.h"
#include "res/AppStrings.h"
#include "view/VespinView.h"

#include <wx/display.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <utility>

wxIMPLEMENT_APP_NO_MAIN(CVespinApp);

namespace
{

// Stands in for the history where no folder for it is known: the first answer says, as a
// history that fails does, that answers are not kept.
class NoHistory : public VerdictObserver
{
public:
    explicit NoHistory(std::function<void()> fnTell) : m_fnTell(std::move(fnTell)) {}
    void OnLessonStart(const std::string&, bool) override {}
    void OnVerdict(const Question&, const std::string&, bool) override
    {
        if (auto fnTell = std::exchange(m_fnTell, nullptr))
            fnTell();
    }
    void OnLessonEnd() override {}

private:
    std::function<void()> m_fnTell;
};

// taldrin --export-progress FILE: 0 when written, 1 with the reason on standard error.
int ExportWithoutWindow(const StartOptions& options)
{
    const wxString programDir = wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
    const std::vector<std::string> listFolders = VerbListFolders(
        UserVariable("XDG_DATA_HOME"), UserVariable("HOME"), programDir.ToStdString(*wxConvFileName));
    const std::unique_ptr<SettingsStore> pStore = CreateUserSettingsStore();
    const std::string strDataFolder = UserDataFolder(UserVariable("XDG_DATA_HOME"), UserVariable("HOME"));
    const std::string strFailure =
        ExportProgress(options.m_strExport, options.m_strList, *pStore, listFolders,
                       strDataFolder.empty() ? std::string() : strDataFolder + "/" + kHistoryFileName, std::time(nullptr));
    if (strFailure.empty())
        return EXIT_SUCCESS;
    std::fprintf(stderr, "taldrin: %s\n", strFailure.c_str());
    return EXIT_FAILURE;
}

} // namespace

StartOptions CVespinApp::s_options;
std::string CVespinApp::s_strLanguage;

// Help, version and a wrong option are answered before the toolkit starts, so without a
// display too.
int main(int argc, char** argv)
{
    wxDISABLE_DEBUG_SUPPORT(); // as the toolkit's own main does in a release build
    CVespinApp::s_strLanguage = UseChosenLanguage();
    CVespinApp::s_options = ParseStartOptions(std::vector<std::string>(argv + 1, argv + argc));
    switch (CVespinApp::s_options.m_nAction)
    {
    case StartOptions::Action::Help:
        std::fputs(Usage(), stdout);
        return std::fflush(stdout) == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
    case StartOptions::Action::Version:
        std::fputs(VersionText(), stdout);
        return std::fflush(stdout) == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
    case StartOptions::Action::Fail:
        std::fprintf(stderr, "%s\n", CVespinApp::s_options.m_strError.c_str());
        return 2;
    case StartOptions::Action::Run:
        break;
    }
    if (!CVespinApp::s_options.m_strExport.empty())
        return ExportWithoutWindow(CVespinApp::s_options);
    // Root in another user's home (sudo without -H) saves nothing there; said once.
    if (const std::string strOthers = KeepLibrariesOutOfOthersHome(); !strOthers.empty())
        std::fprintf(stderr,
                     "taldrin: running as root in %s, which belongs to another user: no settings and no answers "
                     "are saved there (sudo -H, or running as that user, saves them)\n",
                     strOthers.c_str());
    return wxEntry(argc, argv);
}

CVespinApp::CVespinApp() = default;

// The frame, which refers to the document, is gone by now: the toolkit destroys top-level
// windows before the application object.
CVespinApp::~CVespinApp() = default;

bool CVespinApp::OnInit()
{
#ifdef SIGXFSZ
    // Under a file size limit a write fails with EFBIG, told like any failed save, instead
    // of ending the program; so does a line for a redirected standard error.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    UseToolkitLanguage(s_strLanguage);
    const wxString programDir = wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
    const std::vector<std::string> listFolders = VerbListFolders(
        UserVariable("XDG_DATA_HOME"), UserVariable("HOME"), programDir.ToStdString(*wxConvFileName));
    if (!FindVerbList(listFolders))
    {
        LoadToolkitCatalog();
        wxMessageBox(WxText(Tr(kMissingFilesText)), kAppName, wxOK | wxICON_STOP);
        // The toolkit's entry point returns -1 when OnInit fails: exit status 255.
        return false;
    }

    m_pProfile = CreateUserSettingsStore();
    m_pDoc = std::make_unique<CVespinDoc>(*m_pProfile);
    m_pDoc->m_verbListFolders = listFolders;
    auto* pFrame = new CMainFrame(*m_pDoc, *m_pProfile);
    pFrame->SetView(std::make_unique<CVespinView>(*m_pDoc, pFrame->GetCanvas()));
    // Only named here: the history is first touched by an answer or a history command.
    const std::string strDataFolder = UserDataFolder(UserVariable("XDG_DATA_HOME"), UserVariable("HOME"));
    if (!strDataFolder.empty())
    {
        m_pHistory = std::make_unique<LessonHistory>(strDataFolder + "/" + kHistoryFileName);
        m_pDoc->SetVerdictObserver(m_pHistory.get());
        pFrame->SetHistory(m_pHistory.get());
    }
    else
    {
        m_pNoHistory = std::make_unique<NoHistory>([pFrame] {
            pFrame->SetStatusText(WxText(FillIn(Tr(kHistoryNotKeptPattern),
                                                {Tr("no folder for it is known (no absolute HOME, and no home in the "
                                                    "password database)")})),
                                  0);
        });
        m_pDoc->SetVerdictObserver(m_pNoHistory.get());
    }
    SetTopWindow(pFrame);

    pFrame->RestoreVerbList();
    m_pDoc->OnNewDocument();
    if (!s_options.m_strDocument.empty() && !m_pDoc->OnOpenDocument(s_options.m_strDocument))
    {
        LoadToolkitCatalog();
        wxMessageBox(WxText(Tr("Failed to open document.")), kAppName, wxOK | wxICON_EXCLAMATION);
    }

    // On a small or scaled screen the work area bounds the size.
    wxSize size(700, 350);
    const int nDisplay = wxDisplay::GetFromWindow(pFrame);
    size.DecTo(wxDisplay(nDisplay == wxNOT_FOUND ? 0u : unsigned(nDisplay)).GetClientArea().GetSize());
    pFrame->SetSize(size);
    pFrame->Show();
    pFrame->Update();
    pFrame->GetCanvas().SetFocus();
    // Checked, and asked about, over the shown window.
    if (!s_options.m_strList.empty())
        CallAfter([pFrame] { pFrame->OpenVerbList(s_options.m_strList); });
    // After the list of --list, so that without a file of its own the editor opens that one.
    if (s_options.m_bEdit)
        CallAfter([pFrame] { pFrame->EditVerbList(s_options.m_strEdit); });
    return true;
}

int CVespinApp::FilterEvent(wxEvent& event)
{
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_IDLE || type == wxEVT_ASYNC_METHOD_CALL || type == wxEVT_MENU || type == wxEVT_KEY_DOWN ||
        type == wxEVT_LEFT_DOWN || type == wxEVT_RIGHT_DOWN || type == wxEVT_CLOSE_WINDOW ||
        type == wxEVT_QUERY_END_SESSION)
        LoadToolkitCatalog();
    return Event_Skip;
}
