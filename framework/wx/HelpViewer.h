// The program's help book, found on disk and shown in the toolkit's HTML help window.
// Knows nothing of the lesson; the view asks for help through ViewWindow::ShowHelp.
#pragma once

#include <wx/string.h>

#include <memory>
#include <optional>
#include <string>

class wxHtmlHelpController;
class wxWindow;

inline constexpr const char* kHelpBookName = "verbhlp.hhp";

class HelpViewer
{
public:
    HelpViewer();
    ~HelpViewer();
    HelpViewer(const HelpViewer&) = delete;
    HelpViewer& operator=(const HelpViewer&) = delete;

    // The first existing of workingDir/verbhlp.hhp, dataDir/help/verbhlp.hhp (skipped
    // when dataDir is empty), programDir/help/verbhlp.hhp and
    // programDir/../share/taldrin/help/verbhlp.hhp, as an absolute path. In each folder the
    // book in the language (its <language>/ subfolder, "pt_BR" then "pt") comes first.
    static std::optional<wxString> FindHelpBook(const wxString& workingDir, const wxString& dataDir,
                                                const wxString& programDir, const std::string& strLanguage = {});

    // The licence's full text: programDir/COPYING.txt (Windows), programDir/COPYING (a
    // build folder) or programDir/../share/taldrin/COPYING (installed).
    static std::optional<wxString> FindLicence(const wxString& programDir);

    // Opens the help window on the contents page and returns at once; a window already
    // open is raised instead. The book is looked for (in the process's working directory,
    // the user's data folder as for the verb lists, and beside the executable) until it has
    // been found once; without it, a message box over pParent. The help window is a
    // top-level window of its own, not pParent's child. With strPage, the book's page of
    // that file name is shown instead of the contents.
    void Show(wxWindow* pParent, const wxString& strPage = wxString());

private:
    std::unique_ptr<wxHtmlHelpController> m_pController;
};
