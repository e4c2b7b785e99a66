// The application: checks for the verb lists, creates the settings store, document,
// main frame and view, and starts a new lesson.
#pragma once

#include "lesson/StartOptions.h"

#include <wx/app.h>

#include <memory>
#include <string>

class CVespinDoc;
class LessonHistory;
class SettingsStore;
class VerdictObserver;

class CVespinApp : public wxApp
{
public:
    CVespinApp();
    ~CVespinApp() override;

    // False, after telling the user, when no verb list can be opened in the working
    // directory, the user's data folder or the installed share/taldrin; the process then
    // exits with status 255. The command line was read before the toolkit started.
    bool OnInit() override;
    // Reads the toolkit's own catalog at the first idle moment, after the first paint, or
    // at the first event that may open a dialog, whichever comes first.
    int FilterEvent(wxEvent& event) override;

    // What main() found on the command line.
    static StartOptions s_options;
    // The language of the texts (UseChosenLanguage); empty for English.
    static std::string s_strLanguage;

private:
    std::unique_ptr<SettingsStore> m_pProfile;
    // Before the document, which tells it its verdicts: it goes after the document.
    std::unique_ptr<LessonHistory> m_pHistory;
    std::unique_ptr<VerdictObserver> m_pNoHistory; // in its place when it has no folder
    std::unique_ptr<CVespinDoc> m_pDoc;
};

wxDECLARE_APP(CVespinApp);
