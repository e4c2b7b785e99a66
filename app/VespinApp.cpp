#include "app/VespinApp.h"

#include "app/MainFrame.h"
#include "framework/UserFolders.h"
#include "framework/UserSettings.h"
#include "framework/wx/ViewCanvas.h"
#include "lesson/LessonHistory.h"
#include "lesson/VerbListFiles.h"
#include "lesson/VespinDoc.h"
#include "res/AppStrings.h"
#include "view/VespinView.h"

#include <wx/display.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>

#include <csignal>
#include <cstdlib>

wxIMPLEMENT_APP(CVespinApp);

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
    const wxString programDir = wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
    const std::vector<std::string> listFolders = VerbListFolders(
        std::getenv("XDG_DATA_HOME"), std::getenv("HOME"), programDir.ToStdString(*wxConvFileName));
    if (!FindVerbList(listFolders))
    {
        wxMessageBox(kMissingFilesText, kAppName, wxOK | wxICON_STOP);
        // The toolkit's entry point returns -1 when OnInit fails: exit status 255.
        return false;
    }

    m_pProfile = CreateUserSettingsStore();
    m_pDoc = std::make_unique<CVespinDoc>(*m_pProfile);
    m_pDoc->m_verbListFolders = listFolders;
    auto* pFrame = new CMainFrame(*m_pDoc);
    pFrame->SetView(std::make_unique<CVespinView>(*m_pDoc, pFrame->GetCanvas()));
    // Only named here: the history is first touched by an answer or a history command.
    const std::string strDataFolder = UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (!strDataFolder.empty())
    {
        m_pHistory = std::make_unique<LessonHistory>(strDataFolder + "/" + kHistoryFileName);
        m_pDoc->SetVerdictObserver(m_pHistory.get());
        pFrame->SetHistory(m_pHistory.get());
    }
    SetTopWindow(pFrame);

    m_pDoc->OnNewDocument();

    // On a small or scaled screen the work area bounds the size.
    wxSize size(700, 350);
    const int nDisplay = wxDisplay::GetFromWindow(pFrame);
    size.DecTo(wxDisplay(nDisplay == wxNOT_FOUND ? 0u : unsigned(nDisplay)).GetClientArea().GetSize());
    pFrame->SetSize(size);
    pFrame->Show();
    pFrame->Update();
    pFrame->GetCanvas().SetFocus();
    return true;
}
