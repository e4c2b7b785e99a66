// The main window: menu, toolbar, status bar and accelerators, wired to the document
// and the view; the view lives in a ViewCanvas filling the client area. No lesson logic.
#pragma once

#include "checker/ChosenListCheck.h"
#include "lesson/ChosenLists.h"

#include <wx/frame.h>
#include <wx/timer.h>

#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CVespinDoc;
class SettingsStore;
class Speaker;
class SpokenLesson;
class CVespinView;
class LessonHistory;
class ViewCanvas;

class CMainFrame : public wxFrame
{
public:
    // Keeps the caption at "<document title> - Taldrin" until destroyed. The document
    // and the store, which keeps the chosen verb lists, must outlive the frame.
    CMainFrame(CVespinDoc& doc, SettingsStore& store);
    ~CMainFrame() override;

    ViewCanvas& GetCanvas() { return *m_pCanvas; }
    // Takes the view that lives in GetCanvas(); menu commands go to it from now on.
    void SetView(std::unique_ptr<CVespinView> pView);
    // The history the Lesson menu's history commands work on, after SetView; the status
    // bar says once when answers cannot be kept. Must outlive the frame.
    void SetHistory(LessonHistory* pHistory);
    // Writes the settings through the document; runs once however often the frame is
    // asked to close.
    void CloseDocument();

    // Before the first lesson: the remembered verb list is located (not read) and given to
    // the document; when it is gone the standard list stays and the status bar says so.
    void RestoreVerbList();
    // Checks the list (on a thread of its own, the window responding), asks about its
    // findings and, during a lesson, whether to end it, and starts a new lesson on it;
    // false, with a message and nothing changed, when the list is refused or the user
    // declines or cancels (and, silently, once the program is closing).
    bool OpenVerbList(const std::string& strPath);
    // Opens the verb list editor on the list at strPath, or on the list in use when it is
    // empty.
    void EditVerbList(const std::string& strPath);

private:
    void CreateMenus();
    void CreateTools();
    void CreateStatusFields();
    void CreateAccelerators();
    void BindCommands();

    void NewLesson();
    void OpenFile();
    void SaveFile();
    void PrintScreen();
    void ChooseVerbList();
    void OpenRecentList(std::size_t nRecent);
    void UseStandardList();
    void KeepChosenLists();
    void UpdateRecentItems();
    void ShowListInUse();
    // Nothing when the user cancelled the check.
    std::optional<ChosenListCheck> CheckInBackground(const std::string& strPath, const wxString& strName);
    // True when no lesson is running or the user agrees to end it for strWhat.
    bool MayEndLesson(const wxString& strQuestion);
    void OnChosenListGone(const std::string& strPath, bool bStandard);
    void ShowProgress();
    void UpdateLockIndicators();
    // Speech: the engine is named here and loaded at the first utterance.
    void CreateSpeech();
    void BindSpeechCommands();
    void UpdateSpeechCommand(wxUpdateUIEvent& event);
    // The prompts of the Speech commands, or why they cannot be used.
    void ShowSpeechPrompts(const std::string& strWhyNot);
    void KeepSpeechSettings();
    // By ear, the caption does not give the word away either.
    void ShowTitle(const std::string& strTitle);
    // The questions due for review in the list in use, in a pane of its own; nothing when
    // the history cannot be read or none are due.
    void ShowDueCount();
    void ReviewDue();
    void OnFirstIdle(wxIdleEvent& event);
    void MarkSlip();

    CVespinDoc& m_doc;
    SettingsStore& m_store;
    ChosenLists m_lists;
    ViewCanvas* m_pCanvas = nullptr;
    std::unique_ptr<CVespinView> m_pView;
    LessonHistory* m_pHistory = nullptr;
    std::unique_ptr<Speaker> m_pSpeaker;
    std::unique_ptr<SpokenLesson> m_pSpokenLesson;
    std::string m_strSpeechWhyNotShown;
    bool m_bSpeechTroubleTold = false;
    wxTimer m_lockTimer;
    bool m_bDocumentClosed = false;
    bool m_bStarted = false; // the first idle moment has come
    // The last failure to keep the chosen lists the user was told of.
    std::string m_strListSaveFailureTold;
    // Checks the user cancelled, left to end on their own; waited for when the frame goes.
    std::vector<std::future<ChosenListCheck>> m_abandonedChecks;
};
