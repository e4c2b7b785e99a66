// The main window: menu, toolbar, status bar and accelerators, wired to the document
// and the view; the view lives in a ViewCanvas filling the client area. No lesson logic.
#pragma once

#include <wx/frame.h>
#include <wx/timer.h>

#include <memory>

class CVespinDoc;
class CVespinView;
class LessonHistory;
class ViewCanvas;

class CMainFrame : public wxFrame
{
public:
    // Keeps the caption at "<document title> - Taldrin" until destroyed. The document
    // must outlive the frame.
    explicit CMainFrame(CVespinDoc& doc);
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
    void ShowProgress();
    void UpdateLockIndicators();

    CVespinDoc& m_doc;
    ViewCanvas* m_pCanvas = nullptr;
    std::unique_ptr<CVespinView> m_pView;
    LessonHistory* m_pHistory = nullptr;
    wxTimer m_lockTimer;
    bool m_bDocumentClosed = false;
};
