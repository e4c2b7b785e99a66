// The main window: menu, toolbar, status bar and accelerators, wired to the document
// and the view; the view lives in a ViewCanvas filling the client area. No lesson logic.
#pragma once

#include <wx/frame.h>
#include <wx/timer.h>

#include <memory>

class CVespinDoc;
class CVespinView;
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
    void UpdateLockIndicators();

    CVespinDoc& m_doc;
    ViewCanvas* m_pCanvas = nullptr;
    std::unique_ptr<CVespinView> m_pView;
    wxTimer m_lockTimer;
    bool m_bDocumentClosed = false;
};
