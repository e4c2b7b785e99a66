#include "framework/wx/HelpViewer.h"

#include "framework/Languages.h"

#include "framework/Translation.h"
#include "framework/UserFolders.h"
#include "framework/wx/Latin1.h"

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpwnd.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>
#include <wx/treectrl.h>
#include <cstdlib>
#include <vector>

namespace
{

// TRANSLATORS: verbhlp.hhp is a file name and stays as it is.
const char* const kBookMissingText = TR_NOOP("The help file verbhlp.hhp was not found.");
const char* const kBookMissingCaption = "Taldrin";

wxString ProgramDir()
{
    return wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
}

wxString UserDataDir()
{
    const std::string strFolder = UserDataFolder(UserVariable("XDG_DATA_HOME"), UserVariable("HOME"));
    return wxString(strFolder.c_str(), *wxConvFileName);
}

} // namespace

HelpViewer::HelpViewer() = default;

// The controller's destructor only schedules the frame's deletion, and the help window
// reports its end to its controller when it goes: without this, to a freed controller.
HelpViewer::~HelpViewer()
{
    if (m_pController && m_pController->GetHelpWindow())
        m_pController->GetHelpWindow()->SetController(nullptr);
}

std::optional<wxString> HelpViewer::FindHelpBook(const wxString& workingDir,
                                                 const wxString& dataDir,
                                                 const wxString& programDir,
                                                 const std::string& strLanguage)
{
    wxFileName installed = wxFileName::DirName(programDir);
    for (const char* pszDir : {"..", "share", "taldrin", "help"})
        installed.AppendDir(pszDir);
    wxFileName beside = wxFileName::DirName(programDir);
    beside.AppendDir("help");
    std::vector<wxFileName> dirs{wxFileName::DirName(workingDir)};
    if (!dataDir.empty())
    {
        dirs.push_back(wxFileName::DirName(dataDir));
        dirs.back().AppendDir("help");
    }
    dirs.insert(dirs.end(), {beside, installed});

    std::vector<wxString> languages;
    if (!strLanguage.empty())
        languages.push_back(wxString::FromUTF8(strLanguage));
    if (const std::size_t nTerritory = strLanguage.find('_'); nTerritory != std::string::npos)
        languages.push_back(wxString::FromUTF8(strLanguage.substr(0, nTerritory)));
    languages.push_back(wxString());
    std::vector<wxFileName> books;
    for (const wxFileName& dir : dirs)
        for (const wxString& language : languages)
        {
            wxFileName folder = dir;
            if (!language.empty())
                folder.AppendDir(language);
            books.emplace_back(folder.GetPath(), kHelpBookName);
        }

    for (wxFileName book : books)
    {
        if (!book.FileExists())
            continue;
        // Only made absolute: resolving ".." by name could step out of a symbolic link.
        book.Normalize(wxPATH_NORM_ABSOLUTE);
        return book.GetFullPath();
    }
    return std::nullopt;
}

std::optional<wxString> HelpViewer::FindLicence(const wxString& programDir)
{
    wxFileName installed = wxFileName::DirName(programDir);
    for (const char* pszDir : {"..", "share", "taldrin"})
        installed.AppendDir(pszDir);
    for (wxFileName file : {wxFileName(programDir, "COPYING.txt"), wxFileName(programDir, "COPYING"),
                            wxFileName(installed.GetPath(), "COPYING")})
    {
        if (!file.FileExists())
            continue;
        file.Normalize(wxPATH_NORM_ABSOLUTE);
        return file.GetFullPath();
    }
    return std::nullopt;
}

void HelpViewer::Show(wxWindow* pParent, const wxString& strPage)
{
    if (!m_pController)
    {
        const std::optional<wxString> book = FindHelpBook(wxGetCwd(), UserDataDir(), ProgramDir(), LanguageInUse());
        if (!book)
        {
            wxMessageBox(WxText(Tr(kBookMissingText)), kBookMissingCaption, wxOK | wxICON_EXCLAMATION, pParent);
            return;
        }
        // No parent for the frame: a child frame still open when the main window is deleted
        // is closed, and deleted at once, while the toolkit walks its list of windows.
        auto pController = std::make_unique<wxHtmlHelpController>(wxHF_DEFAULT_STYLE, nullptr);
        // A book that does not load has been reported by the toolkit's log already.
        if (!pController->AddBook(wxFileName(*book)))
            return;
        m_pController = std::move(pController);
    }

    // The controller forgets its window when the window is closed or destroyed.
    const bool bNewFrame = m_pController->GetHelpWindow() == nullptr;
    if (strPage.empty() || !m_pController->Display(strPage))
        m_pController->DisplayContents();
    // The toolkit opens the tree with the book folded, hiding the page titles.
    wxHtmlHelpWindow* pHelpWindow = m_pController->GetHelpWindow();
    if (bNewFrame && pHelpWindow && pHelpWindow->GetTreeCtrl())
        pHelpWindow->GetTreeCtrl()->ExpandAll();
}
